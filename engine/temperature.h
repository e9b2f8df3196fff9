// The temperature formulas apart from the window: each gives the other
// scale's value, or the warning about a value below absolute zero.
#ifndef MX_TEMPERATURE_H
#define MX_TEMPERATURE_H

#include "catalogue/catalogue.h"

// Null with the result in `*fahrenheit`, or the warning text.
const char *FahrenheitFromCelsius(double celsius, double *fahrenheit);
// Null with the result in `*celsius`, or the warning text.
const char *CelsiusFromFahrenheit(double fahrenheit, double *celsius);

// The formula behind a special row's routine, applied to `value`: null with
// the result in `*result`, or the warning text.
const char *SpecialFormula(SpecialConversion routine, double value, double *result);

#endif
