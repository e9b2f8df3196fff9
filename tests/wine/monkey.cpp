// A monkey in the real window: random user actions sent to MX.EXE through
// the channels a user has (typing, pasting, keys, clicks and double-clicks,
// boxes opened and dismissed), each followed by a check of everything that
// must always hold. A failure names the seed and the action and lists the
// actions before it; the same arguments replay the run exactly.
//   monkey.exe [--seed S] [--actions N]   N actions (100000) from seed S (a fresh one)
// Exits with 1 at the first action after which something does not hold.
//
// Each action goes where the system would send it: keys and characters to
// the window that has the keyboard focus, clicks to the control under the
// mouse unless a box has disabled its window. The monkey waits until the
// program has handled an action before it checks and sends the next, which
// is how input typed ahead of the program reaches it too.
#include <windows.h>
#include <stdarg.h>
#include <stdint.h>
#include <stdio.h>
#include <stdlib.h>

#include <algorithm>
#include <deque>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "catalogue/catalogue.h"
#include "engine/window.h"
#include "resources/ids.h"
#include "tests/wine/long_run.h"
#include "tests/wine/mx_process.h"
#include "tests/wine/stand_in_browser.h"
#include "ui/web.h"

namespace {

const long DEFAULT_ACTIONS = 100000;
const DWORD ANSWER_MS = 5000;  // the longest the program may take over an action
const int MEMORY_EVERY = 100;     // actions between two samples of the memory
const int PROGRESS_EVERY = 10000;  // and between two lines of progress
// Above the first sample: what the program makes once and keeps (about
// 2.5 MB under Wine), an open advertisement's bitmap and window surface
// (about 4 MB) and the noise of the heap.
const SIZE_T MEMORY_ALLOWANCE = 10 << 20;
const size_t ACTIONS_SHOWN = 20;

// -------------------------------------------------------------- Randomness

// The same seed gives the same actions on every build: the engine's numbers
// are fixed by the standard, and the ranges are cut here rather than by a
// distribution whose algorithm each library chooses.
class Random {
public:
    explicit Random(uint64_t seed) : engine_(seed) {}
    // A whole number from 0 to n - 1.
    uint32_t Below(uint32_t n) { return uint32_t(engine_() % n); }
    bool OneIn(uint32_t n) { return Below(n) == 0; }
    template <typename T, size_t N>
    const T &Pick(const T (&items)[N])
    {
        return items[Below(N)];
    }

private:
    std::mt19937_64 engine_;
};

// ------------------------------------------------------------- What is sent

// Characters beyond ASCII worth a try: look-alikes of digits, signs, points
// and spaces, letters of other scripts, modifier letters (an apostrophe, an
// arrowhead, a tilde: Wine's text shaping once crashed on them), a
// byte-order mark, the replacement character and the two halves of a
// surrogate pair.
const wchar_t WIDE_CHARACTERS[] =
    L"\u00a0\u00b2\u00b5\u00bd\u00e9\u00df\u00ff\u0100\u0394\u03c0\u0416\u05d0\u0660\u0665"
    L"\u06f5\u0966\u2002\u2009\u2013\u2044\u2075\u2212\u221e\u20ac\u3000\u4e00\ufeff\uff0b"
    L"\uff0d\uff0e\uff10\uff15\ufffd\u02bc\u02c2\u02dc\xd83d\xde00";

// Mostly what numbers are made of, then letters, control characters (the
// edit field copies, pastes, cuts and undoes on some) and the rest of the
// 16-bit range.
wchar_t RandomCharacter(Random &random)
{
    uint32_t kind = random.Below(100);
    if (kind < 40)
        return wchar_t(L'0' + random.Below(10));
    if (kind < 58)
        return L"+-.eE"[random.Below(5)];
    if (kind < 61)
        return L' ';
    if (kind < 73)
        return wchar_t((random.OneIn(2) ? L'a' : L'A') + random.Below(26));
    if (kind < 81) {
        uint32_t control = 1 + random.Below(32);  // 1 to 31, and 32 stands for DEL
        return wchar_t(control == 32 ? 0x7f : control);
    }
    if (kind < 93)
        return WIDE_CHARACTERS[random.Below(sizeof WIDE_CHARACTERS / sizeof WIDE_CHARACTERS[0] - 1)];
    return wchar_t(0x80 + random.Below(0x10000 - 0x80));
}

std::wstring RandomDigits(Random &random, uint32_t most)
{
    std::wstring digits;
    for (uint32_t n = 1 + random.Below(most); n > 0; --n)
        digits += wchar_t(L'0' + random.Below(10));
    return digits;
}

// A number as a user might write one: a sign, digits with a point, an
// exponent.
std::wstring RandomNumber(Random &random)
{
    std::wstring number;
    if (random.OneIn(3))
        number += random.OneIn(2) ? L'-' : L'+';
    number += RandomDigits(random, 8);
    if (random.OneIn(2))
        number += L"." + RandomDigits(random, 6);
    if (random.OneIn(3))
        number += (random.OneIn(2) ? L"e" : L"E-") + RandomDigits(random, 4);
    return number;
}

// Texts at the converter's edges: the limits of the doubles and of the
// temperatures, bare exponents, twelve digits, what is no number.
const wchar_t *const EDGE_TEXTS[] = {
    L"1e308",   L"1.7e308", L"-1e309",  L"9e4932", L"1e-400", L"-0",   L"-273.15",
    L"-273.16", L"-459.67", L"-459.68", L"12",     L"5e",     L"1E+",  L".5",
    L"5.",      L"123456789012", L"1234567890123", L"0x10", L"1,5", L"+-5", L"."};

// Mostly short, now and then far beyond anything the field takes.
uint32_t RandomLength(Random &random)
{
    uint32_t kind = random.Below(100);
    if (kind < 50)
        return random.Below(13);
    if (kind < 80)
        return 13 + random.Below(28);
    if (kind < 95)
        return 41 + random.Below(260);
    if (kind < 99)
        return 301 + random.Below(5000);
    return 5301 + random.Below(65000);
}

const wchar_t *const BREAKS[] = {L"", L" ", L"\t", L"\r\n", L"\n", L"\r"};

std::wstring RandomPaste(Random &random)
{
    switch (random.Below(4)) {
    case 0:
        return random.Pick(EDGE_TEXTS);
    case 1:
        return RandomNumber(random);
    case 2: {
        std::wstring before = random.Pick(BREAKS);
        return before + RandomNumber(random) + random.Pick(BREAKS);
    }
    default: {
        std::wstring text;
        for (uint32_t n = RandomLength(random); n > 0; --n)
            text += random.OneIn(40) ? L'\n' : RandomCharacter(random);
        return text;
    }
    }
}

struct Key {
    UINT vk;
    const char *name;
};

// Keys that move, edit, select or move the focus, whatever holds it; and a
// few pressed as keys, which the program's message loop turns into
// characters.
const Key KEYS[] = {{VK_LEFT, "Left"},   {VK_RIGHT, "Right"},     {VK_UP, "Up"},
                    {VK_DOWN, "Down"},   {VK_PRIOR, "Page Up"},   {VK_NEXT, "Page Down"},
                    {VK_HOME, "Home"},   {VK_END, "End"},         {VK_DELETE, "Delete"},
                    {VK_BACK, "Backspace"}, {VK_SPACE, "Space"}, {VK_TAB, "Tab"},
                    {'E', "key E"},      {'5', "key 5"},          {'M', "key M"}};
const Key ENTER = {VK_RETURN, "Enter"};
const Key ESCAPE = {VK_ESCAPE, "Escape"};

struct Button {
    int id;
    const char *name;
};

// The main window's buttons; Convert is pressed the most.
const Button BUTTONS[] = {{IDC_CONVERT, "Convert"}, {IDC_CONVERT, "Convert"},
                          {IDC_CONVERT, "Convert"}, {IDC_ABOUT, "About"},
                          {IDC_ERASE, "Erase"},     {IDC_HELP, "Help"},
                          {IDC_WEBSITE, "ZORQ"}};

enum Kind {
    TYPE,               // a character, to the focus
    PASTE,              // a text from the clipboard, to the focus
    KEY,                // a key of KEYS, to the focus
    ENTER_KEY,
    ESCAPE_KEY,
    CLICK_BUTTON,       // one of the main window's buttons
    CLICK_LIST,         // an entry shown in the list
    DOUBLE_CLICK_LIST,
    CLICK_INPUT,        // somewhere in the input field
    CLICK_BOX_BUTTON,   // the open box's button: OK or ORDER MANUAL
};

// How often each action comes, with no box open and with one: a user
// mostly types and clicks in the main window and seldom closes it, and
// mostly dismisses a box, though anything may come while one is open.
const struct {
    Kind kind;
    uint32_t withoutBox, withBox;
} KINDS[] = {
    {TYPE, 3000, 600},         {PASTE, 600, 300},       {KEY, 2000, 600},
    {ENTER_KEY, 800, 2000},    {ESCAPE_KEY, 1, 2000},   {CLICK_BUTTON, 1400, 800},
    {CLICK_LIST, 700, 200},    {DOUBLE_CLICK_LIST, 300, 200}, {CLICK_INPUT, 500, 200},
    {CLICK_BOX_BUTTON, 0, 2000},
};

struct Action {
    Kind kind = TYPE;
    wchar_t character = 0;  // TYPE
    std::wstring text;      // PASTE
    Key key{};              // KEY, ENTER_KEY, ESCAPE_KEY
    Button button{};        // CLICK_BUTTON
    uint32_t slot = 0;      // list clicks: which of the entries shown, from the top
    uint32_t permille = 0;  // clicks: where across the control
};

Kind RandomKind(Random &random, bool boxOpen)
{
    uint32_t total = 0;
    for (const auto &k : KINDS)
        total += boxOpen ? k.withBox : k.withoutBox;
    uint32_t pick = random.Below(total);
    for (const auto &k : KINDS) {
        uint32_t weight = boxOpen ? k.withBox : k.withoutBox;
        if (pick < weight)
            return k.kind;
        pick -= weight;
    }
    return TYPE;
}

Action RandomAction(Random &random, bool boxOpen)
{
    Action action;
    action.kind = RandomKind(random, boxOpen);
    switch (action.kind) {
    case TYPE:
        action.character = RandomCharacter(random);
        break;
    case PASTE:
        action.text = RandomPaste(random);
        break;
    case KEY:
        action.key = random.Pick(KEYS);
        break;
    case ENTER_KEY:
        action.key = ENTER;
        break;
    case ESCAPE_KEY:
        action.key = ESCAPE;
        break;
    case CLICK_BUTTON:
        action.button = random.Pick(BUTTONS);
        break;
    case CLICK_LIST:
    case DOUBLE_CLICK_LIST:
    case CLICK_INPUT:
        action.slot = random.Below(1000);
        action.permille = random.Below(1000);
        break;
    case CLICK_BOX_BUTTON:
        break;
    }
    return action;
}

// A text for the record: ASCII as it is, the rest as \xNN or \uNNNN, cut
// short when long.
std::string Printable(const std::wstring &text)
{
    std::string shown;
    for (size_t i = 0; i < text.size() && i < 40; ++i) {
        wchar_t c = text[i];
        char escaped[16];
        if (c >= 0x20 && c < 0x7f && c != L'"' && c != L'\\')
            snprintf(escaped, sizeof escaped, "%c", char(c));
        else if (c < 0x100)
            snprintf(escaped, sizeof escaped, "\\x%02x", unsigned(c));
        else
            snprintf(escaped, sizeof escaped, "\\u%04x", unsigned(c));
        shown += escaped;
    }
    std::string quoted = "\"" + shown + "\"";
    return text.size() > 40 ? quoted + "... (" + std::to_string(text.size()) + " characters)"
                            : quoted;
}

std::string Format(const char *format, ...)
{
    char text[1024];
    va_list args;
    va_start(args, format);
    vsnprintf(text, sizeof text, format, args);
    va_end(args);
    return text;
}

// ---------------------------------------------------------------- The model

enum Box { NO_BOX, WARNING_BOX, ABOUT_BOX, ADVERT_BOX, BOX_KINDS };
const char *const BOX_NAMES[BOX_KINDS] = {"no box", "a warning", "the About box",
                                          "the advertisement"};

// Which of the program's boxes `box` is, by its controls.
Box KindOf(HWND box)
{
    if (GetDlgItem(box, IDC_ORDER))
        return ADVERT_BOX;
    if (GetDlgItem(box, IDC_TITLE))
        return ABOUT_BOX;
    return GetDlgItem(box, IDOK) ? WARNING_BOX : NO_BOX;
}

bool IsPushButton(HWND control)
{
    return (SendMessageW(control, WM_GETDLGCODE, 0, 0) &
            (DLGC_DEFPUSHBUTTON | DLGC_UNDEFPUSHBUTTON)) != 0;
}

// The command Enter gives in the dialog that holds the focus, as the dialog
// manager decides it: the focused push button's if it is the default one
// (Tab makes it so; a click does not, under Wine), else the default
// button's.
int EnterCommand(HWND focus)
{
    if (SendMessageW(focus, WM_GETDLGCODE, 0, 0) & DLGC_DEFPUSHBUTTON)
        return GetDlgCtrlID(focus);
    LRESULT def = SendMessageW(GetAncestor(focus, GA_ROOT), DM_GETDEFID, 0, 0);
    return HIWORD(def) == DC_HASDEFID ? LOWORD(def) : IDOK;
}

struct WindowSearch {
    DWORD pid;
    HWND main;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectOtherWindow(HWND hWnd, LPARAM lParam)
{
    WindowSearch &search = *reinterpret_cast<WindowSearch *>(lParam);
    DWORD pid = 0;
    GetWindowThreadProcessId(hWnd, &pid);
    if (pid == search.pid && hWnd != search.main && IsWindowVisible(hWnd))
        search.found.push_back(hWnd);
    return TRUE;
}

struct Figures {
    long actions = 0;
    long results = 0;   // conversions checked that showed a result
    long warnings = 0;  // and that warned
    long boxes[BOX_KINDS] = {};
    long refusedClicks = 0;  // clicks on the main window while a box was open
    long websites = 0, orders = 0;
    long runs = 0;           // programs started; all but the last ended by Escape
    SIZE_T memoryStart = 0, memoryEnd = 0, memoryHighest = 0, memoryBound = 0;
};

// What an action is to do, worked out before it is sent.
struct Expected {
    HWND dialog = nullptr;  // the window whose command the action gives
    int command = 0;        // 0: none
    bool refused = false;   // a click on the main window while a box disables it
    std::wstring input;     // the input field before the action
    int row = -1;           // Convert only: the row selected
    EngineOutcome convert;  // and what the engine makes of the two
};

class Monkey {
public:
    explicit Monkey(uint64_t seed) : random_(seed), seed_(seed)
    {
        char label[LABEL_BUFFER_SIZE];
        for (int row = 0; row < NUM_CONVERSIONS; ++row) {
            ComposeLabel(row, label);
            labels_.push_back(Widen(label));
        }
    }

