#include "tests/wine/long_run.h"

#include <psapi.h>

#include "tests/core/fake_window.h"
#include "tests/wine/mx_process.h"

namespace {

// The input field as the program reads it: in the ANSI code page without
// best fit, where no character beyond ASCII becomes part of a number. The
// stand-in for each is a byte no number holds either.
std::string AsRead(const std::wstring &text)
{
    std::string read;
    for (wchar_t c : text)
        read += c < 0x80 ? char(c) : '?';
    return read;
}

}  // namespace

EngineOutcome EngineReference(int row, const std::wstring &input, const std::wstring &output)
{
    FakeWindow fake(row, AsRead(input));
    fake.output = AsRead(output);
    fake.Convert();

    EngineOutcome outcome{L"", input, output, false};
    for (const std::string &effect : fake.effects) {
        if (effect.compare(0, 8, "warning:") == 0)
            outcome.warning = Widen(effect.substr(8));
        else if (effect.compare(0, 6, "input:") == 0)
            outcome.input = Widen(effect.substr(6));
        else if (effect.compare(0, 7, "output:") == 0)
            outcome.output = Widen(effect.substr(7));
        else if (effect == "focus")
            outcome.focusesInput = true;
    }
    return outcome;
}

std::wstring EngineAnswer(int row, const std::string &input)
{
    EngineOutcome outcome = EngineReference(row, Widen(input), L"");
    return outcome.warning.empty() ? outcome.output : outcome.warning;
}

SIZE_T PrivateBytes(HANDLE process)
{
    // Wine leaves PrivateUsage at 0 for another process; its page-file
    // usage counts the same private pages.
    PROCESS_MEMORY_COUNTERS_EX counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS *>(&counters),
                         sizeof counters);
    return counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
}
