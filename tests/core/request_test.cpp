// The Convert command end to end on a fake window: what the user sees for a
// row and an input text, and in which order it happens.
#include <gtest/gtest.h>

#include <string>

#include "catalogue/catalogue.h"
#include "tests/core/fake_window.h"
#include "tests/core/rows.h"
#include "tests/core/warning_texts.h"

namespace {

Effects Shows(const std::string &result) { return {"output:" + result}; }

struct Case {
    int row;
    const char *input;
    Effects effects;
};

const Case CASES[] = {
    // Results
    {INCHES_TO_FEET, "12", Shows("1")},
    {INCHES_TO_FEET, "-5", Shows("-0.416667")},
    {KMH_TO_MS, "36", Shows("10")},
    {CM_TO_MM, "5", Shows("50")},
    {CM_TO_MM, "123456789012", Shows("1.23457e+12")},
    {SQ_MILES_TO_SECTIONS, "1234567", Shows("1.23457e+06")},
    {SQ_MILES_TO_SECTIONS, "1234565", Shows("1.23456e+06")},
    {SQ_MILES_TO_SECTIONS, "1234575", Shows("1.23458e+06")},
    {SQ_MILES_TO_SECTIONS, "123456.7", Shows("123457")},
    {SQ_MILES_TO_SECTIONS, "0.0001", Shows("0.0001")},
    {SQ_MILES_TO_SECTIONS, "0.00001", Shows("1e-05")},
    {SQ_MILES_TO_SECTIONS, "1e100", Shows("1e+100")},
    {SQ_MILES_TO_SECTIONS, "-2.5e-300", Shows("-2.5e-300")},
    {PARSECS_TO_METRES, "1", Shows("3.08568e+16")},
    // The accepted syntax
    {CM_TO_MM, " 5", Shows("50")},
    {CM_TO_MM, "\t\n\v\f\r 5", Shows("50")},
    {CM_TO_MM, "+5", Shows("50")},
    {CM_TO_MM, "5.", Shows("50")},
    {CM_TO_MM, ".5", Shows("5")},
    {CM_TO_MM, "-2.5e3", Shows("-25000")},
    {CM_TO_MM, "5e", Shows("50")},
    {CM_TO_MM, "5E+", Shows("50")},
    {CM_TO_MM, "5e-", Shows("50")},
    {CM_TO_MM, "000000000005", Shows("50")},
    {CM_TO_MM, "0e99999", Shows("0")},
    // Zero never shows a sign
    {CM_TO_MM, "1e-400", Shows("0")},
    {CM_TO_MM, "-0", Shows("0")},
    {CM_TO_MM, "-1e-400", Shows("0")},
    // A result beyond the doubles is reported in the output field only
    {CM_TO_MM, "1e308", Shows("conversion overflow")},
    {CM_TO_MM, "-1e308", Shows("conversion overflow")},
    // Not a number
    {CM_TO_MM, "5 ", Refused(INVALID_INPUT_WARNING)},
    {CM_TO_MM, "1,5", Refused(INVALID_INPUT_WARNING)},
    {CM_TO_MM, "abc", Refused(INVALID_INPUT_WARNING)},
    {CM_TO_MM, ".", Refused(INVALID_INPUT_WARNING)},
    {CM_TO_MM, "-", Refused(INVALID_INPUT_WARNING)},
    {CM_TO_MM, "- 5", Refused(INVALID_INPUT_WARNING)},
    {CM_TO_MM, "+-5", Refused(INVALID_INPUT_WARNING)},
    {CM_TO_MM, "1.2.3", Refused(INVALID_INPUT_WARNING)},
    {CM_TO_MM, "e5", Refused(INVALID_INPUT_WARNING)},
    {CM_TO_MM, ".e5", Refused(INVALID_INPUT_WARNING)},
    {CM_TO_MM, "5e+-1", Refused(INVALID_INPUT_WARNING)},
    {CM_TO_MM, "5e1.5", Refused(INVALID_INPUT_WARNING)},
    {CM_TO_MM, "+INF", Refused(INVALID_INPUT_WARNING)},
    {CM_TO_MM, "-NAN", Refused(INVALID_INPUT_WARNING)},
    {CM_TO_MM, "inf", Refused(INVALID_INPUT_WARNING)},
    {CM_TO_MM, "0x10", Refused(INVALID_INPUT_WARNING)},
    {CM_TO_MM, "1e5x", Refused(INVALID_INPUT_WARNING)},
    {CM_TO_MM, "\xb5", Refused(INVALID_INPUT_WARNING)},
    // Beyond the doubles
    {CM_TO_MM, "1e309", Refused(INPUT_OVERFLOW_WARNING)},
    {CM_TO_MM, "-1e309", Refused(INPUT_OVERFLOW_WARNING)},
    {CM_TO_MM, "9e999", Refused(INPUT_OVERFLOW_WARNING)},
    {CM_TO_MM, "9e4932", Refused(INPUT_OVERFLOW_WARNING)},
    {CM_TO_MM, "1e99999999", Refused(INPUT_OVERFLOW_WARNING)},
    {CM_TO_MM, "1e-99999999", Shows("0")},
    // Temperatures
    {C_TO_F, "100", Shows("212")},
    {C_TO_F, "-40", Shows("-40")},
    {C_TO_F, "-273.15", Shows("-459.67")},
    {C_TO_F, "-273.16", Refused(BELOW_ZERO_CELSIUS_WARNING)},
    {C_TO_F, "1e308", Shows("conversion overflow")},
    {C_TO_F, "5e307", Shows("9e+307")},  // celsius x 9 alone exceeds the doubles
    {F_TO_C, "32", Shows("0")},
    {F_TO_C, "212", Shows("100")},
    {F_TO_C, "-459.67", Shows("-273.15")},
    {F_TO_C, "-459.68", Refused(BELOW_ZERO_FAHRENHEIT_WARNING)},
    {F_TO_C, "1e308", Shows("5.55556e+307")},
    {F_TO_C, "-1e309", Refused(INPUT_OVERFLOW_WARNING)},
};

TEST(ConvertRequest, TurnsRowAndTextIntoResultOrWarning)
{
    for (const Case &c : CASES) {
        FakeWindow window(c.row, c.input);
        window.Convert();
        EXPECT_EQ(window.effects, c.effects) << "row " << c.row << ", input \"" << c.input << '"';
    }
}

TEST(ConvertRequest, EmptyInputKeepsBothFields)
{
    FakeWindow window(CM_TO_MM, "");
    window.output = "50";
    window.Convert();
    EXPECT_EQ(window.effects, Effects({Warned(EMPTY_INPUT_WARNING), "focus"}));
    EXPECT_EQ(window.output, "50");
}

TEST(ConvertRequest, NoSelectionWarnsAndTouchesNothing)
{
    // -1 is no selection; an entry whose data names no row counts as none.
    for (int row : {-1, static_cast<int>(NUM_CONVERSIONS)}) {
        FakeWindow window(row, "5");
        window.output = "50";
        window.Convert();
        EXPECT_EQ(window.effects, Effects({Warned(NO_SELECTION_WARNING)})) << row;
    }
}

TEST(ConvertRequest, ReadsOnlyTheFirstTwelveCharacters)
{
    // The field never holds more than 12 typed characters; text set by other
    // means is read up to that limit.
    FakeWindow window(CM_TO_MM, "1234567890125 and more");
    window.Convert();
    EXPECT_EQ(window.effects, Shows("1.23457e+12"));
}

TEST(ConvertRequest, OverflowLeavesTheNextRequestUnharmed)
{
    FakeWindow window(CM_TO_MM, "1e308");
    window.Convert();
    window.input = "5";
    window.Convert();
    EXPECT_EQ(window.effects, Effects({"output:conversion overflow", "output:50"}));
    EXPECT_EQ(window.input, "5");
}

}  // namespace