    bool Run(long actions)
    {
        // Ctrl+V pastes what the clipboard holds: the same at every start.
        if (OpenClipboard(nullptr)) {
            EmptyClipboard();
            CloseClipboard();
        }
        if (!Start())
            return false;
        for (long number = 1; number <= actions; ++number)
            if (!Step(number))
                return false;
        return Finish();
    }

    void PrintFigures(double seconds) const
    {
        const Figures &f = figures_;
        const double KIB = 1024;
        printf("\n%-28s %ld in %.0f s (%.1f ms each)\n", "actions", f.actions, seconds,
               f.actions ? 1000 * seconds / f.actions : 0.0);
        printf("%-28s %ld (%ld results, %ld warnings)\n", "conversions checked",
               f.results + f.warnings, f.results, f.warnings);
        printf("%-28s %ld (%ld warnings, %ld About, %ld advertisements)\n", "boxes opened",
               f.boxes[WARNING_BOX] + f.boxes[ABOUT_BOX] + f.boxes[ADVERT_BOX],
               f.boxes[WARNING_BOX], f.boxes[ABOUT_BOX], f.boxes[ADVERT_BOX]);
        printf("%-28s %ld\n", "clicks refused under a box", f.refusedClicks);
        printf("%-28s %ld (%ld web site, %ld order page)\n", "web addresses opened",
               f.websites + f.orders, f.websites, f.orders);
        printf("%-28s %ld (%ld closed by Escape)\n", "programs started", f.runs,
               f.runs ? f.runs - 1 : 0);
        printf("%-28s start %.0f KiB, end %.0f KiB, highest %.0f KiB, bound %.0f KiB\n",
               "private memory", f.memoryStart / KIB, f.memoryEnd / KIB, f.memoryHighest / KIB,
               f.memoryBound / KIB);
    }

private:
    // ------------------------------------------------------------ Running

