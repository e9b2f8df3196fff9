// The dialogs opened inside this test's own process, where their graphics
// objects can be checked: each lives exactly while its dialog is open.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "resources/ids.h"
#include "ui/dialogs.h"

HINSTANCE g_hInst;  // the templates and the bitmap are linked into this program

namespace {

// What a check running inside a dialog's modal loop saw.
struct Inside {
    std::vector<HGDIOBJ> objects;  // every object the dialog held
    std::vector<LONG> fontHeights;  // the About box's title and version lines
    bool ok = false;
    void (*check)(HWND dialog, Inside &inside) = nullptr;
};
Inside g_inside;  // the check of the dialog open now, and what it saw
int g_closeId;    // the command that closes it

// Runs the check once the dialog is up, then closes it.
VOID CALLBACK CheckThenClose(HWND, UINT, UINT_PTR timer, DWORD)
{
    KillTimer(nullptr, timer);
    HWND dialog = GetActiveWindow();
    g_inside.check(dialog, g_inside);
    PostMessageW(dialog, WM_COMMAND, g_closeId, 0);
}

void Open(const char *templateName, DLGPROC procedure, int closeId,
          void (*check)(HWND, Inside &))
{
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 100, 100, 600, 400,
                                 nullptr, nullptr, nullptr, nullptr);
    g_inside = Inside();
    g_inside.check = check;
    g_closeId = closeId;
    SetTimer(nullptr, 0, 1, CheckThenClose);
    ASSERT_NE(owner, nullptr);
    ASSERT_EQ(DialogBoxParamA(g_hInst, templateName, owner, procedure, 0), 0);
    DestroyWindow(owner);
}

void CheckAbout(HWND about, Inside &inside)
{
    inside.objects = {g_hBrush, g_hFontBold, g_hFontNormal};
    inside.ok = GetObjectType(g_hBrush) == OBJ_BRUSH && GetObjectType(g_hFontBold) == OBJ_FONT &&
                GetObjectType(g_hFontNormal) == OBJ_FONT &&
                (HFONT)SendDlgItemMessageW(about, IDC_TITLE, WM_GETFONT, 0, 0) == g_hFontBold &&
                (HFONT)SendDlgItemMessageW(about, IDC_MEMORY, WM_GETFONT, 0, 0) == g_hFontNormal;

    // A change of the system colours replaces the brush.
    HBRUSH before = g_hBrush;
    SendMessageW(about, WM_SYSCOLORCHANGE, 0, 0);
    inside.ok = inside.ok && GetObjectType(before) == 0 && GetObjectType(g_hBrush) == OBJ_BRUSH;
    inside.objects.push_back(g_hBrush);
}

void ExpectAllDeleted(const Inside &inside)
{
    for (HGDIOBJ object : inside.objects)
        EXPECT_EQ(GetObjectType(object), 0u) << object << " outlived its dialog";
}

TEST(AboutBoxObjects, LiveExactlyWhileItIsOpen)
{
    for (int opening = 0; opening < 50; ++opening) {
        Open("AboutDlgBox", AboutDlgProc, opening % 2 ? IDOK : IDCANCEL, CheckAbout);
        ASSERT_TRUE(g_inside.ok) << "opening " << opening;
        ExpectAllDeleted(g_inside);
    }
}

// ------------------------------------------------------------ Font heights

// The screen's logical resolution, in dots per inch.
int ScreenDpi()
{
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}

LONG FontHeightOf(HWND control)
{
    LOGFONTW font{};
    GetObjectW((HFONT)SendMessageW(control, WM_GETFONT, 0, 0), sizeof font, &font);
    return font.lfHeight;
}

void ReadFontHeights(HWND about, Inside &inside)
{
    inside.fontHeights = {FontHeightOf(GetDlgItem(about, IDC_TITLE)),
                          FontHeightOf(GetDlgItem(about, IDC_VERSION))};
    inside.ok = true;
}

// Names, for the copy of this program that a test below starts, the
// resolution it was started at.
const wchar_t DPI_VARIABLE[] = L"MX_TEST_DPI";

