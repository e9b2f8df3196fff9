#include "engine/request.h"

#include <math.h>
#include <stdio.h>

#include "catalogue/catalogue.h"
#include "engine/temperature.h"
#include "engine/window.h"

namespace {

const char NO_SELECTION[] = "No conversion selected.";
const char EMPTY_INPUT[] = "Please enter number of input units.";
const char INVALID_INPUT[] = "Invalid input. Please re-enter number of units.";
const char INPUT_OVERFLOW[] = "Input overflow. Please re-enter number of units.";
const char CONVERSION_OVERFLOW[] = "conversion overflow";

// Writes `value` as "%.<digits>g" does. On Windows the build takes
// mingw-w64's own correctly rounded printf, not the system msvcrt's; the C++
// library's formatter would write the same digits, but would add about
// 190 KB to MX.EXE.
void WriteDigits(double value, int digits, char *text)
{
    snprintf(text, RESULT_BUFFER_SIZE, "%.*g", digits, value);
}

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
    if (const char *refusal = NumberRefusal(ReadNumber(text, &value))) {
        RefuseInput(hDlg, refusal);
        return;
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
    SetOutputText(hDlg, ResultText(value, WINDOW_DIGITS, text));
}

void RefuseInput(HWND hDlg, const char *text)
{
    WarningBox(hDlg, text);
    SetInputText(hDlg, "");
    SetOutputText(hDlg, "");
    FocusInput(hDlg);
}

bool FormatResult(double value, int digits, char *text)
{
    if (!isfinite(value))
        return false;
    if (value == 0)
        value = 0;  // a negative zero shows as 0, not -0
    if (digits != SHORTEST_DIGITS) {
        WriteDigits(value, digits, text);
        return true;
    }
    // The fewest digits that read back as the same double: seventeen always do.
    double back;
    for (digits = WINDOW_DIGITS;; ++digits) {
        WriteDigits(value, digits, text);
        if (digits == MAX_DIGITS || (ReadNumber(text, &back) == NUMBER_OK && back == value))
            break;
    }
    return true;
}

const char *ResultText(double value, int digits, char *text)
{
    return FormatResult(value, digits, text) ? text : CONVERSION_OVERFLOW;
}

const char *NumberRefusal(NumberStatus status)
{
    switch (status) {
    case NUMBER_INVALID:
        return INVALID_INPUT;
    case NUMBER_OVERFLOW:
        return INPUT_OVERFLOW;
    case NUMBER_OK:
        break;
    }
    return nullptr;
}

const char *ConvertText(int row, const char *text, double *result)
{
    if (*text == '\0')
        return EMPTY_INPUT;
    double value;
    if (const char *refusal = NumberRefusal(ReadNumber(text, &value)))
        return refusal;
    const Conversion &conversion = conversions[row];
    if (conversion.multiplier < 0)
        return SpecialFormula(conversion.special, value, result);
    *result = conversion.multiplier * value;
    return nullptr;
}