    bool Start()
    {
        mx_.reset();
        mx_.reset(new MxProcess());
        ++figures_.runs;
        output_.clear();
        box_ = NO_BOX;
        boxWindow_ = nullptr;
        shownIndex_ = -1;
        if (!mx_->window())
            return Fail("MX.EXE did not show its window");
        input_ = mx_->Text(IDC_INPUT);
        if (!WaitFor([&] { return mx_->Focus() != nullptr; }, ANSWER_MS))
            return Fail("MX.EXE started with the keyboard focus nowhere");
        HWND list = mx_->control(IDC_LIST);
        itemHeight_ = (int)SendMessageW(list, LB_GETITEMHEIGHT, 0, 0);
        RECT client;
        GetClientRect(list, &client);
        entriesShown_ = std::max(1, int(client.bottom / std::max(1, itemHeight_)));
        return SampleMemory();
    }

    bool Step(long number)
    {
        number_ = number;
        ++figures_.actions;
        Action action = RandomAction(random_, box_ != NO_BOX);
        HWND focus = mx_->Focus();
        Expected expected = Predict(action, focus);
        Remember(Describe(action, focus, expected));
        if (IsConvert(expected))
            lastConvert_ = Format(" (Convert of %s in row %d, action %ld)",
                                  Printable(expected.input).c_str(), expected.row, number);
        Send(action, focus, expected);
        if (!Check(expected))
            return false;
        if (number % MEMORY_EVERY != 0)
            return true;
        bool held = SampleMemory();
        if (number % PROGRESS_EVERY == 0) {
            printf("monkey: %ld actions, private memory %lu KiB\n", number,
                   (unsigned long)(figures_.memoryEnd >> 10));
            fflush(stdout);
        }
        return held;
    }

