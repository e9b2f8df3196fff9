// A main window for the benchmark: fixed buffers and no allocation, so that
// the measured path is the engine's own.
#include "bench/bench_window.h"

#include <string.h>

#include "engine/window.h"

BenchWindow g_window;  // the one window every request of the benchmark runs in

int SelectedRow(HWND) { return g_window.row; }

int ReadInput(HWND, char *text)
{
    size_t length = strnlen(g_window.input, MAX_INPUT_CHARS);
    memcpy(text, g_window.input, length);
    text[length] = '\0';
    return static_cast<int>(length);
}

void SetInputText(HWND, const char *) {}

void SetOutputText(HWND, const char *text)
{
    size_t length = strnlen(text, sizeof g_window.output - 1);
    memcpy(g_window.output, text, length);
    g_window.output[length] = '\0';
}

void FocusInput(HWND) {}

void WarningBox(HWND, const char *) {}
