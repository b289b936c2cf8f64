// devil.dll's decoder (stb_image, built here natively) against the real
// DevIL that the Linux program binds: the data set's pictures and PNGs of
// every layout must give the same size and, after conversion to 3-byte
// RGB, the same bytes in the same row order (JPEG within a small rounding
// tolerance, since the two use different inverse DCTs).
#include <gtest/gtest.h>
#include <png.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "imaging/convert.h"
#include "imaging/picture_decoder.h"
#include "picture_files.h"
#include "runtime/entry_points.h"
#include "tests/support/devil.h"

namespace {

struct Decoded {
    bool loaded = false;
    int width = 0, height = 0, bytesPerPixel = 0, origin = 0;
    std::vector<unsigned char> rgb;
};

Decoded DecodeWithDevil(const std::string& path)
{
    const CENTRYPOINTS& e = EntryPoints;
    Decoded out;
    unsigned int image = 0;
    e.ilGenImages(1, &image);
    e.ilBindImage(image);
    out.loaded = e.ilLoadImage(path.c_str()) != 0;
    if (out.loaded) {
        out.bytesPerPixel = e.ilGetInteger(PLM_IL_IMAGE_BYTES_PER_PIXEL);
        out.origin = e.ilGetInteger(IL_IMAGE_ORIGIN);
        e.ilConvertImage(PLM_IL_RGB, PLM_IL_UNSIGNED_BYTE);
        out.width = e.ilGetInteger(PLM_IL_IMAGE_WIDTH);
        out.height = e.ilGetInteger(PLM_IL_IMAGE_HEIGHT);
        const unsigned char* data = e.ilGetData();
        out.rgb.assign(data, data + size_t(out.width) * out.height * 3);
    }
    e.ilDeleteImages(1, &image);
    return out;
}

Decoded DecodeWithStb(const std::string& path)
{
    Decoded out;
    CILIMAGE image;
    out.loaded = DecodePictureFile(path.c_str(), &image);
    if (out.loaded) {
        out.bytesPerPixel = image.bytesPerPixel;
        out.origin = QueryImage(image, IL_IMAGE_ORIGIN);
        EXPECT_TRUE(ConvertImage(&image, IL_RGB, IL_UNSIGNED_BYTE));
        out.width = image.width;
        out.height = image.height;
        out.rgb = image.pixels;
    }
    return out;
}

int LargestDifference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b)
{
    int largest = 0;
    for (size_t i = 0; i < std::min(a.size(), b.size()); ++i)
        largest = std::max(largest, std::abs(a[i] - b[i]));
    return largest;
}

class DevilCompat : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(plmtest::BindDevil()); }

    // Decodes path both ways; same size, and RGB bytes apart by at most
    // tolerance. Returns the largest difference seen.
    int Compare(const std::string& path, int tolerance)
    {
        const Decoded devil = DecodeWithDevil(path);
        const Decoded ours = DecodeWithStb(path);
        EXPECT_TRUE(devil.loaded) << path;
        EXPECT_TRUE(ours.loaded) << path;
        EXPECT_EQ(ours.width, devil.width) << path;
        EXPECT_EQ(ours.height, devil.height) << path;
        EXPECT_EQ(ours.origin, devil.origin) << path;
        EXPECT_EQ(ours.rgb.size(), devil.rgb.size()) << path;
        const int largest = LargestDifference(ours.rgb, devil.rgb);
        EXPECT_LE(largest, tolerance) << path;
        return largest;
    }

    ScratchDataDir dir;
};

// A picture whose every row and column differs, so that a flip or a swap
// of channels shows.
std::vector<unsigned char> Ramp(int width, int height, int channels, int bytesPerChannel)
{
    std::vector<unsigned char> rows;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            for (int c = 0; c < channels * bytesPerChannel; ++c)
                rows.push_back(static_cast<unsigned char>(y * 37 + x * 11 + c * 73 + (c & 1) * 5));
    return rows;
}

}  // namespace

TEST_F(DevilCompat, DataSetPicturesDecodeAlike)
{
    const std::filesystem::path data = std::filesystem::path(PLM_STAGE_DIR) / "plumora_data";
    int pictures = 0;
    for (const char* folder : {"gfx", "texs"}) {
        for (const auto& entry : std::filesystem::directory_iterator(data / folder)) {
            const std::string path = entry.path().string();
            const bool png = entry.path().extension() == ".png";
            const Decoded devil = DecodeWithDevil(path);
            const Decoded ours = DecodeWithStb(path);
            EXPECT_EQ(ours.bytesPerPixel, devil.bytesPerPixel) << path;
            const int largest = Compare(path, png ? 0 : 3);
            std::printf("%-40s %dx%d, %d bytes per pixel, largest difference %d\n",
                        entry.path().filename().c_str(), ours.width, ours.height, ours.bytesPerPixel,
                        largest);
            ++pictures;
        }
    }
    EXPECT_GE(pictures, 8);
}