    bool Finish()
    {
        if (!SampleMemory())
            return false;
        // The stand-in browser records each address in a process of its own.
        long opened = figures_.websites + figures_.orders;
        std::string urls = browser_.Recorded(size_t(opened), 30000);
        long websites = 0, orders = 0, others = 0;
        for (size_t start = 0, end; (end = urls.find('\n', start)) != std::string::npos;
             start = end + 1) {
            std::string url = urls.substr(start, end - start);
            (url == MAKER_WEB_ADDRESS ? websites : url == MANUAL_ORDER_ADDRESS ? orders : others)++;
        }
        if (websites != figures_.websites || orders != figures_.orders || others)
            return Fail(Format("the browser was given %ld web site and %ld order page addresses "
                               "and %ld others, where ZORQ was pressed %ld times and ORDER "
                               "MANUAL %ld times",
                               websites, orders, others, figures_.websites, figures_.orders));
        return true;
    }

    // ------------------------------------------------------------ Sending

    Expected Predict(const Action &action, HWND focus) const
    {
        Expected e;
        HWND dialog = GetAncestor(focus, GA_ROOT);
        bool boxOpen = box_ != NO_BOX;
        switch (action.kind) {
        case KEY:
            if (action.key.vk == VK_SPACE && IsPushButton(focus)) {
                e.dialog = dialog;
                e.command = GetDlgCtrlID(focus);
            }
            break;
        case ENTER_KEY:
            e.dialog = dialog;
            e.command = EnterCommand(focus);
            break;
        case ESCAPE_KEY:
            e.dialog = dialog;
            e.command = IDCANCEL;
            break;
        case CLICK_BUTTON:
            e.refused = boxOpen;
            e.dialog = mx_->window();
            e.command = boxOpen ? 0 : action.button.id;
            break;
        case CLICK_LIST:
        case DOUBLE_CLICK_LIST:
        case CLICK_INPUT:
            e.refused = boxOpen;
            break;
        case CLICK_BOX_BUTTON:
            e.dialog = boxWindow_;
            e.command = box_ == ADVERT_BOX ? IDC_ORDER : IDOK;
            break;
        case TYPE:
        case PASTE:
            break;
        }
        e.input = input_;
        if (IsConvert(e)) {
            e.row = SelectedRow();
            e.convert = EngineReference(e.row, e.input, output_);
        }
        return e;
    }

