// Entry point and main window.
#include <windows.h>
#include <shellapi.h>

#include "catalogue/catalogue.h"
#include "engine/request.h"
#include "engine/window.h"
#include "resources/ids.h"
#include "ui/dialogs.h"
#include "ui/web.h"

// This program's module: loads the dialog templates and the bitmap.
HINSTANCE g_hInst;

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int)
{
    g_hInst = hInstance;
    DialogBoxParamA(hInstance, "MXDlgBox", NULL, MXDlgProc, 0);
    return 0;
}

// Lists every conversion by its label; the sorted list box decides the
// order, and each entry carries its catalogue row as item data. The list
// reserves its room at once and is drawn once, when it is full.
static void FillConversionList(HWND hDlg)
{
    const int AVERAGE_LABEL_BYTES = 48;
    HWND list = GetDlgItem(hDlg, IDC_LIST);
    SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    SendMessageA(list, LB_INITSTORAGE, NUM_CONVERSIONS, NUM_CONVERSIONS * AVERAGE_LABEL_BYTES);
    char label[LABEL_BUFFER_SIZE];
    for (int row = 0; row < NUM_CONVERSIONS; ++row) {
        ComposeLabel(row, label);
        LRESULT pos = SendMessageA(list, LB_ADDSTRING, 0, (LPARAM)label);
        SendMessageA(list, LB_SETITEMDATA, pos, row);
    }
    SendMessageA(list, WM_SETREDRAW, TRUE, 0);
}

static void Erase(HWND hDlg)
{
    SetInputText(hDlg, "");
    SetOutputText(hDlg, "");
    FocusInput(hDlg);
}

static BOOL OnCommand(HWND hDlg, int id)
{
    switch (id) {
    case IDCANCEL:
        EndDialog(hDlg, 0);
        return TRUE;
    case IDC_ABOUT:
        DialogBoxParamA(g_hInst, "AboutDlgBox", hDlg, AboutDlgProc, 0);
        return TRUE;
    case IDC_CONVERT:
        ConvertRequest(hDlg);
        return TRUE;
    case IDC_ERASE:
        Erase(hDlg);
        return TRUE;
    case IDC_HELP:
        HelpCommand(hDlg);
        return TRUE;
    case IDC_WEBSITE:
        ShellExecuteA(NULL, NULL, MAKER_WEB_ADDRESS, NULL, NULL, SW_SHOW);
        return TRUE;
    }
    return FALSE;
}

INT_PTR CALLBACK MXDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG:
        FillConversionList(hDlg);
        SendDlgItemMessageA(hDlg, IDC_LIST, LB_SETCURSEL, 0, 0);
        SendDlgItemMessageA(hDlg, IDC_INPUT, EM_LIMITTEXT, MAX_INPUT_CHARS, 0);
        // FALSE: no focus is set here. As the window is first activated, the
        // dialog manager puts the focus on its first tab stop, the input
        // field, just as it would have done for TRUE.
        return FALSE;
    case WM_COMMAND:
        return OnCommand(hDlg, LOWORD(wParam));
    }
    return FALSE;
}
