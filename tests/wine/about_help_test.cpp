// The About box, Help and the manual's advertisement in the real MX.EXE.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>
#include <vector>

#include "resources/ids.h"
#include "tests/wine/fake_help.h"
#include "tests/wine/mx_process.h"
#include "tests/wine/stand_in_browser.h"

namespace {

// A folder of the test's own, removed with what it holds when the test ends.
class Folder {
public:
    explicit Folder(const wchar_t *name)
    {
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        path_ = std::wstring(temp) + name + L"\\";
        CreateDirectoryW(path_.c_str(), nullptr);
    }
    ~Folder()
    {
        for (const std::wstring &file : files_)
            DeleteFileW(file.c_str());
        RemoveDirectoryW(path_.c_str());
    }
    // Copies a program of the build into the folder under `name`.
    std::wstring Add(const wchar_t *buildFile, const wchar_t *name)
    {
        std::wstring target = path_ + name;
        CopyFileW((BuildFolder() + buildFile).c_str(), target.c_str(), FALSE);
        files_.push_back(target);
        return target;
    }
    const std::wstring &path() const { return path_; }

private:
    std::wstring path_;
    std::vector<std::wstring> files_;
};

// ---------------------------------------------------------------- About box

TEST(AboutBox, NamesTheProgramCentredOverTheMainWindow)
{
    MxProcess mx;
    ASSERT_NE(mx.window(), nullptr);
    MoveWindow(mx.window(), 123, 77, 600, 480, TRUE);
    mx.Click(IDC_ABOUT);
    HWND about = mx.WaitForOwnedPopup();
    ASSERT_NE(about, nullptr);

    EXPECT_EQ(TextOf(GetDlgItem(about, IDC_TITLE)), L"MX: Mensurix");
    EXPECT_EQ(TextOf(GetDlgItem(about, IDC_VERSION)), L"Version 1.0");
    EXPECT_EQ(TextOf(GetDlgItem(about, IDC_NOTICE)), L"Copyright (c) 2026 Zorq Software");
    EXPECT_EQ(TextOf(GetDlgItem(about, IDC_RIGHTS)), L"All rights reserved.");
    EXPECT_EQ(TextOf(GetDlgItem(about, IDOK)), L"OK");
    EXPECT_EQ(GetWindowLongW(about, GWL_STYLE) & WS_CAPTION, WS_DLGFRAME) << "no caption";
    ExpectCentredOver(mx.window(), about);

    // The whole of this machine's memory, in kilobytes, whatever its size.
    MEMORYSTATUSEX status{};
    status.dwLength = sizeof status;
    ASSERT_TRUE(GlobalMemoryStatusEx(&status));
    EXPECT_EQ(TextOf(GetDlgItem(about, IDC_MEMORY)),
              L"Physical Memory Available to Windows: " +
                  std::to_wstring(status.ullTotalPhys >> 10) + L" KB");
}

TEST(AboutBox, EnterAndEscapeCloseIt)
{
    MxProcess mx;
    ASSERT_NE(mx.window(), nullptr);
    for (UINT key : {VK_RETURN, VK_ESCAPE}) {
        mx.Click(IDC_ABOUT);
        HWND about = mx.WaitForOwnedPopup();
        ASSERT_NE(about, nullptr);
        mx.PressKey(key);
        EXPECT_TRUE(mx.WaitForClose(about)) << "key " << key;
        mx.Sync();
        EXPECT_TRUE(IsWindowEnabled(mx.window())) << "the main window has control again";
    }
}

// --------------------------------------------------------------------- Help

TEST(Help, RunningHelpWindowOfAnyCaseComesToTheFront)
{
    // A help program beside MX.EXE proves that nothing is started.
    Folder folder(L"mx-help-running");
    std::wstring exe = folder.Add(L"MX.EXE", L"MX.EXE");
    folder.Add(L"fake_help.exe", L"mxhelp.exe");
    FakeHelpWindow help(L" MENSURIX HELP ");
    ASSERT_NE(help.window(), nullptr);

    MxProcess mx(exe);
    ASSERT_NE(mx.window(), nullptr);
    ExpectHelpBringsToFront(mx, help.window());
    EXPECT_TRUE(WindowsTitled(Widen(HELP_TITLE)).empty()) << "no help program started";
}

TEST(Help, MinimisedHelpWindowIsRestoredInFront)
{
    FakeHelpWindow help(Widen(HELP_TITLE));
    ASSERT_NE(help.window(), nullptr);
    ShowWindow(help.window(), SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(help.window()));

    MxProcess mx;
    ASSERT_NE(mx.window(), nullptr);
    ExpectHelpBringsToFront(mx, help.window());
    EXPECT_TRUE(WaitFor([&] { return !IsIconic(help.window()); }, 5000)) << "still minimised";
}

TEST(Help, TitleWithoutTheSpacesDoesNotCount)
{
    FakeHelpWindow impostor(L"Mensurix Help");
    ASSERT_NE(impostor.window(), nullptr);

    MxProcess mx;
    ASSERT_NE(mx.window(), nullptr);
    mx.Click(IDC_HELP);
    HWND advert = mx.WaitForOwnedPopup();
    ASSERT_NE(advert, nullptr) << "the advertisement, as no help is in reach";
    PostMessageW(advert, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(mx.WaitForClose(advert));
}

TEST(Help, HelpProgramBesideMxIsStartedMaximised)
{
    Folder folder(L"mx-help-beside");
    std::wstring exe = folder.Add(L"MX.EXE", L"MX.EXE");
    folder.Add(L"fake_help.exe", L"mxhelp.exe");

    MxProcess mx(exe);
    ASSERT_NE(mx.window(), nullptr);
    mx.Click(IDC_HELP);
    HWND help = WaitForWindowTitled(Widen(HELP_TITLE));
    ASSERT_NE(help, nullptr) << "mxhelp.exe was not started";
    // The window is there before the program shows it.
    EXPECT_TRUE(WaitFor([&] { return IsZoomed(help) != FALSE; }, 5000)) << "not maximised";
    EXPECT_EQ(mx.WaitForOwnedPopup(300), nullptr) << "no advertisement";
    PostMessageW(help, WM_CLOSE, 0, 0);
}

TEST(Help, HelpProgramOnlyInTheCurrentDirectoryIsNeverStarted)
{
    Folder program(L"mx-help-program");
    Folder current(L"mx-help-current");
    std::wstring exe = program.Add(L"MX.EXE", L"MX.EXE");
    current.Add(L"fake_help.exe", L"mxhelp.exe");

    MxProcess mx(exe, current.path());
    ASSERT_NE(mx.window(), nullptr);
    mx.Click(IDC_HELP);
    HWND advert = mx.WaitForOwnedPopup();
    EXPECT_NE(advert, nullptr) << "the advertisement instead";
    EXPECT_TRUE(WindowsTitled(Widen(HELP_TITLE)).empty())
        << "mxhelp.exe from the current directory ran";
    if (advert)
        PostMessageW(advert, WM_COMMAND, IDCANCEL, 0);
}

// ------------------------------------------------------------ Advertisement

// The web addresses the program opens go to the stand-in browser.
class WebAddresses : public ::testing::Test {
protected:
    std::string Recorded(size_t lines) { return browser_.Recorded(lines); }

private:
    StandInBrowser browser_;
};

TEST_F(WebAddresses, AdvertisementOrdersTheManualAndStaysOpenUntilEscape)
{
    MxProcess mx;
    ASSERT_NE(mx.window(), nullptr);
    mx.Click(IDC_HELP);
    HWND advert = mx.WaitForOwnedPopup();
    ASSERT_NE(advert, nullptr);

    HWND order = GetDlgItem(advert, IDC_ORDER);
    EXPECT_EQ(TextOf(order), L"ORDER MANUAL");
    EXPECT_EQ(GetWindowLongW(advert, GWL_STYLE) & WS_CAPTION, WS_DLGFRAME) << "no caption";
    // The box is the template's 400 x 300 dialog units of the system font,
    // whatever pixels that font makes of them: 800 x 600 with the classic
    // one, fewer or more with others. The picture is centred in it either way.
    RECT client;
    GetClientRect(advert, &client);
    LONG base = GetDialogBaseUnits();
    EXPECT_EQ(client.right, MulDiv(400, LOWORD(base), 4));
    EXPECT_EQ(client.bottom, MulDiv(300, HIWORD(base), 8));

    mx.PressKey(VK_RETURN);  // presses ORDER MANUAL, the default button
    std::string urls = Recorded(1);
    EXPECT_NE(urls.find("productid="), std::string::npos) << urls;
    EXPECT_NE(urls.find("language=English"), std::string::npos) << urls;
    mx.Sync();
    EXPECT_TRUE(IsWindowVisible(advert)) << "the advertisement stays open";

    mx.PressKey(VK_ESCAPE);
    EXPECT_TRUE(mx.WaitForClose(advert));
}

TEST_F(WebAddresses, WebSiteButtonOpensTheMakersHomePage)
{
    MxProcess mx;
    ASSERT_NE(mx.window(), nullptr);
    mx.Click(IDC_WEBSITE);
    EXPECT_EQ(Recorded(1), "https://www.zorq.example/\n");
}

}  // namespace
