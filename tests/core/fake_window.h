// A main window without a screen: the engine's view of the window, backed by
// plain fields, recording every effect in order.
#ifndef MX_FAKE_WINDOW_H
#define MX_FAKE_WINDOW_H

#include <string>
#include <vector>

#include "platform/handle.h"

struct FakeWindow {
    int selectedRow = 0;  // -1: no entry selected
    std::string input;
    std::string output;
    // "warning:<text>", "input:<text>", "output:<text>" or "focus", in order.
    std::vector<std::string> effects;

    HWND handle() { return reinterpret_cast<HWND>(this); }
};

#endif
