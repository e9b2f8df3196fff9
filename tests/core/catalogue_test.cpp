// The catalogue's shape and rules, checked over every row.
#include <gtest/gtest.h>

#include <string.h>

#include <set>
#include <string>

#include "catalogue/catalogue.h"
#include "tests/core/rows.h"

namespace {

std::string Label(int row)
{
    char label[LABEL_BUFFER_SIZE];
    ComposeLabel(row, label);
    return label;
}

bool IsSpecialPair(int even) { return even == F_TO_C; }

// Even rows whose multiplier is written as 1/x: the even row holds 1 / x,
// the odd row x itself.
const std::set<int> PER_ROWS = {
    48, 50, 52, 58, 60, 62, 64, 66, 70, 78, 84, 86, 88, 100, 104, 108, 112,
    114, 116, 118, 122, 124, 126, 128, 136, 140, 146, 162, 172, 176, 180, 184,
    336, 374, 376, 412, 466, 468, 544, 548, 554, 558, 566, 568, 576, 602, 612,
    614, 616, 618, 620, 628, 630, 632, 634, 636, 656};

TEST(Catalogue, PairsAreReciprocalBitForBit)
{
    for (int even = 0; even < NUM_CONVERSIONS; even += 2) {
        if (IsSpecialPair(even))
            continue;
        const Conversion &a = conversions[even];
        const Conversion &b = conversions[even + 1];
        SCOPED_TRACE("row " + std::to_string(even));
        EXPECT_STREQ(a.category, b.category);
        EXPECT_EQ(a.special, nullptr);
        EXPECT_EQ(b.special, nullptr);
        EXPECT_GT(a.multiplier, 0.0);
        if (PER_ROWS.count(even))
            EXPECT_EQ(a.multiplier, 1.0 / b.multiplier);
        else
            EXPECT_EQ(b.multiplier, 1.0 / a.multiplier);
    }
}

TEST(Catalogue, ReverseRowsSwapTheNamesWithThreeExceptions)
{
    for (int even = 0; even < NUM_CONVERSIONS; even += 2) {
        if (even == 16 || even == 310 || IsSpecialPair(even))
            continue;
        SCOPED_TRACE("row " + std::to_string(even));
        EXPECT_STREQ(conversions[even].fromUnits, conversions[even + 1].toUnits);
        EXPECT_STREQ(conversions[even].toUnits, conversions[even + 1].fromUnits);
    }
    EXPECT_EQ(Label(16), "Cubic centimetres to Cubic decimetres -- Volume");
    EXPECT_EQ(Label(17), "Cubic decimetres to Cubic centimeres -- Volume");
    EXPECT_EQ(Label(310), "Carats (metric) to Kilograms -- Mass or Weight");
    EXPECT_EQ(Label(311), "Kilograms to Carats -- Mass or Weight");
    EXPECT_EQ(Label(F_TO_C), "Degree Fahrenheit to Degrees Celsius -- Temperature");
    EXPECT_EQ(Label(C_TO_F), "Degrees Celsius to Degrees Fahrenheit -- Temperature");
}

TEST(Catalogue, OnlyTheTemperatureRowsAreSpecial)
{
    for (int row = 0; row < NUM_CONVERSIONS; ++row) {
        if (row == F_TO_C || row == C_TO_F)
            continue;
        EXPECT_GT(conversions[row].multiplier, 0.0) << "row " << row;
        EXPECT_EQ(conversions[row].special, nullptr) << "row " << row;
    }
    EXPECT_EQ(conversions[F_TO_C].multiplier, SPECIAL_CONVERSION);
    EXPECT_EQ(conversions[F_TO_C].special, &FahrenheitToCelsius);
    EXPECT_EQ(conversions[C_TO_F].multiplier, SPECIAL_CONVERSION);
    EXPECT_EQ(conversions[C_TO_F].special, &CelsiusToFahrenheit);
}

TEST(Catalogue, BlocksStandInTheirOrder)
{
    struct Block {
        const char *category;
        int first, count;
    };
    const Block blocks[] = {
        {"Length", 0, 14}, {"Volume", 14, 8}, {"Area", 22, 14}, {"Capacity", 36, 8},
        {"Mass", 44, 4}, {"Length/UK", 48, 14}, {"Volume/UK", 62, 4},
        {"Mass (Avoirdupois)/UK", 66, 10}, {"Apothecaries' Measures/UK", 76, 8},
        {"Area/UK", 84, 8}, {"Capacity/UK", 92, 8}, {"Troy Weights/UK", 100, 6},
        {"Apothecaries' Weights/UK", 106, 8}, {"Length/US", 114, 12},
        {"Volume/US", 126, 4}, {"Capacity (Dry)/US", 130, 6}, {"Mass/US", 136, 10},
        {"Apothecaries' Measures/US", 146, 6}, {"Area/US", 152, 12},
        {"Capacity (Liquid)/US", 164, 8}, {"Troy Weights/US", 172, 6},
        {"Apothecaries' Weights/US", 178, 8}, {"Length", 186, 54}, {"Area", 240, 24},
        {"Volume or Capacity", 264, 46}, {"Mass or Weight", 310, 24},
        {"Temperature", 334, 2}, {"Line Density", 336, 38}, {"Density", 374, 38},
        {"Force", 412, 22}, {"Fuel Consumption", 434, 10}, {"Power", 444, 40},
        {"Pressure or Stress", 484, 60}, {"Speed", 544, 38},
        {"Spread Rate (by mass)", 582, 34}, {"Spread Rate (by volume)", 616, 30},
        {"Torque", 646, 24}, {"Currency/US", 670, 20},
    };
    int next = 0;
    for (const Block &block : blocks) {
        ASSERT_EQ(block.first, next) << block.category;
        for (int row = block.first; row < block.first + block.count; ++row)
            ASSERT_STREQ(conversions[row].category, block.category) << "row " << row;
        next += block.count;
    }
    EXPECT_EQ(next, NUM_CONVERSIONS);
}

TEST(Catalogue, ReferenceBlocksConvertIntoTheirReferenceUnit)
{
    struct Reference {
        int first, last;
        const char *unit;
    };
    const Reference references[] = {
        {186, 239, "Metres"}, {240, 263, "Square metres"}, {264, 309, "Litres"},
        {310, 333, "Kilograms"}, {336, 373, "Kilograms/metre"},
        {374, 411, "Kilograms/litre"}, {412, 433, "Newtons"}, {444, 483, "Watts"},
        {484, 543, "Pascals"}, {544, 581, "Metres/second"},
        {582, 615, "Kilograms/square metre"}, {616, 645, "Litres/square metre"},
        {646, 669, "Newton metres"},
    };
    for (const Reference &r : references)
        for (int even = r.first; even <= r.last; even += 2)
            EXPECT_STREQ(conversions[even].toUnits, r.unit) << "row " << even;
}

TEST(Catalogue, LabelsAreDistinctAndFitTheirBuffer)
{
    std::set<std::string> labels;
    size_t longest = 0;
    for (int row = 0; row < NUM_CONVERSIONS; ++row) {
        std::string label = Label(row);
        EXPECT_TRUE(labels.insert(label).second) << "duplicate: " << label;
        longest = std::max(longest, label.size());
    }
    EXPECT_EQ(longest, 79u);
    for (int row : {624, 625, 628, 629})
        EXPECT_EQ(Label(row).size(), 79u) << "row " << row;
    EXPECT_EQ(Label(624),
              "Cubic metres/square kilometre to Litres/square metre -- Spread Rate (by volume)");
}

struct Spot {
    int row;
    const char *label;
    double multiplier;
};

const Spot SPOTS[] = {
    {0, "Millimetres to Centimetres -- Length", 0.1},
    {1, "Centimetres to Millimetres -- Length", 10},
    {17, "Cubic decimetres to Cubic centimeres -- Volume", 1000},
    {48, "Inches to Feet -- Length/UK", 1.0 / 12},
    {49, "Feet to Inches -- Length/UK", 12},
    {52, "Yards to Chains -- Length/UK", 1.0 / 22},
    {66, "Grains to Ounces -- Mass (Avoirdupois)/UK", 1 / 437.5},
    {67, "Ounces to Grains -- Mass (Avoirdupois)/UK", 437.5},
    {72, "Stones to Hundredweight -- Mass (Avoirdupois)/UK", 0.125},
    {82, "Fluid ounces to Pints -- Apothecaries' Measures/UK", 0.05},
    {108, "Scruples to Drachms -- Apothecaries' Weights/UK", 1.0 / 3},
    {118, "Yards to Furlongs -- Length/US", 1.0 / 220},
    {142, "Pounds to Hundredweight -- Mass/US", 0.01},
    {150, "Fluid ounces to Pints -- Apothecaries' Measures/US", 0.0625},
    {160, "Square miles to Sections -- Area/US", 1},
    {161, "Sections to Square miles -- Area/US", 1},
    {164, "Fluid ounces to Pints -- Capacity (Liquid)/US", 0.0625},
    {180, "Scruples to Drams -- Apothecaries' Weights/US", 1.0 / 3},
    {186, "Angstroms to Metres -- Length", 1e-10},
    {187, "Metres to Angstroms -- Length", 1e10},
    {192, "Centimetres to Metres -- Length", 0.01},
    {196, "Cubits (0.45) to Metres -- Length", 0.45},
    {198, "Cubits (0.50) to Metres -- Length", 0.5},
    {200, "Ells (UK -- 0.875) to Metres -- Length", 0.875},
    {226, "Parsecs to Metres -- Length", 3.085677e16},
    {227, "Metres to Parsecs -- Length", 1 / 3.085677e16},
    {240, "Acres to Square metres -- Area", 4046.8564224},
    {274, "Cubic decimetres to Litres -- Volume or Capacity", 1},
    {275, "Litres to Cubic decimetres -- Volume or Capacity", 1},
    {276, "Cubic decametres to Litres -- Volume or Capacity", 1000000},
    {277, "Litres to Cubic decametres -- Volume or Capacity", 0.000001},
    {311, "Kilograms to Carats -- Mass or Weight", 5000},
    {346, "Grams/millimetre to Kilograms/metre -- Line Density", 1},
    {378, "Grams/cubic centimetre to Kilograms/litre -- Density", 1},
    {434, "Miles per gallon (UK) to Miles per gallon (US) -- Fuel Consumption", 0.833},
    {435, "Miles per gallon (US) to Miles per gallon (UK) -- Fuel Consumption", 1 / 0.833},
    {470, "Joules/second to Watts -- Power", 1},
    {530, "Poundals/square foot to Pascals -- Pressure or Stress", 0.138255 / 0.09290304},
    {531, "Pascals to Poundals/square foot -- Pressure or Stress", 1 / (0.138255 / 0.09290304)},
    {558, "Kilometres/hour to Metres/second -- Speed", 1 / 3.6},
    {559, "Metres/second to Kilometres/hour -- Speed", 3.6},
    {564, "Mach number to Metres/second -- Speed", 331.5},
    {594, "Millimetres of rainfall to Kilograms/square metre -- Spread Rate (by mass)", 1},
    {595, "Kilograms/square metre to Millimetres of rainfall -- Spread Rate (by mass)", 1},
    {600, "Ounces/square yard to Kilograms/square metre -- Spread Rate (by mass)", 0.542492 / 16},
    {644, "Millimetres of rainfall to Litres/square metre -- Spread Rate (by volume)", 1},
    {645, "Litres/square metre to Millimetres of rainfall -- Spread Rate (by volume)", 1},
    {684, "Dimes to Quarters -- Currency/US", 0.4},
    {685, "Quarters to Dimes -- Currency/US", 2.5},
    {689, "Dollars to Quarters -- Currency/US", 4},
};

TEST(Catalogue, SpotRowsHoldTheirLabelAndExactMultiplier)
{
    for (const Spot &spot : SPOTS) {
        SCOPED_TRACE("row " + std::to_string(spot.row));
        EXPECT_EQ(Label(spot.row), spot.label);
        EXPECT_EQ(conversions[spot.row].multiplier, spot.multiplier);
    }
}

}  // namespace
