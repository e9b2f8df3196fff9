// The floor against which MX.EXE's start-up is measured: the smallest
// dialog program, showing an empty dialog, or with the argument "main" the
// main window's template with nothing put into it.
#include <windows.h>
#include <string.h>

static INT_PTR CALLBACK EmptyDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(hDlg, 0);
        return TRUE;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR commandLine, int)
{
    const char *name = strcmp(commandLine, "main") == 0 ? "MXDlgBox" : "EmptyDlgBox";
    DialogBoxParamA(hInstance, name, NULL, EmptyDlgProc, 0);
    return 0;
}
