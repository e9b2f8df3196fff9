// The About box: name, version, rights notice and the machine's memory, in
// the system's button colours with two Arial fonts.
#include <windows.h>
#include <stdio.h>

#include "resources/ids.h"
#include "ui/dialogs.h"

// Made as the box opens and deleted as it closes; visible for the
// in-process tests, which check that they live exactly that long.
HBRUSH g_hBrush;      // background in the button-face colour, remade on a colour change
HFONT g_hFontBold;    // bold Arial of the title line
HFONT g_hFontNormal;  // regular Arial of the other lines

// The fonts' cell height in pixels at 96 dots per inch; the screen's own
// resolution scales it, as it scales the dialog around the text.
static const int FONT_HEIGHT_AT_96_DPI = 15;

static HFONT CreateArial(int height, int weight)
{
    return CreateFontA(height, 0, 0, 0, weight, FALSE, FALSE, FALSE, ANSI_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, VARIABLE_PITCH,
                       "Arial");
}

static int FontHeight(HWND hDlg)
{
    HDC hdc = GetDC(hDlg);
    int height = MulDiv(FONT_HEIGHT_AT_96_DPI, GetDeviceCaps(hdc, LOGPIXELSY),
                        USER_DEFAULT_SCREEN_DPI);
    ReleaseDC(hDlg, hdc);
    return height;
}

// The whole of the physical memory, in whole kilobytes. The 64-bit query
// is needed: the older one caps or wraps the total above 2 to 4 GB.
static void ShowMemory(HWND hDlg)
{
    MEMORYSTATUSEX status;
    status.dwLength = sizeof status;
    char text[256] = "";
    if (GlobalMemoryStatusEx(&status))
        snprintf(text, sizeof text, "Physical Memory Available to Windows: %llu KB",
                 (unsigned long long)(status.ullTotalPhys >> 10));
    SetDlgItemTextA(hDlg, IDC_MEMORY, text);
}

// The lines in the regular face, all but the title.
static const int NORMAL_LINES[] = {IDC_VERSION, IDC_NOTICE, IDC_RIGHTS, IDC_MEMORY};

static void SetFonts(HWND hDlg)
{
    int height = FontHeight(hDlg);
    g_hFontBold = CreateArial(height, FW_BOLD);
    if (g_hFontBold)
        SendDlgItemMessageA(hDlg, IDC_TITLE, WM_SETFONT, (WPARAM)g_hFontBold, FALSE);
    g_hFontNormal = CreateArial(height, 0);
    if (g_hFontNormal)
        for (int id : NORMAL_LINES)
            SendDlgItemMessageA(hDlg, id, WM_SETFONT, (WPARAM)g_hFontNormal, FALSE);
}

static void Close(HWND hDlg)
{
    DeleteGdiObject(g_hBrush);
    DeleteGdiObject(g_hFontNormal);
    DeleteGdiObject(g_hFontBold);
    EndDialog(hDlg, 0);
}

INT_PTR CALLBACK AboutDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        CenterOverParent(hDlg);
        g_hBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
        ShowMemory(hDlg);
        SetFonts(hDlg);
        return TRUE;

    case WM_CTLCOLORDLG:
        return (INT_PTR)g_hBrush;

    case WM_CTLCOLORSTATIC:
        // The text is drawn on the button face; the rest of each static
        // control is left unpainted.
        SetTextColor((HDC)wParam, GetSysColor(COLOR_BTNTEXT));
        SetBkColor((HDC)wParam, GetSysColor(COLOR_BTNFACE));
        return (INT_PTR)GetStockObject(NULL_BRUSH);

    case WM_SYSCOLORCHANGE:
        DeleteGdiObject(g_hBrush);
        g_hBrush = CreateSolidBrush(GetSysColor(COLOR_BTNFACE));
        return TRUE;

    case WM_COMMAND:
        switch (LOWORD(wParam)) {
        case IDOK:
        case IDCANCEL:
            Close(hDlg);
            return TRUE;
        }
        return FALSE;
    }
    return FALSE;
}
