// The real main window under Wine: its list, its warnings and its keys.
#include <gtest/gtest.h>

#include <windows.h>

#include <set>
#include <string>

#include "catalogue/catalogue.h"
#include "resources/ids.h"
#include "tests/core/rows.h"
#include "tests/core/warning_texts.h"
#include "tests/wine/mx_process.h"

namespace {

std::wstring Label(int row)
{
    char label[LABEL_BUFFER_SIZE];
    ComposeLabel(row, label);
    return Widen(label);
}

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(mx.window(), nullptr) << "MX.EXE did not show its window"; }

    // Posts Convert and expects a warning with `text`; checks the box and
    // dismisses it.
    void ExpectWarning(const char *text)
    {
        mx.Click(IDC_CONVERT);
        HWND box = mx.WaitForOwnedPopup();
        ASSERT_NE(box, nullptr) << "no warning for: " << text;
        EXPECT_EQ(MessageBoxText(box), Widen(text));
        EXPECT_EQ(TextOf(box), L"Mensurix");
        EXPECT_NE(MessageBoxIcon(box), nullptr) << "the warning icon";
        EXPECT_NE(GetDlgItem(box, IDOK), nullptr);
        EXPECT_EQ(GetDlgItem(box, IDCANCEL), nullptr) << "OK is the only button";
        ExpectCentredOver(mx.window(), box);
        ASSERT_TRUE(mx.PressOk(box));
    }

    void ExpectNoPopup() { EXPECT_EQ(mx.WaitForOwnedPopup(300), nullptr); }

    MxProcess mx;
};

TEST_F(MainWindow, ListsEveryConversionWithItsRow)
{
    HWND list = mx.control(IDC_LIST);
    ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), NUM_CONVERSIONS);
    EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0);

    std::set<LRESULT> rows;
    wchar_t text[LABEL_BUFFER_SIZE];
    for (int i = 0; i < NUM_CONVERSIONS; ++i) {
        LRESULT row = SendMessageW(list, LB_GETITEMDATA, i, 0);
        ASSERT_TRUE(row >= 0 && row < NUM_CONVERSIONS) << "entry " << i;
        SendMessageW(list, LB_GETTEXT, i, (LPARAM)text);
        EXPECT_EQ(text, Label(row)) << "entry " << i;
        rows.insert(row);
    }
    EXPECT_EQ(rows.size(), size_t(NUM_CONVERSIONS));

    SendMessageW(list, LB_GETTEXT, 0, (LPARAM)text);
    EXPECT_STREQ(text, L"Acres to Square metres -- Area");
    EXPECT_EQ(SendMessageW(list, LB_GETITEMDATA, 0, 0), ACRES_TO_SQ_METRES);
    SendMessageW(list, LB_GETTEXT, NUM_CONVERSIONS - 1, (LPARAM)text);
    EXPECT_STREQ(text, L"Yards/second to Metres/second -- Speed");
    EXPECT_EQ(mx.Text(IDC_INPUT), L"");
    EXPECT_EQ(mx.Text(IDC_OUTPUT), L"");
}

TEST_F(MainWindow, StartsWithTheCaretInTheInputField)
{
    EXPECT_TRUE(WaitFor([&] { return mx.Focus() == mx.control(IDC_INPUT); }, 5000));
}

TEST_F(MainWindow, ConvertsTheSelectedRow)
{
    const struct {
        int row;
        const wchar_t *input, *output;
    } cases[] = {
        {INCHES_TO_FEET, L"12", L"1"},
        {INCHES_TO_FEET, L"-5", L"-0.416667"},
        {CM_TO_MM, L" 5", L"50"},
        {CM_TO_MM, L"5e", L"50"},
        {CM_TO_MM, L"1e-400", L"0"},
        {CM_TO_MM, L"-0", L"0"},
        {SQ_MILES_TO_SECTIONS, L"1234567", L"1.23457e+06"},
        {CM_TO_MM, L"123456789012", L"1.23457e+12"},
        {KMH_TO_MS, L"36", L"10"},
        {C_TO_F, L"100", L"212"},
        {C_TO_F, L"-40", L"-40"},
        {F_TO_C, L"-459.67", L"-273.15"},
        {CM_TO_MM, L"1e308", L"conversion overflow"},
        {CM_TO_MM, L"5", L"50"},  // right after the overflow
        {C_TO_F, L"1e308", L"conversion overflow"},
    };
    for (const auto &c : cases) {
        mx.SelectRow(c.row);
        mx.SetText(IDC_INPUT, c.input);
        mx.Click(IDC_CONVERT);
        mx.Sync();
        EXPECT_EQ(mx.Text(IDC_OUTPUT), c.output) << "row " << c.row;
        EXPECT_EQ(mx.Text(IDC_INPUT), c.input) << "row " << c.row;
    }
    ExpectNoPopup();
}

