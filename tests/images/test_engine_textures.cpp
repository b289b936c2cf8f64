// The picture loader handed to plm_engine: every buffer it hands out is
// remembered until FreeEngineTextures frees it, and the real engine has made
// its textures by the time Load returns, so that freeing them then is safe.
#include <GL/gl.h>
#include <gtest/gtest.h>
#include <png.h>

#include <memory>
#include <string>
#include <vector>

#include "picture_files.h"
#include "tests/support/devil.h"
#include "tests/support/gl_context.h"
#include "plm_engine.h"
#include "runtime/engine_textures.h"
#include "tds_writer.h"

namespace {

const PngLayout kRgb8 = {PNG_COLOR_TYPE_RGB, 8};

// A 4 x 4 picture of one colour (rows of 12 bytes: no unpack padding).
void WritePlainPng(const std::string& path, unsigned char r, unsigned char g, unsigned char b)
{
    std::vector<unsigned char> rows;
    for (int i = 0; i < 16; ++i) rows.insert(rows.end(), {r, g, b});
    WritePng(path, 4, 4, kRgb8, rows);
}

class EngineTextures : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(plmtest::BindDevil());
        ASSERT_EQ(EngineTexturesAlive(), 0u);
    }
    void TearDown() override { FreeEngineTextures(); }

    ScratchDataDir dir;
};

TEST_F(EngineTextures, EveryBufferHandedOutLivesUntilTheReleaseAndNoLonger)
{
    WritePlainPng(dir.Texture("red.png"), 255, 0, 0);
    // A picture that cannot be loaded still gives a (black) buffer to free.
    const char* const names[] = {"red.png", "missing.jpg", "red.png"};
    std::vector<unsigned char*> buffers;
    for (const char* name : names) {
        int width = 0, height = 0, components = 0;
        unsigned char* pixels = nullptr;
        ::testing::internal::CaptureStderr();
        EngineTextureLoader(name, &width, &height, &components, &pixels);
        ::testing::internal::GetCapturedStderr();
        ASSERT_NE(pixels, nullptr) << name;
        EXPECT_EQ(components, 3);
        buffers.push_back(pixels);
        EXPECT_EQ(EngineTexturesAlive(), buffers.size());
    }
    EXPECT_EQ(buffers[0][0], 255);
    EXPECT_NE(buffers[0], buffers[2]);  // each call hands out a buffer of its own
    FreeEngineTextures();
    EXPECT_EQ(EngineTexturesAlive(), 0u);
    FreeEngineTextures();  // nothing left to free, nothing freed twice
    EXPECT_EQ(EngineTexturesAlive(), 0u);
}

TEST_F(EngineTextures, NullOutPointersHandOutNothing)
{
    WritePlainPng(dir.Texture("red.png"), 255, 0, 0);
    int width = 0, height = 0, components = 0;
    unsigned char* pixels = nullptr;
    EngineTextureLoader("red.png", &width, &height, &components, nullptr);
    EngineTextureLoader("red.png", nullptr, &height, &components, &pixels);
    EXPECT_EQ(pixels, nullptr);
    EXPECT_EQ(EngineTexturesAlive(), 0u);
}

// One triangle with material "R" and a second, unused textured material:
// the engine makes a texture for each material that names a map.
tds::Model TwoTexturedMaterials()
{
    tds::Model model;
    tds::Material red, green;
    red.name = "R";
    red.texture = tds::TextureMap{"red.png"};
    green.name = "G";
    green.texture = tds::TextureMap{"green.png"};
    model.materials = {red, green};
    tds::Object triangle;
    triangle.name = "Tri";
    triangle.mesh.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    triangle.mesh.faces = {{0, 1, 2}};
    triangle.mesh.mapping = {{0, 0}, {1, 0}, {0, 1}};
    triangle.mesh.groups = {{"R", {0}}};
    model.objects = {triangle};
    return model;
}

TEST_F(EngineTextures, RealEngineKeepsItsTexturesAfterTheBuffersAreFreed)
{
    ASSERT_TRUE(plmtest::OpenGlContext(256, 256));
    WritePlainPng(dir.Texture("red.png"), 255, 0, 0);
    WritePlainPng(dir.Texture("green.png"), 0, 255, 0);
    const std::string path = dir.Path() + "/two.3ds";
    std::string error;
    ASSERT_TRUE(tds::WriteFile(TwoTexturedMaterials(), path, &error)) << error;

    std::unique_ptr<COBJECT3D> object(CreateObject3d());
    ASSERT_NE(object, nullptr);
    ASSERT_EQ(object->Load(path.c_str(), EngineTextureLoader, FORMAT_3DS), 1);
    EXPECT_EQ(EngineTexturesAlive(), 2u);
    FreeEngineTextures();
    EXPECT_EQ(EngineTexturesAlive(), 0u);

    unsigned int texture = 0;
    object->GetMeshData(0, nullptr, nullptr, nullptr, nullptr, &texture);
    ASSERT_NE(texture, 0u);
    std::vector<unsigned char> texels(4 * 4 * 3);
    glBindTexture(GL_TEXTURE_2D, texture);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, texels.data());
    EXPECT_EQ(texels[0], 255);
    EXPECT_EQ(texels[1], 0);
    EXPECT_EQ(texels[texels.size() - 3], 255);
}

}  // namespace
