// The dialogs opened inside this test's own process, where their graphics
// objects can be checked: each lives exactly while its dialog is open.
#include <gtest/gtest.h>

#include <windows.h>

#include <vector>

#include "resources/ids.h"
#include "ui/dialogs.h"

HINSTANCE g_hInst;  // the templates and the bitmap are linked into this program

namespace {

// What a check running inside a dialog's modal loop saw.
struct Inside {
    std::vector<HGDIOBJ> objects;  // every object the dialog held
    bool ok = false;
    void (*check)(HWND dialog, Inside &inside) = nullptr;
};
Inside g_inside;

// Runs the check once the dialog is up, then closes it with `g_closeId`.
int g_closeId;

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
