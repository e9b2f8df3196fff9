// Choosing catalogue rows from what the user typed: a row number, a label,
// or words that match the units' names and the category.
//
// Words before "to" match the source units or the category, words after it
// the target units or the category; without "to" a word may match any of
// them. A word matches when it is a case-insensitive prefix of a word of the
// name, names splitting at spaces and punctuation. Every word must match.
// A row whose unit names are wholly covered by the words ranks above one
// that leaves name words over.
#ifndef MX_CLI_CHOOSE_H
#define MX_CLI_CHOOSE_H

#include "catalogue/catalogue.h"

enum ChoiceKind {
    CHOICE_ONE,          // rows[0] is the conversion
    CHOICE_SAME_RESULT,  // several rows rank first, all with the same result
    CHOICE_AMBIGUOUS,    // several rows rank first, with different results
    CHOICE_NONE,         // nothing matches; rows holds the closest, if any
    CHOICE_NO_SUCH_ROW   // a row number beyond the catalogue
};

enum {
    MAX_SUGGESTIONS = 5,
    MAX_WORDS = 64  // a text of more words matches nothing
};

struct Choice {
    ChoiceKind kind;
    int count;                  // rows named below
    int rows[NUM_CONVERSIONS];  // by label, regardless of case
};

// Chooses the conversion named by `text`: row digits, an exact label or
// words. Expects no leading or trailing white space.
void Choose(const char *text, Choice *choice);

// Every row that the words of `text` match, whatever its rank, by label
// regardless of case; all rows when `text` has no words. Returns the count.
int MatchingRows(const char *text, int *rows);

// The label of `row`, composed once.
const char *Label(int row);

#endif
