// devil.dll as the program uses it: loaded by path, bound by name, fed
// generated JPEG and PNG files of every layout, the data set's pictures, and
// files that are missing, cut short, garbage or absurdly large.
#include "win_test_files.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

namespace {

typedef void(__stdcall* IL_INIT)(void);
typedef void(__stdcall* IL_GENIMAGES)(int, unsigned int*);
typedef void(__stdcall* IL_BINDIMAGE)(unsigned int);
typedef unsigned char(__stdcall* IL_LOADIMAGE)(const char*);
typedef unsigned char*(__stdcall* IL_GETDATA)(void);
typedef void(__stdcall* IL_DELETEIMAGES)(int, const unsigned int*);
typedef int(__stdcall* IL_GETINTEGER)(unsigned int);
typedef unsigned char(__stdcall* IL_CONVERTIMAGE)(unsigned int, unsigned int);

const unsigned int kWidth = 0x0DE4, kHeight = 0x0DE5, kBytesPerPixel = 0x0DE8, kFormat = 0x0DEA;
const unsigned int kRgb = 0x1907, kRgba = 0x1908, kLuminance = 0x1909, kUnsignedByte = 0x1401,
                   kUnsignedShort = 0x1403;

using Bytes = std::vector<unsigned char>;

void AppendToVector(void* context, void* data, int size)
{
    Bytes* out = static_cast<Bytes*>(context);
    out->insert(out->end(), static_cast<unsigned char*>(data), static_cast<unsigned char*>(data) + size);
}

Bytes Png(int w, int h, int channels, const Bytes& pixels)
{
    Bytes out;
    stbi_write_png_to_func(AppendToVector, &out, w, h, channels, pixels.data(), w * channels);
    return out;
}

Bytes Jpeg(int w, int h, int channels, const Bytes& pixels)
{
    Bytes out;
    stbi_write_jpg_to_func(AppendToVector, &out, w, h, channels, pixels.data(), 100);
    return out;
}

uint32_t Crc32(const unsigned char* p, size_t n)
{
    uint32_t crc = 0xFFFFFFFFu;
    for (size_t i = 0; i < n; ++i) {
        crc ^= p[i];
        for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1)));
    }
    return ~crc;
}

void PutBig32(Bytes& out, uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8) out.push_back(static_cast<unsigned char>(v >> shift));
}

void PngChunk(Bytes& out, const char* type, const Bytes& data)
{
    PutBig32(out, static_cast<uint32_t>(data.size()));
    Bytes body(type, type + 4);
    body.insert(body.end(), data.begin(), data.end());
    out.insert(out.end(), body.begin(), body.end());
    PutBig32(out, Crc32(body.data(), body.size()));
}

// An 8-bit palette PNG (colour type 3) of w x h indices, stored without
// compression; `alpha` adds a tRNS chunk.
Bytes PalettePng(int w, int h, const Bytes& indices, const Bytes& rgbPalette, const Bytes& alpha = {})
{
    Bytes out = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    Bytes ihdr;
    PutBig32(ihdr, w);
    PutBig32(ihdr, h);
    ihdr.insert(ihdr.end(), {8, 3, 0, 0, 0});
    PngChunk(out, "IHDR", ihdr);
    PngChunk(out, "PLTE", rgbPalette);
    if (!alpha.empty()) PngChunk(out, "tRNS", alpha);
    Bytes raw;
    for (int y = 0; y < h; ++y) {
        raw.push_back(0);  // filter: none
        raw.insert(raw.end(), indices.begin() + y * w, indices.begin() + (y + 1) * w);
    }
    Bytes zlib = {0x78, 0x01, 0x01};  // one final stored block
    zlib.push_back(raw.size() & 0xFF);
    zlib.push_back(raw.size() >> 8);
    zlib.push_back(~raw.size() & 0xFF);
    zlib.push_back((~raw.size() >> 8) & 0xFF);
    zlib.insert(zlib.end(), raw.begin(), raw.end());
    uint32_t a = 1, b = 0;
    for (unsigned char c : raw) {
        a = (a + c) % 65521;
        b = (b + a) % 65521;
    }
    PutBig32(zlib, (b << 16) | a);
    PngChunk(out, "IDAT", zlib);
    PngChunk(out, "IEND", {});
    return out;
}

