// The picture loader through the real DevIL: row order, conversion of every
// PNG layout to 3-byte RGB, and the empty stand-in for pictures that cannot
// be loaded.
#include <gtest/gtest.h>
#include <png.h>

#include <string>
#include <vector>

#include "picture_files.h"
#include "runtime/entry_points.h"
#include "runtime/image_loader.h"
#include "runtime/picture_decoder.h"
#include "tests/support/devil.h"

namespace {

struct Loaded {
    int width = -1, height = -1, components = -1;
    unsigned char* pixels = nullptr;
    ~Loaded() { FreePixelBuffer(pixels); }
    std::vector<unsigned char> Bytes() const
    {
        return std::vector<unsigned char>(pixels, pixels + width * height * 3);
    }
};

void Load(const char* name, Loaded& out)
{
    LoadImageFile(name, &out.width, &out.height, &out.components, &out.pixels);
}

class ImageLoader : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(plmtest::BindDevil()); }
    void TearDown() override { plmtest::BindDevil(); }

    void ExpectEmpty(const Loaded& loaded)
    {
        EXPECT_EQ(loaded.width, EMPTY_PICTURE_SIZE);
        EXPECT_EQ(loaded.height, EMPTY_PICTURE_SIZE);
        EXPECT_EQ(loaded.components, 3);
        ASSERT_NE(loaded.pixels, nullptr);
        EXPECT_EQ(loaded.Bytes(), std::vector<unsigned char>(EMPTY_PICTURE_SIZE * EMPTY_PICTURE_SIZE * 3, 0));
    }

    ScratchDataDir dir;
};

const PngLayout kRgb8 = {PNG_COLOR_TYPE_RGB, 8};

}  // namespace

// --- row order ---------------------------------------------------------------

TEST_F(ImageLoader, TwoRowsArriveBottomFirst)
{
    const std::vector<unsigned char> m = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    const std::vector<unsigned char> n = {11, 12, 13, 14, 15, 16, 17, 18, 19};
    std::vector<unsigned char> file = m;
    file.insert(file.end(), n.begin(), n.end());
    WritePng(dir.Texture("mn.png"), 3, 2, kRgb8, file);
    Loaded loaded;
    Load("mn.png", loaded);
    ASSERT_EQ(loaded.width, 3);
    ASSERT_EQ(loaded.height, 2);
    EXPECT_EQ(loaded.components, 3);
    std::vector<unsigned char> expected = n;
    expected.insert(expected.end(), m.begin(), m.end());
    EXPECT_EQ(loaded.Bytes(), expected);
}

TEST_F(ImageLoader, ThreeRowsReverseAndOneRowStays)
{
    WritePng(dir.Texture("pqr.png"), 1, 3, kRgb8, {10, 10, 10, 20, 20, 20, 30, 30, 30});
    Loaded three;
    Load("pqr.png", three);
    EXPECT_EQ(three.Bytes(), (std::vector<unsigned char>{30, 30, 30, 20, 20, 20, 10, 10, 10}));
    WritePng(dir.Texture("row.png"), 2, 1, kRgb8, {1, 2, 3, 4, 5, 6});
    Loaded one;
    Load("row.png", one);
    EXPECT_EQ(one.Bytes(), (std::vector<unsigned char>{1, 2, 3, 4, 5, 6}));
}

// --- conversion to 3-byte RGB ------------------------------------------------

TEST_F(ImageLoader, GreyOneAndTwoBytesPerPixelBecomeRgb)
{
    WritePng(dir.Texture("grey.png"), 2, 1, {PNG_COLOR_TYPE_GRAY, 8}, {77, 200});
    WritePng(dir.Texture("greya.png"), 2, 1, {PNG_COLOR_TYPE_GRAY_ALPHA, 8}, {77, 255, 200, 255});
    for (const char* name : {"grey.png", "greya.png"}) {
        Loaded loaded;
        Load(name, loaded);
        EXPECT_EQ(loaded.components, 3) << name;
        EXPECT_EQ(loaded.Bytes(), (std::vector<unsigned char>{77, 77, 77, 200, 200, 200})) << name;
    }
}

