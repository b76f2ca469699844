/* A rundll32.exe stand-in that holds its caller inside the wait for the printer setup utility: it
   writes its command line to C:\harness\held.txt, waits until C:\harness\release.txt exists (at
   most 80 s, less than setup's 90 s wait), then does what rundll32 does with
   "rundll32 DLL,ENTRY ARGUMENTS": loads DLL from the system directory, calls ENTRYW with the
   arguments, and writes C:\harness\released.txt when the entry has returned. */
#include <windows.h>

#include <wchar.h>

typedef void(CALLBACK* EntryW)(HWND, HINSTANCE, LPWSTR, int);

static void mark(const char* path, const WCHAR* text) {
    HANDLE file = CreateFileA(path, GENERIC_WRITE, 0, NULL, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD written = 0;
    if (file == INVALID_HANDLE_VALUE) return;
    WriteFile(file, text, (DWORD)(wcslen(text) * sizeof(WCHAR)), &written, NULL);
    CloseHandle(file);
}

/* The first blank-separated word of `line` (quotes kept together) skipped, with the blanks after it. */
static WCHAR* after_word(WCHAR* line) {
    BOOL quoted = FALSE;
    for (; *line && (quoted || *line != L' '); ++line)
        if (*line == L'"') quoted = !quoted;
    while (*line == L' ') ++line;
    return line;
}

int main(void) {
    WCHAR* line = GetCommandLineW();
    mark("C:\\harness\\held.txt", line);
    for (int waited = 0; GetFileAttributesA("C:\\harness\\release.txt") == INVALID_FILE_ATTRIBUTES; waited += 100) {
        if (waited >= 80000) return 2;
        Sleep(100);
    }

    /* "DLL,ENTRY ARGUMENTS" after the program's own name. */
    WCHAR* dll = after_word(line);
    WCHAR* comma = wcschr(dll, L',');
    if (!comma) return 1;
    *comma = L'\0';
    WCHAR* arguments = after_word(comma + 1);
    WCHAR* end = comma + 1 + wcscspn(comma + 1, L" ");
    char entry[64];
    int length = WideCharToMultiByte(CP_ACP, 0, comma + 1, (int)(end - comma - 1), entry, sizeof entry - 2, NULL, NULL);
    if (length <= 0) return 1;
    entry[length] = 'W';
    entry[length + 1] = '\0';

    WCHAR path[MAX_PATH];
    UINT directory = GetSystemDirectoryW(path, MAX_PATH);
    if (directory == 0 || directory + 1 + wcslen(dll) >= MAX_PATH) return 1;
    path[directory] = L'\\';
    wcscpy(path + directory + 1, dll);
    HMODULE module = LoadLibraryW(path);
    EntryW call = module ? (EntryW)(void (*)(void))GetProcAddress(module, entry) : NULL;
    if (!call) return 1;
    call(NULL, module, arguments, SW_HIDE);
    mark("C:\\harness\\released.txt", line);
    return 0;
}