class DevilDll : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(folder_.Path().empty());
        library_ = wintest::LoadBeside("devil.dll");
        ASSERT_NE(library_, nullptr);
        ASSERT_TRUE(Bind(init_, "ilInit") && Bind(gen_, "ilGenImages") && Bind(bind_, "ilBindImage") &&
                    Bind(load_, "ilLoadImage") && Bind(data_, "ilGetData") &&
                    Bind(delete_, "ilDeleteImages") && Bind(get_, "ilGetInteger") &&
                    Bind(convert_, "ilConvertImage"));
        init_();
        gen_(1, &image_);
        bind_(image_);
    }
    void TearDown() override
    {
        if (delete_) delete_(1, &image_);
        if (library_) FreeLibrary(library_);
    }

    template <typename F>
    bool Bind(F& slot, const char* name)
    {
        slot = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library_, name)));
        return slot != nullptr;
    }

    // Loads bytes written as `name`; true when DevIL accepted them.
    bool LoadBytes(const char* name, const Bytes& bytes)
    {
        return load_(folder_.Write(name, bytes).c_str()) != 0;
    }

    // The bound image converted to RGB, as the program reads it.
    Bytes Rgb()
    {
        EXPECT_EQ(convert_(kRgb, kUnsignedByte), 1);
        EXPECT_EQ(get_(kBytesPerPixel), 3);
        const unsigned char* p = data_();
        return Bytes(p, p + get_(kWidth) * get_(kHeight) * 3);
    }

    void ExpectPlaceholder()
    {
        EXPECT_EQ(get_(kWidth), 1);
        EXPECT_EQ(get_(kHeight), 1);
        EXPECT_NE(data_(), nullptr);
    }

    wintest::TempFolder folder_{"plm-devil"};
    HMODULE library_ = nullptr;
    unsigned int image_ = 0;
    IL_INIT init_ = nullptr;
    IL_GENIMAGES gen_ = nullptr;
    IL_BINDIMAGE bind_ = nullptr;
    IL_LOADIMAGE load_ = nullptr;
    IL_GETDATA data_ = nullptr;
    IL_DELETEIMAGES delete_ = nullptr;
    IL_GETINTEGER get_ = nullptr;
    IL_CONVERTIMAGE convert_ = nullptr;
};

// Every channel of pixel (x, y) within tolerance of rgb.
void ExpectPixel(const Bytes& rgb, int width, int x, int y, int r, int g, int b, int tolerance)
{
    const unsigned char* p = &rgb[(y * width + x) * 3];
    EXPECT_NEAR(p[0], r, tolerance) << "(" << x << ", " << y << ")";
    EXPECT_NEAR(p[1], g, tolerance) << "(" << x << ", " << y << ")";
    EXPECT_NEAR(p[2], b, tolerance) << "(" << x << ", " << y << ")";
}

}  // namespace

// --- layouts -------------------------------------------------------------------

TEST_F(DevilDll, PngRowsArriveTopRowFirst)
{
    const Bytes pixels = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17, 18, 19};
    ASSERT_TRUE(LoadBytes("rows.png", Png(3, 2, 3, pixels)));
    EXPECT_EQ(get_(kWidth), 3);
    EXPECT_EQ(get_(kHeight), 2);
    EXPECT_EQ(get_(kBytesPerPixel), 3);
    EXPECT_EQ(Bytes(data_(), data_() + 18), pixels);
    EXPECT_EQ(Rgb(), pixels);  // already RGB: unchanged
}

TEST_F(DevilDll, EveryPngLayoutConvertsToRgb)
{
    ASSERT_TRUE(LoadBytes("rgba.png", Png(2, 1, 4, {10, 20, 30, 0, 40, 50, 60, 255})));
    EXPECT_EQ(get_(kBytesPerPixel), 4);
    EXPECT_EQ(get_(kFormat), static_cast<int>(kRgba));
    EXPECT_EQ(Rgb(), (Bytes{10, 20, 30, 40, 50, 60}));  // alpha dropped, colour kept

    ASSERT_TRUE(LoadBytes("grey.png", Png(2, 2, 1, {0, 100, 200, 255})));
    EXPECT_EQ(get_(kBytesPerPixel), 1);
    EXPECT_EQ(Rgb(), (Bytes{0, 0, 0, 100, 100, 100, 200, 200, 200, 255, 255, 255}));

    ASSERT_TRUE(LoadBytes("greya.png", Png(1, 2, 2, {70, 0, 90, 128})));
    EXPECT_EQ(get_(kBytesPerPixel), 2);
    EXPECT_EQ(Rgb(), (Bytes{70, 70, 70, 90, 90, 90}));

    const Bytes palette = {255, 0, 0, 0, 255, 0, 0, 0, 255};
    ASSERT_TRUE(LoadBytes("palette.png", PalettePng(3, 2, {0, 1, 2, 2, 1, 0}, palette)));
    EXPECT_EQ(Rgb(), (Bytes{255, 0, 0, 0, 255, 0, 0, 0, 255, 0, 0, 255, 0, 255, 0, 255, 0, 0}));

    ASSERT_TRUE(LoadBytes("palette_alpha.png", PalettePng(2, 1, {1, 0}, {9, 8, 7, 6, 5, 4}, {0, 128})));
    EXPECT_EQ(Rgb(), (Bytes{6, 5, 4, 9, 8, 7}));
}