TEST_F(ImageLoader, RgbaFourBytesPerPixelLosesAlpha)
{
    WritePng(dir.Texture("rgba.png"), 2, 1, {PNG_COLOR_TYPE_RGBA, 8}, {10, 20, 30, 255, 40, 50, 60, 255});
    Loaded loaded;
    Load("rgba.png", loaded);
    EXPECT_EQ(loaded.components, 3);
    EXPECT_EQ(loaded.Bytes(), (std::vector<unsigned char>{10, 20, 30, 40, 50, 60}));
}

TEST_F(ImageLoader, SixteenBitSixBytesPerPixelKeepsHighBytes)
{
    WritePng(dir.Texture("rgb16.png"), 1, 1, {PNG_COLOR_TYPE_RGB, 16}, {0x10, 0x10, 0x80, 0x80, 0xF0, 0xF0});
    Loaded loaded;
    Load("rgb16.png", loaded);
    EXPECT_EQ(loaded.components, 3);
    EXPECT_EQ(loaded.Bytes(), (std::vector<unsigned char>{0x10, 0x80, 0xF0}));
}

TEST_F(ImageLoader, PaletteBecomesRgb)
{
    WritePng(dir.Texture("pal.png"), 2, 1, {PNG_COLOR_TYPE_PALETTE, 8}, {1, 0}, {9, 8, 7, 90, 80, 70});
    Loaded loaded;
    Load("pal.png", loaded);
    EXPECT_EQ(loaded.components, 3);
    EXPECT_EQ(loaded.Bytes(), (std::vector<unsigned char>{90, 80, 70, 9, 8, 7}));
}

// --- the bitmap layout (rows bottom first, B G R) ------------------------------

// The one-pass bitmap copy gives what reversing the rows and exchanging red
// and blue of the plain decode gives, for rows of odd length and every layout.
TEST_F(ImageLoader, BitmapLayoutIsThePlainDecodeReversedAndSwapped)
{
    WritePng(dir.Texture("rgb.png"), 3, 3, kRgb8, {1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14,
                                                   15, 16, 17, 18, 19, 20, 21, 22, 23, 24, 25, 26, 27});
    WritePng(dir.Texture("grey.png"), 1, 2, {PNG_COLOR_TYPE_GRAY, 8}, {77, 200});
    WritePng(dir.Texture("pal.png"), 2, 1, {PNG_COLOR_TYPE_PALETTE, 8}, {1, 0}, {9, 8, 7, 60, 50, 40});
    for (const char* name : {"rgb.png", "grey.png", "pal.png"}) {
        const std::string path = "plumora_data/texs/" + std::string(name);
        CPICTURE plain = {};
        ASSERT_TRUE(DecodePicture(path.c_str(), &plain)) << name;
        FlipRows(plain.pixels, static_cast<uint16_t>(plain.width * 3), static_cast<uint16_t>(plain.height));
        SwapRedBlue(plain.pixels, static_cast<uint32_t>(plain.width * plain.height));
        std::vector<unsigned char> expected(plain.pixels, plain.pixels + plain.width * plain.height * 3);
        FreePixelBuffer(plain.pixels);
        int width = 0, height = 0;
        std::vector<unsigned char> bitmap;
        ASSERT_TRUE(DecodePictureAsBitmap(path.c_str(), &width, &height, &bitmap)) << name;
        EXPECT_EQ(width, plain.width) << name;
        EXPECT_EQ(height, plain.height) << name;
        EXPECT_EQ(bitmap, expected) << name;
    }
    int width = 0, height = 0;
    std::vector<unsigned char> bitmap;
    ASSERT_TRUE(DecodePictureAsBitmap("plumora_data/texs/rgb.png", &width, &height, &bitmap));
    EXPECT_EQ(std::vector<unsigned char>(bitmap.begin(), bitmap.begin() + 3),
              (std::vector<unsigned char>{21, 20, 19}));
}

