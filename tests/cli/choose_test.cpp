// Choosing a conversion from what the user typed.
#include <gtest/gtest.h>

#include <ctype.h>

#include <string>
#include <vector>

#include "cli/choose.h"

namespace {

using Rows = std::vector<int>;

struct Case {
    const char *text;
    ChoiceKind kind;
    Rows rows;  // by label, when given; for CHOICE_NONE the first suggestions
};

const Case CASES[] = {
    // Row numbers
    {"48", CHOICE_ONE, {48}},
    {"0", CHOICE_ONE, {0}},
    {"0048", CHOICE_ONE, {48}},
    {"689", CHOICE_ONE, {689}},
    {"690", CHOICE_NO_SUCH_ROW, {}},
    {"99999999999999999999", CHOICE_NO_SUCH_ROW, {}},
    // Exact labels
    {"Inches to Feet -- Length/US", CHOICE_ONE, {114}},
    {"Cubic decimetres to Cubic centimeres -- Volume", CHOICE_ONE, {17}},
    {"Ells (UK -- 0.875) to Metres -- Length", CHOICE_ONE, {200}},
    // Words: prefixes of the names' words, on the side of "to" they stand
    {"inch to feet uk", CHOICE_ONE, {48}},
    {"INCH TO FEET US", CHOICE_ONE, {114}},
    {"feet to inch uk", CHOICE_ONE, {49}},
    {"gallon liquid to litre", CHOICE_ONE, {294}},
    {"litre to gallon liquid", CHOICE_ONE, {295}},
    {"celsius to fahrenheit", CHOICE_ONE, {335}},
    {"Pounds/inch to Kilograms/metre", CHOICE_ONE, {358}},
    {"pound inch to kilogram metre", CHOICE_ONE, {358}},
    // Wholly covered names rank above names with words left over
    {"pound to kilogram", CHOICE_ONE, {322}},
    {"inches to feet -- length/uk", CHOICE_ONE, {48}},
    // Several rows first, one result: converts, naming them all
    {"inch to feet", CHOICE_SAME_RESULT, {48, 114}},
    {"feet to inch", CHOICE_SAME_RESULT, {49, 115}},
    // Several rows first, different results: never one of them silently
    {"pound to ounce", CHOICE_AMBIGUOUS, {113, 185, 69, 139, 105, 177}},
    {"gallon to litre", CHOICE_AMBIGUOUS, {}},
    {"fahrenheit", CHOICE_AMBIGUOUS, {334, 335}},
    // Nothing matches: the closest labels, or none
    {"inch to foot", CHOICE_NONE, {48, 114}},
    {"meter to kilometer", CHOICE_NONE, {12}},
    {"celsius to farenheit", CHOICE_NONE, {335}},
};

TEST(Choose, FindsTheRowsTheTextNames)
{
    static Choice choice;
    for (const Case &c : CASES) {
        Choose(c.text, &choice);
        EXPECT_EQ(choice.kind, c.kind) << c.text;
        Rows got(choice.rows, choice.rows + choice.count);
        if (c.kind == CHOICE_NONE)
            got.resize(std::min(got.size(), c.rows.size()));
        if (!c.rows.empty()) {
            EXPECT_EQ(got, c.rows) << c.text;
        }
    }
}

TEST(Choose, SameResultMeansTheSameMultiplier)
{
    static Choice choice;
    for (const char *text : {"inch to feet", "feet to inch", "pound to ounce", "ounce to pound"}) {
        Choose(text, &choice);
        ASSERT_GT(choice.count, 1) << text;
        bool same = true;
        for (int i = 1; i < choice.count; ++i)
            same = same && conversions[choice.rows[i]].multiplier ==
                               conversions[choice.rows[0]].multiplier;
        EXPECT_EQ(same, choice.kind == CHOICE_SAME_RESULT) << text;
    }
}

TEST(Choose, SuggestsNothingWhenNothingIsNear)
{
    static Choice choice;
    for (const char *text : {"xyzzy", "to", "--", "lbs to kg"}) {
        Choose(text, &choice);
        EXPECT_EQ(choice.kind, CHOICE_NONE) << text;
        EXPECT_EQ(choice.count, 0) << text;
    }
}

TEST(Choose, TooManyWordsMatchNothing)
{
    std::string text = "inch to feet";
    for (int i = 0; i < MAX_WORDS; ++i)
        text += " uk";
    static Choice choice;
    Choose(text.c_str(), &choice);
    EXPECT_EQ(choice.kind, CHOICE_NONE);
}

std::string Lowered(const char *text)
{
    std::string out(text);
    for (char &c : out)
        c = static_cast<char>(tolower(static_cast<unsigned char>(c)));
    return out;
}

TEST(MatchingRows, ListsEveryMatchByLabelRegardlessOfCase)
{
    static int rows[NUM_CONVERSIONS];
    ASSERT_EQ(MatchingRows("", rows), NUM_CONVERSIONS);
    for (int i = 1; i < NUM_CONVERSIONS; ++i)
        EXPECT_LT(Lowered(Label(rows[i - 1])), Lowered(Label(rows[i])));

    // Any rank: names with words left over are listed too.
    EXPECT_EQ(Rows(rows, rows + MatchingRows("inch to feet", rows)),
              Rows({62, 126, 48, 114, 84, 152}));
    EXPECT_EQ(Rows(rows, rows + MatchingRows("temperature", rows)), Rows({334, 335}));
    EXPECT_EQ(MatchingRows("xyzzy", rows), 0);
}

}  // namespace
