#include "engine/request.h"

#include <math.h>
#include <stdio.h>

#include "catalogue/catalogue.h"
#include "engine/number.h"
#include "engine/window.h"

namespace {

const char NO_SELECTION[] = "No conversion selected.";
const char EMPTY_INPUT[] = "Please enter number of input units.";
const char INVALID_INPUT[] = "Invalid input. Please re-enter number of units.";
const char INPUT_OVERFLOW[] = "Input overflow. Please re-enter number of units.";
const char CONVERSION_OVERFLOW[] = "conversion overflow";

}  // namespace

void ConvertRequest(HWND hDlg)
{
    int row = SelectedRow(hDlg);
    if (row < 0 || row >= NUM_CONVERSIONS) {
        WarningBox(hDlg, NO_SELECTION);
        return;
    }

    char text[INPUT_BUFFER_SIZE];
    if (ReadInput(hDlg, text) == 0) {
        WarningBox(hDlg, EMPTY_INPUT);
        FocusInput(hDlg);
        return;
    }

    double value;
    switch (ReadNumber(text, &value)) {
    case NUMBER_INVALID:
        RefuseInput(hDlg, INVALID_INPUT);
        return;
    case NUMBER_OVERFLOW:
        RefuseInput(hDlg, INPUT_OVERFLOW);
        return;
    case NUMBER_OK:
        break;
    }

    const Conversion &conversion = conversions[row];
    if (conversion.multiplier >= 0)
        ShowResult(hDlg, conversion.multiplier * value);
    else
        conversion.special(hDlg, value);
}

void ShowResult(HWND hDlg, double value)
{
    char text[RESULT_BUFFER_SIZE];
    SetOutputText(hDlg, FormatResult(value, text) ? text : CONVERSION_OVERFLOW);
}

void RefuseInput(HWND hDlg, const char *text)
{
    WarningBox(hDlg, text);
    SetInputText(hDlg, "");
    SetOutputText(hDlg, "");
    FocusInput(hDlg);
}

bool FormatResult(double value, char *text)
{
    if (!isfinite(value))
        return false;
    if (value == 0)
        value = 0;  // a negative zero shows as 0, not -0
    snprintf(text, RESULT_BUFFER_SIZE, "%g", value);
    return true;
}
