// DrawFace against a stand-in model: what it sends (captured in feedback
// mode), how it walks the meshes, how it treats broken mesh data, and the GL
// state it leaves behind.
#include "face_gl.h"
#include "plm_engine.h"
#include "scene/face.h"
#include "tests/support/fake_engine.h"

#include <GL/gl.h>
#include <gtest/gtest.h>

#include <array>
#include <vector>

namespace {

using Point = std::array<float, 3>;

// Adds a mesh of the given vertices and faces to the model.
FakeMesh& AddMesh(FakeModel& model, std::vector<Point> positions, std::vector<Point> normals,
                  std::vector<std::array<unsigned short, 3>> corners)
{
    FakeMesh& m = model.meshes.emplace_back();
    for (size_t i = 0; i < positions.size(); ++i) m.AddVertex(positions[i].data(), normals[i].data());
    for (const auto& c : corners) m.faces.push_back({c[0], c[1], c[2], 0, nullptr});
    return m;
}

// The mesh indices DrawFace asked the model for, in order.
std::vector<std::string> Asked(std::vector<int> indices)
{
    std::vector<std::string> calls;
    for (int i : indices) calls.push_back("GetMeshData " + std::to_string(i));
    return calls;
}

// One vertex as feedback mode reports it: window position, lit colour and
// generated texture coordinate.
struct Corner {
    float x, y, z;
    float rgba[4];
    float strq[4];
};
using Polygon = std::vector<Corner>;

const int VIEW_SIZE = 100;

// Runs DrawFace in feedback mode with identity matrices in a 100 x 100
// viewport and returns the polygons it sent.
std::vector<Polygon> Capture()
{
    static std::vector<GLfloat> buffer(1 << 16);
    glViewport(0, 0, VIEW_SIZE, VIEW_SIZE);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glFeedbackBuffer(GLsizei(buffer.size()), GL_3D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    DrawFace();
    const GLint used = glRenderMode(GL_RENDER);
    std::vector<Polygon> polygons;
    for (GLint i = 0; i < used;) {
        EXPECT_EQ(buffer[i], GLfloat(GL_POLYGON_TOKEN));
        const int n = int(buffer[i + 1]);
        Polygon& p = polygons.emplace_back();
        for (int k = 0; k < n; ++k) {
            const GLfloat* v = &buffer[i + 2 + k * 11];
            p.push_back({v[0], v[1], v[2], {v[3], v[4], v[5], v[6]}, {v[7], v[8], v[9], v[10]}});
        }
        i += 2 + n * 11;
    }
    return polygons;
}

// Window x of an object x (identity matrices, 100-pixel viewport).
float WindowX(float x)
{
    return (x + 1.0f) * VIEW_SIZE / 2;
}

const Point TOWARDS_VIEWER{0, 0, 1};

class DrawFaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(facetest::MakeContext());
        facetest::SetupSceneState();
        glDisable(GL_DEPTH_TEST);
        metalTexture = facetest::MakeTexture(facetest::Pattern::White);
        glBindTexture(GL_TEXTURE_2D, 0);
        ResetFakeEngine();
        ForgetCompiledFace();  // each test's model is new, maybe at the last one's address
        faceObject = &object;
    }
    void TearDown() override
    {
        glDeleteTextures(1, &metalTexture);
        metalTexture = 0;
        faceObject = nullptr;
    }
    // A small triangle at depth z, its corners at x = x0, x0 + 0.1, x0.
    FakeMesh& AddTriangle(float x0, Point normal = TOWARDS_VIEWER, float z = -0.5f)
    {
        return AddMesh(object.model, {{x0, 0, z}, {x0 + 0.1f, 0, z}, {x0, 0.1f, z}}, {normal, normal, normal},
                       {{0, 1, 2}});
    }
    FakeObject object;
};

// --- what is sent -----------------------------------------------------------

TEST_F(DrawFaceTest, SendsEveryFaceOfEveryMeshCornersInOrder)
{
    AddMesh(object.model, {{-0.5f, 0, 0}, {0, 0, 0}, {0.5f, 0, 0}, {0, 0.5f, 0}},
            {TOWARDS_VIEWER, TOWARDS_VIEWER, TOWARDS_VIEWER, TOWARDS_VIEWER}, {{0, 1, 3}, {2, 3, 1}});
    AddTriangle(0.8f);
    const std::vector<Polygon> polygons = Capture();
    ASSERT_EQ(polygons.size(), 3u);
    EXPECT_FLOAT_EQ(polygons[0][0].x, WindowX(-0.5f));
    EXPECT_FLOAT_EQ(polygons[0][1].x, WindowX(0.0f));
    EXPECT_FLOAT_EQ(polygons[1][0].x, WindowX(0.5f));
    EXPECT_FLOAT_EQ(polygons[1][2].x, WindowX(0.0f));
    EXPECT_FLOAT_EQ(polygons[2][1].x, WindowX(0.9f));
    EXPECT_EQ(engineCalls, Asked({0, 1}));
}

TEST_F(DrawFaceTest, VertexNormalsSteerTheSphereMapAndTheLight)
{
    AddTriangle(0.0f, TOWARDS_VIEWER);
    AddTriangle(0.0f, Point{0.6f, 0, 0.8f});
    const std::vector<Polygon> polygons = Capture();
    ASSERT_EQ(polygons.size(), 2u);
    // The first corner lies straight ahead of the eye. Facing the eye the
    // sphere map gives the middle of the picture; the tilted normal reflects
    // the view ray to (0.96, 0, 0.28), so s = 0.96 / 3.2 + 0.5.
    EXPECT_NEAR(polygons[0][0].strq[0], 0.5f, 0.02f);
    EXPECT_NEAR(polygons[0][0].strq[1], 0.5f, 0.02f);
    EXPECT_NEAR(polygons[1][0].strq[0], 0.8f, 0.02f);
    EXPECT_NEAR(polygons[1][0].strq[1], 0.5f, 0.02f);
    // Lit: the face turned from the light at the eye is darker.
    EXPECT_GT(polygons[0][0].rgba[0], polygons[1][0].rgba[0] + 0.1f);
}

