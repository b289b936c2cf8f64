// The engine in a real OpenGL context (the test context, Mesa off screen):
// textures, display lists and drawing, read back from the context.
#include <GL/gl.h>

#include "engine_fixture.h"
#include "tests/support/gl_context.h"

using namespace enginetest;

namespace {

class ContextTest : public EngineTest {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(plmtest::OpenGlContext(64, 64));
        EngineTest::SetUp();
        glViewport(0, 0, 64, 64);
        glMatrixMode(GL_PROJECTION);
        glLoadIdentity();
        glOrtho(-1, 1, -1, 1, -1, 1);
        glMatrixMode(GL_MODELVIEW);
        glLoadIdentity();
        glDisable(GL_LIGHTING);
        glDisable(GL_TEXTURE_2D);
        glColor3f(1, 1, 1);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        while (glGetError() != GL_NO_ERROR) {
        }
    }

    // A square over the whole view in the engine's x-y plane, with mapping
    // coordinates and the material "M" (red texture).
    void LoadScreenSquare()
    {
        tds::Model m;
        tds::Material mat = NamedMaterial("M", tds::TextureMap{"red.png"});
        m.materials = {mat};
        tds::Object o;
        o.name = "Square";
        for (auto [x, y] : {std::pair{-1.f, -1.f}, {1.f, -1.f}, {1.f, 1.f}, {-1.f, 1.f}})
            o.mesh.vertices.push_back(tds::FromEngineAxes(x, y, 0));
        o.mesh.faces = {{0, 1, 2}, {0, 2, 3}};
        o.mesh.mapping = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        o.mesh.groups = {{"M", {0, 1}}};
        m.objects = {o, TriangleObject("Other")};
        FakeImages::width = FakeImages::height = 2;
        for (size_t i = 0; i + 2 < FakeImages::pixels.size(); i += 3) {
            FakeImages::pixels[i] = 255;
            FakeImages::pixels[i + 1] = FakeImages::pixels[i + 2] = 0;
        }
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);  // rows of 2 RGB pixels are not 4-byte aligned
        ASSERT_EQ(Load(m), 1);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    }

    static std::array<uint8_t, 3> Centre()
    {
        std::array<uint8_t, 4> px{};
        glReadPixels(32, 32, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, px.data());
        return {px[0], px[1], px[2]};
    }
    static int LiveLists()
    {
        int n = 0;
        for (GLuint l = 1; l < 64; ++l) n += glIsList(l) ? 1 : 0;
        return n;
    }
};

}  // namespace

TEST_F(ContextTest, TextureIsCreatedFromTheLoadersPixels)
{
    LoadScreenSquare();
    GLuint texture = Mesh(1).texture;
    ASSERT_NE(texture, 0u);
    EXPECT_TRUE(glIsTexture(texture));
    GLint bound = 0, width = 0, minFilter = 0;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(GLuint(bound), texture);  // the last texture made stays bound
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &width);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    EXPECT_EQ(width, 2);
    EXPECT_EQ(minFilter, GL_LINEAR);
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ContextTest, DrawBeforeBuildListsDrawsNothing)
{
    LoadScreenSquare();
    obj_->Draw();
    EXPECT_EQ(Centre(), (std::array<uint8_t, 3>{0, 0, 0}));
    EXPECT_EQ(LiveLists(), 0);
}

TEST_F(ContextTest, DrawnSquareShowsItsTexture)
{
    LoadScreenSquare();
    obj_->SetParam(PARAM_NORMALMODE, 0);
    obj_->BuildLists();
    glBindTexture(GL_TEXTURE_2D, 0);
    glEnable(GL_TEXTURE_2D);
    obj_->Draw();
    glDisable(GL_TEXTURE_2D);
    EXPECT_EQ(Centre(), (std::array<uint8_t, 3>{255, 0, 0}));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}

TEST_F(ContextTest, LitFaceNormalsFaceTheViewer)
{
    LoadScreenSquare();
    obj_->BuildLists();  // one normal (0, 0, 1) per face
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);  // white, from +z
    glNormal3f(0, 0, -1);
    obj_->Draw();
    glDisable(GL_LIGHTING);
    auto c = Centre();
    EXPECT_GT(c[0], 150);  // lit: the list's normals replaced the back-facing one
}

TEST_F(ContextTest, BuildingTwiceKeepsOneListPerMeshAndUnloadDeletesAll)
{
    LoadScreenSquare();
    GLuint texture = Mesh(1).texture;
    obj_->BuildLists();
    EXPECT_EQ(LiveLists(), 2);
    obj_->BuildLists();
    EXPECT_EQ(LiveLists(), 2);
    obj_->Unload();
    EXPECT_EQ(LiveLists(), 0);
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_EQ(glGetError(), GLenum(GL_NO_ERROR));
}
