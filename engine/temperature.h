// The two temperature conversions. Scales that do not share a zero cannot
// multiply, so these rows run a formula and refuse values below absolute zero.
#ifndef MX_TEMPERATURE_H
#define MX_TEMPERATURE_H

#include "engine/handle.h"

void CelsiusToFahrenheit(HWND hDlg, double celsius);
void FahrenheitToCelsius(HWND hDlg, double fahrenheit);

#endif