// --- compiled once ---------------------------------------------------------------

TEST_F(DrawFaceTest, LaterFramesRepeatTheFirstWithoutReadingTheMeshes)
{
    AddMesh(object.model, {{-0.5f, 0, -0.5f}, {0, 0, -0.5f}, {0, 0.5f, -0.5f}},
            {TOWARDS_VIEWER, TOWARDS_VIEWER, Point{0.6f, 0, 0.8f}}, {{0, 1, 2}});
    AddTriangle(0.8f);
    const std::vector<Polygon> first = Capture();
    EXPECT_EQ(engineCalls, Asked({0, 1}));
    engineCalls.clear();
    const std::vector<Polygon> second = Capture();
    EXPECT_TRUE(engineCalls.empty());
    ASSERT_EQ(second.size(), first.size());
    for (size_t p = 0; p < first.size(); ++p) {
        ASSERT_EQ(second[p].size(), first[p].size());
        for (size_t c = 0; c < first[p].size(); ++c) {
            EXPECT_EQ(second[p][c].x, first[p][c].x);
            EXPECT_EQ(second[p][c].y, first[p][c].y);
            EXPECT_EQ(second[p][c].rgba[0], first[p][c].rgba[0]);
            EXPECT_EQ(second[p][c].strq[0], first[p][c].strq[0]);
        }
    }
}

TEST_F(DrawFaceTest, AnotherModelIsReadAfresh)
{
    AddTriangle(0.0f);
    ASSERT_EQ(Capture().size(), 1u);
    FakeObject other;
    AddMesh(other.model, {{0, 0, 0}, {0.1f, 0, 0}, {0, 0.1f, 0}, {0.2f, 0, 0}},
            {TOWARDS_VIEWER, TOWARDS_VIEWER, TOWARDS_VIEWER, TOWARDS_VIEWER}, {{0, 1, 2}, {1, 3, 2}});
    faceObject = &other;
    EXPECT_EQ(Capture().size(), 2u);
    faceObject = &object;
    EXPECT_EQ(Capture().size(), 1u);
}

TEST_F(DrawFaceTest, ForgettingReadsAChangedModelAgain)
{
    AddTriangle(0.0f);
    ASSERT_EQ(Capture().size(), 1u);
    AddTriangle(0.5f);
    EXPECT_EQ(Capture().size(), 1u);  // still the compiled model
    ForgetCompiledFace();
    EXPECT_EQ(Capture().size(), 2u);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(DrawFaceTest, NoModelBetweenFramesKeepsTheCompiledOne)
{
    AddTriangle(0.0f);
    ASSERT_EQ(Capture().size(), 1u);
    faceObject = nullptr;
    EXPECT_TRUE(Capture().empty());
    faceObject = &object;
    engineCalls.clear();
    EXPECT_EQ(Capture().size(), 1u);
    EXPECT_TRUE(engineCalls.empty());
}

// --- meshes without faces and broken data --------------------------------------

TEST_F(DrawFaceTest, MeshWithoutFacesIsSkippedAndLaterMeshesDrawn)
{
    AddMesh(object.model, {}, {}, {});
    AddTriangle(0.0f);
    EXPECT_EQ(Capture().size(), 1u);
    EXPECT_EQ(engineCalls, Asked({0, 1}));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(DrawFaceTest, FacesNamingMissingVerticesAreSkipped)
{
    FakeMesh& mesh = AddTriangle(0.0f);
    mesh.faces.push_back({0, 1, 3, 0, nullptr});
    mesh.faces.push_back({2, 1, 0, 0, nullptr});
    EXPECT_EQ(Capture().size(), 2u);
}

TEST_F(DrawFaceTest, MeshWithoutArraysDrawsNothing)
{
    AddTriangle(0.0f).nullArrays = true;
    EXPECT_TRUE(Capture().empty());
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(DrawFaceTest, NoModelDrawsNothing)
{
    faceObject = nullptr;
    EXPECT_TRUE(Capture().empty());
}

// --- state left behind ---------------------------------------------------------

void ExpectSceneState()
{
    GLfloat colour[4];
    glGetFloatv(GL_CURRENT_COLOR, colour);
    EXPECT_EQ(colour[0], 1.0f);
    EXPECT_EQ(colour[1], 1.0f);
    EXPECT_EQ(colour[2], 1.0f);
    EXPECT_TRUE(glIsEnabled(GL_LIGHTING));
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_S));
    EXPECT_FALSE(glIsEnabled(GL_TEXTURE_GEN_T));
    GLint bound = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), metalTexture);
}

void MessUpState()
{
    glColor3f(0.2f, 0.4f, 0.6f);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
}

TEST_F(DrawFaceTest, LeavesLightingAndTexturingOnAndGenerationOff)
{
    AddTriangle(0.0f);
    MessUpState();
    DrawFace();
    ExpectSceneState();
}

TEST_F(DrawFaceTest, NoModelLeavesTheSameState)
{
    faceObject = nullptr;
    MessUpState();
    DrawFace();
    ExpectSceneState();
}

}  // namespace
