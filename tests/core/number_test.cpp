// Number reading: the exact value read and the floating-point state left.
#include <gtest/gtest.h>

#include <math.h>
#include <stdio.h>

#include <string>

#include "engine/number.h"
#include "tests/core/fake_window.h"
#include "tests/core/rows.h"

namespace {

TEST(ReadNumber, ReadsTheNearestDouble)
{
    struct Case {
        const char *text;
        double value;
    };
    const Case cases[] = {
        {"0.1", 0.1}, {"-2.5e3", -2500}, {"5e", 5}, {"5E+", 5}, {" 5", 5},
        {"1.7976931e308", 1.7976931e308}, {"4.9e-324", 4.9e-324},
        {"123456789012", 123456789012.0}, {"0.3333333333", 0.3333333333},
        // Next to a power of two, where the doubles below lie closer than
        // those above: the one just below 2^-761, not 2^-761 itself
        {"8.24467042508433e-230", 0x1.fffffffffffffp-762},
        {"8.244670425084331e-230", 0x1p-761},
        {"+2.2250738585072011e-308", 0x0.fffffffffffffp-1022},
    };
    for (const Case &c : cases) {
        double value = 0;
        ASSERT_EQ(ReadNumber(c.text, &value), NUMBER_OK) << c.text;
        EXPECT_EQ(value, c.value) << c.text;
    }
}

// The exact decimal of the midpoint between 2^power and the double just
// below it, then the same text nudged by the smallest step: up by a digit 1
// appended, down by the last nonzero digit lowered and followed by nines.
struct Midpoint {
    std::string exact, above, below;
};

Midpoint MidpointBelowPowerOfTwo(int power)
{
    // The midpoint has 54 significant bits: a long double holds it exactly,
    // and 1100 digits print it exactly.
    long double midpoint = ldexpl(1, power) - ldexpl(1, power - 54);
    char text[1200];
    snprintf(text, sizeof text, "%.1100Le", midpoint);
    std::string exact = text;
    size_t e = exact.find('e');
    std::string digits = exact.substr(0, e), exponent = exact.substr(e);
    size_t last = digits.find_last_not_of('0');
    std::string below = digits.substr(0, last) + char(digits[last] - 1) +
                        std::string(digits.size() - last - 1, '9') + "9";
    return {exact, digits + "1" + exponent, below + exponent};
}

TEST(ReadNumber, RoundsCorrectlyNextToAPowerOfTwo)
{
    // Below a power of two the doubles lie twice as close as above it: the
    // midpoint itself rounds to the even power of two, a hair less to the
    // double below. Also where the digits run past those kept exactly.
    for (int power : {-1021, -900, -761, -100, -1, 0, 1, 52, 53, 54, 100, 700, 1023}) {
        Midpoint m = MidpointBelowPowerOfTwo(power);
        double two = ldexp(1, power), below = nextafter(two, 0);
        const struct {
            const std::string &text;
            double value;
        } cases[] = {{m.exact, two}, {m.above, two}, {m.below, below}};
        for (const auto &c : cases) {
            for (double sign : {1.0, -1.0}) {
                std::string text = (sign < 0 ? "-" : "") + c.text;
                double value = 0;
                ASSERT_EQ(ReadNumber(text.c_str(), &value), NUMBER_OK) << text;
                EXPECT_EQ(value, sign * c.value) << "2^" << power << ": " << text;
            }
        }
    }
}

TEST(ReadNumber, KeepsTheSignOfAZero)
{
    double value = 0;
    ASSERT_EQ(ReadNumber("-1e-400", &value), NUMBER_OK);
    EXPECT_EQ(value, 0.0);
    EXPECT_TRUE(signbit(value));
}

TEST(ReadNumber, RefusesTheLargestDoubleAsOverflow)
{
    double value = 0;
    EXPECT_EQ(ReadNumber("1.7976931348623157e308", &value), NUMBER_OVERFLOW);
    EXPECT_EQ(ReadNumber("-1.7976931348623157e308", &value), NUMBER_OVERFLOW);
}

#if defined(__i386__) || defined(__x86_64__)
// The control settings of both floating-point units: masks, precision and
// rounding, without the sticky status flags.
struct FloatingPointControl {
    unsigned short x87;
    unsigned mxcsr;
    bool operator==(const FloatingPointControl &o) const { return x87 == o.x87 && mxcsr == o.mxcsr; }
};

FloatingPointControl CurrentControl()
{
    FloatingPointControl c;
    __asm__ volatile("fnstcw %0" : "=m"(c.x87));
    __asm__ volatile("stmxcsr %0" : "=m"(c.mxcsr));
    c.mxcsr &= ~0x3Fu;
    return c;
}

TEST(FloatingPoint, EveryKindOfRequestLeavesTheControlAlone)
{
    const FloatingPointControl before = CurrentControl();
    EXPECT_EQ(before.x87 & 0x3F, 0x3F) << "all x87 exceptions masked";
    EXPECT_EQ(before.mxcsr & 0x1F80, 0x1F80u) << "all SSE exceptions masked";

    const struct {
        int row;
        const char *input;
    } requests[] = {{CM_TO_MM, "5"}, {CM_TO_MM, "1e308"}, {CM_TO_MM, "9e4932"},
                    {CM_TO_MM, "abc"}, {C_TO_F, "1e308"}, {C_TO_F, "-300"},
                    {F_TO_C, "-40"}, {CM_TO_MM, "1e-400"}};
    for (const auto &r : requests) {
        FakeWindow(r.row, r.input).Convert();
        EXPECT_TRUE(CurrentControl() == before) << r.input;
    }
}
#endif

}  // namespace
