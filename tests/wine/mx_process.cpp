#include "tests/wine/mx_process.h"

#include <gtest/gtest.h>

#include <stdio.h>
#include <string.h>

#include <string>
#include <vector>

#include "resources/ids.h"

std::wstring BuildFolder()
{
    wchar_t path[MAX_PATH];
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring folder(path);
    folder.erase(folder.find_last_of(L"\\/") + 1);
    return folder;
}

std::wstring Widen(const std::string &text) { return std::wstring(text.begin(), text.end()); }

std::wstring TextOf(HWND hWnd)
{
    wchar_t text[1024] = L"";
    SendMessageW(hWnd, WM_GETTEXT, 1024, (LPARAM)text);
    return text;
}

RECT WindowRect(HWND hWnd)
{
    RECT r;
    GetWindowRect(hWnd, &r);
    return r;
}

void ExpectCentredOver(HWND owner, HWND box)
{
    RECT o = WindowRect(owner), b = WindowRect(box);
    EXPECT_EQ(b.left, o.left + ((o.right - o.left) - (b.right - b.left)) / 2);
    EXPECT_EQ(b.top, o.top + ((o.bottom - o.top) - (b.bottom - b.top)) / 2);
}

namespace {

bool IsOfClass(HWND hWnd, const wchar_t *className)
{
    wchar_t name[64];
    GetClassNameW(hWnd, name, 64);
    return lstrcmpiW(name, className) == 0;
}

struct Search {
    DWORD pid;
    HWND owner;  // null: the main window itself
    HWND found;
};

BOOL CALLBACK FindDialog(HWND hWnd, LPARAM lParam)
{
    Search &s = *reinterpret_cast<Search *>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid != s.pid || !IsWindowVisible(hWnd) || GetWindow(hWnd, GW_OWNER) != s.owner ||
        !IsOfClass(hWnd, L"#32770"))
        return TRUE;
    s.found = hWnd;
    return FALSE;
}

HWND FindOwnedDialog(DWORD pid, HWND owner)
{
    Search s{pid, owner, nullptr};
    EnumWindows(FindDialog, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

struct TitleSearch {
    const std::wstring &title;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTitled(HWND hWnd, LPARAM lParam)
{
    TitleSearch &search = *reinterpret_cast<TitleSearch *>(lParam);
    // Room for one character more than the title looked for tells a longer
    // title from it. GetWindowTextW sends no message to another process's
    // window, so one that does not answer cannot stop the search.
    std::vector<wchar_t> text(search.title.size() + 2);
    int length = GetWindowTextW(hWnd, text.data(), int(text.size()));
    if (search.title == std::wstring(text.data(), length))
        search.found.push_back(hWnd);
    return TRUE;
}

}  // namespace

std::vector<HWND> WindowsTitled(const std::wstring &title)
{
    TitleSearch search{title, {}};
    EnumWindows(CollectTitled, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindowTitled(const std::wstring &title, DWORD timeoutMs)
{
    HWND window = nullptr;
    WaitFor(
        [&] {
            std::vector<HWND> found = WindowsTitled(title);
            window = found.empty() ? nullptr : found[0];
            return window != nullptr;
        },
        timeoutMs);
    return window;
}

MxProcess::MxProcess(const std::wstring &program, const std::wstring &directory)
{
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (!CreateProcessW(program.c_str(), nullptr, nullptr, nullptr, FALSE, 0, nullptr,
                        directory.empty() ? nullptr : directory.c_str(), &startup, &process_)) {
        // Said plainly, so that a failed start is not mistaken for a window
        // that never came; the test fails on the missing window.
        fwprintf(stderr, L"cannot start %ls: error %lu\n", program.c_str(), GetLastError());
        return;
    }
    WaitForInputIdle(process_.hProcess, 30000);
    WaitFor([&] { return (main_ = FindOwnedDialog(process_.dwProcessId, nullptr)) != nullptr; },
            30000);
}

MxProcess::~MxProcess()
{
    if (!process_.hProcess)
        return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, 5000);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

bool MxProcess::IsRunning() const
{
    return process_.hProcess && WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT;
}

void MxProcess::Click(int id)
{
    PostMessageW(main_, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), (LPARAM)control(id));
}

std::wstring MxProcess::Convert()
{
    Click(IDC_CONVERT);
    Sync();
    // A warning box is modal: its owner is disabled before it shows.
    if (IsWindowEnabled(main_))
        return L"";
    HWND box = WaitForOwnedPopup();
    if (!box)
        return L"(main window disabled, but no box)";
    std::wstring text = MessageBoxText(box);
    PressOk(box);
    return text;
}

bool MxProcess::PressOk(HWND box)
{
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), (LPARAM)GetDlgItem(box, IDOK));
    bool closed = WaitForClose(box);
    Sync();
    return closed;
}

void MxProcess::PressKey(UINT key)
{
    HWND target = Focus();
    PostMessageW(target, WM_KEYDOWN, key, 1);
    PostMessageW(target, WM_KEYUP, key, 0xC0000001);
}

void MxProcess::FocusControl(int id)
{
    PostMessageW(main_, WM_NEXTDLGCTL, (WPARAM)control(id), TRUE);
    Sync();
}

bool MxProcess::Sync()
{
    // Posted messages of one thread are handled in order, so once a limit
    // posted to the output field has taken effect, everything before it has
    // been handled too. Nothing in the program depends on that limit.
    LPARAM mark = 1000 + (++syncCount_ % 1000);
    HWND output = control(IDC_OUTPUT);
    PostMessageW(output, EM_SETLIMITTEXT, mark, 0);
    return WaitFor([&] { return SendMessageW(output, EM_GETLIMITTEXT, 0, 0) == mark; }, 5000);
}

void MxProcess::SetText(int id, const wchar_t *text)
{
    SendMessageW(control(id), WM_SETTEXT, 0, (LPARAM)text);
}

namespace {

// A window of this process to own the clipboard: with none, SetClipboardData
// may refuse the data.
HWND ClipboardOwner()
{
    static HWND owner = CreateWindowW(L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                      nullptr, nullptr);
    return owner;
}

void PutOnClipboard(const std::wstring &text)
{
    size_t bytes = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes);
    memcpy(GlobalLock(memory), text.c_str(), bytes);
    GlobalUnlock(memory);
    // The clipboard may be held for a moment by whoever used it last.
    WaitFor([] { return OpenClipboard(ClipboardOwner()) != FALSE; }, 5000);
    EmptyClipboard();
    if (!SetClipboardData(CF_UNICODETEXT, memory))
        GlobalFree(memory);
    CloseClipboard();
}

}  // namespace

