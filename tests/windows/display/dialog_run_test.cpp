// The setup dialog run for real: keys are posted to its list from a timer
// of the dialog's own thread, one per tick, as the keyboard would deliver
// them to the focused list; what the dialog shows is checked from the same
// timer before the first key.
#include "platform/dialog.h"
#include "platform/window.h"

#include <windows.h>
#include <gtest/gtest.h>

#include "own_windows.h"

#include <string>
#include <vector>

namespace {

std::vector<UINT> script;  // keys still to press, in order
size_t pressed = 0;
void (*inspect)(HWND dialog) = nullptr;  // run once the dialog is up
std::vector<int> asked;                  // what acceptOk was asked
bool acceptAnswer = true;

void CALLBACK PressNextKey(HWND, UINT, UINT_PTR, DWORD)
{
    // The dialog shows itself once its loop first runs out of messages. The
    // keys go to the list, which the dialog focuses, whether or not another
    // process on the display has the keyboard.
    HWND dialog = OwnWindow("#32770");
    if (!dialog || !IsWindowVisible(dialog) || pressed >= script.size()) return;
    if (inspect) {
        inspect(dialog);
        inspect = nullptr;
    }
    HWND list = GetDlgItem(dialog, 1002);
    PostMessageA(list, WM_KEYDOWN, script[pressed], 0x00000001);
    PostMessageA(list, WM_KEYUP, script[pressed], static_cast<LPARAM>(0xC0000001u));
    ++pressed;
}

bool AcceptOk(int selected)
{
    asked.push_back(selected);
    return acceptAnswer;
}

// A dialog of the program's layout with the given entries.
struct CDIALOGCASE {
    std::vector<const char*> items;
    PLATFORMDIALOG d = {};
    CDIALOGCASE(std::vector<const char*> entries, int selected) : items(std::move(entries))
    {
        d.frame = {100, 80, 380, 160};
        d.pictureArea = {0, 0, 380, 131};
        d.items = items.data();
        d.itemCount = static_cast<int>(items.size());
        d.selected = selected;
        d.list = {12, 134, 184, 21};
        d.cancel = {210, 134, 75, 21};
        d.ok = {291, 134, 75, 21};
    }
};

class Win32SetupDialog : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(PlatformStartVideo());
        pressed = 0;
        asked.clear();
        acceptAnswer = true;
        inspect = nullptr;
    }
    void TearDown() override { PlatformStopVideo(); }
    int Run(PLATFORMDIALOG* d, std::vector<UINT> keys)
    {
        script = std::move(keys);
        UINT_PTR timer = SetTimer(nullptr, 0, 40, PressNextKey);
        int result = PlatformRunDialog(d, AcceptOk);
        KillTimer(nullptr, timer);
        return result;
    }
};

TEST_F(Win32SetupDialog, ReturnAcceptsThePreselectedEntry)
{
    CDIALOGCASE c({"1024x768x16bpp 0Hz", "1024x768x32bpp 0Hz", "1024x768x8bpp 0Hz"}, 1);
    EXPECT_EQ(Run(&c.d, {VK_RETURN}), 1);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], 1);
    EXPECT_EQ(c.d.selected, 1);
}

TEST_F(Win32SetupDialog, EscapeCancelsWithoutAskingAndCloseRequestsToo)
{
    CDIALOGCASE c({"640x480x32bpp 60Hz"}, 0);
    EXPECT_EQ(Run(&c.d, {VK_ESCAPE}), 0);
    EXPECT_TRUE(asked.empty());
}

TEST_F(Win32SetupDialog, SelectionIsToldInTheCallersOrderWhateverTheListSorts)
{
    // The combo box sorts its entries by text: shown as a, b, c.
    CDIALOGCASE c({"b", "a", "c"}, 0);
    EXPECT_EQ(Run(&c.d, {VK_DOWN, VK_RETURN}), 1);
    ASSERT_EQ(asked.size(), 1u);
    EXPECT_EQ(asked[0], 2);  // "c"
    EXPECT_EQ(c.d.selected, 2);
}

