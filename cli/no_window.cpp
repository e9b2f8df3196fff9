// The command line has no main window. The catalogue names the temperature
// routines of the window, which reach it through engine/window.h, so the
// program must define that view to link; it converts through the engine's
// window-free functions instead, and none of these is ever called.
#include <stdlib.h>

#include "engine/window.h"

int SelectedRow(HWND) { abort(); }
int ReadInput(HWND, char *) { abort(); }
void SetInputText(HWND, const char *) { abort(); }
void SetOutputText(HWND, const char *) { abort(); }
void FocusInput(HWND) { abort(); }
void WarningBox(HWND, const char *) { abort(); }
