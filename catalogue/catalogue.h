// The conversion catalogue: a fixed, read-only table of 690 conversions.
// Rows come in pairs: an even row converts A into B, the odd row after it
// converts B back into A with the reciprocal multiplier.
#ifndef MX_CATALOGUE_H
#define MX_CATALOGUE_H

#include "platform/handle.h"

// Routine of a special (non-proportional) conversion: owner window, value.
typedef void (*SpecialConversion)(HWND owner, double value);

// Packed to four bytes: on 32-bit Windows a double would otherwise be
// aligned to eight, padding each of the 690 records by eight bytes.
#pragma pack(push, 4)
struct Conversion {
    const char *fromUnits;
    const char *toUnits;
    const char *category;
    double multiplier;          // output units in one input unit; < 0 marks a special row
    SpecialConversion special;  // null in every proportional row
};
#pragma pack(pop)

enum { NUM_CONVERSIONS = 690 };
const double SPECIAL_CONVERSION = -1.0;

extern const Conversion conversions[NUM_CONVERSIONS];

// The routines of the two temperature rows. Scales that do not share a zero
// cannot multiply, so these rows run a formula and refuse values below
// absolute zero. The table only names them; the engine defines them.
void CelsiusToFahrenheit(HWND owner, double celsius);
void FahrenheitToCelsius(HWND owner, double fahrenheit);

// Longest label plus its terminating NUL fits this buffer many times over.
enum { LABEL_BUFFER_SIZE = 256 };

// Writes "<from> to <to> -- <category>" for row `row` into `label`, which
// holds LABEL_BUFFER_SIZE bytes.
void ComposeLabel(int row, char *label);

#endif
