/* wintree: prints the window tree of the running Windows session, one line a
 * window, for test harnesses that drive programs under Wine.
 *
 * usage: wintree [--exe NAME] [--pid N] [--all]
 *   --exe NAME  only top-level windows of processes whose image name is NAME
 *               (case-insensitive, e.g. setup.exe)
 *   --pid N     only top-level windows of Windows process id N
 *   --all       include invisible top-level windows (children are always listed)
 *
 * Line format, fields separated by one TAB, text last (UTF-8, with \t \n \r \\
 * escaped):
 *   win HWND PARENT DEPTH PID EXE ID CLASS FLAGS LEFT TOP RIGHT BOTTOM STATE TEXT
 *   item HWND INDEX LEFT TOP RIGHT BOTTOM SELECTED TEXT     (list box entries)
 * HWND and PARENT are hex, ID is the dialog control id in decimal (0 for
 * top-level windows), FLAGS is V (visible) E (enabled) F (keyboard focus)
 * A (active window) or '-', the rectangle is in screen pixels (right and bottom
 * exclusive), STATE is the check state of buttons, the current selection of
 * list boxes, else -1. Exit code 0, or 2 on bad arguments.
 */
#include <windows.h>
#include <tlhelp32.h>
#include <fcntl.h>
#include <io.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

typedef struct {
    const WCHAR *exe; /* filter by image name, or NULL */
    DWORD pid;       /* filter by process id, or 0 */
    int all;
} Filter;

/* Writes a wide string as escaped UTF-8. */
static void put_text(const WCHAR *w, int len)
{
    for (int i = 0; i < len; ++i) {
        WCHAR c = w[i];
        if (c == L'\t') fputs("\\t", stdout);
        else if (c == L'\n') fputs("\\n", stdout);
        else if (c == L'\r') fputs("\\r", stdout);
        else if (c == L'\\') fputs("\\\\", stdout);
        else {
            int n = 1;
            if (c >= 0xD800 && c <= 0xDBFF && i + 1 < len) n = 2;
            char buf[8];
            int m = WideCharToMultiByte(CP_UTF8, 0, &w[i], n, buf, sizeof buf, NULL, NULL);
            if (m > 0) fwrite(buf, 1, (size_t)m, stdout);
            i += n - 1;
        }
    }
}

/* Threads that did not answer a message in time (a program blocked in a wait reads none): their
   windows are not asked again in this run. */
static DWORD silent_threads[64];
static int silent_count;

/* Sends a message that may cross processes; 0 when the window's thread does not answer in 500 ms. */
static int ask(HWND h, UINT msg, WPARAM w, LPARAM l, LRESULT *answer)
{
    DWORD thread = GetWindowThreadProcessId(h, NULL);
    for (int i = 0; i < silent_count; ++i)
        if (silent_threads[i] == thread) return 0;
    DWORD_PTR result = 0;
    if (SendMessageTimeoutW(h, msg, w, l, SMTO_ABORTIFHUNG, 500, &result)) {
        *answer = (LRESULT)result;
        return 1;
    }
    if (silent_count < (int)(sizeof silent_threads / sizeof *silent_threads)) silent_threads[silent_count++] = thread;
    return 0;
}

/* Window text through WM_GETTEXT (works across processes); of a window whose thread does not
   answer, the text the window manager keeps. */
static void put_window_text(HWND h)
{
    LRESULT len = 0;
    if (!ask(h, WM_GETTEXTLENGTH, 0, 0, &len)) {
        WCHAR kept[1024];
        put_text(kept, GetWindowTextW(h, kept, 1024));
        return;
    }
    if (len <= 0) return;
    WCHAR *w = calloc((size_t)len + 1, sizeof *w);
    if (!w) return;
    LRESULT got = 0;
    if (ask(h, WM_GETTEXT, (WPARAM)len + 1, (LPARAM)w, &got)) put_text(w, (int)got);
    free(w);
}

/* Image name of a process id, looked up in a toolhelp snapshot: as UTF-8 in out, as is in wide. */
static void exe_of(DWORD pid, char *out, size_t outsize, WCHAR wide[MAX_PATH])
{
    snprintf(out, outsize, "?");
    wide[0] = 0;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE) return;
    PROCESSENTRY32W pe;
    pe.dwSize = sizeof pe;
    for (BOOL ok = Process32FirstW(snap, &pe); ok; ok = Process32NextW(snap, &pe)) {
        if (pe.th32ProcessID == pid) {
            lstrcpynW(wide, pe.szExeFile, MAX_PATH);
            int m = WideCharToMultiByte(CP_UTF8, 0, pe.szExeFile, -1, out, (int)outsize, NULL, NULL);
            if (m <= 0) snprintf(out, outsize, "?");
            break;
        }
    }
    CloseHandle(snap);
}

static int is_class(const char *cls, const char *name)
{
    return lstrcmpiA(cls, name) == 0;
}

