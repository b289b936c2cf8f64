// Picture textures against a real Mesa context: what is uploaded, the
// black-key mask, the drawn quad, release, and the plain texture.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <png.h>

#include <cstring>
#include <vector>

#include "picture_files.h"
#include "runtime/pixel_buffer.h"
#include "tests/support/devil.h"
#include "tests/support/gl_context.h"
#include "tests/support/gl_recorder.h"
#include "scene/texture.h"

namespace {

// What the fake loaders hand out.
std::vector<unsigned char> fakePixels;
int fakeWidth = 0, fakeHeight = 0;

void FakeLoader(const char*, int* width, int* height, int* components, unsigned char** pixels)
{
    *width = fakeWidth;
    *height = fakeHeight;
    *components = 3;
    *pixels = NewPixelBuffer(fakeWidth, fakeHeight);
    std::memcpy(*pixels, fakePixels.data(), fakePixels.size());
}

void NothingLoader(const char*, int* width, int* height, int* components, unsigned char** pixels)
{
    *width = 512;
    *height = 512;
    *components = 3;
    *pixels = nullptr;
}

void UseFake(int width, int height, std::vector<unsigned char> pixels)
{
    fakeWidth = width;
    fakeHeight = height;
    fakePixels = std::move(pixels);
}

std::vector<unsigned char> Level0(unsigned int texture, int width, int height)
{
    std::vector<unsigned char> texels(width * height * 3);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    return texels;
}

class Texture : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(plmtest::OpenGlContext(256, 256)); }
    void TearDown() override { glrec::StopRecording(); }
};

}  // namespace

// --- creation and mask -------------------------------------------------------

TEST_F(Texture, CreateUploadsThePictureWithoutMask)
{
    std::vector<unsigned char> pixels;
    for (int i = 0; i < 4 * 2 * 3; ++i) pixels.push_back(static_cast<unsigned char>(10 * i));
    UseFake(4, 2, pixels);
    CTEXTURE texture;
    EXPECT_EQ(texture.Create("any.jpg", 0, FakeLoader), 1);
    EXPECT_NE(texture.ColorTexture(), 0u);
    EXPECT_EQ(texture.MaskTexture(), 0u);
    EXPECT_EQ(texture.Width(), 4);
    EXPECT_EQ(texture.Height(), 2);
    EXPECT_EQ(texture.Components(), 3);
    EXPECT_EQ(texture.HasMask(), 0);
    EXPECT_EQ(Level0(texture.ColorTexture(), 4, 2), pixels);
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);
}

TEST_F(Texture, MaskIsWhiteOnlyWherePictureIsPureBlack)
{
    UseFake(4, 1, {0, 0, 0, 0, 0, 1, 255, 255, 255, 0, 0, 0});
    CTEXTURE texture;
    texture.Create("credits.png", 1, FakeLoader);
    EXPECT_EQ(texture.HasMask(), 1);
    ASSERT_NE(texture.MaskTexture(), 0u);
    EXPECT_EQ(Level0(texture.MaskTexture(), 4, 1),
              (std::vector<unsigned char>{255, 255, 255, 0, 0, 0, 0, 0, 0, 255, 255, 255}));
}

TEST_F(Texture, UnalignedRowsAreReadPacked)
{
    // 2 pixels = 6-byte rows: read with the default 4-byte alignment the
    // second row would start 2 bytes late.
    const std::vector<unsigned char> row = {0, 0, 0, 9, 9, 9};
    std::vector<unsigned char> pixels = row;
    pixels.insert(pixels.end(), row.begin(), row.end());
    UseFake(2, 2, pixels);
    CTEXTURE texture;
    texture.Create("odd.png", 1, FakeLoader);
    EXPECT_EQ(Level0(texture.ColorTexture(), 2, 2), pixels);
    EXPECT_EQ(Level0(texture.MaskTexture(), 2, 2),
              (std::vector<unsigned char>{255, 255, 255, 0, 0, 0, 255, 255, 255, 0, 0, 0}));
    GLint alignment = 0;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &alignment);
    EXPECT_EQ(alignment, 4);  // restored
}