TEST_F(Win32SetupDialog, RefusedOkKeepsTheDialogOpen)
{
    CDIALOGCASE c({"a", "b"}, -1);
    acceptAnswer = false;
    EXPECT_EQ(Run(&c.d, {VK_RETURN, VK_RETURN, VK_ESCAPE}), 0);
    ASSERT_EQ(asked.size(), 2u);
    EXPECT_EQ(asked[0], -1);  // nothing selected
    EXPECT_EQ(c.d.selected, -1);
}

// The dialog's own frame, its controls and its picture, seen from inside.
RECT placedDialog, placedList, placedOk, placedCancel;
COLORREF topPixel, bottomPixel, rightPixel;
std::vector<std::string> shownEntries;

RECT ClientRectOf(HWND dialog, HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&r), 2);
    return r;
}

void InspectDialog(HWND dialog)
{
    GetWindowRect(dialog, &placedDialog);
    placedList = ClientRectOf(dialog, GetDlgItem(dialog, 1002));
    placedOk = ClientRectOf(dialog, GetDlgItem(dialog, IDOK));
    placedCancel = ClientRectOf(dialog, GetDlgItem(dialog, IDCANCEL));
    UpdateWindow(dialog);
    HDC dc = GetDC(dialog);
    topPixel = GetPixel(dc, 10, 5);
    bottomPixel = GetPixel(dc, 10, 15);
    rightPixel = GetPixel(dc, 45, 5);
    ReleaseDC(dialog, dc);
    HWND list = GetDlgItem(dialog, 1002);
    shownEntries.clear();
    for (LRESULT i = 0; i < SendMessageA(list, CB_GETCOUNT, 0, 0); ++i) {
        char text[64] = {};
        if (SendMessageA(list, CB_GETLBTEXTLEN, i, 0) < LRESULT(sizeof text))
            SendMessageA(list, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        shownEntries.push_back(text);
    }
}

TEST_F(Win32SetupDialog, FrameControlsAndPictureAreWhereTheCallerPutThem)
{
    // 5 x 2 pixels (rows padded to 4 bytes in a bitmap), bottom row first:
    // blue below, red above, stretched over 50 x 20 pixels.
    const unsigned char picture[] = {255, 0, 0,   255, 0, 0,   255, 0, 0,   255, 0, 0,   255, 0, 0,
                                     0,   0, 255, 0,   0, 255, 0,   0, 255, 0,   0, 255, 0,   0, 255};
    CDIALOGCASE c({"800x600x32bpp 60Hz", "1024x768x32bpp 60Hz"}, 0);
    c.d.picture = picture;
    c.d.pictureWidth = 5;
    c.d.pictureHeight = 2;
    c.d.pictureArea = {0, 0, 50, 20};
    inspect = InspectDialog;
    EXPECT_EQ(Run(&c.d, {VK_ESCAPE}), 0);
    EXPECT_EQ(placedDialog.left, 100);
    EXPECT_EQ(placedDialog.top, 80);
    EXPECT_EQ(placedDialog.right - placedDialog.left, 380);
    EXPECT_EQ(placedDialog.bottom - placedDialog.top, 160);
    EXPECT_EQ(placedOk.left, 291);
    EXPECT_EQ(placedOk.top, 134);
    EXPECT_EQ(placedOk.right - placedOk.left, 75);
    EXPECT_EQ(placedCancel.left, 210);
    EXPECT_EQ(placedList.left, 12);
    EXPECT_EQ(placedList.top, 134);
    EXPECT_EQ(placedList.right - placedList.left, 184);
    EXPECT_EQ(topPixel, RGB(255, 0, 0));
    EXPECT_EQ(rightPixel, RGB(255, 0, 0));
    EXPECT_EQ(bottomPixel, RGB(0, 0, 255));
    ASSERT_EQ(shownEntries.size(), 2u);
    EXPECT_EQ(shownEntries[0], "1024x768x32bpp 60Hz");  // sorted by text
    EXPECT_EQ(shownEntries[1], "800x600x32bpp 60Hz");
}

TEST_F(Win32SetupDialog, NoPictureAndNoEntriesStillRun)
{
    CDIALOGCASE c({}, -1);
    EXPECT_EQ(Run(&c.d, {VK_DOWN, VK_ESCAPE}), 0);
    EXPECT_EQ(c.d.selected, -1);
}

}  // namespace
