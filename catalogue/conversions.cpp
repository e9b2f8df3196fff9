// The table of conversions, assembled from one fragment per group of blocks.
#include "catalogue/catalogue.h"

#include <string.h>

namespace {

// Multipliers that other rows are derived from.
constexpr double POUNDAL_IN_NEWTONS = 0.138255;
constexpr double SQUARE_FOOT_IN_SQUARE_METRES = 0.09290304;
constexpr double POUND_PER_SQUARE_YARD = 0.542492;  // in kilograms/square metre
constexpr double OUNCES_PER_POUND = 16.0;

}  // namespace

// One fragment line stands for a pair of rows: A to B, then B back to A.
// PAIR gives the forward multiplier m; the reverse row holds 1 / m.
// PAIR_PER gives the forward multiplier as 1 / x; the reverse holds x exactly.
#define PAIR(from, to, category, m) \
    { from, to, category, (m), nullptr }, { to, from, category, 1.0 / (m), nullptr }
#define PAIR_PER(from, to, category, x) \
    { from, to, category, 1.0 / (x), nullptr }, { to, from, category, (x), nullptr }

extern const Conversion conversions[] = {
#include "catalogue/metric.inc"
#include "catalogue/customary.inc"
#include "catalogue/reference.inc"
#include "catalogue/physical.inc"
#include "catalogue/pressure_to_coins.inc"
};

#undef PAIR
#undef PAIR_PER

static_assert(sizeof conversions / sizeof conversions[0] == NUM_CONVERSIONS,
              "the catalogue has exactly NUM_CONVERSIONS rows");

void ComposeLabel(int row, char *label)
{
    const Conversion &c = conversions[row];
    strcpy(label, c.fromUnits);
    strcat(label, " to ");
    strcat(label, c.toUnits);
    strcat(label, " -- ");
    strcat(label, c.category);
}
