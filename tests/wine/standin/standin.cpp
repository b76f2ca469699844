// Stand-in for setup.exe under the Wine harness: an empty-caption modal dialog
// with a list box and a Next button; Next writes two registry values, shows a
// message box, prints a line and ends. At start it prints what the system reports, so cases can check the
// Windows version, language id and code page of the prefix.
#include <windows.h>
#include <cstdio>
#include "resource.h"

namespace {

const char kProgramName[] = "K7X Setup";

// Two REG_SZ values under HKCU\Software\K7XStandin: one counted with its
// NUL, one whose bytes are neither counted with nor followed by a NUL.
void WriteRegistry()
{
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\K7XStandin", 0, nullptr, 0, KEY_SET_VALUE,
                        nullptr, &key, nullptr) != ERROR_SUCCESS)
        return;
    static const char name[] = "K7X Printer";
    RegSetValueExA(key, "DisplayName", 0, REG_SZ, reinterpret_cast<const BYTE *>(name), sizeof name);
    static const char unterminated[] = {'a', 'b', 'c', 'X'};
    RegSetValueExA(key, "NoNul", 0, REG_SZ, reinterpret_cast<const BYTE *>(unterminated), 3);
    RegCloseKey(key);
}

void PrintSystem()
{
    OSVERSIONINFOA vi{};
    vi.dwOSVersionInfoSize = sizeof vi;
    GetVersionExA(&vi);
    std::printf("system version=%lu.%lu build=%lu langid=0x%04x userlangid=0x%04x acp=%u\n",
                vi.dwMajorVersion, vi.dwMinorVersion, vi.dwBuildNumber,
                GetSystemDefaultLangID(), GetUserDefaultLangID(), GetACP());
    std::fflush(stdout);
}

INT_PTR CALLBACK DialogProc(HWND dlg, UINT msg, WPARAM wp, LPARAM)
{
    switch (msg) {
    case WM_INITDIALOG:
        SendDlgItemMessageA(dlg, IDC_LANGLIST, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("English"));
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wp) == IDC_LANGLIST && HIWORD(wp) == LBN_SELCHANGE) {
            LRESULT sel = SendDlgItemMessageA(dlg, IDC_LANGLIST, LB_GETCURSEL, 0, 0);
            std::printf("selected %ld\n", static_cast<long>(sel));
            std::fflush(stdout);
            return TRUE;
        }
        if (LOWORD(wp) == IDC_NEXT) {
            WriteRegistry();
            MessageBoxA(dlg, "Ready to install.", kProgramName, MB_OK | MB_ICONINFORMATION);
            std::printf("next pressed\n");
            std::fflush(stdout);
            EndDialog(dlg, IDOK);
            return TRUE;
        }
        if (LOWORD(wp) == IDCANCEL) {
            EndDialog(dlg, IDCANCEL);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

} // namespace

int WINAPI WinMain(HINSTANCE inst, HINSTANCE, LPSTR, int)
{
    PrintSystem();
    INT_PTR r = DialogBoxParamA(inst, MAKEINTRESOURCEA(IDD_STANDIN), nullptr, DialogProc, 0);
    std::printf("dialog result %ld\n", static_cast<long>(r));
    std::fflush(stdout);
    return r == IDOK ? 0 : 1;
}
