// The display modes through the Win32 backend: the list as the driver
// gives it, the exact-mode check before a switch, and the way back.
#include "platform/window.h"

#include <windows.h>
#include <gtest/gtest.h>

namespace {

DEVMODEA Current()
{
    DEVMODEA mode = {};
    mode.dmSize = sizeof mode;
    EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &mode);
    return mode;
}

TEST(Win32DisplayModes, ListIsTheDriversInItsOrderAndBounded)
{
    PLATFORMMODE modes[64];
    int count = PlatformListModes(modes, 64);
    ASSERT_GE(count, 1);
    for (int i = 0; i < count; ++i) {
        DEVMODEA mode = {};
        mode.dmSize = sizeof mode;
        ASSERT_TRUE(EnumDisplaySettingsA(nullptr, static_cast<DWORD>(i), &mode));
        EXPECT_EQ(modes[i].width, int(mode.dmPelsWidth));
        EXPECT_EQ(modes[i].height, int(mode.dmPelsHeight));
        EXPECT_EQ(modes[i].bits, int(mode.dmBitsPerPel));
        EXPECT_EQ(modes[i].refresh, int(mode.dmDisplayFrequency));
    }
    PLATFORMMODE one[2] = {{-1, -1, -1, -1}, {-7, -7, -7, -7}};
    EXPECT_EQ(PlatformListModes(one, 1), 1);
    EXPECT_EQ(one[1].width, -7);  // nothing written past max
    EXPECT_EQ(PlatformListModes(one, 0), 0);
}

TEST(Win32DisplayModes, DesktopModeIsTheCurrentOneAndListed)
{
    PLATFORMMODE desktop;
    ASSERT_TRUE(PlatformDesktopMode(&desktop));
    DEVMODEA current = Current();
    EXPECT_EQ(desktop.width, int(current.dmPelsWidth));
    EXPECT_EQ(desktop.height, int(current.dmPelsHeight));
    EXPECT_EQ(desktop.bits, int(current.dmBitsPerPel));
    PLATFORMMODE modes[64];
    int count = PlatformListModes(modes, 64);
    bool listed = false;
    for (int i = 0; i < count; ++i)
        listed = listed || (modes[i].width == desktop.width && modes[i].height == desktop.height &&
                            modes[i].bits == desktop.bits && modes[i].refresh == desktop.refresh);
    EXPECT_TRUE(listed);
}

TEST(Win32DisplayModes, OnlyAnExactlyListedModeIsTakenAndTheDesktopComesBack)
{
    PLATFORMMODE desktop;
    ASSERT_TRUE(PlatformDesktopMode(&desktop));
    PLATFORMMODE wider = desktop;
    wider.width += 1;
    PLATFORMMODE otherRefresh = desktop;
    otherRefresh.refresh += 1;
    PLATFORMMODE deeper = desktop;
    deeper.bits = 48;
    EXPECT_FALSE(PlatformSelectFullscreenMode(wider));
    EXPECT_FALSE(PlatformSelectFullscreenMode(otherRefresh));
    EXPECT_FALSE(PlatformSelectFullscreenMode(deeper));
    EXPECT_EQ(Current().dmPelsWidth, DWORD(desktop.width));
    ASSERT_TRUE(PlatformSelectFullscreenMode(desktop));
    PlatformRestoreDesktopMode();
    PlatformRestoreDesktopMode();  // twice is harmless
    DEVMODEA after = Current();
    EXPECT_EQ(after.dmPelsWidth, DWORD(desktop.width));
    EXPECT_EQ(after.dmPelsHeight, DWORD(desktop.height));
    EXPECT_EQ(after.dmBitsPerPel, DWORD(desktop.bits));
}

}  // namespace
