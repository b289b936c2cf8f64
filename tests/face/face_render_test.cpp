// The generated face loaded through the real plm_engine and drawn by
// DrawFace in the turntable framing: visible, whole inside the letterboxed
// band, lit and sphere-mapped. With PLM_FACE_PICTURES naming a folder, the
// framings with a chrome-like map are also written there as PPM pictures, to
// be looked at.
#include "face_gl.h"
#include "face_model.h"
#include "face_shape.h"
#include "plm_engine.h"
#include "scene/face.h"
#include "scene/render_frame.h"
#include "tests/support/temp_folder.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>

namespace {

using facetest::Pattern;
using facetest::Picture;

bool Lit(const uint8_t* rgb)
{
    return rgb[0] > 8 || rgb[1] > 8 || rgb[2] > 8;
}

struct Coverage {
    int pixels = 0;
    int left = 1 << 30, right = -1, bottom = 1 << 30, top = -1;
};

Coverage Cover(const Picture& picture)
{
    Coverage c;
    for (int y = 0; y < picture.height; ++y)
        for (int x = 0; x < picture.width; ++x) {
            if (!Lit(picture.At(x, y))) continue;
            ++c.pixels;
            c.left = std::min(c.left, x), c.right = std::max(c.right, x);
            c.bottom = std::min(c.bottom, y), c.top = std::max(c.top, y);
        }
    return c;
}

// One turntable frame of the face with a sphere map of the given pattern.
Picture Turntable(float angle, Pattern pattern)
{
    glDeleteTextures(1, &metalTexture);
    metalTexture = facetest::MakeTexture(pattern);
    facetest::BeginPerspectiveFrame();
    LoadTurntableView(angle);
    DrawFace();
    return facetest::ReadScreen();
}

// Pixels of the face drawn with a white map, and the same pixels' values in
// another picture.
std::vector<const uint8_t*> FacePixels(const Picture& mask, const Picture& picture)
{
    std::vector<const uint8_t*> pixels;
    for (int y = 0; y < mask.height; ++y)
        for (int x = 0; x < mask.width; ++x)
            if (Lit(mask.At(x, y))) pixels.push_back(picture.At(x, y));
    return pixels;
}

class FaceRender : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        ASSERT_TRUE(facetest::MakeContext());
        tds::Model model;
        std::string error;
        ASSERT_TRUE(face::ToModel(face::BuildHeadMesh(face::GridSize{}), &model, &error)) << error;
        // Each test process writes the model into a folder of its own.
        const TempFolder folder("plm-face");
        ASSERT_FALSE(folder.Path().empty());
        const std::string path = folder.File("face.3ds");
        ASSERT_TRUE(tds::WriteFile(model, path, &error)) << error;
        object = CreateObject3d();
        ASSERT_NE(object, nullptr);
        ASSERT_EQ(object->Load(path.c_str(), nullptr, FORMAT_3DS), 1);
    }
    void SetUp() override
    {
        ASSERT_NE(object, nullptr);
        facetest::SetupSceneState();
        faceObject = object;
    }
    void TearDown() override
    {
        glDeleteTextures(1, &metalTexture);
        metalTexture = 0;
        faceObject = nullptr;
    }
    static inline COBJECT3D* object = nullptr;
};

// --- the model as the engine reads it ---------------------------------------------

TEST_F(FaceRender, EngineReadsOneMeshWithOutwardNormals)
{
    ASSERT_EQ(object->GetMeshCount(), 1);
    unsigned short vertexCount = 0, faceCount = 0;
    CVERTEX* vertices = nullptr;
    CFACE* faces = nullptr;
    object->GetMeshData(0, &vertexCount, &faceCount, &vertices, &faces, nullptr);
    EXPECT_GE(faceCount, 10000);
    EXPECT_LE(faceCount, 40000);
    const face::Vec3 centre = face::HeadCentre();
    int outward = 0;
    float top = 0;
    for (unsigned short i = 0; i < vertexCount; ++i) {
        const float* p = vertices[i].position;
        const float* n = vertices[i].normal;
        top = std::max(top, p[1]);
        outward += n[0] * (p[0] - centre.x) + n[1] * (p[1] - centre.y) + n[2] * (p[2] - centre.z) > 0;
    }
    EXPECT_GT(top, 700.0f);
    EXPECT_GT(outward, vertexCount * 98 / 100);
}

