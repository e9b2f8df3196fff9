// The smallest dialog program: the floor against which MX.EXE's start-up
// is measured.
#include <windows.h>

static INT_PTR CALLBACK EmptyDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM)
{
    if (message == WM_COMMAND && LOWORD(wParam) == IDCANCEL) {
        EndDialog(hDlg, 0);
        return TRUE;
    }
    return FALSE;
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    DialogBoxParamA(hInstance, "EmptyDlgBox", NULL, EmptyDlgProc, 0);
    return 0;
}