int RequestedDpi()
{
    wchar_t value[16];
    return GetEnvironmentVariableW(DPI_VARIABLE, value, 16) ? _wtoi(value) : 0;
}

TEST(AboutBoxFonts, ScaleWithTheScreenResolution)
{
    int dpi = ScreenDpi();
    int requested = RequestedDpi();
    if (requested) {
        ASSERT_EQ(dpi, requested) << "the resolution set for this run did not take";
    }
    Open("AboutDlgBox", AboutDlgProc, IDOK, ReadFontHeights);
    ASSERT_TRUE(g_inside.ok);
    // 15 pixels at 96 dots per inch, the cell height the box was drawn for.
    LONG expected = MulDiv(15, dpi, 96);
    EXPECT_EQ(g_inside.fontHeights, std::vector<LONG>({expected, expected})) << dpi << " dpi";
}

// The desktop's resolution as a new process reads it at start, set for as
// long as the object lives.
class DesktopDpi {
public:
    explicit DesktopDpi(DWORD dpi)
    {
        DWORD size = sizeof saved_;
        hadValue_ = RegGetValueW(HKEY_CURRENT_USER, KEY, VALUE, RRF_RT_REG_DWORD, nullptr,
                                 &saved_, &size) == ERROR_SUCCESS;
        Set(dpi);
    }
    ~DesktopDpi()
    {
        if (hadValue_)
            Set(saved_);
        else
            RegDeleteKeyValueW(HKEY_CURRENT_USER, KEY, VALUE);
    }

private:
    static void Set(DWORD dpi)
    {
        RegSetKeyValueW(HKEY_CURRENT_USER, KEY, VALUE, REG_DWORD, &dpi, sizeof dpi);
    }

    static constexpr const wchar_t *KEY = L"Control Panel\\Desktop";
    static constexpr const wchar_t *VALUE = L"LogPixels";
    DWORD saved_ = 0;
    bool hadValue_ = false;
};

// The check above again, in a copy of this program started at 150 %.
TEST(AboutBoxFonts, ScaleAtOneAndAHalfTimesTheResolution)
{
    const int DPI = 144;
    wchar_t program[MAX_PATH];
    GetModuleFileNameW(nullptr, program, MAX_PATH);
    std::wstring commandLine = L"\"" + std::wstring(program) +
                               L"\" --gtest_filter=AboutBoxFonts.ScaleWithTheScreenResolution";
    DesktopDpi desktop(DPI);
    SetEnvironmentVariableW(DPI_VARIABLE, std::to_wstring(DPI).c_str());
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    BOOL started = CreateProcessW(program, &commandLine[0], nullptr, nullptr, FALSE, 0, nullptr,
                                  nullptr, &startup, &process);
    SetEnvironmentVariableW(DPI_VARIABLE, nullptr);
    ASSERT_TRUE(started);
    DWORD code = STILL_ACTIVE;
    if (WaitForSingleObject(process.hProcess, 30000) == WAIT_OBJECT_0)
        GetExitCodeProcess(process.hProcess, &code);
    else
        TerminateProcess(process.hProcess, 1);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    EXPECT_EQ(code, 0u) << "the run at " << DPI << " dpi failed";
}

// ------------------------------------------------------------ Advertisement

void CheckAdvert(HWND, Inside &inside)
{
    BITMAP bitmap{};
    inside.objects = {g_hAdvert};
    inside.ok = GetObjectW(g_hAdvert, sizeof bitmap, &bitmap) == sizeof bitmap &&
                bitmap.bmWidth == 800 && bitmap.bmHeight == 600;
}

TEST(AdvertisementObjects, BitmapLivesExactlyWhileItIsOpen)
{
    for (int opening = 0; opening < 10; ++opening) {
        Open("AdvertDlgBox", AdvertDlgProc, IDCANCEL, CheckAdvert);
        ASSERT_TRUE(g_inside.ok) << "opening " << opening;
        ExpectAllDeleted(g_inside);
    }
}

}  // namespace

int main(int argc, char **argv)
{
    g_hInst = GetModuleHandleW(nullptr);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
