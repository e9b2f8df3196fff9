// The warnings as the user reads them, written out for the tests apart from
// the engine's own texts, so that a wrong word in either fails a test.
#ifndef MX_TESTS_WARNING_TEXTS_H
#define MX_TESTS_WARNING_TEXTS_H

const char NO_SELECTION_WARNING[] = "No conversion selected.";
const char EMPTY_INPUT_WARNING[] = "Please enter number of input units.";
const char INVALID_INPUT_WARNING[] = "Invalid input. Please re-enter number of units.";
const char INPUT_OVERFLOW_WARNING[] = "Input overflow. Please re-enter number of units.";
const char BELOW_ZERO_CELSIUS_WARNING[] =
    "Invalid temperature. Cannot be less than -273.15 degrees Celsius "
    "(absolute zero). Please re-enter.";
const char BELOW_ZERO_FAHRENHEIT_WARNING[] =
    "Invalid temperature. Cannot be less than -459.67 degrees Fahrenheit "
    "(absolute zero). Please re-enter.";

#endif