    void Send(const Action &action, HWND focus, const Expected &expected)
    {
        if (expected.refused) {
            ++figures_.refusedClicks;
            return;
        }
        switch (action.kind) {
        case TYPE:
            PostMessageW(focus, WM_CHAR, action.character, 1);
            break;
        case PASTE:
            mx_->Paste(focus, action.text);
            break;
        case KEY:
        case ENTER_KEY:
        case ESCAPE_KEY:
            mx_->PressKey(action.key.vk);
            break;
        case CLICK_BUTTON:
            PostMessageW(mx_->control(action.button.id), BM_CLICK, 0, 0);
            break;
        case CLICK_LIST:
            ClickAt(mx_->control(IDC_LIST), ListPoint(action), false);
            break;
        case DOUBLE_CLICK_LIST:
            ClickAt(mx_->control(IDC_LIST), ListPoint(action), true);
            break;
        case CLICK_INPUT:
            ClickAt(mx_->control(IDC_INPUT), Across(mx_->control(IDC_INPUT), action.permille), false);
            break;
        case CLICK_BOX_BUTTON:
            PostMessageW(GetDlgItem(boxWindow_, expected.command), BM_CLICK, 0, 0);
            break;
        }
    }

    // The middle of a list entry shown, somewhere across it.
    POINT ListPoint(const Action &action) const
    {
        POINT point = Across(mx_->control(IDC_LIST), action.permille);
        point.y = LONG(action.slot % entriesShown_) * itemHeight_ + itemHeight_ / 2;
        return point;
    }

    // A point `permille` across the control's client area, half-way down.
    static POINT Across(HWND control, uint32_t permille)
    {
        RECT client;
        GetClientRect(control, &client);
        return {LONG(1 + permille * std::max(0L, client.right - 2) / 1000), client.bottom / 2};
    }

