#include "tests/core/fake_window.h"

#include <string.h>

#include "engine/request.h"
#include "engine/window.h"

static FakeWindow &Fake(HWND hDlg) { return *reinterpret_cast<FakeWindow *>(hDlg); }

void FakeWindow::Convert() { ConvertRequest(handle()); }

std::string Warned(const char *text) { return std::string("warning:") + text; }

Effects Refused(const char *warning) { return {Warned(warning), "input:", "output:", "focus"}; }

int SelectedRow(HWND hDlg) { return Fake(hDlg).selectedRow; }

int ReadInput(HWND hDlg, char *text)
{
    std::string line = Fake(hDlg).input.substr(0, MAX_INPUT_CHARS);
    memcpy(text, line.c_str(), line.size() + 1);
    return static_cast<int>(line.size());
}

void SetInputText(HWND hDlg, const char *text)
{
    Fake(hDlg).input = text;
    Fake(hDlg).effects.push_back(std::string("input:") + text);
}

void SetOutputText(HWND hDlg, const char *text)
{
    Fake(hDlg).output = text;
    Fake(hDlg).effects.push_back(std::string("output:") + text);
}

void FocusInput(HWND hDlg) { Fake(hDlg).effects.push_back("focus"); }

void WarningBox(HWND owner, const char *text) { Fake(owner).effects.push_back(Warned(text)); }
