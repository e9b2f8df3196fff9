// Hostile input in the real MX.EXE: over-long texts, pasted texts, control
// characters, characters beyond ASCII, odd exponents and white space
// everywhere; and windows with titles of thousands of characters while Help
// looks for its own.
#include <gtest/gtest.h>

#include <windows.h>

#include <stdio.h>

#include <memory>
#include <string>
#include <vector>

#include "resources/ids.h"
#include "tests/core/rows.h"
#include "tests/core/warning_texts.h"
#include "tests/wine/fake_help.h"
#include "tests/wine/mx_process.h"

namespace {

enum Outcome {
    RESULT,            // the output shows the result, the input is kept
    EMPTY_WARNING,     // both fields kept
    INVALID_WARNING,   // both fields emptied
    OVERFLOW_WARNING,  // both fields emptied
};

std::wstring WarningText(Outcome outcome)
{
    switch (outcome) {
    case EMPTY_WARNING:
        return Widen(EMPTY_INPUT_WARNING);
    case INVALID_WARNING:
        return Widen(INVALID_INPUT_WARNING);
    case OVERFLOW_WARNING:
        return Widen(INPUT_OVERFLOW_WARNING);
    default:
        return L"";
    }
}

struct Case {
    bool pasted;          // from the clipboard, else set with WM_SETTEXT
    std::wstring text;    // what is set or pasted
    std::wstring held;    // what the input field then holds
    Outcome outcome;
    std::wstring output;  // RESULT only
};

Case Set(const std::wstring &text, Outcome outcome, const std::wstring &output = L"")
{
    return {false, text, text, outcome, output};
}

Case Paste(const std::wstring &text, const std::wstring &held, Outcome outcome,
           const std::wstring &output = L"")
{
    return {true, text, held, outcome, output};
}

std::wstring Repeat(wchar_t c, size_t count) { return std::wstring(count, c); }

// The cases, all on centimetres to millimetres (x 10). The program
// reads only the first 12 characters, whatever the field holds.
std::vector<Case> HostileCases()
{
    const std::wstring ONE_AND_NINES = L"000000000001" + Repeat(L'9', 288);  // 300 characters
    return {
        // Longer than 12 and than 256 characters, set whole: judged by the first 12.
        Set(ONE_AND_NINES, RESULT, L"10"),
        Set(Repeat(L'1', 300), RESULT, L"1.11111e+12"),
        Set(Repeat(L'9', 1000), RESULT, L"1e+13"),
        Set(L"1234567890123x", RESULT, L"1.23457e+12"),
        Set(L"12345678901e5", RESULT, L"1.23457e+11"),
        Set(L"1e308" + Repeat(L'0', 295), OVERFLOW_WARNING),
        Set(Repeat(L' ', 12) + L"5", INVALID_WARNING),
        Set(Repeat(L' ', 300), INVALID_WARNING),
        Set(L"x" + Repeat(L'1', 299), INVALID_WARNING),
        // Pasted: the field takes no more than 12 characters and no line break.
        Paste(ONE_AND_NINES, L"000000000001", RESULT, L"10"),
        Paste(L"1234567890123x", L"123456789012", RESULT, L"1.23457e+12"),
        Paste(Repeat(L' ', 300), Repeat(L' ', 12), INVALID_WARNING),
        Paste(L"5\r\n7", L"5", RESULT, L"50"),
        Paste(L"\r\n5", L"", EMPTY_WARNING),
        Paste(L"\t5", L"\t5", RESULT, L"50"),
        Paste(L"1e309", L"1e309", OVERFLOW_WARNING),
        Paste(L"\u00b5", L"\u00b5", INVALID_WARNING),
        // Control characters and line breaks, set whole.
        Set(L" \t\n\v\f\r5", RESULT, L"50"),
        Set(L"\r\n5", RESULT, L"50"),
        Set(L"5\r\n", INVALID_WARNING),
        Set(L"5\r\n7", INVALID_WARNING),
        Set(L"\b5", INVALID_WARNING),
        Set(L"5\x01", INVALID_WARNING),
        Set(L"\x1b" L"5", INVALID_WARNING),
        Set(L"\x7f", INVALID_WARNING),
        // Beyond ASCII.
        Set(L"\u00b5", INVALID_WARNING),
        Set(L"5\u00e9", INVALID_WARNING),
        Set(L"\u00a0" L"5", INVALID_WARNING),  // no-break space
        // Modifier letters (an apostrophe, an arrowhead, a tilde) that Wine
        // 8's text shaping crashed on when the window had no fonts but
        // DejaVu Sans: typed, pasted or set, they took the program down.
        Set(L"5\u02bc", INVALID_WARNING),
        Set(L"\u02c2" L"5", INVALID_WARNING),
        Paste(L"\u02dc", L"\u02dc", INVALID_WARNING),
        // Look-alikes of digits and signs, which the system's "best fit"
        // would turn into the ASCII characters they resemble.
        Set(L"\uff15", INVALID_WARNING),         // full-width 5
        Set(L"\u2212" L"5", INVALID_WARNING),    // minus sign
        Set(L"1\u2075", INVALID_WARNING),        // superscript 5
        Set(L"1\u221e", INVALID_WARNING),        // infinity, "8" at best fit
        // Signs and points.
        Set(L"+", INVALID_WARNING),
        Set(L"-", INVALID_WARNING),
        Set(L".", INVALID_WARNING),
        Set(L"-.", INVALID_WARNING),
        Set(L"+.e5", INVALID_WARNING),
        Set(L"--5", INVALID_WARNING),
        Set(L"+-5", INVALID_WARNING),
        Set(L"1..2", INVALID_WARNING),
        Set(L"1.2.3", INVALID_WARNING),
        Set(L".5", RESULT, L"5"),
        Set(L"5.", RESULT, L"50"),
        Set(L"+.5e1", RESULT, L"50"),
        // Exponents.
        Set(L"e", INVALID_WARNING),
        Set(L"E", INVALID_WARNING),
        Set(L"e+", INVALID_WARNING),
        Set(L"e-", INVALID_WARNING),
        Set(L"e5", INVALID_WARNING),
        Set(L"1ee5", INVALID_WARNING),
        Set(L"1e5e", INVALID_WARNING),
        Set(L"1e5.5", INVALID_WARNING),
        Set(L"1e+-5", INVALID_WARNING),
        Set(L"1e", RESULT, L"10"),
        Set(L"1E+", RESULT, L"10"),
        Set(L"1e-", RESULT, L"10"),
        Set(L"1e-400", RESULT, L"0"),
        Set(L"-1e-400", RESULT, L"0"),
        Set(L"1e-99999999", RESULT, L"0"),
        Set(L"-1.7e308", RESULT, L"conversion overflow"),
        Set(L"1e309", OVERFLOW_WARNING),
        Set(L"-1e309", OVERFLOW_WARNING),
        Set(L"9e4932", OVERFLOW_WARNING),
        Set(L"1e99999999", OVERFLOW_WARNING),
        // Leading zeros.
        Set(L"007", RESULT, L"70"),
        Set(L"000000000005", RESULT, L"50"),
        Set(L"0000000000.1", RESULT, L"1"),
        Set(L"-000", RESULT, L"0"),
        Set(L"00e00", RESULT, L"0"),
        Set(L"0x10", INVALID_WARNING),
        // White space inside and after.
        Set(L"", EMPTY_WARNING),
        Set(L"5 ", INVALID_WARNING),
        Set(L"5\t", INVALID_WARNING),
        Set(L"5 0", INVALID_WARNING),
        Set(L"- 5", INVALID_WARNING),
        Set(L"1. 5", INVALID_WARNING),
        Set(L"5 e5", INVALID_WARNING),
        Set(L"5e 5", INVALID_WARNING),
    };
}

// Shows a text's control and non-ASCII characters as \xNN, for messages.
std::string Printable(const std::wstring &text)
{
    std::string shown;
    for (wchar_t c : text) {
        if (c >= 0x20 && c < 0x7f) {
            shown += char(c);
        } else {
            char escaped[16];
            snprintf(escaped, sizeof escaped, "\\x%02x", unsigned(c));
            shown += escaped;
        }
    }
    return shown.size() > 40 ? shown.substr(0, 40) + "... (" + std::to_string(text.size()) + ")"
                             : shown;
}

class HostileInput : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(mx.window(), nullptr) << "MX.EXE did not show its window"; }

    void Enter(const Case &c)
    {
        if (c.pasted) {
            mx.SetText(IDC_INPUT, L"");  // the paste goes in at the caret
            mx.Paste(IDC_INPUT, c.text);
        } else {
            mx.SetText(IDC_INPUT, c.text.c_str());
        }
        mx.Sync();
    }

    // Enters the case's text, converts and checks the warning and fields.
    void Check(const Case &c)
    {
        const std::wstring EARLIER = L"earlier";
        SCOPED_TRACE((c.pasted ? "pasted \"" : "set \"") + Printable(c.text) + "\"");
        mx.SetText(IDC_OUTPUT, EARLIER.c_str());
        Enter(c);
        EXPECT_EQ(mx.Text(IDC_INPUT), c.held) << "what the field holds";

        EXPECT_EQ(mx.Convert(), WarningText(c.outcome));

        bool emptied = c.outcome == INVALID_WARNING || c.outcome == OVERFLOW_WARNING;
        EXPECT_EQ(mx.Text(IDC_INPUT), emptied ? L"" : c.held);
        EXPECT_EQ(mx.Text(IDC_OUTPUT), c.outcome == RESULT ? c.output : emptied ? L"" : EARLIER);
        ASSERT_TRUE(mx.IsRunning());
    }

    MxProcess mx;
};