TEST_F(DevilDll, ConversionToAnotherLayoutAndItsLimits)
{
    ASSERT_TRUE(LoadBytes("rgb.png", Png(1, 1, 3, {10, 20, 30})));
    EXPECT_EQ(convert_(kRgb, kUnsignedShort), 0);  // only bytes are offered
    EXPECT_EQ(get_(kBytesPerPixel), 3);
    EXPECT_EQ(convert_(0x1234, kUnsignedByte), 0);
    ASSERT_EQ(convert_(kRgba, kUnsignedByte), 1);
    EXPECT_EQ(Bytes(data_(), data_() + 4), (Bytes{10, 20, 30, 255}));
    ASSERT_EQ(convert_(kLuminance, kUnsignedByte), 1);
    EXPECT_EQ(get_(kBytesPerPixel), 1);
    EXPECT_EQ(data_()[0], 18);  // 10 * 0.212671 + 20 * 0.715160 + 30 * 0.072169, truncated
}

TEST_F(DevilDll, JpegKeepsItsColoursAndRows)
{
    // Four flat 8 x 8 blocks: red, green / blue, white (top row first).
    Bytes pixels(16 * 16 * 3);
    for (int y = 0; y < 16; ++y) {
        for (int x = 0; x < 16; ++x) {
            unsigned char* p = &pixels[(y * 16 + x) * 3];
            const int quadrant = (y / 8) * 2 + x / 8;
            const unsigned char colours[4][3] = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {255, 255, 255}};
            std::memcpy(p, colours[quadrant], 3);
        }
    }
    ASSERT_TRUE(LoadBytes("blocks.jpg", Jpeg(16, 16, 3, pixels)));
    EXPECT_EQ(get_(kWidth), 16);
    EXPECT_EQ(get_(kHeight), 16);
    const Bytes rgb = Rgb();
    ExpectPixel(rgb, 16, 3, 3, 255, 0, 0, 8);
    ExpectPixel(rgb, 16, 12, 3, 0, 255, 0, 8);
    ExpectPixel(rgb, 16, 3, 12, 0, 0, 255, 8);
    ExpectPixel(rgb, 16, 12, 12, 255, 255, 255, 8);

    ASSERT_TRUE(LoadBytes("grey.jpg", Jpeg(8, 8, 1, Bytes(64, 77))));
    ExpectPixel(Rgb(), 8, 4, 4, 77, 77, 77, 2);
}

// --- the data set, against values the Linux build's DevIL gives -----------------

TEST_F(DevilDll, DataSetPicturesDecodeAsTheLinuxDevil)
{
    ASSERT_EQ(load_(wintest::DataSetFile("gfx/setup.jpg").c_str()), 1);
    EXPECT_EQ(get_(kWidth), 380);
    EXPECT_EQ(get_(kHeight), 131);
    Bytes rgb = Rgb();
    ExpectPixel(rgb, 380, 0, 0, 21, 23, 22, 3);
    ExpectPixel(rgb, 380, 0, 130, 23, 47, 31, 3);
    ExpectPixel(rgb, 380, 190, 65, 132, 154, 141, 3);
    ExpectPixel(rgb, 380, 126, 32, 44, 75, 59, 3);

    ASSERT_EQ(load_(wintest::DataSetFile("texs/metalic.jpg").c_str()), 1);
    rgb = Rgb();
    ExpectPixel(rgb, 256, 128, 128, 179, 181, 180, 3);
    ExpectPixel(rgb, 256, 85, 64, 237, 246, 251, 3);

    ASSERT_EQ(load_(wintest::DataSetFile("texs/credits.png").c_str()), 1);
    EXPECT_EQ(get_(kWidth), 256);
    rgb = Rgb();
    ExpectPixel(rgb, 256, 175, 11, 7, 21, 10, 0);
    ExpectPixel(rgb, 256, 148, 15, 154, 165, 179, 0);
    ExpectPixel(rgb, 256, 0, 0, 0, 0, 0, 0);

    for (const char* name : {"gfx/loader_back.jpg", "gfx/loader_ball.jpg", "texs/greetings.jpg",
                             "texs/line_01.jpg", "texs/pipe_rust.jpg"}) {
        EXPECT_EQ(load_(wintest::DataSetFile(name).c_str()), 1) << name;
        EXPECT_EQ(convert_(kRgb, kUnsignedByte), 1) << name;
        EXPECT_EQ(get_(kBytesPerPixel), 3) << name;
    }
}

