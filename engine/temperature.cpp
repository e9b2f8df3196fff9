// The two temperature conversions that the catalogue names.
#include "engine/temperature.h"

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

// Shows the result of `formula` in the window, or refuses the input.
void ShowFormula(HWND hDlg, const char *(*formula)(double, double *), double value)
{
    double result;
    if (const char *refusal = formula(value, &result))
        RefuseInput(hDlg, refusal);
    else
        ShowResult(hDlg, result);
}

}  // namespace

// The formulas run in extended precision, rounded to double once at the end:
// an intermediate such as celsius * 9 may exceed the doubles even when the
// result does not, and only a result beyond them is an overflow.

const char *FahrenheitFromCelsius(double celsius, double *fahrenheit)
{
    if (!(celsius >= ABSOLUTE_ZERO_CELSIUS))
        return BELOW_ZERO_CELSIUS;
    *fahrenheit = static_cast<double>(static_cast<long double>(celsius) * 9 * ONE_FIFTH + 32);
    return nullptr;
}

const char *CelsiusFromFahrenheit(double fahrenheit, double *celsius)
{
    if (!(fahrenheit >= ABSOLUTE_ZERO_FAHRENHEIT))
        return BELOW_ZERO_FAHRENHEIT;
    *celsius = static_cast<double>((static_cast<long double>(fahrenheit) - 32) * 5 * ONE_NINTH);
    return nullptr;
}

// The catalogue's only special rows are the two temperature rows.
const char *SpecialFormula(SpecialConversion routine, double value, double *result)
{
    return routine == CelsiusToFahrenheit ? FahrenheitFromCelsius(value, result)
                                          : CelsiusFromFahrenheit(value, result);
}

void CelsiusToFahrenheit(HWND hDlg, double celsius)
{
    ShowFormula(hDlg, FahrenheitFromCelsius, celsius);
}

void FahrenheitToCelsius(HWND hDlg, double fahrenheit)
{
    ShowFormula(hDlg, CelsiusFromFahrenheit, fahrenheit);
}
