// A main window without a screen: the engine's view of the window, backed by
// plain fields, recording every effect in order.
#ifndef MX_FAKE_WINDOW_H
#define MX_FAKE_WINDOW_H

#include <string>
#include <utility>
#include <vector>

#include "platform/handle.h"

// "warning:<text>", "input:<text>", "output:<text>" or "focus", in order.
using Effects = std::vector<std::string>;

struct FakeWindow {
    // A window with the entry of catalogue row `row` selected (-1: none) and
    // `text` in the input field.
    explicit FakeWindow(int row = 0, std::string text = "")
        : selectedRow(row), input(std::move(text)) {}

    // Runs the Convert command on this window, as its button does.
    void Convert();

    HWND handle() { return reinterpret_cast<HWND>(this); }

    int selectedRow;
    std::string input;
    std::string output;
    Effects effects;
};

// The effect of a warning box showing `text`.
std::string Warned(const char *text);

// The effects of a refused input: the warning first, then both fields
// emptied (input first) and the caret back in the input field.
Effects Refused(const char *warning);

#endif
