// The program's windows and the state they share.
#ifndef MX_DIALOGS_H
#define MX_DIALOGS_H

#include <windows.h>

extern HINSTANCE g_hInst;  // loads the templates and the bitmap

// Main window
INT_PTR CALLBACK MXDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

// Moves a window, keeping its size, to stand centred over its parent (for
// an owned pop-up, its owner).
void CenterOverParent(HWND hWnd);

// About box; its brush and fonts live while it is open, and are visible
// here for the in-process tests.
extern HBRUSH g_hBrush;
extern HFONT g_hFontBold;
extern HFONT g_hFontNormal;
INT_PTR CALLBACK AboutDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

// Help and the manual's advertisement; its bitmap lives while it is open,
// and is visible here for the in-process tests.
extern HBITMAP g_hAdvert;
void HelpCommand(HWND hDlg);
INT_PTR CALLBACK AdvertDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);

// Deletes a graphics object the program made, if there is one.
template <typename Handle>
void DeleteGdiObject(Handle &object)
{
    if (object) {
        DeleteObject(object);
        object = NULL;
    }
}

#endif
