// Runs inputs through the fuzzer's entry point without libFuzzer: the saved
// ones, so that an ordinary build replays the committed corpus or one crash
// file, or random ones drawn from a seed, so that an ordinary build explores
// too.
//   request_fuzz_replay FOLDER|FILE...          the saved inputs
//   request_fuzz_replay --count N [--seed S]    N random inputs from seed S
//                                               (by default a fresh seed)
// A failing input aborts the run; a random run then names its seed and the
// count that replays it.
#include <signal.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "tests/core/rows.h"

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size);

namespace {

// ---- Saved inputs -----------------------------------------------------------

// The files named, and those directly inside the folders named, in order.
std::vector<fs::path> InputFiles(int count, char **names)
{
    std::vector<fs::path> files;
    for (int i = 0; i < count; ++i) {
        if (!fs::is_directory(names[i])) {
            files.emplace_back(names[i]);
            continue;
        }
        for (const fs::directory_entry &entry : fs::directory_iterator(names[i]))
            if (entry.is_regular_file())
                files.push_back(entry.path());
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::vector<uint8_t> Contents(const fs::path &file)
{
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

int ReplayFiles(int count, char **names, const char *program)
{
    std::vector<fs::path> files = InputFiles(count, names);
    // An empty run would pass without checking anything.
    if (files.empty()) {
        fprintf(stderr, "usage: %s FOLDER|FILE... (no input found)\n", program);
        return 2;
    }
    for (const fs::path &file : files) {
        if (!fs::exists(file)) {
            fprintf(stderr, "%s: no such file\n", file.c_str());
            return 2;
        }
        std::vector<uint8_t> data = Contents(file);
        LLVMFuzzerTestOneInput(data.data(), data.size());
    }
    printf("%zu inputs replayed\n", files.size());
    return 0;
}

// ---- Random inputs ----------------------------------------------------------

// Inputs in the harness's form: two bytes choosing the row, then a text made
// of what numbers are made of and of the characters next to them.
class RandomInputs {
public:
    explicit RandomInputs(uint64_t seed) : engine_(seed) {}

    std::string Next()
    {
        std::string input = RowBytes();
        input += Below(2) ? NumberLike() : Scattered();
        return input;
    }

private:
    // Rows at the edges of the table and the two formulas come often; the
    // rest are drawn evenly, "no selection" and the row past the end among
    // them.
    std::string RowBytes()
    {
        static const int EDGE_ROWS[] = {-1, 0, F_TO_C, C_TO_F, NUM_CONVERSIONS - 1,
                                        NUM_CONVERSIONS};
        const unsigned ROW_CHOICES = NUM_CONVERSIONS + 2;
        int row = Below(4) == 0 ? EDGE_ROWS[Below(std::size(EDGE_ROWS))]
                                : static_cast<int>(Below(ROW_CHOICES)) - 1;
        // Any multiple of the choices may be added: the harness takes the
        // remainder.
        unsigned raw = static_cast<unsigned>(row + 1) + ROW_CHOICES * Below(65536 / ROW_CHOICES);
        return {static_cast<char>(raw & 0xFF), static_cast<char>(raw >> 8)};
    }

    // White space, a sign, digits with a point, an exponent, each part
    // there or not; then up to two characters replaced, put in or left out.
    std::string NumberLike()
    {
        std::string text(Below(3), ' ');
        if (Below(2))
            text += "+-"[Below(2)];
        text += Digits(Below(16));
        if (Below(2))
            text += '.' + Digits(Below(8));
        if (Below(2)) {
            text += "eE"[Below(2)];
            if (Below(2))
                text += "+-"[Below(2)];
            text += Exponent();
        }
        for (size_t changes = Below(3); changes > 0; --changes)
            Change(text);
        return text;
    }

    // Characters of the alphabet in any order.
    std::string Scattered()
    {
        std::string text;
        for (size_t length = Below(8) == 0 ? Below(48) : Below(16); length > 0; --length)
            text += Character();
        return text;
    }

    // Small, near the edges of the doubles (1e308, 5e-324), or anything.
    std::string Exponent()
    {
        switch (Below(3)) {
        case 0:
            return std::to_string(Below(30));
        case 1:
            return std::to_string(295 + Below(35));
        default:
            return std::string(Below(3), '0') + std::to_string(Below(100000));
        }
    }

    void Change(std::string &text)
    {
        size_t at = Below(text.size() + 1);
        switch (Below(3)) {
        case 0:
            text.insert(at, 1, Character());
            break;
        case 1:
            if (at < text.size())
                text[at] = Character();
            break;
        default:
            if (at < text.size())
                text.erase(at, 1);
            break;
        }
    }

    std::string Digits(size_t count)
    {
        std::string digits;
        while (count-- > 0)
            digits += static_cast<char>('0' + Below(10));
        return digits;
    }

    // Digits half the time; otherwise the signs, point, exponent letters and
    // space of a number, or a neighbour: a comma, letters of other notations,
    // other white space, a NUL or a byte beyond ASCII.
    char Character()
    {
        static const char MARKS[] = "+-.eE ";
        static const char NEIGHBOURS[] = ",xXdDfi_\t\n\v\r";
        switch (Below(6)) {
        case 0: case 1: case 2:
            return static_cast<char>('0' + Below(10));
        case 3: case 4:
            return MARKS[Below(sizeof MARKS - 1)];
        default:
            if (Below(8) == 0)
                return Below(4) ? static_cast<char>(0x80 + Below(0x80)) : '\0';
            return NEIGHBOURS[Below(sizeof NEIGHBOURS - 1)];
        }
    }

    size_t Below(size_t n) { return static_cast<size_t>(engine_() % n); }

    std::mt19937_64 engine_;
};

// What a failing random run says on its way out: the harness aborts.
char g_replayNote[128];
// The input being checked. The harness aborts in this thread, so the handler
// reads it whole.
volatile long g_inputIndex;

// Writes `value` in decimal, without the C library: this runs in a signal
// handler.
void WriteNumber(unsigned long value)
{
    char digits[24];
    size_t at = sizeof digits;
    do {
        digits[--at] = static_cast<char>('0' + value % 10);
        value /= 10;
    } while (value);
    ssize_t ignored = write(STDERR_FILENO, digits + at, sizeof digits - at);
    (void)ignored;
}

void SayHowToReplay(int)
{
    ssize_t ignored = write(STDERR_FILENO, g_replayNote, strlen(g_replayNote));
    (void)ignored;
    WriteNumber(static_cast<unsigned long>(g_inputIndex) + 1);
    ignored = write(STDERR_FILENO, "\n", 1);
    signal(SIGABRT, SIG_DFL);
}

int RunRandom(uint64_t seed, long count)
{
    snprintf(g_replayNote, sizeof g_replayNote,
             "request fuzzer: random input failed; replay: --seed %llu --count ",
             static_cast<unsigned long long>(seed));
    signal(SIGABRT, SayHowToReplay);
    RandomInputs inputs(seed);
    for (long i = 0; i < count; ++i) {
        g_inputIndex = i;
        std::string input = inputs.Next();
        LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t *>(input.data()), input.size());
    }
    signal(SIGABRT, SIG_DFL);
    printf("%ld random inputs checked, seed %llu\n", count, static_cast<unsigned long long>(seed));
    return 0;
}

// A seed of the machine's own, different on every run.
uint64_t FreshSeed()
{
    std::random_device device;
    return static_cast<uint64_t>(device()) << 32 | device();
}

}  // namespace

int main(int argc, char **argv)
{
    if (argc < 2 || (strcmp(argv[1], "--count") != 0 && strcmp(argv[1], "--seed") != 0))
        return ReplayFiles(argc - 1, argv + 1, argv[0]);

    long count = 0;
    uint64_t seed = FreshSeed();
    bool understood = argc % 2 == 1;  // options in pairs
    for (int i = 1; understood && i + 1 < argc; i += 2) {
        if (strcmp(argv[i], "--count") == 0)
            count = strtol(argv[i + 1], nullptr, 10);
        else if (strcmp(argv[i], "--seed") == 0)
            seed = strtoull(argv[i + 1], nullptr, 10);
        else
            understood = false;
    }
    if (!understood || count <= 0) {
        fprintf(stderr, "usage: %s --count N [--seed S]\n", argv[0]);
        return 2;
    }
    return RunRandom(seed, count);
}
