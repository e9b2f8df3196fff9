// The main window's controls, as the conversion engine reads and writes them.
#include <windows.h>
#include <string.h>

#include "engine/request.h"
#include "engine/window.h"
#include "resources/ids.h"

int SelectedRow(HWND hDlg)
{
    LRESULT pos = SendDlgItemMessageA(hDlg, IDC_LIST, LB_GETCURSEL, 0, 0);
    if (pos == LB_ERR)
        return -1;
    return (int)SendDlgItemMessageA(hDlg, IDC_LIST, LB_GETITEMDATA, pos, 0);
}

int ReadInput(HWND hDlg, char *text)
{
    // EM_GETLINE takes the most characters to copy in the buffer's first word.
    WORD most = MAX_INPUT_CHARS;
    memcpy(text, &most, sizeof most);
    LRESULT count = SendDlgItemMessageA(hDlg, IDC_INPUT, EM_GETLINE, 0, (LPARAM)text);
    text[count] = '\0';
    return (int)count;
}

void SetInputText(HWND hDlg, const char *text)
{
    SetDlgItemTextA(hDlg, IDC_INPUT, text);
}

void SetOutputText(HWND hDlg, const char *text)
{
    SetDlgItemTextA(hDlg, IDC_OUTPUT, text);
}

void FocusInput(HWND hDlg)
{
    SetFocus(GetDlgItem(hDlg, IDC_INPUT));
}