    // The mouse messages of a click or a double-click at `point`.
    static void ClickAt(HWND control, POINT point, bool twice)
    {
        LPARAM at = MAKELPARAM(point.x, point.y);
        PostMessageW(control, WM_LBUTTONDOWN, MK_LBUTTON, at);
        PostMessageW(control, WM_LBUTTONUP, 0, at);
        if (twice) {
            PostMessageW(control, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
            PostMessageW(control, WM_LBUTTONUP, 0, at);
        }
    }

    // ----------------------------------------------------------- Checking

    bool Check(const Expected &expected)
    {
        HWND main = mx_->window();
        if (expected.dialog == main && expected.command == IDCANCEL) {
            DWORD code = mx_->WaitForExit(ANSWER_MS);
            if (code != 0)
                return Fail(Format("Escape did not end MX.EXE with exit code 0 (%#lx)", code));
            return Start();
        }
        if (!mx_->Sync() || !mx_->IsRunning())
            return Fail(mx_->IsRunning() ? "MX.EXE did not answer within 5 seconds"
                                         : Format("MX.EXE has ended, exit code %#lx",
                                                  mx_->WaitForExit(0)));

        HWND box = nullptr;
        if (!FindBox(&box))
            return false;
        input_ = mx_->Text(IDC_INPUT);
        return CheckBox(expected, box) && CheckFields(expected, box) && CheckSelection() &&
               CheckFocus(box);
    }

    // The box the program shows, if any: at most one, owned by the main
    // window, which it disables; no other window of the program is left.
    bool FindBox(HWND *box)
    {
        HWND main = mx_->window();
        std::vector<HWND> others = OtherWindows();
        // A dialog disables its owner first and shows once it is idle.
        bool disabled = !IsWindowEnabled(main);
        if (disabled && others.empty())
            WaitFor([&] { return !(others = OtherWindows()).empty(); }, ANSWER_MS);
        if (others.size() > 1)
            return Fail(Format("%d boxes are open at once: %s and %s", int(others.size()),
                               BOX_NAMES[KindOf(others[0])], BOX_NAMES[KindOf(others[1])]));
        *box = others.empty() ? nullptr : others[0];
        if (*box && !disabled)
            return Fail(Format("a window of the program (%s) is shown beside the enabled main "
                               "window",
                               BOX_NAMES[KindOf(*box)]));
        if (!*box && disabled)
            return Fail("the main window is disabled with no box shown");
        if (*box && GetWindow(*box, GW_OWNER) != main)
            return Fail(Format("%s is not owned by the main window", BOX_NAMES[KindOf(*box)]));
        return true;
    }

    // The program's visible top-level windows other than its main window.
    std::vector<HWND> OtherWindows() const
    {
        WindowSearch search{GetProcessId(mx_->process()), mx_->window(), {}};
        EnumWindows(CollectOtherWindow, reinterpret_cast<LPARAM>(&search));
        return search.found;
    }

    // The box that shows is the one the action was to open, or the one that
    // was open and was to stay; one that was to close is gone.
    bool CheckBox(const Expected &expected, HWND box)
    {
        if (box_ != NO_BOX) {
            bool closes = expected.dialog == boxWindow_ &&
                          (expected.command == IDCANCEL || expected.command == IDOK);
            if (expected.dialog == boxWindow_ && expected.command == IDC_ORDER)
                ++figures_.orders;
            if (!closes)
                return box == boxWindow_ ||
                       Fail(Format("%s was to stay open", BOX_NAMES[box_]));
            if (box || IsWindow(boxWindow_))
                return Fail(Format("%s was to close and is still there", BOX_NAMES[box_]));
            return BoxClosed();
        }

        Box opens = NO_BOX;
        if (expected.dialog == mx_->window()) {
            switch (expected.command) {
            case IDC_ABOUT:
                opens = ABOUT_BOX;
                break;
            case IDC_HELP:  // no help program is in reach
                opens = ADVERT_BOX;
                break;
            case IDC_CONVERT:
                opens = expected.convert.warning.empty() ? NO_BOX : WARNING_BOX;
                break;
            }
        }
        if (!box)
            return opens == NO_BOX || Fail(Format("%s did not open", BOX_NAMES[opens]));
        Box shown = KindOf(box);
        if (shown != opens)
            return Fail(Format("%s opened where %s was to", BOX_NAMES[shown],
                               opens == NO_BOX ? "none" : BOX_NAMES[opens]));
        if (shown == WARNING_BOX) {
            std::wstring text = MessageBoxText(box);
            wchar_t caption[64] = L"";
            GetWindowTextW(box, caption, 64);
            if (text != expected.convert.warning || std::wstring(caption) != L"Mensurix")
                return Fail("the warning " + Printable(caption) + ": " + Printable(text) +
                            " where the engine warns " + Printable(expected.convert.warning));
        }
        box_ = shown;
        boxWindow_ = box;
        boxInput_ = expected.input;
        ++figures_.boxes[shown];
        return true;
    }

    // A warning about the input leaves its fields and the caret as the
    // engine says, once it is dismissed.
    bool BoxClosed()
    {
        Box closed = box_;
        box_ = NO_BOX;
        boxWindow_ = nullptr;
        if (closed != WARNING_BOX)
            return true;
        if (input_ != pending_.input)
            return Fail("after the warning the input field holds " + Printable(input_) +
                        " where the engine leaves " + Printable(pending_.input));
        output_ = pending_.output;
        if (pending_.focusesInput &&
            !WaitFor([&] { return mx_->Focus() == mx_->control(IDC_INPUT); }, ANSWER_MS))
            return Fail("after the warning the caret is not in the input field");
        return true;
    }

    bool CheckFields(const Expected &expected, HWND box)
    {
        HWND main = mx_->window();
        const std::wstring &input = input_;
        if (input.size() > MAX_INPUT_CHARS)
            return Fail(Format("the input field holds %d characters: ", int(input.size())) +
                        Printable(input));
        if (box && input != boxInput_)
            return Fail("the input field changed under " + std::string(BOX_NAMES[box_]) +
                        " to " + Printable(input));
        if (expected.dialog == main && !box) {
            switch (expected.command) {
            case IDC_CONVERT:
                if (input != expected.input)
                    return Fail("Convert changed the input field to " + Printable(input));
                output_ = expected.convert.output;
                ++figures_.results;
                break;
            case IDC_ERASE:
                output_.clear();
                if (!input.empty())
                    return Fail("Erase left " + Printable(input) + " in the input field");
                if (mx_->Focus() != mx_->control(IDC_INPUT))
                    return Fail("Erase did not put the caret in the input field");
                break;
            case IDC_WEBSITE:
                ++figures_.websites;
                break;
            }
        }
        if (box_ == WARNING_BOX && IsConvert(expected)) {
            pending_ = expected.convert;
            ++figures_.warnings;
        }
        std::wstring output = mx_->Text(IDC_OUTPUT);
        if (output != output_)
            return Fail("the output field holds " + Printable(output) + " where the engine gives " +
                        Printable(output_) + LastConvert());
        return true;
    }

    // The selection is always one of the list's entries, with its own row.
    // Nothing a user does changes an entry, so each is read once it is
    // selected.
    bool CheckSelection()
    {
        HWND list = mx_->control(IDC_LIST);
        LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
        if (index < 0 || index >= NUM_CONVERSIONS)
            return Fail(Format("the list's selection is %ld", long(index)));
        if (index == shownIndex_)
            return true;
        shownIndex_ = index;
        LRESULT row = SendMessageW(list, LB_GETITEMDATA, index, 0);
        if (row < 0 || row >= NUM_CONVERSIONS)
            return Fail(Format("the selected entry %ld carries row %ld", long(index), long(row)));
        wchar_t text[LABEL_BUFFER_SIZE] = L"";
        if (SendMessageW(list, LB_GETTEXTLEN, index, 0) < LABEL_BUFFER_SIZE)
            SendMessageW(list, LB_GETTEXT, index, (LPARAM)text);
        if (labels_[row] != text)
            return Fail(Format("the selected entry %ld reads ", long(index)) + Printable(text) +
                        Format(" but carries row %ld", long(row)));
        return true;
    }

    // The keyboard focus is in the open box, else in the main window.
    bool CheckFocus(HWND box) const
    {
        HWND holder = box ? box : mx_->window();
        if (WaitFor([&] { return GetAncestor(mx_->Focus(), GA_ROOT) == holder; }, ANSWER_MS))
            return true;
        return Fail(Format("the keyboard focus is not in %s", box ? BOX_NAMES[box_] : "the main window"));
    }

    bool SampleMemory()
    {
        Figures &f = figures_;
        f.memoryEnd = PrivateBytes(mx_->process());
        if (f.memoryStart == 0) {
            f.memoryStart = f.memoryEnd;
            f.memoryBound = f.memoryStart + MEMORY_ALLOWANCE;
        }
        f.memoryHighest = std::max(f.memoryHighest, f.memoryEnd);
        if (f.memoryEnd > f.memoryBound)
            return Fail(Format("private memory of %lu KiB is beyond the bound of %lu KiB",
                               (unsigned long)(f.memoryEnd >> 10),
                               (unsigned long)(f.memoryBound >> 10)));
        return true;
    }

    // ------------------------------------------------------------- Record

    bool IsConvert(const Expected &expected) const
    {
        return expected.dialog == mx_->window() && expected.command == IDC_CONVERT;
    }

    int SelectedRow() const
    {
        HWND list = mx_->control(IDC_LIST);
        LRESULT index = SendMessageW(list, LB_GETCURSEL, 0, 0);
        return index == LB_ERR ? -1 : int(SendMessageW(list, LB_GETITEMDATA, index, 0));
    }

    std::string Describe(const Action &action, HWND focus, const Expected &expected) const
    {
        std::string what;
        switch (action.kind) {
        case TYPE:
            what = "type " + Printable(std::wstring(1, action.character)) + " into " + Name(focus);
            break;
        case PASTE:
            what = "paste " + Printable(action.text) + " into " + Name(focus);
            break;
        case KEY:
        case ENTER_KEY:
        case ESCAPE_KEY:
            what = std::string(action.key.name) + " in " + Name(focus);
            break;
        case CLICK_BUTTON:
            what = std::string("click ") + action.button.name;
            break;
        case CLICK_LIST:
        case DOUBLE_CLICK_LIST:
            what = Format("%s the list's entry %u of those shown",
                          action.kind == CLICK_LIST ? "click" : "double-click",
                          unsigned(action.slot % entriesShown_));
            break;
        case CLICK_INPUT:
            what = Format("click the input field %u/1000 across", unsigned(action.permille));
            break;
        case CLICK_BOX_BUTTON:
            what = "click " + Name(GetDlgItem(boxWindow_, expected.command));
            break;
        }
        if (expected.refused)
            return what + ": refused, as " + BOX_NAMES[box_] + " is open";
        if (expected.command == IDCANCEL)
            return what + ": closes " +
                   (expected.dialog == mx_->window() ? "the program" : BOX_NAMES[box_]);
        if (expected.command != 0 && action.kind != CLICK_BUTTON && action.kind != CLICK_BOX_BUTTON)
            what += ": presses " + Name(GetDlgItem(expected.dialog, expected.command));
        if (IsConvert(expected))
            what += ": " + Printable(expected.input) + Format(" in row %d gives ", expected.row) +
                    (expected.convert.warning.empty()
                         ? Printable(expected.convert.output)
                         : "the warning " + Printable(expected.convert.warning));
        return what;
    }

    std::string LastConvert() const { return lastConvert_.empty() ? " (no Convert yet)" : lastConvert_; }

    // A window of the program, named for the record.
    std::string Name(HWND window) const
    {
        if (!window)
            return "no window";
        if (window == mx_->window())
            return "the main window";
        HWND root = GetAncestor(window, GA_ROOT);
        int id = GetDlgCtrlID(window);
        if (root != mx_->window()) {
            const char *button = id == IDOK ? "OK" : id == IDC_ORDER ? "ORDER MANUAL" : nullptr;
            std::string of = std::string(" of ") + BOX_NAMES[KindOf(root)];
            return button ? button + of : Format("control %d", id) + of;
        }
        switch (id) {
        case IDC_INPUT:
            return "the input field";
        case IDC_OUTPUT:
            return "the output field";
        case IDC_LIST:
            return "the list";
        }
        for (const Button &b : BUTTONS)
            if (b.id == id)
                return b.name;
        return Format("control %d", id);
    }

    void Remember(const std::string &what)
    {
        lastActions_.push_back(Format("%8ld  ", number_) + what);
        if (lastActions_.size() > ACTIONS_SHOWN)
            lastActions_.pop_front();
    }

    bool Fail(const std::string &what) const
    {
        fprintf(stderr, "\nmonkey: FAILED at action %ld of seed %llu: %s\n", number_,
                (unsigned long long)seed_, what.c_str());
        fprintf(stderr, "The last %d actions, the failing one last:\n", int(lastActions_.size()));
        for (const std::string &line : lastActions_)
            fprintf(stderr, "%s\n", line.c_str());
        fprintf(stderr, "Replay: monkey --seed %llu --actions %ld\n", (unsigned long long)seed_,
                number_);
        return false;
    }

    StandInBrowser browser_;  // before the program, which inherits where it records
    std::unique_ptr<MxProcess> mx_;
    Random random_;
    uint64_t seed_;
    std::vector<std::wstring> labels_;  // by catalogue row
    int itemHeight_ = 1, entriesShown_ = 1;
    LRESULT shownIndex_ = -1;  // the list entry last checked

    // The model: what the program must show.
    std::wstring input_;     // the input field as last seen
    std::wstring output_;    // the output field
    Box box_ = NO_BOX;       // the box open, and its window
    HWND boxWindow_ = nullptr;
    std::wstring boxInput_;  // the input field while the box is open
    EngineOutcome pending_;  // what the open warning leaves behind

    long number_ = 0;  // of the action under way
    std::deque<std::string> lastActions_;
    std::string lastConvert_;
    Figures figures_;
};

uint64_t FreshSeed()
{
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    std::seed_seq sequence{uint32_t(now.QuadPart), uint32_t(now.QuadPart >> 32),
                           uint32_t(GetCurrentProcessId()), uint32_t(GetTickCount())};
    uint32_t words[2];
    sequence.generate(words, words + 2);
    return (uint64_t(words[0]) << 32 | words[1]) % 1000000000000ULL;  // short enough to type
}

}  // namespace

int main(int argc, char **argv)
{
    uint64_t seed = FreshSeed();
    long actions = DEFAULT_ACTIONS;
    for (int i = 1; i < argc; ++i) {
        std::string option = argv[i];
        if (option == "--seed" && i + 1 < argc) {
            seed = strtoull(argv[++i], nullptr, 10);
        } else if (option == "--actions" && i + 1 < argc) {
            actions = strtol(argv[++i], nullptr, 10);
        } else {
            fprintf(stderr, "usage: monkey [--seed S] [--actions N]\n");
            return 2;
        }
    }
    printf("monkey: seed %llu, %ld actions\n", (unsigned long long)seed, actions);
    fflush(stdout);

    DWORD start = GetTickCount();
    Monkey monkey(seed);
    bool ok = monkey.Run(actions);
    monkey.PrintFigures((GetTickCount() - start) / 1000.0);
    printf("\n%s\n", ok ? "PASSED" : "FAILED");
    return ok ? 0 : 1;
}
