// What the long runs of the real program (the soak and the monkey) hold it
// to: the engine's own decision for each request, and its memory.
#ifndef MX_LONG_RUN_H
#define MX_LONG_RUN_H

#include <windows.h>

#include <string>

// What the Convert command does with catalogue row `row` selected, `input`
// in the input field and `output` in the output field, as the engine itself
// decides it on a fake window.
struct EngineOutcome {
    std::wstring warning;  // the warning's text; "" when none
    std::wstring input;    // the two fields afterwards
    std::wstring output;
    bool focusesInput;     // the caret goes back to the input field
};
EngineOutcome EngineReference(int row, const std::wstring &input, const std::wstring &output);

// The warning the request gives, or else the output text it shows.
std::wstring EngineAnswer(int row, const std::string &input);

// The private memory `process` holds, in bytes.
SIZE_T PrivateBytes(HANDLE process);

#endif
