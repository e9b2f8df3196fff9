#include "engine/number.h"

#include <float.h>
#include <math.h>
#include <stdlib.h>

namespace {

bool IsSpace(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

bool IsSign(char c) { return c == '+' || c == '-'; }

// True when the whole of `text` is a number in the accepted syntax.
bool IsNumberText(const char *text)
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
        return false;

    if (*p == 'e' || *p == 'E') {
        ++p;
        if (IsSign(*p))
            ++p;
        while (IsDigit(*p))
            ++p;
    }
    return *p == '\0';
}

}  // namespace

NumberStatus ReadNumber(const char *text, double *value)
{
    if (!IsNumberText(text))
        return NUMBER_INVALID;

    // The syntax is settled above; the runtime's correctly rounded reader
    // only turns the digits into a double. It stops before a bare exponent
    // letter ("5e"), which is what such a text means. It answers infinity
    // for magnitudes beyond the doubles and a signed zero below them; the
    // largest finite double is refused too, as the mark of a value that
    // does not fit.
    double v = strtod(text, nullptr);
    if (!(fabs(v) < DBL_MAX))
        return NUMBER_OVERFLOW;
    *value = v;
    return NUMBER_OK;
}