TEST_F(DevilCompat, EveryPngLayoutConvertsToTheSameRgb)
{
    const int w = 7, h = 5;
    struct Case {
        const char* name;
        PngLayout layout;
        int channels;
    };
    const Case cases[] = {
        {"rgb8.png", {PNG_COLOR_TYPE_RGB, 8}, 3},     {"rgba8.png", {PNG_COLOR_TYPE_RGBA, 8}, 4},
        {"grey8.png", {PNG_COLOR_TYPE_GRAY, 8}, 1},   {"greya8.png", {PNG_COLOR_TYPE_GRAY_ALPHA, 8}, 2},
        {"rgb16.png", {PNG_COLOR_TYPE_RGB, 16}, 3},   {"rgba16.png", {PNG_COLOR_TYPE_RGBA, 16}, 4},
        {"grey16.png", {PNG_COLOR_TYPE_GRAY, 16}, 1},
    };
    for (const Case& c : cases) {
        const int bytesPerChannel = c.layout.bitDepth / 8;
        WritePng(dir.Texture(c.name), w, h, c.layout, Ramp(w, h, c.channels, bytesPerChannel));
        Compare(dir.Texture(c.name), 0);
    }
    std::vector<unsigned char> palette;
    for (int i = 0; i < 16; ++i)
        palette.insert(palette.end(), {(unsigned char)(i * 16), 200, (unsigned char)(255 - i)});
    std::vector<unsigned char> indices;
    for (int i = 0; i < w * h; ++i) indices.push_back(static_cast<unsigned char>((i * 5) % 16));
    WritePng(dir.Texture("palette.png"), w, h, {PNG_COLOR_TYPE_PALETTE, 8}, indices, palette);
    Compare(dir.Texture("palette.png"), 0);
}

TEST_F(DevilCompat, MissingAndGarbageFilesFailInBoth)
{
    WriteWholeFile(dir.Texture("garbage.png"), std::string(300, 'x'));
    for (const std::string& path : {dir.Texture("none.jpg"), dir.Texture("garbage.png")}) {
        EXPECT_FALSE(DecodeWithDevil(path).loaded) << path;
        EXPECT_FALSE(DecodeWithStb(path).loaded) << path;
    }
}

TEST_F(DevilCompat, ConversionsBetweenLayoutsMatch)
{
    const int w = 9, h = 4;
    WritePng(dir.Texture("rgba.png"), w, h, {PNG_COLOR_TYPE_RGBA, 8}, Ramp(w, h, 4, 1));
    WritePng(dir.Texture("grey.png"), w, h, {PNG_COLOR_TYPE_GRAY, 8}, Ramp(w, h, 1, 1));
    const CENTRYPOINTS& e = EntryPoints;
    const struct {
        const char* file;
        unsigned int format;
    } cases[] = {{"rgba.png", IL_LUMINANCE},
                 {"rgba.png", IL_LUMINANCE_ALPHA},
                 {"grey.png", IL_RGBA},
                 {"grey.png", IL_LUMINANCE_ALPHA}};
    for (const auto& c : cases) {
        const std::string path = dir.Texture(c.file);
        unsigned int image = 0;
        e.ilGenImages(1, &image);
        e.ilBindImage(image);
        ASSERT_TRUE(e.ilLoadImage(path.c_str()));
        ASSERT_TRUE(e.ilConvertImage(c.format, PLM_IL_UNSIGNED_BYTE));
        const int bytes = e.ilGetInteger(PLM_IL_IMAGE_BYTES_PER_PIXEL);
        const std::vector<unsigned char> expected(e.ilGetData(), e.ilGetData() + w * h * bytes);
        e.ilDeleteImages(1, &image);
        CILIMAGE ours;
        ASSERT_TRUE(DecodePictureFile(path.c_str(), &ours));
        ASSERT_TRUE(ConvertImage(&ours, c.format, IL_UNSIGNED_BYTE));
        EXPECT_EQ(ours.bytesPerPixel, bytes) << c.file << " to " << c.format;
        EXPECT_EQ(ours.pixels, expected) << c.file << " to " << c.format;
    }
}
