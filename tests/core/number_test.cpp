// Number reading: the exact value read and the floating-point state left.
#include <gtest/gtest.h>

#include <math.h>

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
