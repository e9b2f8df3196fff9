// The main window's controls, as the conversion engine reads and writes them.
#include <windows.h>

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
    // The line is read as typed and narrowed without the system's "best
    // fit", which would turn a full-width 5, a superscript 5 or an infinity
    // sign into the digit it resembles; a character the code page lacks
    // becomes '?' and so no number. EM_GETLINE takes the most characters to
    // copy in the buffer's first word.
    WCHAR line[MAX_INPUT_CHARS];
    line[0] = MAX_INPUT_CHARS;
    LRESULT count = SendDlgItemMessageW(hDlg, IDC_INPUT, EM_GETLINE, 0, (LPARAM)line);
    int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, line, (int)count, text,
                                    INPUT_BUFFER_SIZE - 1, "?", NULL);
    text[bytes] = '\0';
    return bytes;
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
