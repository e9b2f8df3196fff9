// The program's windows and the state they share.
#ifndef MX_DIALOGS_H
#define MX_DIALOGS_H

#include <windows.h>

extern HINSTANCE g_hInst;  // loads the templates and the bitmap

INT_PTR CALLBACK MXDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

// Warning boxes, centred over their owner.
LRESULT CALLBACK MsgBoxHookProc(int code, WPARAM wParam, LPARAM lParam);
void CenterOverParent(HWND hWnd);

#endif
