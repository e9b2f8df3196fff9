// mensurix: the converter on the command line. Results go to standard
// output, messages to standard error.
#include <errno.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <fcntl.h>
#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

#include "catalogue/catalogue.h"
#include "cli/choose.h"
#include "engine/request.h"
#include "resources/ids.h"

namespace {

enum ExitStatus {
    ALL_CONVERTED = 0,
    SOME_REFUSED = 1,  // in a batch: some line failed, for whatever reason
    USAGE_OR_NO_UNIQUE_MATCH = 2
};

// A request line holds at most this many bytes, its end excluded; a longer
// one is reported and skipped, so memory stays the same for any input.
const size_t MAX_LINE_BYTES = 4096;
const size_t READ_BUFFER_BYTES = 64 * 1024;
const size_t WRITE_BUFFER_BYTES = 64 * 1024;

#ifndef O_BINARY
#define O_BINARY 0  // only Windows tells text files from binary ones
#endif

const char HELP[] =
    "Usage: mensurix [OPTION]... NUMBER CONVERSION...\n"
    "  or:  mensurix --batch [OPTION]... [FILE]\n"
    "  or:  mensurix list [WORD]...\n"
    "Converts NUMBER by one of the 690 conversions of Mensurix, named by its\n"
    "row number (0-689), its label or words:\n"
    "  mensurix 12 inch to feet      mensurix 12 48\n"
    "  mensurix 12 \"Inches to Feet -- Length/UK\"\n"
    "Words before \"to\" match the source units or the category, words after\n"
    "it the target units or the category; each word begins a word of a name,\n"
    "in any case. A conversion whose names the words wholly cover comes first.\n"
    "\n"
    "  --digits N  show N significant digits, 1 to 17 (default 6, as the window)\n"
    "  --exact     show as many digits as reading the value back needs (at least 6)\n"
    "  --batch     convert one request per line, \"NUMBER CONVERSION...\", from FILE\n"
    "              or, without FILE or with -, standard input; each line gives one\n"
    "              output line, left empty when the line fails\n"
    "  --help      show this help and exit\n"
    "  --version   show the version and exit\n"
    "  list        list the conversions that the words match: row, label and\n"
    "              multiplier, separated by tabs\n"
    "\n"
    "Exit status:\n"
    "  0  every number converted\n"
    "  1  some number refused, or some line of a batch failed\n"
    "  2  usage error, no unique conversion, or input or output failed\n";

const char VERSION[] = "mensurix " MX_VERSION "\n" MX_COPYRIGHT "\n";

// ---- Messages -----------------------------------------------------------------

// Where a message is about: the whole command, or one line of a batch.
struct Place {
    long long line;  // 0: the command line
};

void BeginMessage(const Place &place)
{
    fputs("mensurix: ", stderr);
    if (place.line)
        fprintf(stderr, "line %lld: ", place.line);
}

void Message(const Place &place, const char *text)
{
    BeginMessage(place);
    fprintf(stderr, "%s\n", text);
}

// Writes typed text in quotes, bytes that are not printable ASCII escaped.
void Quote(const char *text)
{
    fputc('"', stderr);
    for (const unsigned char *p = reinterpret_cast<const unsigned char *>(text); *p; ++p)
        if (*p >= 0x20 && *p < 0x7f && *p != '"' && *p != '\\')
            fputc(*p, stderr);
        else
            fprintf(stderr, "\\x%02x", *p);
    fputc('"', stderr);
}

int UsageError(const char *problem, const char *detail = "")
{
    fprintf(stderr, "mensurix: %s%s\nTry 'mensurix --help'.\n", problem, detail);
    return USAGE_OR_NO_UNIQUE_MATCH;
}

void ListRows(const int *rows, int count)
{
    for (int i = 0; i < count; ++i)
        fprintf(stderr, "  %3d  %s\n", rows[i], Label(rows[i]));
}

// ---- Choosing ---------------------------------------------------------------

// What a conversion text came to: the row to convert by, or none.
struct Resolution {
    int row;         // -1: none; the text was reported
    long long line;  // where it was first reported
    ChoiceKind kind;
    int count;
};

// The first line of a report about a text that is not plainly one row.
void Headline(const char *text, ChoiceKind kind, int count)
{
    switch (kind) {
    case CHOICE_ONE:
        break;
    case CHOICE_SAME_RESULT:
    case CHOICE_AMBIGUOUS:
        Quote(text);
        fprintf(stderr, " matches %d conversions with %s", count,
                kind == CHOICE_SAME_RESULT ? "the same result" : "different results");
        break;
    case CHOICE_NONE:
        fputs("no conversion matches ", stderr);
        Quote(text);
        break;
    case CHOICE_NO_SUCH_ROW:
        fprintf(stderr, "no row %s: the rows are 0 to %d", text, NUM_CONVERSIONS - 1);
        break;
    }
}

// Chooses the conversion that `text` names, reporting anything but a plain
// single row.
Resolution Resolve(const char *text, const Place &place)
{
    static Choice choice;
    Choose(text, &choice);
    if (choice.kind != CHOICE_ONE) {
        BeginMessage(place);
        Headline(text, choice.kind, choice.count);
        if (choice.kind == CHOICE_SAME_RESULT || choice.kind == CHOICE_AMBIGUOUS)
            fputs(":\n", stderr);
        else if (choice.kind == CHOICE_NONE && choice.count)
            fputs("; the closest are:\n", stderr);
        else if (choice.kind == CHOICE_NONE)
            fputs("; 'mensurix list' shows every conversion\n", stderr);
        else
            fputc('\n', stderr);
        ListRows(choice.rows, choice.count);
    }
    bool converts = choice.kind == CHOICE_ONE || choice.kind == CHOICE_SAME_RESULT;
    return {converts ? choice.rows[0] : -1, place.line, choice.kind, choice.count};
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Copies `text` (`length` bytes) into `out` with runs of blanks made one
// space and none at either end; returns the length written. `out` holds
// `length` + 1 bytes.
size_t CollapseBlanks(const char *text, size_t length, char *out)
{
    size_t written = 0;
    for (size_t i = 0; i < length; ++i) {
        if (!IsBlank(text[i]))
            out[written++] = text[i];
        else if (written && out[written - 1] != ' ')
            out[written++] = ' ';
    }
    if (written && out[written - 1] == ' ')
        --written;
    out[written] = '\0';
    return written;
}

// Conversion texts already resolved in a batch, with what they came to. A
// text is kept as it stands in the line, so that a line costs no copy; one
// that differs only in its blanks is resolved once more. The table and the
// store of texts have fixed sizes; when either fills up it starts afresh, so
// that memory stays flat whatever the input.
class ResolutionCache {
public:
    // The resolution of `text` (`length` bytes, no blank first), resolving
    // and reporting it when it is new.
    const Resolution &Find(const char *text, size_t length, const Place &place)
    {
        uint32_t hash = Hash(text, length);
        size_t slot = hash & (SLOTS - 1);
        for (; slots_[slot].used; slot = (slot + 1) & (SLOTS - 1)) {
            const Slot &s = slots_[slot];
            if (s.hash == hash && s.length == length && memcmp(texts_ + s.offset, text, length) == 0)
                return s.resolution;
        }
        if (count_ == MAX_ENTRIES || stored_ + length > TEXT_BYTES) {
            Clear();
            slot = hash & (SLOTS - 1);
        }
        char collapsed[MAX_LINE_BYTES + 1];
        CollapseBlanks(text, length, collapsed);
        Slot &s = slots_[slot];
        s = {true, hash, stored_, length, Resolve(collapsed, place)};
        memcpy(texts_ + stored_, text, length);
        stored_ += length;
        ++count_;
        return s.resolution;
    }

private:
    static const size_t SLOTS = 4096;             // a power of two
    static const size_t MAX_ENTRIES = SLOTS / 2;  // keeps the probes short
    static const size_t TEXT_BYTES = MAX_ENTRIES * 128;

    struct Slot {
        bool used;
        uint32_t hash;
        size_t offset, length;
        Resolution resolution;
    };

    // Mixes the text in eight bytes at a time: a per-byte hash costs as
    // much as the rest of the line's work.
    static uint32_t Hash(const char *text, size_t length)
    {
        const uint64_t MIX = 0x9E3779B97F4A7C15u;  // 2^64 / golden ratio
        uint64_t hash = length;
        for (size_t i = 0; i < length; i += sizeof(uint64_t)) {
            uint64_t word = 0;
            if (length - i >= sizeof word)
                memcpy(&word, text + i, sizeof word);
            else
                for (size_t j = i; j < length; ++j)
                    word |= uint64_t{static_cast<unsigned char>(text[j])} << 8 * (j - i);
            hash = (hash ^ word) * MIX;
            hash ^= hash >> 29;
        }
        return static_cast<uint32_t>(hash >> 32);
    }

    void Clear()
    {
        memset(slots_, 0, sizeof slots_);
        count_ = 0;
        stored_ = 0;
    }

    Slot slots_[SLOTS] = {};
    char texts_[TEXT_BYTES];
    size_t count_ = 0, stored_ = 0;
};

// ---- Converting -------------------------------------------------------------

// Converts `number` by `row` into `text` (RESULT_BUFFER_SIZE bytes), or
// reports why not. Returns whether it converted.
bool Convert(int row, const char *number, int digits, const Place &place, char *text)
{
    double result;
    if (const char *refusal = ConvertText(row, number, &result)) {
        Message(place, refusal);
        return false;
    }
    const char *shown = ResultText(result, digits, text);
    if (shown != text) {
        Message(place, shown);  // the output field's text for an overflow
        return false;
    }
    return true;
}

// Joins the words of the command line, one space apart, blanks collapsed;
// false when they do not fit MAX_LINE_BYTES.
bool JoinWords(char *const *words, int count, char *out)
{
    char joined[MAX_LINE_BYTES + 1];
    size_t length = 0;
    for (int i = 0; i < count; ++i) {
        size_t size = strlen(words[i]);
        if (length + size + 1 > MAX_LINE_BYTES)
            return false;
        memcpy(joined + length, words[i], size);
        length += size;
        joined[length++] = ' ';
    }
    CollapseBlanks(joined, length, out);
    return true;
}

int ConvertOnce(char *const *words, int count, int digits)
{
    if (count < 2)
        return UsageError(count ? "no conversion given" : "no number given");
    char conversion[MAX_LINE_BYTES + 1];
    if (!JoinWords(words + 1, count - 1, conversion))
        return UsageError("conversion text too long");
    if (!*conversion)
        return UsageError("no conversion given");
    Place place{0};
    Resolution resolution = Resolve(conversion, place);
    if (resolution.row < 0)
        return USAGE_OR_NO_UNIQUE_MATCH;
    char text[RESULT_BUFFER_SIZE];
    if (!Convert(resolution.row, words[0], digits, place, text))
        return SOME_REFUSED;
    printf("%s\n", text);
    return ALL_CONVERTED;
}

int List(char *const *words, int count)
{
    char text[MAX_LINE_BYTES + 1];
    if (!JoinWords(words, count, text))
        return UsageError("words too long");
    static int rows[NUM_CONVERSIONS];
    int found = MatchingRows(text, rows);
    if (found == 0) {
        Resolve(text, Place{0});
        return USAGE_OR_NO_UNIQUE_MATCH;
    }
    for (int i = 0; i < found; ++i) {
        double multiplier = conversions[rows[i]].multiplier;
        char text[RESULT_BUFFER_SIZE];
        printf("%d\t%s\t%s\n", rows[i], Label(rows[i]),
               multiplier < 0 ? "special" : ResultText(multiplier, MAX_DIGITS, text));
    }
    return ALL_CONVERTED;
}

// ---- Batch ------------------------------------------------------------------

// Results collected in one fixed buffer and written in large pieces.
class Output {
public:
    // Room for a result text and its line end.
    char *Room()
    {
        if (WRITE_BUFFER_BYTES - used_ < RESULT_BUFFER_SIZE + 1)
            Flush();
        return data_ + used_;
    }
    void EndLine(size_t length)
    {
        used_ += length;
        data_[used_++] = '\n';
    }
    void Flush()
    {
        fwrite(data_, 1, used_, stdout);
        fflush(stdout);
        used_ = 0;
    }

private:
    char data_[WRITE_BUFFER_BYTES];
    size_t used_ = 0;
};

// Reads lines through one fixed buffer. Before it waits for more input, it
// writes out the results so far, so that a program feeding it one line at
// a time gets each answer.
class LineReader {
public:
    LineReader(int file, Output &output) : file_(file), output_(output) {}

    // The next line, without its end, NUL-terminated in place; false at the
    // end of the input. A line longer than MAX_LINE_BYTES comes back with
    // `tooLong` set and its text dropped.
    bool Next(char **line, size_t *length, bool *tooLong)
    {
        *tooLong = false;
        for (;;) {
            char *begin = buffer_ + start_;
            char *newline = static_cast<char *>(memchr(begin, '\n', end_ - start_));
            if (newline) {
                *newline = '\0';
                *line = begin;
                *length = newline - begin;
                start_ = newline + 1 - buffer_;
                *tooLong = *tooLong || *length > MAX_LINE_BYTES;
                return true;
            }
            if (end_ - start_ > MAX_LINE_BYTES) {
                *tooLong = true;  // drop what is here, keep looking for the end
                start_ = end_ = 0;
            }
            if (atEnd_) {
                if (start_ == end_ && !*tooLong)
                    return false;
                buffer_[end_] = '\0';
                *line = buffer_ + start_;
                *length = end_ - start_;
                start_ = end_;
                return true;
            }
            Refill();
        }
    }

    // The reading error that ended the input, or 0.
    int Error() const { return error_; }

private:
    void Refill()
    {
        memmove(buffer_, buffer_ + start_, end_ - start_);
        end_ -= start_;
        start_ = 0;
        output_.Flush();
        long got;
        do
            got = read(file_, buffer_ + end_, static_cast<unsigned>(READ_BUFFER_BYTES - end_));
        while (got < 0 && errno == EINTR);
        if (got < 0)
            error_ = errno;
        end_ += got > 0 ? got : 0;
        atEnd_ = got <= 0;
    }

    int file_;
    Output &output_;
    char buffer_[READ_BUFFER_BYTES + 1];  // room for a NUL after the last line
    size_t start_ = 0, end_ = 0;
    bool atEnd_ = false;
    int error_ = 0;
};

// True when some byte of `word` is below 0x20 or is 0x7f: the test for a
// byte below a bound, eight bytes at once, applied to the word and to its
// bytes' distance from 0x7f.
bool HasControlByte(uint64_t word)
{
    const uint64_t ONES = 0x0101010101010101u, HIGH_BITS = 0x8080808080808080u;
    uint64_t del = word ^ 0x7f * ONES;
    return (((word - 0x20 * ONES) & ~word) | ((del - ONES) & ~del)) & HIGH_BITS;
}

// The first byte of a line that plain text does not hold, or null. Whole
// words of plain text are passed over at once; from the first word with a
// control byte (a tab will do) on, byte by byte.
const char *FindNonText(const char *line, size_t length)
{
    size_t i = 0;
    for (uint64_t word; i + sizeof word <= length; i += sizeof word) {
        memcpy(&word, line + i, sizeof word);
        if (HasControlByte(word))
            break;
    }
    for (; i < length; ++i) {
        unsigned char c = static_cast<unsigned char>(line[i]);
        if ((c < 0x20 && c != '\t') || c == 0x7f)
            return line + i;
    }
    return nullptr;
}

// Where the blanks, or the word, that start at `p` end, before `end`.
char *SkipBlanks(char *p, char *end)
{
    while (p < end && IsBlank(*p))
        ++p;
    return p;
}

char *SkipWord(char *p, char *end)
{
    while (p < end && !IsBlank(*p))
        ++p;
    return p;
}

// Converts one request line into `text`; false when it failed, reported.
bool ConvertLine(char *line, size_t length, const Place &place, int digits,
                 ResolutionCache &cache, char *text)
{
    if (length && line[length - 1] == '\r')
        line[--length] = '\0';
    if (const char *bad = FindNonText(line, length)) {
        BeginMessage(place);
        fprintf(stderr, "not text: byte 0x%02x at column %d\n",
                static_cast<unsigned char>(*bad), static_cast<int>(bad - line + 1));
        return false;
    }
    char *end = line + length;
    char *number = SkipBlanks(line, end);
    if (number == end) {
        Message(place, "empty line");
        return false;
    }
    char *numberEnd = SkipWord(number, end);
    char *conversion = SkipBlanks(numberEnd, end);
    *numberEnd = '\0';
    if (conversion == end) {
        Message(place, "no conversion given");
        return false;
    }

    const Resolution &resolution = cache.Find(conversion, end - conversion, place);
    if (resolution.row < 0 && resolution.line != place.line) {
        char text[MAX_LINE_BYTES + 1];
        CollapseBlanks(conversion, end - conversion, text);
        BeginMessage(place);
        Headline(text, resolution.kind, resolution.count);
        fprintf(stderr, " (see line %lld)\n", resolution.line);
    }
    return resolution.row >= 0 && Convert(resolution.row, number, digits, place, text);
}

// Large enough to stay off the stack.
Output g_output;
ResolutionCache g_cache;

int Batch(const char *path, int digits)
{
    bool standardInput = !path || strcmp(path, "-") == 0;
    int file = standardInput ? 0 : open(path, O_RDONLY | O_BINARY);
    if (file < 0) {
        fprintf(stderr, "mensurix: cannot open %s: %s\n", path, strerror(errno));
        return USAGE_OR_NO_UNIQUE_MATCH;
    }
    static LineReader reader(file, g_output);
    bool failed = false;
    char *line;
    size_t length;
    bool tooLong;
    for (Place place{1}; reader.Next(&line, &length, &tooLong); ++place.line) {
        char *text = g_output.Room();
        bool converted = false;
        if (tooLong) {
            BeginMessage(place);
            fprintf(stderr, "longer than %zu bytes\n", MAX_LINE_BYTES);
        } else {
            converted = ConvertLine(line, length, place, digits, g_cache, text);
        }
        g_output.EndLine(converted ? strlen(text) : 0);
        failed = failed || !converted;
    }
    g_output.Flush();
    if (reader.Error()) {
        fprintf(stderr, "mensurix: cannot read %s: %s\n",
                standardInput ? "standard input" : path, strerror(reader.Error()));
        return USAGE_OR_NO_UNIQUE_MATCH;
    }
    return failed ? SOME_REFUSED : ALL_CONVERTED;
}

// ---- Arguments --------------------------------------------------------------

struct Options {
    int digits = WINDOW_DIGITS;
    bool exact = false, digitsGiven = false;
    bool batch = false, help = false, version = false;
};

// Reads a digits count, 1 to MAX_DIGITS.
bool ReadDigits(const char *text, int *digits)
{
    char *end;
    long value = strtol(text, &end, 10);
    if (*text < '0' || *text > '9' || *end || value < 1 || value > MAX_DIGITS)
        return false;
    *digits = static_cast<int>(value);
    return true;
}

// Takes the options out of `argv`, anywhere before "--", and moves the
// other arguments to its front; their count goes into `*count`. Returns a
// usage error's status, or -1 when the options are sound.
int ReadOptions(int argc, char **argv, Options *options, int *count)
{
    int kept = 0;
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const char *arg = argv[i];
        if (optionsEnded || strncmp(arg, "--", 2) != 0) {
            argv[kept++] = argv[i];
        } else if (strcmp(arg, "--") == 0) {
            optionsEnded = true;
        } else if (strcmp(arg, "--help") == 0) {
            options->help = true;
        } else if (strcmp(arg, "--version") == 0) {
            options->version = true;
        } else if (strcmp(arg, "--exact") == 0) {
            options->exact = true;
        } else if (strcmp(arg, "--batch") == 0) {
            options->batch = true;
        } else if (strcmp(arg, "--digits") == 0 || strncmp(arg, "--digits=", 9) == 0) {
            const char *value = arg[8] == '=' ? arg + 9 : i + 1 < argc ? argv[++i] : nullptr;
            if (!value)
                return UsageError("--digits needs a count");
            if (!ReadDigits(value, &options->digits))
                return UsageError("--digits takes 1 to 17, not ", value);
            options->digitsGiven = true;
        } else {
            return UsageError("unknown option ", arg);
        }
    }
    if (options->exact && options->digitsGiven)
        return UsageError("--exact and --digits exclude each other");
    *count = kept;
    return -1;
}

int Run(int argc, char **argv)
{
    Options options;
    int count = 0;
    int status = ReadOptions(argc, argv, &options, &count);
    if (status >= 0)
        return status;
    if (options.help) {
        fputs(HELP, stdout);
        return ALL_CONVERTED;
    }
    if (options.version) {
        fputs(VERSION, stdout);
        return ALL_CONVERTED;
    }
    int digits = options.exact ? SHORTEST_DIGITS : options.digits;
    if (options.batch) {
        if (count > 1)
            return UsageError("--batch takes one file at most");
        return Batch(count ? argv[0] : nullptr, digits);
    }
    if (count && strcmp(argv[0], "list") == 0)
        return List(argv + 1, count - 1);
    return ConvertOnce(argv, count, digits);
}

}  // namespace

int main(int argc, char **argv)
{
#ifdef _WIN32
    // Lines end in "\n" alone, as on every other system; input lines may end
    // in "\r\n" either way.
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
    int status = Run(argc, argv);
    if (fflush(stdout) != 0 || ferror(stdout)) {
        fprintf(stderr, "mensurix: cannot write the output: %s\n", strerror(errno));
        return USAGE_OR_NO_UNIQUE_MATCH;
    }
    return status;
}