TEST_F(HostileInput, EachTextGetsItsResultOrWarningAndNothingCrashes)
{
    mx.SelectRow(CM_TO_MM);
    for (const Case &c : HostileCases())
        Check(c);

    mx.SelectRow(INCHES_TO_FEET);
    mx.SetText(IDC_INPUT, L"12");
    EXPECT_EQ(mx.Convert(), L"");
    EXPECT_EQ(mx.Text(IDC_OUTPUT), L"1") << "a plain conversion after all that";
}

// ------------------------------------------------------------ Long titles

const int TITLE_LENGTHS[] = {5000, 32000};  // up to what a command line holds

// Windows whose titles run to thousands of characters; made after any help
// window, they come before it in the order Help looks at windows.
std::vector<std::unique_ptr<FakeHelpWindow>> LongTitledWindows()
{
    std::vector<std::unique_ptr<FakeHelpWindow>> windows;
    for (int length : TITLE_LENGTHS) {
        windows.emplace_back(new FakeHelpWindow(Repeat(L'M', length)));
        EXPECT_NE(windows.back()->window(), nullptr) << length;
    }
    return windows;
}

TEST(LongTitles, HelpStillAdvertisesWithoutAHelpWindow)
{
    auto windows = LongTitledWindows();
    MxProcess mx;
    ASSERT_NE(mx.window(), nullptr);
    mx.Click(IDC_HELP);
    HWND advert = mx.WaitForOwnedPopup();
    ASSERT_NE(advert, nullptr) << "the advertisement, as no help is in reach";
    mx.PressKey(VK_ESCAPE);
    EXPECT_TRUE(mx.WaitForClose(advert));
    EXPECT_TRUE(mx.IsRunning());
}

TEST(LongTitles, HelpStillFindsItsWindowBehindThem)
{
    FakeHelpWindow help(Widen(HELP_TITLE));
    ASSERT_NE(help.window(), nullptr);
    auto windows = LongTitledWindows();

    MxProcess mx;
    ASSERT_NE(mx.window(), nullptr);
    ExpectHelpBringsToFront(mx, help.window());
    EXPECT_TRUE(mx.IsRunning());
}

}  // namespace