static void put_list_items(HWND h)
{
    LRESULT count = 0;
    if (!ask(h, LB_GETCOUNT, 0, 0, &count)) return;
    for (LRESULT i = 0; i < count && i < 1000; ++i) {
        RECT r;
        LRESULT ok = LB_ERR;
        if (!ask(h, LB_GETITEMRECT, (WPARAM)i, (LPARAM)&r, &ok) || ok == LB_ERR) break;
        POINT tl = {r.left, r.top}, br = {r.right, r.bottom};
        ClientToScreen(h, &tl);
        ClientToScreen(h, &br);
        LRESULT sel = 0;
        ask(h, LB_GETSEL, (WPARAM)i, 0, &sel);
        printf("item\t%08lx\t%ld\t%ld\t%ld\t%ld\t%ld\t%d\t",
               (unsigned long)(ULONG_PTR)h, (long)i, tl.x, tl.y, br.x, br.y, sel > 0 ? 1 : 0);
        LRESULT len = 0;
        if (ask(h, LB_GETTEXTLEN, (WPARAM)i, 0, &len) && len > 0 && len < 4096) {
            WCHAR *w = calloc((size_t)len + 1, sizeof *w);
            if (w) {
                LRESULT got = 0;
                if (ask(h, LB_GETTEXT, (WPARAM)i, (LPARAM)w, &got) && got > 0) put_text(w, (int)got);
                free(w);
            }
        }
        fputs("\n", stdout);
    }
}

static void put_window(HWND h, int depth, DWORD pid, const char *exe)
{
    char cls[256] = "";
    GetClassNameA(h, cls, sizeof cls);
    RECT r = {0, 0, 0, 0};
    GetWindowRect(h, &r);
    HWND parent = (GetWindowLongW(h, GWL_STYLE) & WS_CHILD) ? GetParent(h) : NULL;
    unsigned id = parent ? (unsigned)(GetDlgCtrlID(h) & 0xFFFF) : 0;

    GUITHREADINFO gti;
    memset(&gti, 0, sizeof gti);
    gti.cbSize = sizeof gti;
    GetGUIThreadInfo(GetWindowThreadProcessId(h, NULL), &gti);

    char flags[5];
    flags[0] = IsWindowVisible(h) ? 'V' : '-';
    flags[1] = IsWindowEnabled(h) ? 'E' : '-';
    flags[2] = gti.hwndFocus == h ? 'F' : '-';
    flags[3] = gti.hwndActive == h ? 'A' : '-';
    flags[4] = 0;

    LRESULT state = -1;
    if (is_class(cls, "Button")) ask(h, BM_GETCHECK, 0, 0, &state);
    else if (is_class(cls, "ListBox")) ask(h, LB_GETCURSEL, 0, 0, &state);

    printf("win\t%08lx\t%08lx\t%d\t%lu\t%s\t%u\t%s\t%s\t%ld\t%ld\t%ld\t%ld\t%ld\t",
           (unsigned long)(ULONG_PTR)h, (unsigned long)(ULONG_PTR)parent, depth,
           (unsigned long)pid, exe, id, cls, flags, r.left, r.top, r.right, r.bottom, (long)state);
    put_window_text(h);
    fputs("\n", stdout);

    if (is_class(cls, "ListBox")) put_list_items(h);

    /* Direct children only: GW_CHILD then GW_HWNDNEXT, depth-first. */
    for (HWND c = GetWindow(h, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        put_window(c, depth + 1, pid, exe);
}

typedef struct {
    const Filter *f;
} EnumCtx;

static BOOL CALLBACK top_level(HWND h, LPARAM lp)
{
    const Filter *f = ((const EnumCtx *)lp)->f;
    if (!f->all && !IsWindowVisible(h)) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(h, &pid);
    if (f->pid && pid != f->pid) return TRUE;
    char exe[MAX_PATH * 3];
    WCHAR wide[MAX_PATH];
    exe_of(pid, exe, sizeof exe, wide);
    if (f->exe && lstrcmpiW(wide, f->exe) != 0) return TRUE;
    put_window(h, 0, pid, exe);
    return TRUE;
}

int main(int argc, char **argv)
{
    Filter f = {NULL, 0, 0};
    static WCHAR exe[MAX_PATH];
    for (int i = 1; i < argc; ++i) {
        /* The name arrives in the ANSI code page, as Wine hands the command line to main. */
        if (strcmp(argv[i], "--exe") == 0 && i + 1 < argc && MultiByteToWideChar(CP_ACP, 0, argv[++i], -1, exe, MAX_PATH))
            f.exe = exe;
        else if (strcmp(argv[i], "--pid") == 0 && i + 1 < argc) f.pid = strtoul(argv[++i], NULL, 0);
        else if (strcmp(argv[i], "--all") == 0) f.all = 1;
        else {
            fprintf(stderr, "usage: wintree [--exe NAME] [--pid N] [--all]\n");
            return 2;
        }
    }
    _setmode(_fileno(stdout), _O_BINARY);
    EnumCtx ctx = {&f};
    EnumWindows(top_level, (LPARAM)&ctx);
    fflush(stdout);
    return 0;
}