TEST_F(Texture, UnusableLoaderResultGivesEmptyTexture)
{
    CTEXTURE texture;
    texture.Create("none.png", 1, NothingLoader);
    EXPECT_EQ(texture.Width(), 4);
    EXPECT_EQ(texture.Height(), 4);
    EXPECT_EQ(Level0(texture.ColorTexture(), 4, 4), std::vector<unsigned char>(48, 0));
    CTEXTURE noLoader;
    noLoader.Create("none.png", 0, nullptr);
    EXPECT_NE(noLoader.ColorTexture(), 0u);
    EXPECT_EQ(noLoader.Width(), 4);
}

// --- release -------------------------------------------------------------------

TEST_F(Texture, ReleaseOfEmptyObjectDeletesNothing)
{
    CTEXTURE texture;
    glrec::StartRecording();
    texture.Release();
    glrec::StopRecording();
    EXPECT_TRUE(glrec::Only({"glDeleteTextures"}).empty());
    EXPECT_EQ(texture.ColorTexture(), 0u);
    EXPECT_EQ(texture.MaskTexture(), 0u);
    EXPECT_EQ(texture.Width() | texture.Height() | texture.Components() | texture.HasMask(), 0);
}

TEST_F(Texture, ReleaseDeletesBothTexturesAndZeroesFields)
{
    UseFake(4, 1, std::vector<unsigned char>(12, 0));
    CTEXTURE texture;
    texture.Create("credits.png", 1, FakeLoader);
    const unsigned int color = texture.ColorTexture(), mask = texture.MaskTexture();
    glrec::StartRecording();
    texture.Release();
    glrec::StopRecording();
    EXPECT_EQ(glrec::Only({"glDeleteTextures"}).size(), 2u);
    EXPECT_FALSE(glIsTexture(color));
    EXPECT_FALSE(glIsTexture(mask));
    EXPECT_EQ(texture.ColorTexture() | texture.MaskTexture(), 0u);
    EXPECT_EQ(texture.Width() | texture.Height() | texture.Components() | texture.HasMask(), 0);
}

TEST_F(Texture, CreatingAgainReleasesTheOldTextures)
{
    UseFake(4, 1, std::vector<unsigned char>(12, 0));
    CTEXTURE texture;
    texture.Create("a.png", 1, FakeLoader);
    const unsigned int color = texture.ColorTexture();
    texture.Create("b.png", 0, FakeLoader);
    EXPECT_FALSE(glIsTexture(color) && color != texture.ColorTexture());
    EXPECT_EQ(texture.MaskTexture(), 0u);
}

// --- drawing -------------------------------------------------------------------

TEST_F(Texture, QuadWithoutMaskKeepsCallersBlend)
{
    UseFake(4, 1, std::vector<unsigned char>(12, 50));
    CTEXTURE texture;
    texture.Create("line_01.jpg", 0, FakeLoader);
    glrec::StartRecording();
    texture.DrawQuad(-256, 752, 256, 16);
    glrec::StopRecording();
    EXPECT_TRUE(glrec::Only({"glBlendFunc"}).empty());
    ASSERT_EQ(glrec::Only({"glBindTexture"}).size(), 1u);
    EXPECT_EQ(glrec::Only({"glBindTexture"})[0].args[1], texture.ColorTexture());
    const auto primitives = glrec::Primitives();
    ASSERT_EQ(primitives.size(), 1u);
    const std::vector<glrec::Vertex2>& q = primitives[0];
    ASSERT_EQ(q.size(), 4u);
    EXPECT_EQ((std::vector<double>{q[0].x, q[0].y, q[0].s, q[0].t}), (std::vector<double>{-256, 752, 0, 1}));
    EXPECT_EQ((std::vector<double>{q[1].x, q[1].y, q[1].s, q[1].t}), (std::vector<double>{0, 752, 1, 1}));
    EXPECT_EQ((std::vector<double>{q[2].x, q[2].y, q[2].s, q[2].t}), (std::vector<double>{0, 768, 1, 0}));
    EXPECT_EQ((std::vector<double>{q[3].x, q[3].y, q[3].s, q[3].t}), (std::vector<double>{-256, 768, 0, 0}));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_LIGHTING));
}

