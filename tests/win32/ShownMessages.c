#include "ShownMessages.h"

#include <string.h>
#include <windows.h>

/* The hook procedure has no context argument: one capture per process. */
static struct {
    HHOOK hook;
    HWND lastBox;
    char lines[4096];
} capture;

static void Append(const char* text) {
    strncat(capture.lines, text, sizeof capture.lines - strlen(capture.lines) - 1);
}

/* The bytes MessageBoxA was given, as UTF-8: the box converted them with the
 * ANSI code page and GetWindowTextA converts them back with the same one;
 * they are Shift-JIS. */
static void AppendWindowText(HWND window) {
    char bytes[1024] = "";
    const int size = GetWindowTextA(window, bytes, sizeof bytes);
    WCHAR wide[1024];
    const int wideSize = MultiByteToWideChar(932, 0, bytes, size, wide, 1024);
    char utf8[3072];
    const int utf8Size = WideCharToMultiByte(CP_UTF8, 0, wide, wideSize, utf8, sizeof utf8 - 1, NULL, NULL);
    utf8[utf8Size > 0 ? utf8Size : 0] = '\0';
    Append(utf8);
}

/* "#32770" is the dialog class every message box has. */
static bool IsDialog(HWND window) {
    char className[16] = "";
    GetClassNameA(window, className, sizeof className);
    return strcmp(className, "#32770") == 0;
}

static LRESULT CALLBACK OnActivate(int code, WPARAM wParam, LPARAM lParam) {
    HWND window = (HWND)wParam;
    if (code == HCBT_ACTIVATE && window != capture.lastBox && IsDialog(window)) {
        capture.lastBox = window;
        AppendWindowText(window);
        Append(": ");
        /* The static text of a message box has the control ID 0xFFFF. */
        AppendWindowText(GetDlgItem(window, 0xFFFF));
        if (GetWindow(window, GW_OWNER)) Append(" [owner window]");
        if (!GetDlgItem(window, IDOK)) Append(" [no OK button]");
        if (GetDlgItem(window, IDCANCEL) || GetDlgItem(window, IDYES) || GetDlgItem(window, IDNO)) {
            Append(" [more buttons]");
        }
        Append("\n");
        PostMessageA(window, WM_COMMAND, IDOK, 0);
    }
    return CallNextHookEx(capture.hook, code, wParam, lParam);
}

bool StartCapturingMessages(void) {
    if (capture.hook) UnhookWindowsHookEx(capture.hook);
    memset(&capture, 0, sizeof capture);
    capture.hook = SetWindowsHookExA(WH_CBT, OnActivate, NULL, GetCurrentThreadId());
    return capture.hook != NULL;
}

const char* CapturedMessages(void) {
    if (capture.hook) UnhookWindowsHookEx(capture.hook);
    capture.hook = NULL;
    capture.lastBox = NULL;
    return capture.lines;
}