TEST_F(MainWindow, WarningsSayWhatIsWrongAndClearAsTheyShould)
{
    const struct {
        int row;  // -1: no entry selected
        const wchar_t *input;
        const char *warning;
        bool emptied;  // both fields emptied and the caret in the input field
    } cases[] = {
        {-1, L"5", NO_SELECTION_WARNING, false},
        {CM_TO_MM, L"", EMPTY_INPUT_WARNING, false},
        {CM_TO_MM, L"abc", INVALID_INPUT_WARNING, true},
        {CM_TO_MM, L"5 ", INVALID_INPUT_WARNING, true},
        {CM_TO_MM, L"1,5", INVALID_INPUT_WARNING, true},
        {CM_TO_MM, L"1e309", INPUT_OVERFLOW_WARNING, true},
        {CM_TO_MM, L"9e999", INPUT_OVERFLOW_WARNING, true},
        {CM_TO_MM, L"9e4932", INPUT_OVERFLOW_WARNING, true},
        {C_TO_F, L"-273.16", BELOW_ZERO_CELSIUS_WARNING, true},
        {F_TO_C, L"-459.68", BELOW_ZERO_FAHRENHEIT_WARNING, true},
    };
    for (const auto &c : cases) {
        SCOPED_TRACE(c.warning);
        if (c.row < 0)
            SendMessageW(mx.control(IDC_LIST), LB_SETCURSEL, (WPARAM)-1, 0);
        else
            mx.SelectRow(c.row);
        mx.SetText(IDC_INPUT, c.input);
        mx.SetText(IDC_OUTPUT, L"earlier");
        mx.FocusControl(IDC_LIST);

        ExpectWarning(c.warning);

        EXPECT_EQ(mx.Text(IDC_INPUT), c.emptied ? L"" : c.input);
        EXPECT_EQ(mx.Text(IDC_OUTPUT), c.emptied ? L"" : L"earlier");
        bool inputFocused = c.emptied || *c.input == 0;
        EXPECT_EQ(mx.Focus(), mx.control(inputFocused ? IDC_INPUT : IDC_LIST));
    }
}

TEST_F(MainWindow, WarningIsCentredWhereverTheOwnerIs)
{
    mx.SelectRow(CM_TO_MM);
    // Moved, then smaller than the box: it sticks out evenly on both sides.
    const RECT places[] = {{300, 200, 900, 700}, {37, 51, 98, 90}, {0, 0, 121, 33}};
    for (const RECT &place : places) {
        MoveWindow(mx.window(), place.left, place.top, place.right - place.left,
                   place.bottom - place.top, TRUE);
        mx.SetText(IDC_INPUT, L"abc");
        ExpectWarning(INVALID_INPUT_WARNING);
    }
}

TEST_F(MainWindow, EnterConvertsFromTheInputFieldAndFromTheList)
{
    mx.SelectRow(INCHES_TO_FEET);
    for (int id : {IDC_INPUT, IDC_LIST}) {
        mx.SetText(IDC_INPUT, L"24");
        mx.SetText(IDC_OUTPUT, L"");
        mx.FocusControl(id);
        mx.PressKey(VK_RETURN);
        EXPECT_TRUE(mx.WaitForText(IDC_OUTPUT, L"2")) << "from control " << id;
    }
}

TEST_F(MainWindow, DoubleClickOnlySelects)
{
    mx.SetText(IDC_INPUT, L"5");
    HWND list = mx.control(IDC_LIST);
    PostMessageW(mx.window(), WM_COMMAND, MAKEWPARAM(IDC_LIST, LBN_DBLCLK), (LPARAM)list);
    mx.Sync();
    EXPECT_EQ(mx.Text(IDC_OUTPUT), L"");
    ExpectNoPopup();
}

TEST_F(MainWindow, EraseEmptiesBothFieldsAndKeepsTheSelection)
{
    mx.SelectRow(INCHES_TO_FEET);
    LRESULT selected = SendMessageW(mx.control(IDC_LIST), LB_GETCURSEL, 0, 0);
    mx.SetText(IDC_INPUT, L"12");
    mx.Click(IDC_CONVERT);
    ASSERT_TRUE(mx.WaitForText(IDC_OUTPUT, L"1"));
    mx.FocusControl(IDC_LIST);

    mx.Click(IDC_ERASE);
    mx.Sync();
    EXPECT_EQ(mx.Text(IDC_INPUT), L"");
    EXPECT_EQ(mx.Text(IDC_OUTPUT), L"");
    EXPECT_EQ(mx.Focus(), mx.control(IDC_INPUT));
    EXPECT_EQ(SendMessageW(mx.control(IDC_LIST), LB_GETCURSEL, 0, 0), selected);
}

TEST_F(MainWindow, TypingStopsAtTwelveCharacters)
{
    HWND input = mx.control(IDC_INPUT);
    for (const wchar_t *c = L"1234567890123"; *c; ++c)
        PostMessageW(input, WM_CHAR, *c, 1);
    mx.Sync();
    EXPECT_EQ(mx.Text(IDC_INPUT), L"123456789012");

    mx.SelectRow(CM_TO_MM);
    mx.Click(IDC_CONVERT);
    EXPECT_TRUE(mx.WaitForText(IDC_OUTPUT, L"1.23457e+12"));
}

TEST_F(MainWindow, EscapeEndsTheProgramWithExitCodeZero)
{
    mx.FocusControl(IDC_INPUT);
    mx.PressKey(VK_ESCAPE);
    EXPECT_EQ(mx.WaitForExit(), 0u);
}

}  // namespace