// A failed decode leaves the caller's bitmap and sizes alone.
TEST_F(ImageLoader, BitmapOfAMissingPictureLeavesTheCallersValues)
{
    int width = 5, height = 6;
    std::vector<unsigned char> bitmap(3, 1);
    EXPECT_FALSE(DecodePictureAsBitmap("plumora_data/texs/none.png", &width, &height, &bitmap));
    EXPECT_EQ(width, 5);
    EXPECT_EQ(height, 6);
    EXPECT_EQ(bitmap, std::vector<unsigned char>(3, 1));
}

// --- pictures that cannot be loaded ------------------------------------------

TEST_F(ImageLoader, MissingFileGivesEmptyPictureAndNamesThePath)
{
    Loaded loaded;
    ::testing::internal::CaptureStderr();
    Load("missing.jpg", loaded);
    const std::string message = ::testing::internal::GetCapturedStderr();
    ExpectEmpty(loaded);
    EXPECT_NE(message.find("plumora_data/texs/missing.jpg"), std::string::npos) << message;
}

TEST_F(ImageLoader, UndecodableFileGivesEmptyPicture)
{
    WriteWholeFile(dir.Texture("broken.jpg"), "\xFF\xD8\xFF\xE0 this is not a picture");
    WriteWholeFile(dir.Texture("empty.png"), "");
    for (const char* name : {"broken.jpg", "empty.png"}) {
        Loaded loaded;
        ::testing::internal::CaptureStderr();
        Load(name, loaded);
        EXPECT_NE(::testing::internal::GetCapturedStderr().find(name), std::string::npos);
        ExpectEmpty(loaded);
    }
}

TEST_F(ImageLoader, NameThatDoesNotFitIsRefusedNotTruncated)
{
    const std::string longest(109, 'n');  // 18-byte prefix + 109 + zero = 128
    WritePng(dir.Texture(longest), 1, 1, kRgb8, {5, 6, 7});
    Loaded fits;
    Load(longest.c_str(), fits);
    EXPECT_EQ(fits.Bytes(), (std::vector<unsigned char>{5, 6, 7}));
    Loaded refused;
    ::testing::internal::CaptureStderr();
    Load((longest + "x").c_str(), refused);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("too long"), std::string::npos);
    ExpectEmpty(refused);
}

TEST_F(ImageLoader, UnboundDevilGivesEmptyPicture)
{
    WritePng(dir.Texture("ok.png"), 1, 1, kRgb8, {5, 6, 7});
    plmtest::UnbindDevil();
    Loaded loaded;
    ::testing::internal::CaptureStderr();
    Load("ok.png", loaded);
    ::testing::internal::GetCapturedStderr();
    ExpectEmpty(loaded);
    plmtest::BindDevil();
    EntryPoints.ilConvertImage = nullptr;  // one missing entry point is enough
    Loaded partly;
    ::testing::internal::CaptureStderr();
    Load("ok.png", partly);
    ::testing::internal::GetCapturedStderr();
    ExpectEmpty(partly);
}

TEST_F(ImageLoader, NullArgumentsDoNothing)
{
    int w = 7, h = 7, c = 7;
    unsigned char* pixels = nullptr;
    LoadImageFile("x.png", nullptr, &h, &c, &pixels);
    LoadImageFile("x.png", &w, &h, &c, nullptr);
    EXPECT_EQ(w, 7);
    EXPECT_EQ(pixels, nullptr);
    Loaded loaded;
    ::testing::internal::CaptureStderr();
    Load(nullptr, loaded);
    ::testing::internal::GetCapturedStderr();
    ExpectEmpty(loaded);
}
