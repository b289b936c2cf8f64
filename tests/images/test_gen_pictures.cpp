// The picture generator: same bytes on every run, and every picture decodes
// through the program's loader at its intended size as 3-byte RGB; the
// sphere map's look.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "picture_files.h"
#include "runtime/image_loader.h"
#include "tests/support/devil.h"

namespace {

struct Expected {
    const char* path;  // below plumora_data/
    int width, height;
};

const Expected kPictures[] = {
    {"texs/metalic.jpg", 256, 256},    {"texs/line_01.jpg", 256, 16}, {"texs/credits.png", 256, 256},
    {"texs/greetings.jpg", 512, 4096}, {"gfx/setup.jpg", 380, 131},   {"gfx/loader_back.jpg", 1024, 768},
    {"gfx/loader_ball.jpg", 20, 20},
};

bool Generate(const std::string& stage)
{
    const std::string command = std::string(PLM_GEN_PICTURES) + " '" + stage + "'";
    return std::system(command.c_str()) == 0;
}

// The generated tree lives in a scratch folder of the suite's own, made when
// the suite starts and removed when it ends.
class GeneratedPictures : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        scratch = std::make_unique<ScratchDataDir>();
        ASSERT_TRUE(Generate(dir().Path() + "/a"));
    }
    static void TearDownTestSuite() { scratch.reset(); }
    static const ScratchDataDir& dir() { return *scratch; }
    static inline std::unique_ptr<ScratchDataDir> scratch;
};

}  // namespace

TEST_F(GeneratedPictures, EveryRunWritesTheSameBytes)
{
    ASSERT_TRUE(Generate(dir().Path() + "/b"));
    for (const Expected& p : kPictures) {
        const auto a = ReadWholeFile(dir().Path() + "/a/plumora_data/" + p.path);
        const auto b = ReadWholeFile(dir().Path() + "/b/plumora_data/" + p.path);
        EXPECT_FALSE(a.empty()) << p.path;
        EXPECT_EQ(a, b) << p.path;
    }
}

TEST_F(GeneratedPictures, EveryPictureDecodesAsRgbWithAlignedRows)
{
    ASSERT_TRUE(plmtest::BindDevil());
    CurrentFolder tree(dir().Path() + "/a");
    for (const Expected& p : kPictures) {
        int width = 0, height = 0, components = 0;
        unsigned char* pixels = nullptr;
        const std::string name = std::string("../") + p.path;  // relative to plumora_data/texs/
        ::testing::internal::CaptureStderr();
        LoadImageFile(name.c_str(), &width, &height, &components, &pixels);
        EXPECT_EQ(::testing::internal::GetCapturedStderr(), "") << p.path;
        EXPECT_EQ(width, p.width) << p.path;
        EXPECT_EQ(height, p.height) << p.path;
        EXPECT_EQ(components, 3) << p.path;
        EXPECT_EQ(width * 3 % 4, 0) << p.path;
        FreePixelBuffer(pixels);
    }
}

TEST_F(GeneratedPictures, CreditsBackgroundIsPureBlack)
{
    ASSERT_TRUE(plmtest::BindDevil());
    CurrentFolder tree(dir().Path() + "/a");
    int width = 0, height = 0, components = 0;
    unsigned char* pixels = nullptr;
    LoadImageFile("credits.png", &width, &height, &components, &pixels);
    ASSERT_EQ(width, 256);
    size_t black = 0;
    for (size_t i = 0; i < static_cast<size_t>(width) * height; ++i)
        black += (pixels[i * 3] | pixels[i * 3 + 1] | pixels[i * 3 + 2]) == 0;
    EXPECT_EQ(pixels[0] | pixels[1] | pixels[2], 0);  // a corner
    EXPECT_GT(black, static_cast<size_t>(width) * height / 2);
    EXPECT_LT(black, static_cast<size_t>(width) * height);  // and there is lettering
    FreePixelBuffer(pixels);
}

// The longest name is set narrower rather than cut off at the right edge.
TEST_F(GeneratedPictures, CreditsLetteringEndsBeforeTheRightEdge)
{
    ASSERT_TRUE(plmtest::BindDevil());
    CurrentFolder tree(dir().Path() + "/a");
    int width = 0, height = 0, components = 0;
    unsigned char* pixels = nullptr;
    LoadImageFile("credits.png", &width, &height, &components, &pixels);
    ASSERT_EQ(width, 256);
    ASSERT_EQ(height, 256);
    int lit = 0;
    for (int y = 0; y < height; ++y)
        for (int x = width - 3; x < width; ++x) lit += pixels[(y * width + x) * 3 + 1] != 0;
    EXPECT_EQ(lit, 0);
    FreePixelBuffer(pixels);
}

namespace {

// Mean of the three channels of a pixel of a 3-byte RGB buffer.
int Level(const unsigned char* pixels, int width, int x, int y)
{
    const unsigned char* p = pixels + (static_cast<size_t>(y) * width + x) * 3;
    return (p[0] + p[1] + p[2]) / 3;
}

}  // namespace

// The sphere map is a bright, untinted chrome: every point of the mirror ball
// is light and nearly grey, the upper half (sky) brighter than the lower
// (floor), and brightness changes gradually from top to bottom through the
// middle, with no sharp horizon for a surface to break into patches on.
TEST_F(GeneratedPictures, MetalMapIsABrightChromeWithASoftHorizon)
{
    ASSERT_TRUE(plmtest::BindDevil());
    CurrentFolder tree(dir().Path() + "/a");
    int width = 0, height = 0, components = 0;
    unsigned char* pixels = nullptr;
    LoadImageFile("metalic.jpg", &width, &height, &components, &pixels);
    ASSERT_EQ(width, 256);
    ASSERT_EQ(height, 256);
    int darkest = 255, tint = 0;
    long upper = 0, lower = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double u = (x + 0.5) / width * 2 - 1, v = (y + 0.5) / height * 2 - 1;
            if (u * u + v * v > 0.92 * 0.92) continue;
            const unsigned char* p = pixels + (static_cast<size_t>(y) * width + x) * 3;
            darkest = std::min(darkest, Level(pixels, width, x, y));
            tint = std::max({tint, std::abs(p[0] - p[1]), std::abs(p[1] - p[2]), std::abs(p[0] - p[2])});
            (y < height / 2 ? lower : upper) += Level(pixels, width, x, y);  // rows arrive bottom first
        }
    EXPECT_GT(darkest, 110);
    EXPECT_LT(tint, 24);
    EXPECT_GT(upper, lower);
    int steepest = 0;
    for (int y = 16; y + 1 < height - 16; ++y)
        steepest =
            std::max(steepest, std::abs(Level(pixels, width, 128, y + 1) - Level(pixels, width, 128, y)));
    EXPECT_LE(steepest, 6);
    FreePixelBuffer(pixels);
}
