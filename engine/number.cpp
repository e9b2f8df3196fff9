#include "engine/number.h"

#include <float.h>
#include <math.h>
#include <stdlib.h>

#include <charconv>

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSign(char c) { return c == '+' || c == '-'; }

// The end of `text` when the whole of it is a number in the accepted syntax,
// else null.
const char *NumberTextEnd(const char *text)
{
    const char *p = text;
    while (IsSpace(*p))
        ++p;
    if (IsSign(*p))
        ++p;

    int digits = 0;
    while (IsDigit(*p)) {
        ++p;
        ++digits;
    }
    if (*p == '.') {
        ++p;
        while (IsDigit(*p)) {
            ++p;
            ++digits;
        }
    }
    if (digits == 0)
        return nullptr;

    if (*p == 'e' || *p == 'E') {
        ++p;
        if (IsSign(*p))
            ++p;
        while (IsDigit(*p))
            ++p;
    }
    return *p == '\0' ? p : nullptr;
}

}  // namespace

NumberStatus ReadNumber(const char *text, double *value)
{
    const char *end = NumberTextEnd(text);
    if (!end)
        return NUMBER_INVALID;

    // The syntax is settled above; the C++ library's reader, correctly
    // rounded on every build, only turns the digits into a double.
    // mingw-w64's strtod is not: it misrounds next to a power of two, and
    // misreads some texts of a few dozen digits outright (by a factor of
    // 2^52). The window's twelve characters reach neither; the command line
    // takes longer texts. It takes no white space or
    // plus sign, and stops before a bare exponent letter ("5e"), which is
    // what such a text means.
    const char *digits = text;
    while (IsSpace(*digits))
        ++digits;
    if (*digits == '+')
        ++digits;
    double v;
    if (std::from_chars(digits, end, v).ec == std::errc::result_out_of_range) {
        // Beyond the doubles, above or below: any reader tells which.
        if (fabs(strtod(digits, nullptr)) >= 1)
            return NUMBER_OVERFLOW;
        v = *digits == '-' ? -0.0 : 0.0;
    }
    // The largest finite double is refused too, as the mark of a value that
    // does not fit.
    if (!(fabs(v) < DBL_MAX))
        return NUMBER_OVERFLOW;
    *value = v;
    return NUMBER_OK;
}
