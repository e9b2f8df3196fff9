// Help: bring the running help program to the front, or start it, or else
// advertise its manual.
#include <windows.h>
#include <shellapi.h>
#include <string.h>

#include "resources/ids.h"
#include "ui/dialogs.h"
#include "ui/web.h"

// The advertisement's picture while it is open; visible for the in-process
// tests, which check that it lives exactly that long.
HBITMAP g_hAdvert;

static const char HELP_TITLE[] = " Mensurix Help ";
static const char HELP_PROGRAM[] = "mxhelp.exe";
// The longest value an environment variable holds, its NUL included.
static const DWORD MAX_ENVIRONMENT_VALUE = 32767;

// Brings the help program's window to the front and stops the enumeration
// at the first; `found` points to the BOOL that then says so.
static BOOL CALLBACK FindHelpWindowProc(HWND hWnd, LPARAM found)
{
    // The limit, one less than the buffer, counts the NUL: at most 78
    // characters are read. A longer title is cut, and the cut title, still
    // far longer than the one looked for, cannot match it.
    char title[80];
    if (GetWindowTextA(hWnd, title, 79) == 0 || lstrcmpiA(title, HELP_TITLE) != 0)
        return TRUE;
    // Brought to the front, a minimised window would stay an icon. It is
    // restored without waiting for it, so that a help program that has
    // stopped answering cannot hold this one up.
    if (IsIconic(hWnd))
        ShowWindowAsync(hWnd, SW_RESTORE);
    SetForegroundWindow(hWnd);
    *reinterpret_cast<BOOL *>(found) = TRUE;
    return FALSE;
}

// Starts `folder`\mxhelp.exe maximised if it is there.
static bool StartHelpIn(const char *folder, size_t length)
{
    char path[MAX_PATH];
    if (length == 0 || length + 1 + sizeof HELP_PROGRAM > sizeof path)
        return false;
    memcpy(path, folder, length);
    path[length] = '\0';
    if (path[length - 1] != '\\' && path[length - 1] != '/')
        lstrcatA(path, "\\");
    lstrcatA(path, HELP_PROGRAM);

    DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return false;

    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_SHOWMAXIMIZED;
    PROCESS_INFORMATION process;
    if (!CreateProcessA(path, NULL, NULL, NULL, FALSE, 0, NULL, NULL, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return true;
}

static bool StartHelpIn(const char *folder) { return StartHelpIn(folder, strlen(folder)); }

// A folder named on PATH counts only when it does not depend on the current
// directory: a drive and a root ("C:\...") or a network share ("\\...").
static bool IsAbsoluteFolder(const char *folder, size_t length)
{
    if (length >= 3 && folder[1] == ':' && (folder[2] == '\\' || folder[2] == '/'))
        return true;
    return length >= 2 && folder[0] == '\\' && folder[1] == '\\';
}

// The help program is looked for beside this program, then in the system
// folders and on PATH; never in the current directory, where any file of
// that name could be waiting.
static bool StartHelpProgram()
{
    char folder[MAX_PATH];
    DWORD length = GetModuleFileNameA(NULL, folder, sizeof folder);
    char *name = length > 0 && length < sizeof folder ? strrchr(folder, '\\') : NULL;
    if (name) {
        *name = '\0';
        if (StartHelpIn(folder))
            return true;
    }
    if (GetSystemDirectoryA(folder, sizeof folder) && StartHelpIn(folder))
        return true;
    if (GetWindowsDirectoryA(folder, sizeof folder) && StartHelpIn(folder))
        return true;

    // Static: the longest PATH is too large for this procedure's stack
    // frame, and the help command never runs twice at once.
    static char path[MAX_ENVIRONMENT_VALUE];
    length = GetEnvironmentVariableA("PATH", path, sizeof path);
    if (length == 0 || length >= sizeof path)
        return false;
    for (const char *entry = path; *entry;) {
        size_t entryLength = strcspn(entry, ";");
        if (IsAbsoluteFolder(entry, entryLength) && StartHelpIn(entry, entryLength))
            return true;
        entry += entryLength;
        if (*entry == ';')
            ++entry;
    }
    return false;
}

void HelpCommand(HWND hDlg)
{
    BOOL found = FALSE;
    EnumWindows(FindHelpWindowProc, (LPARAM)&found);
    if (found)
        return;
    if (!StartHelpProgram())
        DialogBoxParamA(g_hInst, "AdvertDlgBox", hDlg, AdvertDlgProc, 0);
}

// Draws the picture centred in the box; one larger than the box is cut
// evenly on both sides.
static void PaintAdvert(HWND hDlg)
{
    PAINTSTRUCT paint;
    HDC hdc = BeginPaint(hDlg, &paint);
    if (g_hAdvert) {
        RECT client;
        GetClientRect(hDlg, &client);
        HDC memory = CreateCompatibleDC(hdc);
        HGDIOBJ previous = SelectObject(memory, g_hAdvert);
        BITMAP bitmap;
        GetObjectA(g_hAdvert, sizeof bitmap, &bitmap);
        BitBlt(hdc, (client.right - bitmap.bmWidth) / 2, (client.bottom - bitmap.bmHeight) / 2,
               bitmap.bmWidth, bitmap.bmHeight, memory, 0, 0, SRCCOPY);
        SelectObject(memory, previous);
        DeleteDC(memory);
    }
    EndPaint(hDlg, &paint);
}

INT_PTR CALLBACK AdvertDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        g_hAdvert = LoadBitmapA(g_hInst, "advert");
        return TRUE;

    case WM_PAINT:
        PaintAdvert(hDlg);
        return TRUE;

    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDCANCEL:
            DeleteGdiObject(g_hAdvert);
            EndDialog(hDlg, 0);
            return TRUE;
        case IDC_ORDER:
            ShellExecuteA(NULL, NULL, MANUAL_ORDER_ADDRESS, NULL, NULL, SW_SHOW);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
