#include "cli/choose.h"

#include <stdint.h>
#include <stdlib.h>
#include <string.h>

#include <algorithm>

namespace {

// Which names of a row a typed word may match.
enum Part { SOURCE = 1, TARGET = 2, CATEGORY = 4, ANY_PART = SOURCE | TARGET | CATEGORY };

const char SEPARATOR[] = "to";
// A name has a handful of words; a row's three names fit one 64-bit mask.
const int MAX_NAME_WORDS = 16;
// Typos are scored on this many leading characters of a word at most.
const int MAX_SCORED_CHARS = 24;
// Suggestions: a typed word this close to a name word counts as meant for
// it; each name word that none is meant for lowers the row's score.
const double NEAR_RESEMBLANCE = 0.5;
const double MISSED_WORD_WEIGHT = 0.25;

struct Word {
    const char *text;
    int length;
    int parts;  // a typed word: the names it may match; a name's word: its name
};

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// Words are runs of letters, digits and non-ASCII bytes; everything else
// separates them.
bool IsWordChar(char c)
{
    return (c >= '0' && c <= '9') || (Lower(c) >= 'a' && Lower(c) <= 'z') ||
           static_cast<unsigned char>(c) >= 0x80;
}

// Splits `text` into words and keeps the first `max`; returns how many
// there are in all.
int SplitWords(const char *text, Word *words, int max, int parts)
{
    int count = 0;
    for (const char *p = text; *p;) {
        if (!IsWordChar(*p)) {
            ++p;
            continue;
        }
        const char *start = p;
        while (IsWordChar(*p))
            ++p;
        if (count < max)
            words[count] = {start, static_cast<int>(p - start), parts};
        ++count;
    }
    return count;
}

bool SameLetters(const char *a, const char *b, int length)
{
    for (int i = 0; i < length; ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}

bool IsPrefix(const Word &typed, const Word &name)
{
    return typed.length <= name.length && SameLetters(typed.text, name.text, typed.length);
}

// The typed words, with the separator "to" deciding which names each may
// match: source or category before it, target or category after it.
struct Typed {
    Word words[MAX_WORDS];
    int count;  // -1: too many
};

void ReadTyped(const char *text, Typed *typed)
{
    typed->count = SplitWords(text, typed->words, MAX_WORDS, ANY_PART);
    if (typed->count > MAX_WORDS)
        typed->count = -1;
    for (int i = 0; i < typed->count; ++i) {
        const Word &w = typed->words[i];
        if (w.length != 2 || !SameLetters(w.text, SEPARATOR, 2))
            continue;
        for (int j = 0; j < i; ++j)
            typed->words[j].parts = SOURCE | CATEGORY;
        for (int j = i + 1; j < typed->count; ++j)
            typed->words[j].parts = TARGET | CATEGORY;
        std::copy(typed->words + i + 1, typed->words + typed->count, typed->words + i);
        --typed->count;
        return;
    }
}

// The words of a row's three names, each marked with its part.
struct RowWords {
    Word words[3 * MAX_NAME_WORDS];
    int count;
};

void ReadRow(int row, RowWords *out)
{
    const Conversion &c = conversions[row];
    const struct {
        const char *name;
        int part;
    } names[] = {{c.fromUnits, SOURCE}, {c.toUnits, TARGET}, {c.category, CATEGORY}};
    out->count = 0;
    for (const auto &n : names)
        out->count += std::min(MAX_NAME_WORDS,
                               SplitWords(n.name, out->words + out->count, MAX_NAME_WORDS, n.part));
}

enum Rank { NO_MATCH, MATCH, COVERED };

Rank RankRow(const Typed &typed, int row)
{
    RowWords names;
    ReadRow(row, &names);
    uint64_t covered = 0;  // unit-name words that some typed word begins
    for (int t = 0; t < typed.count; ++t) {
        bool matched = false;
        for (int n = 0; n < names.count; ++n)
            if ((typed.words[t].parts & names.words[n].parts) &&
                IsPrefix(typed.words[t], names.words[n])) {
                matched = true;
                covered |= uint64_t{1} << n;
            }
        if (!matched)
            return NO_MATCH;
    }
    for (int n = 0; n < names.count; ++n)
        if (names.words[n].parts != CATEGORY && !(covered >> n & 1))
            return MATCH;
    return COVERED;
}

// How closely `typed` resembles the start of `name`, from 0 to 1: 1 for a
// prefix, less by each edit (insertion, deletion, change, swap of two
// neighbours) that separates them.
double Resemblance(const Word &typed, const Word &name)
{
    if (IsPrefix(typed, name))
        return 1;
    const int a = std::min(typed.length, MAX_SCORED_CHARS);
    const int b = std::min(name.length, a);
    int d[MAX_SCORED_CHARS + 1][MAX_SCORED_CHARS + 1];
    for (int i = 0; i <= a; ++i)
        for (int j = 0; j <= b; ++j) {
            if (i == 0 || j == 0) {
                d[i][j] = i + j;
                continue;
            }
            int change = Lower(typed.text[i - 1]) != Lower(name.text[j - 1]);
            d[i][j] = std::min({d[i - 1][j] + 1, d[i][j - 1] + 1, d[i - 1][j - 1] + change});
            if (i > 1 && j > 1 && Lower(typed.text[i - 1]) == Lower(name.text[j - 2]) &&
                Lower(typed.text[i - 2]) == Lower(name.text[j - 1]))
                d[i][j] = std::min(d[i][j], d[i - 2][j - 2] + 1);
        }
    return std::max(0.0, 1 - static_cast<double>(d[a][b]) / a);
}

// How well the typed words resemble a row, for suggestions: the sum over
// the typed words of their best resemblance to a name they may match, and
// the unit-name words that no typed word comes near.
struct Closeness {
    double resemblance;
    int missed;
    double Score() const { return resemblance - MISSED_WORD_WEIGHT * missed; }
};

Closeness MeasureCloseness(const Typed &typed, int row)
{
    RowWords names;
    ReadRow(row, &names);
    Closeness closeness = {0, 0};
    uint64_t meant = 0;  // name words some typed word is near
    for (int t = 0; t < typed.count; ++t) {
        double best = 0;
        for (int n = 0; n < names.count; ++n) {
            if (!(typed.words[t].parts & names.words[n].parts))
                continue;
            double r = Resemblance(typed.words[t], names.words[n]);
            best = std::max(best, r);
            if (r >= NEAR_RESEMBLANCE)
                meant |= uint64_t{1} << n;
        }
        closeness.resemblance += best;
    }
    for (int n = 0; n < names.count; ++n)
        closeness.missed += names.words[n].parts != CATEGORY && !(meant >> n & 1);
    return closeness;
}

int CompareIgnoringCase(const char *a, const char *b)
{
    while (*a && Lower(*a) == Lower(*b)) {
        ++a;
        ++b;
    }
    return static_cast<unsigned char>(Lower(*a)) - static_cast<unsigned char>(Lower(*b));
}

bool ByLabel(int a, int b)
{
    int order = CompareIgnoringCase(Label(a), Label(b));
    return order != 0 ? order < 0 : a < b;
}

bool SameResult(int a, int b)
{
    return conversions[a].multiplier == conversions[b].multiplier &&
           conversions[a].special == conversions[b].special;
}

// Row digits: true with `*row` set, whatever their value.
bool ReadRowNumber(const char *text, long *row)
{
    const int MAX_ROW_DIGITS = 9;
    int length = static_cast<int>(strlen(text));
    if (length == 0 || strspn(text, "0123456789") != static_cast<size_t>(length))
        return false;
    *row = length > MAX_ROW_DIGITS ? long{NUM_CONVERSIONS} : atol(text);
    return true;
}

// The rows closest to what was typed: those that the words resemble by at
// least half, best first.
void Suggest(const Typed &typed, Choice *choice)
{
    static double score[NUM_CONVERSIONS];
    int rows[NUM_CONVERSIONS];
    int count = 0;
    for (int row = 0; row < NUM_CONVERSIONS; ++row) {
        Closeness closeness = MeasureCloseness(typed, row);
        score[row] = closeness.Score();
        if (closeness.resemblance > 0 && closeness.resemblance >= typed.count / 2.0)
            rows[count++] = row;
    }
    int shown = std::min<int>(count, MAX_SUGGESTIONS);
    std::partial_sort(rows, rows + shown, rows + count, [](int a, int b) {
        return score[a] != score[b] ? score[a] > score[b] : ByLabel(a, b);
    });
    choice->kind = CHOICE_NONE;
    choice->count = shown;
    std::copy(rows, rows + shown, choice->rows);
}

}  // namespace

const char *Label(int row)
{
    static char labels[NUM_CONVERSIONS][LABEL_BUFFER_SIZE];
    if (labels[row][0] == '\0')
        ComposeLabel(row, labels[row]);
    return labels[row];
}

void Choose(const char *text, Choice *choice)
{
    long number;
    if (ReadRowNumber(text, &number)) {
        choice->kind = number < NUM_CONVERSIONS ? CHOICE_ONE : CHOICE_NO_SUCH_ROW;
        choice->count = number < NUM_CONVERSIONS;
        choice->rows[0] = static_cast<int>(number);
        return;
    }
    for (int row = 0; row < NUM_CONVERSIONS; ++row)
        if (strcmp(text, Label(row)) == 0) {
            choice->kind = CHOICE_ONE;
            choice->count = 1;
            choice->rows[0] = row;
            return;
        }

    Typed typed;
    ReadTyped(text, &typed);
    Rank best = MATCH;
    choice->count = 0;
    for (int row = 0; row < NUM_CONVERSIONS && typed.count > 0; ++row) {
        Rank rank = RankRow(typed, row);
        if (rank < best)
            continue;
        if (rank > best) {
            best = rank;
            choice->count = 0;
        }
        choice->rows[choice->count++] = row;
    }
    if (choice->count == 0) {
        Suggest(typed, choice);
        return;
    }
    std::sort(choice->rows, choice->rows + choice->count, ByLabel);
    const int *first = choice->rows, *end = choice->rows + choice->count;
    bool same = std::all_of(first, end, [&](int row) { return SameResult(row, *first); });
    choice->kind = choice->count == 1 ? CHOICE_ONE : same ? CHOICE_SAME_RESULT : CHOICE_AMBIGUOUS;
}

int MatchingRows(const char *text, int *rows)
{
    Typed typed;
    ReadTyped(text, &typed);
    int count = 0;
    for (int row = 0; row < NUM_CONVERSIONS && typed.count >= 0; ++row)
        if (RankRow(typed, row) != NO_MATCH)
            rows[count++] = row;
    std::sort(rows, rows + count, ByLabel);
    return count;
}