void MxProcess::Paste(HWND target, const std::wstring &text)
{
    PutOnClipboard(text);
    PostMessageW(target, WM_PASTE, 0, 0);
}

void MxProcess::SelectRow(int row)
{
    HWND list = control(IDC_LIST);
    LRESULT count = SendMessageW(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i)
        if (SendMessageW(list, LB_GETITEMDATA, i, 0) == row) {
            SendMessageW(list, LB_SETCURSEL, i, 0);
            return;
        }
}

HWND MxProcess::Focus() const
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(process_.dwThreadId, &info);
    return info.hwndFocus;
}

HWND MxProcess::WaitForOwnedPopup(DWORD timeoutMs) const
{
    HWND popup = nullptr;
    WaitFor([&] { return (popup = FindOwnedDialog(process_.dwProcessId, main_)) != nullptr; },
            timeoutMs);
    return popup;
}

bool MxProcess::WaitForClose(HWND popup, DWORD timeoutMs) const
{
    return WaitFor([&] { return !IsWindow(popup) || !IsWindowVisible(popup); }, timeoutMs);
}

bool MxProcess::WaitForText(int id, const std::wstring &expected, DWORD timeoutMs) const
{
    return WaitFor([&] { return Text(id) == expected; }, timeoutMs);
}

DWORD MxProcess::WaitForExit(DWORD timeoutMs)
{
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process_.hProcess, timeoutMs) == WAIT_OBJECT_0)
        GetExitCodeProcess(process_.hProcess, &code);
    return code;
}

ChildProgram::ChildProgram(const std::wstring &program, const std::wstring &arguments)
{
    std::wstring commandLine = L"\"" + program + L"\" " + arguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    if (CreateProcessW(program.c_str(), &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &process_))
        WaitForInputIdle(process_.hProcess, 10000);
}

ChildProgram::~ChildProgram()
{
    if (!process_.hProcess)
        return;
    TerminateProcess(process_.hProcess, 0);
    WaitForSingleObject(process_.hProcess, 5000);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
}

std::wstring FakeHelpProgram() { return BuildFolder() + L"fake_help.exe"; }

FakeHelpWindow::FakeHelpWindow(const std::wstring &title)
    : program_(FakeHelpProgram(), L"\"" + title + L"\""), window_(WaitForWindowTitled(title))
{
}

std::wstring MessageBoxText(HWND box)
{
    std::wstring text;
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsOfClass(child, L"Static"))
            continue;
        wchar_t buffer[1024] = L"";
        GetWindowTextW(child, buffer, 1024);
        if (buffer[0])
            text = buffer;
    }
    return text;
}

HICON MessageBoxIcon(HWND box)
{
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (IsOfClass(child, L"Static") && (GetWindowLongW(child, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
            return (HICON)SendMessageW(child, STM_GETICON, 0, 0);
    return nullptr;
}

void ExpectHelpBringsToFront(MxProcess &mx, HWND helpWindow)
{
    SetForegroundWindow(mx.window());
    mx.Click(IDC_HELP);
    mx.Sync();
    EXPECT_EQ(mx.WaitForOwnedPopup(500), nullptr) << "no advertisement";
    EXPECT_EQ(GetForegroundWindow(), helpWindow);
}
