// The two temperature conversions that the catalogue names.
#include "catalogue/catalogue.h"
#include "engine/request.h"

namespace {

const double ABSOLUTE_ZERO_CELSIUS = -273.15;
const double ABSOLUTE_ZERO_FAHRENHEIT = -459.67;
const double ONE_FIFTH = 0.2;
const double ONE_NINTH = 1.0 / 9;

const char BELOW_ZERO_CELSIUS[] =
    "Invalid temperature. Cannot be less than -273.15 degrees Celsius "
    "(absolute zero). Please re-enter.";
const char BELOW_ZERO_FAHRENHEIT[] =
    "Invalid temperature. Cannot be less than -459.67 degrees Fahrenheit "
    "(absolute zero). Please re-enter.";

}  // namespace

// The formulas run in extended precision, rounded to double once at the end:
// an intermediate such as celsius * 9 may exceed the doubles even when the
// result does not, and only a result beyond them is an overflow.

void CelsiusToFahrenheit(HWND hDlg, double celsius)
{
    if (celsius >= ABSOLUTE_ZERO_CELSIUS)
        ShowResult(hDlg, static_cast<double>(static_cast<long double>(celsius) * 9 * ONE_FIFTH + 32));
    else
        RefuseInput(hDlg, BELOW_ZERO_CELSIUS);
}

void FahrenheitToCelsius(HWND hDlg, double fahrenheit)
{
    if (fahrenheit >= ABSOLUTE_ZERO_FAHRENHEIT)
        ShowResult(hDlg, static_cast<double>((static_cast<long double>(fahrenheit) - 32) * 5 * ONE_NINTH));
    else
        RefuseInput(hDlg, BELOW_ZERO_FAHRENHEIT);
}
