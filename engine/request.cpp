#include "engine/request.h"

#include <math.h>

#include <charconv>

#include "catalogue/catalogue.h"
#include "engine/temperature.h"
#include "engine/window.h"

namespace {

const char NO_SELECTION[] = "No conversion selected.";
const char EMPTY_INPUT[] = "Please enter number of input units.";
const char INVALID_INPUT[] = "Invalid input. Please re-enter number of units.";
const char INPUT_OVERFLOW[] = "Input overflow. Please re-enter number of units.";
const char CONVERSION_OVERFLOW[] = "conversion overflow";

// The count of significant digits of the shortest decimal that reads back
// as `value`.
int ShortestDigits(double value)
{
    char digits[32];
    std::to_chars_result end = std::to_chars(digits, digits + sizeof digits, value,
                                             std::chars_format::scientific);
    int count = 0;
    for (const char *p = digits; p < end.ptr && *p != 'e'; ++p)
        count += *p >= '0' && *p <= '9';
    return count;
}

// Writes `value` as "%.<digits>g" does. The C++ library's formatter is
// defined to write what printf writes; it is several times quicker, and the
// same on every build.
void WriteDigits(double value, int digits, char *text)
{
    std::to_chars_result end = std::to_chars(text, text + RESULT_BUFFER_SIZE - 1, value,
                                             std::chars_format::general, digits);
    *end.ptr = '\0';
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
    // The shortest digits come from one exact algorithm, "%g" rounds on its
    // own: where the two could differ, next to a power of two, where the
    // doubles below lie closer than those above, one more digit settles it.
    digits = ShortestDigits(value);
    if (digits < WINDOW_DIGITS)
        digits = WINDOW_DIGITS;
    double back;
    do
        WriteDigits(value, digits++, text);
    while (digits <= MAX_DIGITS && !(ReadNumber(text, &back) == NUMBER_OK && back == value));
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
