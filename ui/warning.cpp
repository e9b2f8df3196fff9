// Warning boxes: standard message boxes centred over their owner by a
// one-shot hook that catches the box as it is activated.
#include <windows.h>

#include "engine/window.h"
#include "ui/dialogs.h"

// The hook installed for the one warning box being shown; null otherwise.
static HHOOK g_hHook;

static LRESULT CALLBACK MsgBoxHookProc(int code, WPARAM wParam, LPARAM)
{
    // The first activation after the hook is installed is the message box's.
    if (code == HCBT_ACTIVATE) {
        CenterOverParent((HWND)wParam);
        UnhookWindowsHookEx(g_hHook);
        g_hHook = NULL;
    }
    return 0;
}

void WarningBox(HWND owner, const char *text)
{
    g_hHook = SetWindowsHookExA(WH_CBT, MsgBoxHookProc, NULL, GetCurrentThreadId());
    MessageBoxA(owner, text, "Mensurix", MB_ICONWARNING);
    // Should the box never have been activated, the hook must not outlive it.
    if (g_hHook) {
        UnhookWindowsHookEx(g_hHook);
        g_hHook = NULL;
    }
}

void CenterOverParent(HWND hWnd)
{
    RECT rect, parent;
    GetWindowRect(hWnd, &rect);
    GetWindowRect(GetParent(hWnd), &parent);
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    int x = parent.left + (parent.right - parent.left - width) / 2;
    int y = parent.top + (parent.bottom - parent.top - height) / 2;
    MoveWindow(hWnd, x, y, width, height, TRUE);
}