// --- bad files ---------------------------------------------------------------------

TEST_F(DevilDll, MissingTruncatedAndGarbageFilesReturnZero)
{
    Bytes pixels(32 * 32 * 3);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = static_cast<unsigned char>(i * 7);
    const Bytes jpeg = Jpeg(32, 32, 3, pixels);
    const Bytes png = Png(32, 32, 3, pixels);

    EXPECT_EQ(load_(folder_.File("none.jpg").c_str()), 0);
    ExpectPlaceholder();
    EXPECT_EQ(load_(nullptr), 0);
    EXPECT_EQ(load_(folder_.Path().c_str()), 0);  // a folder
    EXPECT_FALSE(LoadBytes("empty.png", {}));
    EXPECT_FALSE(LoadBytes("garbage.jpg", Bytes(500, 0x5A)));
    for (size_t cut : {size_t(4), size_t(40), jpeg.size() / 2, jpeg.size() - 2}) {
        EXPECT_FALSE(LoadBytes("cut.jpg", Bytes(jpeg.begin(), jpeg.begin() + cut))) << cut;
        ExpectPlaceholder();
    }
    for (size_t cut : {size_t(8), size_t(30), png.size() / 2, png.size() - 13}) {
        EXPECT_FALSE(LoadBytes("cut.png", Bytes(png.begin(), png.begin() + cut))) << cut;
    }
    // An application segment holding an end marker of its own (as an
    // embedded thumbnail does) does not make a cut-short picture whole.
    Bytes withThumbnail = {0xFF, 0xD8, 0xFF, 0xE1, 0x00, 0x06, 0xFF, 0xD9, 0xFF, 0xD9};
    withThumbnail.insert(withThumbnail.end(), jpeg.begin() + 2, jpeg.end());
    EXPECT_TRUE(LoadBytes("thumb.jpg", withThumbnail));
    EXPECT_FALSE(LoadBytes("thumb_cut.jpg", Bytes(withThumbnail.begin(), withThumbnail.end() - 100)));
    // A good picture after all that still loads, with trailing bytes too.
    Bytes padded = jpeg;
    padded.insert(padded.end(), 10, 0);
    EXPECT_TRUE(LoadBytes("padded.jpg", padded));
    EXPECT_EQ(get_(kWidth), 32);
}

TEST_F(DevilDll, HugeDimensionsAreRefusedBeforeDecoding)
{
    Bytes png = Png(2, 2, 3, Bytes(12, 1));
    // IHDR width and height (bytes 16 to 23) claim 60000 x 60000.
    for (int i : {16, 20}) {
        png[i] = 0;
        png[i + 1] = 0;
        png[i + 2] = 0xEA;
        png[i + 3] = 0x60;
    }
    EXPECT_FALSE(LoadBytes("huge.png", png));
    ExpectPlaceholder();

    Bytes jpeg = Jpeg(8, 8, 3, Bytes(8 * 8 * 3, 9));
    for (size_t i = 2; i + 9 < jpeg.size(); ++i) {
        if (jpeg[i] == 0xFF && jpeg[i + 1] == 0xC0) {  // start of frame: height, width at +5, +7
            jpeg[i + 5] = jpeg[i + 6] = jpeg[i + 7] = jpeg[i + 8] = 0xFF;
            break;
        }
    }
    EXPECT_FALSE(LoadBytes("huge.jpg", jpeg));
}

// --- image names -----------------------------------------------------------------------

TEST_F(DevilDll, ImagesKeepTheirOwnPicturesAndDeletingTheBoundOneFallsBack)
{
    unsigned int names[2] = {0, 0};
    gen_(2, names);
    EXPECT_NE(names[0], 0u);
    EXPECT_NE(names[1], 0u);
    EXPECT_NE(names[0], names[1]);
    EXPECT_NE(names[0], image_);
    bind_(names[0]);
    ASSERT_TRUE(LoadBytes("a.png", Png(5, 1, 3, Bytes(15, 1))));
    bind_(names[1]);
    ASSERT_TRUE(LoadBytes("b.png", Png(2, 3, 1, Bytes(6, 2))));
    bind_(names[0]);
    EXPECT_EQ(get_(kWidth), 5);
    delete_(2, names);
    ExpectPlaceholder();  // the default image is bound again
    gen_(0, nullptr);
    delete_(1, nullptr);
    EXPECT_EQ(get_(0x9999), 0);  // an unknown query
}
