// Drives a real MX.EXE from another process, as a user would: posts
// commands and keys, reads the fields and finds its message boxes.
#ifndef MX_PROCESS_H
#define MX_PROCESS_H

#include <windows.h>

#include <string>
#include <vector>

// The folder of this test program, where the build puts MX.EXE too.
std::wstring BuildFolder();

// Polls `done` every millisecond until it answers true (the program answers
// most things within one or two); false if it has not within `timeoutMs`.
template <typename Predicate>
bool WaitFor(Predicate done, DWORD timeoutMs)
{
    for (DWORD start = GetTickCount(); !done(); Sleep(1))
        if (GetTickCount() - start > timeoutMs)
            return false;
    return true;
}

// An ASCII text as a wide one.
std::wstring Widen(const std::string &text);

// A window's text, read with WM_GETTEXT: it works across processes.
std::wstring TextOf(HWND hWnd);

RECT WindowRect(HWND hWnd);

// Expects `box` to stand centred over `owner`, each offset halved with
// truncation toward zero: a box larger than its owner sticks out evenly.
void ExpectCentredOver(HWND owner, HWND box);

// Top-level windows whose whole title is exactly `title`.
std::vector<HWND> WindowsTitled(const std::wstring &title);
// The first top-level window titled `title`, waiting up to `timeoutMs` for
// one to appear; null when none does.
HWND WaitForWindowTitled(const std::wstring &title, DWORD timeoutMs = 5000);

class MxProcess {
public:
    // Starts `program` (MX.EXE from the build by default) in `directory` (by
    // default this process's current directory) and waits for its window.
    explicit MxProcess(const std::wstring &program = BuildFolder() + L"MX.EXE",
                       const std::wstring &directory = L"");
    // Ends the program if it is still running.
    ~MxProcess();
    MxProcess(const MxProcess &) = delete;
    MxProcess &operator=(const MxProcess &) = delete;

    HWND window() const { return main_; }
    HWND control(int id) const { return GetDlgItem(main_, id); }
    HANDLE process() const { return process_.hProcess; }
    // True while the program has not ended.
    bool IsRunning() const;

    // Posts a button's click, as the dialog manager sends it.
    void Click(int id);
    // Posts a key press to whichever control has the focus.
    void PressKey(UINT key);
    // Clicks Convert and waits for it; returns the text of the warning it
    // brought, dismissed with OK, or "" when none came.
    std::wstring Convert();
    // Presses OK in a message box of the program; false if it stays open.
    bool PressOk(HWND box);
    // Moves the keyboard focus to a control, as the Tab key would.
    void FocusControl(int id);
    // Returns once the program has handled everything posted to it before;
    // false if it has not answered within five seconds.
    bool Sync();

    std::wstring Text(int id) const { return TextOf(control(id)); }
    void SetText(int id, const wchar_t *text);
    // Puts `text` on the clipboard and pastes it into a control, as Ctrl+V
    // would: the control's own limits apply, unlike with SetText.
    void Paste(int id, const std::wstring &text) { Paste(control(id), text); }
    // The same into any window of the program, as Ctrl+V there would.
    void Paste(HWND target, const std::wstring &text);

    // Selects the list entry that carries catalogue row `row`.
    void SelectRow(int row);
    HWND Focus() const;

    // The program's visible pop-up owned by its main window, waiting up to
    // `timeoutMs` for one to appear; null when none does.
    HWND WaitForOwnedPopup(DWORD timeoutMs = 5000) const;
    // Waits until `popup` is gone; false if it is still there.
    bool WaitForClose(HWND popup, DWORD timeoutMs = 5000) const;
    // Waits until the control's text reads `expected`.
    bool WaitForText(int id, const std::wstring &expected, DWORD timeoutMs = 5000) const;
    // Waits for the program to end and returns its exit code.
    DWORD WaitForExit(DWORD timeoutMs = 5000);

private:
    PROCESS_INFORMATION process_{};
    HWND main_ = nullptr;
    int syncCount_ = 0;
};

// A helper program of the test's own, started with `arguments` (quoted as
// they must be) and ended when the object goes; waits until it is idle, so
// its windows are up.
class ChildProgram {
public:
    ChildProgram(const std::wstring &program, const std::wstring &arguments);
    ~ChildProgram();
    ChildProgram(const ChildProgram &) = delete;
    ChildProgram &operator=(const ChildProgram &) = delete;

private:
    PROCESS_INFORMATION process_{};
};

// The build's stand-in help program (fake_help.exe) showing one window
// titled `title`; it ends when the object goes.
class FakeHelpWindow {
public:
    explicit FakeHelpWindow(const std::wstring &title);
    // The stand-in's window, or null if it did not appear.
    HWND window() const { return window_; }

private:
    ChildProgram program_;
    HWND window_;
};

// The stand-in help program of the build.
std::wstring FakeHelpProgram();

// Presses Help with MX.EXE in front and expects `helpWindow` to come to the
// front instead of the advertisement.
void ExpectHelpBringsToFront(MxProcess &mx, HWND helpWindow);

// The message box's own text (its static control holding words).
std::wstring MessageBoxText(HWND box);
// The icon the message box shows, or null.
HICON MessageBoxIcon(HWND box);

#endif
