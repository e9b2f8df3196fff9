// What the conversion engine needs from the main window. The dialog layer
// implements these with Win32 calls; the native tests supply a fake window.
#ifndef MX_WINDOW_H
#define MX_WINDOW_H

#include "platform/handle.h"

enum {
    MAX_INPUT_CHARS = 12,    // the input field accepts no more
    INPUT_BUFFER_SIZE = 256  // what ReadInput is given to copy into
};

// Catalogue row behind the selected list entry, or -1 when none is selected.
int SelectedRow(HWND hDlg);

// Copies the first line of the input field, at most MAX_INPUT_CHARS
// characters, into `text` (INPUT_BUFFER_SIZE bytes) and NUL-terminates it;
// returns the count of bytes copied.
int ReadInput(HWND hDlg, char *text);

void SetInputText(HWND hDlg, const char *text);
void SetOutputText(HWND hDlg, const char *text);
void FocusInput(HWND hDlg);

// Shows `text` in a warning box over `owner`; returns once it is dismissed.
void WarningBox(HWND owner, const char *text);

#endif
