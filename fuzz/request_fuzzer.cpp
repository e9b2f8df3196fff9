// Fuzzing of the number reading and of the whole Convert request.
//
// An input is two bytes choosing the row (little-endian, modulo the rows plus
// two, so that "no selection" and a row past the table occur too) and the
// input field's text. Each run checks ReadNumber and ConvertRequest against a
// slow reference written here from the program's rules, and aborts with a
// message on the first disagreement.
#include <float.h>
#include <math.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "engine/number.h"
#include "engine/request.h"
#include "engine/window.h"
#include "tests/core/fake_window.h"
#include "tests/core/rows.h"
#include "tests/core/warning_texts.h"

namespace {

const size_t ROW_BYTES = 2;
// ReadNumber alone also sees texts longer than the field takes, to reach long
// mantissas and the edge of the doubles. The exponent a text of this length
// can carry is saturated well beyond where any value is 0 or infinite.
const size_t MAX_DIRECT_CHARS = 64;
const long EXPONENT_CAP = 100000000;
// The longest "%g" text: "-1.23457e-308".
const size_t MAX_RESULT_CHARS = 13;
// Enough precision for a six-digit result, plus slack for the cancellation
// in a temperature near zero.
const double RESULT_RELATIVE_ERROR = 1e-5;
const double RESULT_ABSOLUTE_ERROR = 1e-12;

const char CONVERSION_OVERFLOW[] = "conversion overflow";
const char OUTPUT[] = "output:";

// ---- Reporting --------------------------------------------------------------

std::string Escaped(const std::string &text)
{
    std::string out;
    for (unsigned char c : text) {
        char hex[5];
        snprintf(hex, sizeof hex, "\\x%02x", c);
        out += c >= 0x20 && c < 0x7f && c != '\\' ? std::string(1, c) : hex;
    }
    return '"' + out + '"';
}

std::string Listed(const Effects &effects)
{
    std::string out = "{";
    for (const std::string &e : effects)
        out += (out.size() > 1 ? ", " : "") + Escaped(e);
    return out + "}";
}

[[noreturn]] void Fail(const std::string &what, const std::string &text)
{
    fprintf(stderr, "request fuzzer: %s\n  text %s\n", what.c_str(), Escaped(text).c_str());
    abort();
}

// ---- Reference number reader ------------------------------------------------
//
// A table-driven automaton over character classes; it also splits the text
// into sign, digits, count of fraction digits and exponent, from which a
// plain "<sign><digits>e<scale>" text is built for the C library to round.

enum CharClass { SPACE, SIGN, DIGIT, POINT, EXPONENT_LETTER, OTHER, CHAR_CLASSES };

enum State {
    LEADING_SPACE,
    AFTER_SIGN,
    WHOLE_DIGITS,
    BARE_POINT,  // a point with no digit yet: "." or "-."
    FRACTION,    // a point with a digit before or after it
    EXPONENT,    // the letter; the number may end here
    EXPONENT_SIGN,
    EXPONENT_DIGITS,
    REJECTED,
    STATES
};

const State NEXT[STATES][CHAR_CLASSES] = {
    //                 SPACE          SIGN           DIGIT            POINT       EXPONENT_LETTER OTHER
    /* LEADING_SPACE */ {LEADING_SPACE, AFTER_SIGN,    WHOLE_DIGITS,    BARE_POINT, REJECTED,       REJECTED},
    /* AFTER_SIGN    */ {REJECTED,      REJECTED,      WHOLE_DIGITS,    BARE_POINT, REJECTED,       REJECTED},
    /* WHOLE_DIGITS  */ {REJECTED,      REJECTED,      WHOLE_DIGITS,    FRACTION,   EXPONENT,       REJECTED},
    /* BARE_POINT    */ {REJECTED,      REJECTED,      FRACTION,        REJECTED,   REJECTED,       REJECTED},
    /* FRACTION      */ {REJECTED,      REJECTED,      FRACTION,        REJECTED,   EXPONENT,       REJECTED},
    /* EXPONENT      */ {REJECTED,      EXPONENT_SIGN, EXPONENT_DIGITS, REJECTED,   REJECTED,       REJECTED},
    /* EXPONENT_SIGN */ {REJECTED,      REJECTED,      EXPONENT_DIGITS, REJECTED,   REJECTED,       REJECTED},
    /* EXPONENT_DIGITS*/{REJECTED,      REJECTED,      EXPONENT_DIGITS, REJECTED,   REJECTED,       REJECTED},
    /* REJECTED      */ {REJECTED,      REJECTED,      REJECTED,        REJECTED,   REJECTED,       REJECTED},
};

bool Accepting(State s)
{
    return s == WHOLE_DIGITS || s == FRACTION || s == EXPONENT || s == EXPONENT_SIGN ||
           s == EXPONENT_DIGITS;
}

CharClass Classify(char c)
{
    switch (c) {
    case ' ': case '\t': case '\n': case '\v': case '\f': case '\r':
        return SPACE;
    case '+': case '-':
        return SIGN;
    case '.':
        return POINT;
    case 'e': case 'E':
        return EXPONENT_LETTER;
    case '0': case '1': case '2': case '3': case '4':
    case '5': case '6': case '7': case '8': case '9':
        return DIGIT;
    default:
        return OTHER;
    }
}

struct Reading {
    NumberStatus status;
    double value;  // when NUMBER_OK
};

Reading ReferenceRead(const std::string &text)
{
    State state = LEADING_SPACE;
    bool negative = false, negativeExponent = false;
    std::string digits;
    long fractionDigits = 0, exponent = 0;
    for (char c : text) {
        CharClass cls = Classify(c);
        State next = NEXT[state][cls];
        if (cls == SIGN && state == LEADING_SPACE)
            negative = c == '-';
        if (cls == SIGN && state == EXPONENT)
            negativeExponent = c == '-';
        if (cls == DIGIT && (next == WHOLE_DIGITS || next == FRACTION)) {
            digits += c;
            fractionDigits += next == FRACTION;
        }
        if (next == EXPONENT_DIGITS)
            exponent = std::min(exponent * 10 + (c - '0'), EXPONENT_CAP);
        state = next;
    }
    if (!Accepting(state))
        return {NUMBER_INVALID, 0};

    long scale = (negativeExponent ? -exponent : exponent) - fractionDigits;
    std::string plain = (negative ? "-" : "") + digits + "e" + std::to_string(scale);
    double value = strtod(plain.c_str(), nullptr);
    if (!(fabs(value) < DBL_MAX))
        return {NUMBER_OVERFLOW, 0};
    return {NUMBER_OK, value};
}

bool SameBits(double a, double b) { return memcmp(&a, &b, sizeof a) == 0; }

void CheckReadNumber(const std::string &text)
{
    double value = 0;
    NumberStatus status = ReadNumber(text.c_str(), &value);
    Reading expected = ReferenceRead(text);
    if (status != expected.status)
        Fail("ReadNumber status " + std::to_string(status) + ", expected " +
                 std::to_string(expected.status),
             text);
    if (status == NUMBER_OK && !SameBits(value, expected.value)) {
        char detail[96];
        snprintf(detail, sizeof detail, "ReadNumber value %a, expected %a", value, expected.value);
        Fail(detail, text);
    }
}

// ---- Reference request ------------------------------------------------------

// "%g" of a finite value, its sign written apart so that zero never has one.
std::string ReferenceResultText(double value)
{
    if (!isfinite(value))
        return CONVERSION_OVERFLOW;
    char text[32];
    snprintf(text, sizeof text, "%s%g", value < 0 ? "-" : "", fabs(value));
    return text;
}

// What the user sees. A temperature result is computed here in long double
// rather than the engine's exact formula, so only its value is compared:
// `temperature` is set and `effects` left empty.
struct Expectation {
    Effects effects;
    bool isTemperature = false;
    long double temperature = 0;
};

Expectation ReferenceRequest(int row, const std::string &field)
{
    if (row < 0 || row >= NUM_CONVERSIONS)
        return {{Warned(NO_SELECTION_WARNING)}};
    std::string text = field.substr(0, MAX_INPUT_CHARS);
    if (text.empty())
        return {{Warned(EMPTY_INPUT_WARNING), "focus"}};
    Reading reading = ReferenceRead(text);
    if (reading.status == NUMBER_INVALID)
        return {Refused(INVALID_INPUT_WARNING)};
    if (reading.status == NUMBER_OVERFLOW)
        return {Refused(INPUT_OVERFLOW_WARNING)};

    double v = reading.value;
    if (row == F_TO_C)
        return v < -459.67 ? Expectation{Refused(BELOW_ZERO_FAHRENHEIT_WARNING)}
                           : Expectation{{}, true, (v - 32.0L) * 5 / 9};
    if (row == C_TO_F)
        return v < -273.15 ? Expectation{Refused(BELOW_ZERO_CELSIUS_WARNING)}
                           : Expectation{{}, true, v * 9.0L / 5 + 32};
    return {{OUTPUT + ReferenceResultText(conversions[row].multiplier * v)}};
}

bool ShowsNear(const std::string &shown, long double expected)
{
    double target = static_cast<double>(expected);
    if (!isfinite(target))
        return shown == CONVERSION_OVERFLOW;
    char *end;
    double read = strtod(shown.c_str(), &end);
    return *end == '\0' && !shown.empty() &&
           fabs(read - target) <= RESULT_RELATIVE_ERROR * fabs(target) + RESULT_ABSOLUTE_ERROR;
}

// Every output the request writes is a result (the refusals write "").
void CheckResultShape(const Effects &effects, const std::string &text)
{
    for (const std::string &e : effects) {
        if (e.compare(0, strlen(OUTPUT), OUTPUT) != 0 || e == OUTPUT)
            continue;
        std::string shown = e.substr(strlen(OUTPUT));
        bool fits = shown.size() < RESULT_BUFFER_SIZE &&
                    (shown.size() <= MAX_RESULT_CHARS || shown == CONVERSION_OVERFLOW);
        if (!fits || shown == "-0")
            Fail("result text " + Escaped(shown) + " out of shape", text);
    }
}

void CheckRequest(int row, const std::string &field)
{
    FakeWindow window(row, field);
    window.Convert();
    const Effects &got = window.effects;
    CheckResultShape(got, field);

    Expectation expected = ReferenceRequest(row, field);
    bool agrees = expected.isTemperature
                      ? got.size() == 1 && got[0].compare(0, strlen(OUTPUT), OUTPUT) == 0 &&
                            ShowsNear(got[0].substr(strlen(OUTPUT)), expected.temperature)
                      : got == expected.effects;
    if (!agrees) {
        char near[48];
        snprintf(near, sizeof near, "a result near %.17Lg", expected.temperature);
        std::string wanted = expected.isTemperature ? near : Listed(expected.effects);
        Fail("row " + std::to_string(row) + " shows " + Listed(got) + ", expected " + wanted, field);
    }
}

int RowOf(const uint8_t *data)
{
    unsigned raw = data[0] | data[1] << 8;
    return static_cast<int>(raw % (NUM_CONVERSIONS + 2)) - 1;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < ROW_BYTES)
        return 0;
    std::string text(reinterpret_cast<const char *>(data) + ROW_BYTES, size - ROW_BYTES);
    // The edit control's text is a C string: it ends at the first NUL.
    std::string field = text.substr(0, text.find('\0'));
    CheckReadNumber(field.substr(0, MAX_DIRECT_CHARS));
    CheckRequest(RowOf(data), field);
    return 0;
}