// --- framing ----------------------------------------------------------------------

TEST_F(FaceRender, TurntableFramesTheWholeFaceInsideTheBand)
{
    for (float angle : {-45.0f, 0.0f, 45.0f, 90.0f, 180.0f}) {
        const std::string name = "face_turntable_" + std::to_string(int(angle)) + ".ppm";
        SCOPED_TRACE(name);
        const Picture picture = Turntable(angle, Pattern::Chrome);
        if (const char* folder = std::getenv("PLM_FACE_PICTURES")) {
            EXPECT_TRUE(facetest::WritePpm(picture, std::string(folder) + "/" + name));
        }
        const Coverage c = Cover(picture);
        EXPECT_GT(c.pixels, facetest::SCREEN_WIDTH * facetest::BAND_HEIGHT / 10);
        EXPECT_GT(c.bottom, facetest::BAND_Y + 20);
        EXPECT_LT(c.top, facetest::BAND_Y + facetest::BAND_HEIGHT - 20);
        EXPECT_GT(c.left, 200);
        EXPECT_LT(c.right, facetest::SCREEN_WIDTH - 200);
    }
}

TEST_F(FaceRender, NoModelLeavesTheFrameBlack)
{
    faceObject = nullptr;
    EXPECT_EQ(Cover(Turntable(0.0f, Pattern::White)).pixels, 0);
}

// --- light and sphere map ------------------------------------------------------------

TEST_F(FaceRender, ShadingVariesOverTheLitFace)
{
    const Picture white = Turntable(0.0f, Pattern::White);
    int darkest = 255, brightest = 0;
    for (const uint8_t* p : FacePixels(white, white))
        darkest = std::min<int>(darkest, p[0]), brightest = std::max<int>(brightest, p[0]);
    EXPECT_GT(brightest, 200);
    EXPECT_LT(darkest, 120);
}

// The metal map multiplies the lit grey: a red map leaves only red.
TEST_F(FaceRender, TextureModulatesTheLitShade)
{
    const Picture white = Turntable(0.0f, Pattern::White);
    const Picture red = Turntable(0.0f, Pattern::Red);
    const std::vector<const uint8_t*> pixels = FacePixels(white, red);
    ASSERT_FALSE(pixels.empty());
    for (const uint8_t* p : pixels) {
        ASSERT_EQ(p[1], 0);
        ASSERT_EQ(p[2], 0);
    }
}

// Sphere mapping picks texels by the normals: both halves of a half black,
// half white map show on the face, and turning the face moves them.
TEST_F(FaceRender, SphereMapFollowsTheNormals)
{
    const Picture white = Turntable(0.0f, Pattern::White);
    const Picture split = Turntable(0.0f, Pattern::LeftBlackRightWhite);
    const std::vector<const uint8_t*> pixels = FacePixels(white, split);
    const auto bright =
        std::count_if(pixels.begin(), pixels.end(), [](const uint8_t* p) { return p[0] > 60; });
    const auto dark = std::count_if(pixels.begin(), pixels.end(), [](const uint8_t* p) { return p[0] < 10; });
    EXPECT_GT(bright, long(pixels.size() / 5));
    EXPECT_GT(dark, long(pixels.size() / 5));
    const Picture turned = Turntable(20.0f, Pattern::LeftBlackRightWhite);
    EXPECT_NE(Cover(split).pixels, Cover(turned).pixels);
}

}  // namespace
