/* A program planted as rundll32.exe where a careless installer would find it first: run, it
   appends its own path to C:\planted-ran.txt, the mark the Wine case looks for. */
#include <windows.h>

int main(void) {
    char path[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, path, MAX_PATH);
    HANDLE mark = CreateFileA("C:\\planted-ran.txt", FILE_APPEND_DATA, 0, NULL, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, NULL);
    DWORD written = 0;
    if (mark != INVALID_HANDLE_VALUE) {
        WriteFile(mark, path, length, &written, NULL);
        WriteFile(mark, "\r\n", 2, &written, NULL);
        CloseHandle(mark);
    }
    return 0;
}