TEST_F(Texture, MaskedQuadCutsOutThenAdds)
{
    UseFake(4, 1, {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0});
    CTEXTURE texture;
    texture.Create("credits.png", 1, FakeLoader);
    glrec::StartRecording();
    texture.DrawQuad(0, 0, 10, 10);
    glrec::StopRecording();
    const auto binds = glrec::Only({"glBindTexture"});
    ASSERT_EQ(binds.size(), 2u);
    EXPECT_EQ(binds[0].args[1], texture.MaskTexture());
    EXPECT_EQ(binds[1].args[1], texture.ColorTexture());
    const auto blends = glrec::Only({"glBlendFunc"});
    ASSERT_EQ(blends.size(), 2u);
    EXPECT_EQ(blends[0].args[0], GL_DST_COLOR);
    EXPECT_EQ(blends[0].args[1], GL_ZERO);
    EXPECT_EQ(blends[1].args[0], GL_ONE);
    EXPECT_EQ(blends[1].args[1], GL_ONE);
    EXPECT_EQ(glrec::Primitives().size(), 2u);
}

TEST_F(Texture, MaskedPictureIsOpaqueAndItsBlackIsTransparent)
{
    // Left half pure black, right half red; drawn over a grey screen.
    UseFake(4, 1, {0, 0, 0, 0, 0, 0, 255, 0, 0, 255, 0, 0});
    CTEXTURE texture;
    texture.Create("credits.png", 1, FakeLoader);
    glViewport(0, 0, 256, 256);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, 256, 256, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glClearColor(0.0f, 0.0f, 0.5f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor4f(1, 1, 1, 1);
    texture.DrawQuad(0, 0, 256, 256);
    unsigned char left[3], right[3];
    plmtest::ReadPixel(80, 128, left);    // between texels 0 and 1 (both black)
    plmtest::ReadPixel(176, 128, right);  // between texels 2 and 3 (both red)
    EXPECT_EQ(left[0], 0);
    EXPECT_NEAR(left[2], 128, 2);  // background kept
    EXPECT_EQ(right[0], 255);
    EXPECT_EQ(right[2], 0);  // background cut out under the picture
    glDisable(GL_BLEND);
    glDisable(GL_TEXTURE_2D);
}

// --- plain texture -----------------------------------------------------------

TEST_F(Texture, PlainTextureIsOneLevelOfTheFlippedPicture)
{
    ASSERT_TRUE(plmtest::BindDevil());
    ScratchDataDir dir;
    std::vector<unsigned char> rows;  // 5 x 3, top row first; rows of 15 bytes
    for (int i = 0; i < 45; ++i) rows.push_back(static_cast<unsigned char>(i * 5));
    WritePng(dir.Texture("metalic.png"), 5, 3, {PNG_COLOR_TYPE_RGB, 8}, rows);
    unsigned int name = 0;
    LoadPlainTexture("metalic.png", &name);
    ASSERT_NE(name, 0u);
    std::vector<unsigned char> expected(rows.begin() + 30, rows.end());
    expected.insert(expected.end(), rows.begin() + 15, rows.begin() + 30);
    expected.insert(expected.end(), rows.begin(), rows.begin() + 15);
    EXPECT_EQ(Level0(name, 5, 3), expected);
    GLint filter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &filter);
    EXPECT_EQ(filter, GL_LINEAR);
    glDeleteTextures(1, &name);
    LoadPlainTexture("metalic.png", nullptr);
}
