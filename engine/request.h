// The Convert command: the selected conversion applied to the input text.
#ifndef MX_REQUEST_H
#define MX_REQUEST_H

#include "engine/number.h"
#include "platform/handle.h"

enum {
    RESULT_BUFFER_SIZE = 256,
    WINDOW_DIGITS = 6,    // significant digits of the output field
    MAX_DIGITS = 17,      // enough for any double to read back unchanged
    SHORTEST_DIGITS = 0   // FormatResult: as many digits as reading back needs
};

// Reads the selected row and the input field of the main window `hDlg`, and
// writes the result into the output field or warns about the input.
void ConvertRequest(HWND hDlg);

// Writes `value` into the output field as ResultText shows it with
// WINDOW_DIGITS.
void ShowResult(HWND hDlg, double value);

// Warns with `text`, then empties the input and the output field and puts
// the caret back in the input field.
void RefuseInput(HWND hDlg, const char *text);

// Formats `value` as "%.<digits>g" does, with zero always unsigned, into
// `text` (RESULT_BUFFER_SIZE bytes). SHORTEST_DIGITS takes the fewest digits,
// but never fewer than WINDOW_DIGITS, with which the text reads back as the
// same double. Returns false, leaving `text` alone, when the value is not
// finite.
bool FormatResult(double value, int digits, char *text);

// What the output field shows for `value` with `digits`: the text formatted
// into `text`, or "conversion overflow".
const char *ResultText(double value, int digits, char *text);

// The warning about a text that ReadNumber refused, or null for NUMBER_OK.
const char *NumberRefusal(NumberStatus status);

// The request's decision without a window, for catalogue row `row` and an
// input text: null with the converted value in `*result` (ResultText shows
// it), or the warning that refuses the text.
const char *ConvertText(int row, const char *text, double *result);

#endif
