// Mode texts, list order and search, parse-back and placement of the setup
// dialog.
#include "shell/setup_dialog.h"

#include <gtest/gtest.h>

namespace {

TEST(SetupDialogModes, TextFormatAndParseBack)
{
    EXPECT_EQ(ModeText(1024, 768, 32, 60), "1024x768x32bpp 60Hz");
    EXPECT_EQ(ModeText(640, 480, 16, 0), "640x480x16bpp 0Hz");
    CDISPLAYMODE mode = {};
    ASSERT_TRUE(ParseModeText("1024x768x32bpp 60Hz", &mode));
    EXPECT_EQ(mode.screenWidth, 1024);
    EXPECT_EQ(mode.screenHeight, 768);
    EXPECT_EQ(mode.screenBits, 32);
    EXPECT_EQ(mode.screenRefresh, 60);
}

TEST(SetupDialogModes, TextsThatDoNotParseLeaveTheModeAlone)
{
    CDISPLAYMODE mode = {1, 2, 3, 4};
    for (const char* bad : {"", "1024x768", "1024x768x32bpp", "axbxcbpp dHz", "1024x768x32bpp Hz"}) {
        EXPECT_FALSE(ParseModeText(bad, &mode)) << bad;
        EXPECT_EQ(mode.screenWidth, 1);
        EXPECT_EQ(mode.screenRefresh, 4);
    }
}

TEST(SetupDialogModes, ListSortsByTextAndKeepsDuplicates)
{
    std::vector<std::string> list;
    for (const char* t : {"640x480x32bpp 60Hz", "1024x768x32bpp 60Hz", "800x600x16bpp 75Hz",
                          "1024x768x32bpp 60Hz", "1280x1024x32bpp 60Hz", "1024x768x16bpp 60Hz"})
        AddSortedText(&list, t);
    std::vector<std::string> expected = {"1024x768x16bpp 60Hz",  "1024x768x32bpp 60Hz", "1024x768x32bpp 60Hz",
                                         "1280x1024x32bpp 60Hz", "640x480x32bpp 60Hz",  "800x600x16bpp 75Hz"};
    EXPECT_EQ(list, expected);
}

TEST(SetupDialogModes, FindStartsAfterTheStartIndexAndWraps)
{
    std::vector<std::string> list = {"1024x768x32bpp 60Hz", "1024x768x32bpp 60Hz", "640x480x32bpp 60Hz"};
    // The search starts at the second entry, so of two equal texts the
    // second is preselected.
    EXPECT_EQ(FindListText(list, "1024x768x32bpp 60Hz", 0), 1);
    EXPECT_EQ(FindListText(list, "640X480X32BPP 60HZ", 0), 2);
    EXPECT_EQ(FindListText(list, "1024x768x32bpp 60Hz", 1), 0);
    EXPECT_EQ(FindListText(list, "800x600x32bpp 60Hz", 0), -1);
    EXPECT_EQ(FindListText({}, "800x600x32bpp 60Hz", 0), -1);
    std::vector<std::string> one = {"640x480x32bpp 60Hz"};
    EXPECT_EQ(FindListText(one, "640x480x32bpp 60Hz", 0), 0);
}

TEST(SetupDialogPlacement, CentredInUnsignedArithmetic)
{
    int32_t x, y;
    SetupDialogPosition(1024, 768, &x, &y);
    EXPECT_EQ(x, 322);
    EXPECT_EQ(y, 304);
    SetupDialogPosition(1921, 1081, &x, &y);
    EXPECT_EQ(x, 770);
    EXPECT_EQ(y, 460);
    // A screen smaller than the dialog would wrap round: that edge goes to 0.
    SetupDialogPosition(300, 100, &x, &y);
    EXPECT_EQ(x, 0);
    EXPECT_EQ(y, 0);
}

}  // namespace
