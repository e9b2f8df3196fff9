// The Convert command: the selected conversion applied to the input text.
#ifndef MX_REQUEST_H
#define MX_REQUEST_H

#include "platform/handle.h"

enum { RESULT_BUFFER_SIZE = 256 };

// Reads the selected row and the input field of the main window `hDlg`, and
// writes the result into the output field or warns about the input.
void ConvertRequest(HWND hDlg);

// Writes `value` into the output field as "%g" would, or "conversion
// overflow" when it is not a finite double.
void ShowResult(HWND hDlg, double value);

// Warns with `text`, then empties the input and the output field and puts
// the caret back in the input field.
void RefuseInput(HWND hDlg, const char *text);

// Formats `value` as "%g" does, with zero always unsigned, into `text`
// (RESULT_BUFFER_SIZE bytes). Returns false, leaving `text` alone, when the
// value is not finite.
bool FormatResult(double value, char *text);

#endif
