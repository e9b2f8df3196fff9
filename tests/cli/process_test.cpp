// The real mensurix program, run as a child process: what it writes on
// standard output and error and the status it exits with, for arguments and
// input. The same cases run natively and, against mensurix.exe, under Wine.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/cli/run_program.h"
#include "tests/core/warning_texts.h"

namespace {

using Args = std::vector<std::string>;

// Exit statuses, as --help documents them.
const int CONVERTED = 0;
const int REFUSED = 1;
const int NO_UNIQUE_MATCH = 2;

// The window's warnings as the program writes them for the same texts.
std::string Said(const char *warning, const std::string &where = "")
{
    return "mensurix: " + where + warning + "\n";
}
const std::string EMPTY = Said(EMPTY_INPUT_WARNING);
const std::string INVALID = Said(INVALID_INPUT_WARNING);
const std::string OVERFLOW_ = Said(INPUT_OVERFLOW_WARNING);
const std::string BELOW_CELSIUS = Said(BELOW_ZERO_CELSIUS_WARNING);
const std::string BELOW_FAHRENHEIT = Said(BELOW_ZERO_FAHRENHEIT_WARNING);

struct Case {
    Args args;
    std::string input;         // standard input
    std::string out;           // standard output, exactly
    std::vector<std::string> err;  // each appears in standard error; none: it stays empty
    int status;
};

std::string Program() { return ProgramBeside("mensurix"); }

void Check(const Case &c, const ProgramRun &run, const std::string &what)
{
    EXPECT_EQ(run.out, c.out) << what;
    EXPECT_EQ(run.status, c.status) << what << "\nstderr: " << run.err;
    if (c.err.empty()) {
        EXPECT_EQ(run.err, "") << what;
    }
    for (const std::string &fragment : c.err)
        EXPECT_NE(run.err.find(fragment), std::string::npos)
            << what << "\nstderr lacks: " << fragment << "\nstderr: " << run.err;
}

std::string Described(const Case &c)
{
    std::string text = "mensurix";
    for (const std::string &arg : c.args)
        text += " [" + arg + "]";
    return text + (c.input.empty() ? "" : " < " + c.input.substr(0, 60));
}

void RunCases(const std::vector<Case> &cases)
{
    for (const Case &c : cases)
        Check(c, RunProgram(Program(), c.args, c.input), Described(c));
}

TEST(Mensurix, ChoosesTheConversion)
{
    RunCases({
        // By row number, label or words
        {{"12", "48"}, "", "1\n", {}, CONVERTED},
        {{"12", "Inches to Feet -- Length/UK"}, "", "1\n", {}, CONVERTED},
        {{"12", "Inches", "to", "Feet", "--", "Length/US"}, "", "1\n", {}, CONVERTED},
        {{"12", "inch", "to", "feet", "uk"}, "", "1\n", {}, CONVERTED},
        {{"5", "gallon", "liquid", "to", "litre"}, "", "18.9271\n", {}, CONVERTED},
        {{"1", "pound", "to", "kilogram"}, "", "0.453592\n", {}, CONVERTED},
        {{"100", "celsius", "to", "fahrenheit"}, "", "212\n", {}, CONVERTED},
        // Several rows, one result: converted, the rows named
        {{"12", "inch", "to", "feet"},
         "",
         "1\n",
         {"\"inch to feet\" matches 2 conversions with the same result:\n",
          "   48  Inches to Feet -- Length/UK\n", "  114  Inches to Feet -- Length/US\n"},
         CONVERTED},
        // Several rows, different results: listed, nothing converted
        {{"1", "pound", "to", "ounce"},
         "",
         "",
         {"\"pound to ounce\" matches 6 conversions with different results:\n",
          "   69  Pounds to Ounces -- Mass (Avoirdupois)/UK\n",
          "  105  Pounds to Ounces -- Troy Weights/UK\n"},
         NO_UNIQUE_MATCH},
        // Nothing: the closest labels, when there are any
        {{"1", "inch", "to", "foot"},
         "",
         "",
         {"mensurix: no conversion matches \"inch to foot\"; the closest are:\n",
          "   48  Inches to Feet -- Length/UK\n"},
         NO_UNIQUE_MATCH},
        {{"1", "xyzzy"}, "", "", {"no conversion matches \"xyzzy\""}, NO_UNIQUE_MATCH},
        {{"1", "690"}, "", "", {"no row 690: the rows are 0 to 689"}, NO_UNIQUE_MATCH},
    });
}

TEST(Mensurix, ShowsResultsAsTheWindowDoesOrAsAsked)
{
    RunCases({
        // The window's six digits by default
        {{"-5", "48"}, "", "-0.416667\n", {}, CONVERTED},
        {{"1234565", "160"}, "", "1.23456e+06\n", {}, CONVERTED},
        {{"1234575", "160"}, "", "1.23458e+06\n", {}, CONVERTED},
        {{"0.00001", "160"}, "", "1e-05\n", {}, CONVERTED},
        {{"1", "226"}, "", "3.08568e+16\n", {}, CONVERTED},
        {{"-0", "1"}, "", "0\n", {}, CONVERTED},
        {{"-1e-400", "1"}, "", "0\n", {}, CONVERTED},
        {{" 5", "1"}, "", "50\n", {}, CONVERTED},
        {{"5e", "1"}, "", "50\n", {}, CONVERTED},
        {{"-40", "335"}, "", "-40\n", {}, CONVERTED},
        {{"-273.15", "335"}, "", "-459.67\n", {}, CONVERTED},
        {{"-459.67", "334"}, "", "-273.15\n", {}, CONVERTED},
        // Longer than the window's field holds: read whole
        {{"1234567890125", "1"}, "", "1.23457e+13\n", {}, CONVERTED},
        // More digits, or just enough to read back the same double
        {{"--digits", "17", "1", "48"}, "", "0.083333333333333329\n", {}, CONVERTED},
        {{"--digits=3", "1", "48"}, "", "0.0833\n", {}, CONVERTED},
        {{"1", "48", "--digits", "1"}, "", "0.08\n", {}, CONVERTED},
        {{"--exact", "1", "48"}, "", "0.08333333333333333\n", {}, CONVERTED},
        {{"--exact", "100000", "160"}, "", "100000\n", {}, CONVERTED},
        {{"--exact", "-40", "335"}, "", "-40.00000000000001\n", {}, CONVERTED},
        // The window's warnings, as messages
        {{"", "1"}, "", "", {EMPTY}, REFUSED},
        {{"abc", "1"}, "", "", {INVALID}, REFUSED},
        {{"5 ", "1"}, "", "", {INVALID}, REFUSED},
        {{"1,5", "1"}, "", "", {INVALID}, REFUSED},
        {{"+INF", "1"}, "", "", {INVALID}, REFUSED},
        {{"1e309", "1"}, "", "", {OVERFLOW_}, REFUSED},
        {{"9e4932", "1"}, "", "", {OVERFLOW_}, REFUSED},
        {{"-273.16", "335"}, "", "", {BELOW_CELSIUS}, REFUSED},
        {{"-459.68", "334"}, "", "", {BELOW_FAHRENHEIT}, REFUSED},
        {{"1e308", "1"}, "", "", {"mensurix: conversion overflow\n"}, REFUSED},
        {{"--exact", "1e308", "335"}, "", "", {"mensurix: conversion overflow\n"}, REFUSED},
    });
}

TEST(Mensurix, ConvertsABatchLineForLine)
{
    std::string megabyte(1 << 20, '5');
    RunCases({
        {{"--batch"}, "12 48\n24 inch to feet uk\n", "1\n2\n", {}, CONVERTED},
        // Bad lines: a message each with its line number, an empty output
        // line in their place, the good lines around them kept
        {{"--batch"},
         "12 48\nabc 48\n\n   \n5 inch to feet\n1 pound to ounce\n2 pound to ounce\n"
         "1e308 1\n-300 335\n7 48\n1 xyzzy\n2 xyzzy\n3\n",
         "1\n\n\n\n0.416667\n\n\n\n\n0.583333\n\n\n\n",
         {Said(INVALID_INPUT_WARNING, "line 2: "),
          "mensurix: line 3: empty line\n", "mensurix: line 4: empty line\n",
          "mensurix: line 5: \"inch to feet\" matches 2 conversions with the same result:\n",
          "mensurix: line 6: \"pound to ounce\" matches 6 conversions with different results:\n",
          "mensurix: line 7: \"pound to ounce\" matches 6 conversions with different results "
          "(see line 6)\n",
          "mensurix: line 8: conversion overflow\n",
          Said(BELOW_ZERO_CELSIUS_WARNING, "line 9: "),
          "mensurix: line 11: no conversion matches \"xyzzy\"",
          "mensurix: line 12: no conversion matches \"xyzzy\" (see line 11)\n",
          "mensurix: line 13: no conversion given\n"},
         REFUSED},
        // CR LF line ends, and a last line without one
        {{"--batch"}, "12 48\r\n24 48\r\n\r\n36 48", "1\n2\n\n3\n", {"line 3: empty line"}, REFUSED},
        // Blanks of any kind and count between the words
        {{"--batch"}, "\t12\t inch  to\tfeet  uk \n", "1\n", {}, CONVERTED},
        // A line of a megabyte, dropped, the lines around it kept
        {{"--batch"},
         "12 48\n" + megabyte + "\n24 48\n" + megabyte,
         "1\n\n2\n\n",
         {"mensurix: line 2: longer than 4096 bytes\n", "mensurix: line 4: longer than 4096 bytes\n"},
         REFUSED},
        // Binary bytes
        {{"--batch"},
         std::string("12 48\n\x00\x01\xff\n5 4\x00" "8\n\xfe\xff 48\n24 48\n\x7f\n", 30),
         "1\n\n\n\n2\n\n",
         {"mensurix: line 2: not text: byte 0x00 at column 1\n",
          "mensurix: line 3: not text: byte 0x00 at column 4\n", Said(INVALID_INPUT_WARNING, "line 4: "),
          "mensurix: line 6: not text: byte 0x7f at column 1\n"},
         REFUSED},
        // Output control applies to every line
        {{"--batch", "--exact"}, "1 48\n100 335\n", "0.08333333333333333\n212\n", {}, CONVERTED},
        {{"--digits", "2", "--batch", "-"}, "1 48\n", "0.083\n", {}, CONVERTED},
        // Nothing in, nothing out
        {{"--batch"}, "", "", {}, CONVERTED},
    });
}

TEST(Mensurix, ReadsABatchFromAFile)
{
    TempFile requests("12 48\nabc 48\n36 inch to feet us\n");
    RunCases({
        {{"--batch", requests.path()},
         "",
         "1\n\n3\n",
         {Said(INVALID_INPUT_WARNING, "line 2: ")},
         REFUSED},
        {{"--batch", requests.path() + ".missing"}, "", "", {"mensurix: cannot open "}, NO_UNIQUE_MATCH},
    });
}

TEST(Mensurix, ListsConversions)
{
    RunCases({
        {{"list", "inch", "to", "feet", "uk"},
         "",
         "62\tCubic inches to Cubic feet -- Volume/UK\t0.00057870370370370367\n"
         "48\tInches to Feet -- Length/UK\t0.083333333333333329\n"
         "84\tSquare inches to Square feet -- Area/UK\t0.0069444444444444441\n",
         {},
         CONVERTED},
        {{"list", "temp"},
         "",
         "334\tDegree Fahrenheit to Degrees Celsius -- Temperature\tspecial\n"
         "335\tDegrees Celsius to Degrees Fahrenheit -- Temperature\tspecial\n",
         {},
         CONVERTED},
        {{"list", "xyzzy"}, "", "", {"no conversion matches \"xyzzy\""}, NO_UNIQUE_MATCH},
    });
    ProgramRun all = RunProgram(Program(), {"list"}, "");
    EXPECT_EQ(all.status, CONVERTED);
    EXPECT_EQ(std::count(all.out.begin(), all.out.end(), '\n'), 690);
    EXPECT_EQ(all.out.substr(0, all.out.find('\n')), "240\tAcres to Square metres -- Area\t4046.8564224000002");
}

TEST(Mensurix, FollowsTheCommandLineConventions)
{
    RunCases({
        {{"--", "-5", "48"}, "", "-0.416667\n", {}, CONVERTED},
        {{}, "", "", {"mensurix: no number given\n", "Try 'mensurix --help'."}, NO_UNIQUE_MATCH},
        {{"12"}, "", "", {"mensurix: no conversion given\n"}, NO_UNIQUE_MATCH},
        {{"--frobnicate", "1", "48"}, "", "", {"unknown option --frobnicate"}, NO_UNIQUE_MATCH},
        {{"--digits", "18", "1", "48"}, "", "", {"--digits takes 1 to 17, not 18"}, NO_UNIQUE_MATCH},
        {{"--digits", "0", "1", "48"}, "", "", {"--digits takes 1 to 17"}, NO_UNIQUE_MATCH},
        {{"1", "48", "--digits"}, "", "", {"--digits needs a count"}, NO_UNIQUE_MATCH},
        {{"--exact", "--digits", "3", "1", "48"}, "", "", {"exclude each other"}, NO_UNIQUE_MATCH},
        {{"--batch", "a", "b"}, "", "", {"--batch takes one file at most"}, NO_UNIQUE_MATCH},
        {{"--version"}, "", "mensurix 1.0\nCopyright (c) 2026 Zorq Software\n", {}, CONVERTED},
    });
    ProgramRun help = RunProgram(Program(), {"--help"}, "");
    EXPECT_EQ(help.status, CONVERTED);
    EXPECT_EQ(help.err, "");
    for (const char *part : {"Usage: mensurix", "--digits N", "--exact", "--batch", "list",
                             "Exit status:\n  0  ", "\n  1  ", "\n  2  "})
        EXPECT_NE(help.out.find(part), std::string::npos) << part;
}

}  // namespace
