// The engine's window-free faces: the result text with any count of digits,
// and the request's decision for a row and a text, which must agree with
// what the window shows.
#include <gtest/gtest.h>

#include <float.h>
#include <math.h>
#include <stdlib.h>
#include <string.h>

#include <random>
#include <string>

#include "catalogue/catalogue.h"
#include "engine/number.h"
#include "engine/request.h"
#include "tests/core/fake_window.h"
#include "tests/core/rows.h"
#include "tests/core/warning_texts.h"

namespace {

std::string Formatted(double value, int digits)
{
    char text[RESULT_BUFFER_SIZE];
    return ResultText(value, digits, text);
}

TEST(FormatResult, ShowsTheDigitsAskedFor)
{
    const struct {
        double value;
        int digits;
        const char *text;
    } cases[] = {
        {1.0 / 12, WINDOW_DIGITS, "0.0833333"},
        {1.0 / 12, 1, "0.08"},
        {1.0 / 12, 10, "0.08333333333"},
        {1.0 / 12, MAX_DIGITS, "0.083333333333333329"},
        {1234565, WINDOW_DIGITS, "1.23456e+06"},
        {1234565, 7, "1234565"},
        {-0.0, MAX_DIGITS, "0"},
        {3.085677e16, MAX_DIGITS, "30856770000000000"},
        {3.085677e16, 16, "3.085677e+16"},
        // The shortest text that reads back, with the window's six digits
        // at least: a value the window shows exactly looks the same.
        {1.0 / 12, SHORTEST_DIGITS, "0.08333333333333333"},
        {0.1, SHORTEST_DIGITS, "0.1"},
        {100000, SHORTEST_DIGITS, "100000"},
        {1000000, SHORTEST_DIGITS, "1e+06"},
        {0.0001, SHORTEST_DIGITS, "0.0001"},
        {123456.7, SHORTEST_DIGITS, "123456.7"},
        {0.1 + 0.2, SHORTEST_DIGITS, "0.30000000000000004"},
        {-0.0, SHORTEST_DIGITS, "0"},
        {5e-324, SHORTEST_DIGITS, "4.94066e-324"},
        {1.7976931348623157e308, SHORTEST_DIGITS, "1.7976931348623157e+308"},
        // Not a finite double, with any digits
        {HUGE_VAL, WINDOW_DIGITS, "conversion overflow"},
        {-HUGE_VAL, SHORTEST_DIGITS, "conversion overflow"},
        {NAN, MAX_DIGITS, "conversion overflow"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(Formatted(c.value, c.digits), c.text) << c.value << " with " << c.digits;
}

// Every double, from all over the range and at the powers of two where the
// rounding interval is lopsided, reads back from its shortest text through
// the program's own reader; and one digit fewer would not do, unless that
// is below the window's six.
TEST(FormatResult, ShortestReadsBackWithNoDigitToSpare)
{
    std::mt19937_64 random(20261211);
    for (int i = 0; i < 200000; ++i) {
        double value;
        if (i % 4 == 0) {
            value = ldexp(1.0, static_cast<int>(random() % 2098) - 1074);
        } else {
            uint64_t bits = random();
            memcpy(&value, &bits, sizeof value);
        }
        if (!isfinite(value) || value == 0)
            continue;
        std::string text = Formatted(value, SHORTEST_DIGITS);
        double back = 0;
        NumberStatus status = ReadNumber(text.c_str(), &back);
        if (status == NUMBER_OVERFLOW && fabs(value) == DBL_MAX)
            continue;  // the largest double stands for an overflow
        ASSERT_EQ(status, NUMBER_OK) << text;
        ASSERT_EQ(back, value) << text;
        std::string mantissa = text.substr(0, text.find('e'));
        int digits = 0;
        for (char c : mantissa.substr(mantissa.find_first_of("123456789")))
            digits += c >= '0' && c <= '9';
        if (digits > WINDOW_DIGITS) {
            char fewer[320];  // room for any "%g" text
            snprintf(fewer, sizeof fewer, "%.*g", digits - 1, value);
            ASSERT_EQ(ReadNumber(fewer, &back), NUMBER_OK) << fewer;
            ASSERT_NE(back, value) << text << " could be " << fewer;
        }
    }
}

TEST(ConvertText, DecidesAsTheWindowDoes)
{
    const struct {
        int row;
        const char *text;
        const char *refusal;  // null: converted into `result`
        double result;
    } cases[] = {
        {INCHES_TO_FEET, "12", nullptr, 1},
        {CM_TO_MM, "", EMPTY_INPUT_WARNING, 0},
        {CM_TO_MM, "5 ", INVALID_INPUT_WARNING, 0},
        {CM_TO_MM, "1e309", INPUT_OVERFLOW_WARNING, 0},
        {CM_TO_MM, "1e308", nullptr, HUGE_VAL},
        {C_TO_F, "100", nullptr, 212},
        {C_TO_F, "-273.16", BELOW_ZERO_CELSIUS_WARNING, 0},
        {F_TO_C, "-459.67", nullptr, -273.15},
        {F_TO_C, "-459.68", BELOW_ZERO_FAHRENHEIT_WARNING, 0},
        // Longer than the window's field: read whole.
        {CM_TO_MM, "1234567890125", nullptr, 12345678901250},
    };
    for (const auto &c : cases) {
        double result = 0;
        const char *refusal = ConvertText(c.row, c.text, &result);
        if (c.refusal) {
            EXPECT_STREQ(refusal, c.refusal) << c.text;
        } else {
            EXPECT_EQ(refusal, nullptr) << c.text;
            EXPECT_EQ(result, c.result) << c.text;
        }
    }
}

// For every row and a spread of texts, the window-free decision and the
// window show the same text: the result, or the same warning.
TEST(ConvertText, AgreesWithTheWindowOnEveryRow)
{
    const char *const texts[] = {"12",    "-5",     "0",      "-0",    "1e-400", "123456789012",
                                 "1e308", "-1e308", "1e309",  "9e4932", "abc",   "5 ",
                                 " 5",    "5e",     "-273.16", "-459.68", "1e-5", "",
                                 "+INF",  "3.5e12"};
    for (int row = 0; row < NUM_CONVERSIONS; ++row)
        for (const char *text : texts) {
            FakeWindow window(row, text);
            window.Convert();
            double result = 0;
            const char *refusal = ConvertText(row, text, &result);
            if (refusal)
                EXPECT_EQ(window.effects.front(), Warned(refusal))
                    << "row " << row << ", text \"" << text << '"';
            else
                EXPECT_EQ(window.effects, Effects({"output:" + Formatted(result, WINDOW_DIGITS)}))
                    << "row " << row << ", text \"" << text << '"';
        }
}

}  // namespace
