// Display lists and drawing, checked on the GL calls that plm_engine.so makes,
// and the library's binding by name.
#include <GL/gl.h>
#include <dlfcn.h>

#include "recording_fixture.h"

using namespace enginetest;

namespace {

class ListsTest : public RecordingTest {
protected:
    // A square of two triangles, optionally with mapping coordinates and a
    // material (with or without a texture map).
    void LoadSquare(bool mapped, bool material = false, bool texMap = true)
    {
        tds::Model m;
        tds::Object o;
        o.name = "Square";
        o.mesh.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 1}};
        o.mesh.faces = {{0, 1, 2}, {0, 2, 3}};
        if (mapped) o.mesh.mapping = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
        if (material) {
            tds::Material mat = NamedMaterial("M");
            if (texMap) mat.texture = tds::TextureMap{"m.png"};
            m.materials = {mat};
            o.mesh.groups = {{"M", {0, 1}}};
        }
        m.objects = {o};
        ASSERT_EQ(Load(m), 1);
        glrec::Reset();
    }

    // The names of the calls compiled into the only list, between glBegin and glEnd.
    std::string CompiledNames()
    {
        auto news = glrec::Only({"glNewList"});
        EXPECT_EQ(news.size(), 1u);
        if (news.empty()) return "";
        std::string out;
        for (const glrec::GlCall& c : glrec::ListContents(static_cast<unsigned>(news[0].args[0]))) {
            if (c.name == "glNormal3f")
                out += "N";
            else if (c.name == "glTexCoord2f")
                out += "T";
            else if (c.name == "glVertex3f")
                out += "V";
            else if (c.name == "glBegin")
                out += "[";
            else if (c.name == "glEnd")
                out += "]";
            else
                out += "?";
        }
        return out;
    }
};

std::vector<double> Vec(const float* p, int n)
{
    return std::vector<double>(p, p + n);
}

}  // namespace

TEST_F(ListsTest, DrawBeforeBuildListsMakesNoGlCall)
{
    LoadSquare(true, true);
    obj_->Draw();
    EXPECT_TRUE(glrec::Calls().empty());
}

TEST_F(ListsTest, FaceModeGivesOneNormalPerTriangle)
{
    LoadSquare(false);
    obj_->BuildLists();
    EXPECT_EQ(CompiledNames(), "[NVVVNVVV]");
    auto news = glrec::Only({"glNewList"});
    EXPECT_EQ(news[0].args[1], GL_COMPILE);
    auto list = glrec::ListContents(static_cast<unsigned>(news[0].args[0]));
    EXPECT_EQ(list[0].args, std::vector<double>{GL_TRIANGLES});
    MeshView v = Mesh(0);
    EXPECT_EQ(list[1].args, Vec(v.faces[0].normal, 3));
    EXPECT_EQ(list[2].args, Vec(v.vertices[0].position, 3));
    EXPECT_EQ(list[3].args, Vec(v.vertices[1].position, 3));
    EXPECT_EQ(list[4].args, Vec(v.vertices[2].position, 3));
    EXPECT_EQ(list[5].args, Vec(v.faces[1].normal, 3));
    EXPECT_EQ(list[8].args, Vec(v.vertices[3].position, 3));
}

TEST_F(ListsTest, FaceModeWithMappingCoordinates)
{
    LoadSquare(true);
    obj_->BuildLists();
    EXPECT_EQ(CompiledNames(), "[NTVTVTVNTVTVTV]");
    auto list = glrec::ListContents(static_cast<unsigned>(glrec::Only({"glNewList"})[0].args[0]));
    EXPECT_EQ(list[2].args, Vec(Mesh(0).vertices[0].texCoord, 2));
    EXPECT_EQ(list[4].args, Vec(Mesh(0).vertices[1].texCoord, 2));
}

TEST_F(ListsTest, VertexModeGivesANormalBeforeEveryCorner)
{
    LoadSquare(false);
    obj_->SetParam(PARAM_NORMALMODE, NORMALS_VERTEX);
    obj_->BuildLists();
    EXPECT_EQ(CompiledNames(), "[NVNVNVNVNVNV]");
    auto list = glrec::ListContents(static_cast<unsigned>(glrec::Only({"glNewList"})[0].args[0]));
    MeshView v = Mesh(0);
    const int corners[6] = {0, 1, 2, 0, 2, 3};
    for (int k = 0; k < 6; ++k) {
        EXPECT_EQ(list[1 + 2 * k].args, Vec(v.vertices[corners[k]].normal, 3)) << k;
        EXPECT_EQ(list[2 + 2 * k].args, Vec(v.vertices[corners[k]].position, 3)) << k;
    }
}

TEST_F(ListsTest, VertexModeWithMappingCoordinates)
{
    LoadSquare(true);
    obj_->SetParam(PARAM_NORMALMODE, NORMALS_VERTEX);
    obj_->BuildLists();
    EXPECT_EQ(CompiledNames(), "[NTVNTVNTVNTVNTVNTV]");
}

TEST_F(ListsTest, OtherModesGiveNoNormals)
{
    LoadSquare(false);
    obj_->SetParam(PARAM_NORMALMODE, 0);
    obj_->BuildLists();
    EXPECT_EQ(CompiledNames(), "[VVVVVV]");
    obj_->Unload();
    LoadSquare(true);
    obj_->BuildLists();
    EXPECT_EQ(CompiledNames(), "[TVTVTVTVTVTV]");
}

TEST_F(ListsTest, MeshWithoutFacesGetsAnEmptyPairAndIsStillCalled)
{
    tds::Model m;
    tds::Object cam;
    cam.kind = tds::Object::kCamera;
    cam.name = "Cam";
    m.objects = {cam};
    ASSERT_EQ(Load(m), 1);
    glrec::Reset();
    obj_->BuildLists();
    EXPECT_EQ(CompiledNames(), "[]");
    unsigned list = static_cast<unsigned>(glrec::Only({"glNewList"})[0].args[0]);
    glrec::Reset();
    obj_->Draw();
    EXPECT_EQ(glrec::Text(glrec::Calls()), "glCallList(" + std::to_string(list) + ")");
}

TEST_F(ListsTest, BuildingTwiceLeavesOneListPerMesh)
{
    tds::Model m;
    m.objects = {TriangleObject("A"), TriangleObject("B")};
    ASSERT_EQ(Load(m), 1);
    obj_->BuildLists();
    auto first = glrec::LiveLists();
    ASSERT_EQ(first.size(), 2u);
    glrec::Reset();
    obj_->BuildLists();
    // Each old list is deleted before its replacement is generated.
    auto calls = glrec::Only({"glDeleteLists", "glGenLists"});
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls[0].name, "glDeleteLists");
    EXPECT_EQ(calls[0].args[1], 1);
    EXPECT_EQ(calls[1].name, "glGenLists");
    EXPECT_EQ(calls[1].args[0], 1);
    EXPECT_EQ(calls[2].name, "glDeleteLists");
    EXPECT_EQ(calls[3].name, "glGenLists");
    std::set<unsigned> deleted = {unsigned(calls[0].args[0]), unsigned(calls[2].args[0])};
    EXPECT_EQ(deleted, first);
}

TEST_F(ListsTest, DrawBindsTheMaterialTextureThenCallsTheList)
{
    tds::Model m;
    tds::Material mat = NamedMaterial("M", tds::TextureMap{"m.png"});
    m.materials = {mat};
    tds::Object textured = TriangleObject("Textured");
    textured.mesh.groups = {{"M", {0}}};
    m.objects = {textured, TriangleObject("Plain")};
    ASSERT_EQ(Load(m), 1);
    unsigned texture = Mesh(1).texture;
    ASSERT_NE(texture, 0u);
    obj_->BuildLists();
    auto lists = glrec::Only({"glNewList"});
    glrec::Reset();
    obj_->Draw();
    // Newest first: the plain mesh has no material and binds nothing.
    EXPECT_EQ(glrec::Text(glrec::Calls()), "glCallList(" + std::to_string(int(lists[0].args[0])) +
                                               ") glBindTexture(" + std::to_string(GL_TEXTURE_2D) + "," +
                                               std::to_string(texture) + ") glCallList(" +
                                               std::to_string(int(lists[1].args[0])) + ")");
}

TEST_F(ListsTest, MaterialWithoutTextureBindsZero)
{
    LoadSquare(false, true, false);
    obj_->BuildLists();
    glrec::Reset();
    obj_->Draw();
    auto calls = glrec::Calls();
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].name, "glBindTexture");
    EXPECT_EQ(calls[0].args, (std::vector<double>{GL_TEXTURE_2D, 0}));
    EXPECT_EQ(calls[1].name, "glCallList");
}

TEST_F(ListsTest, NormalModeTakesEffectAtTheNextBuild)
{
    LoadSquare(false);
    obj_->BuildLists();
    obj_->SetParam(PARAM_NORMALMODE, NORMALS_VERTEX);
    obj_->SetParam(2, 0);                                               // ignored
    EXPECT_EQ(glrec::Only({"glDeleteLists", "glNewList"}).size(), 1u);  // the existing list is untouched
    glrec::Reset();
    obj_->BuildLists();
    EXPECT_EQ(CompiledNames(), "[NVNVNVNVNVNV]");
}

TEST_F(ListsTest, UnloadDeletesListsThenTextures)
{
    LoadSquare(false, true);
    obj_->BuildLists();
    ASSERT_EQ(glrec::LiveLists().size(), 1u);
    obj_->Unload();
    EXPECT_TRUE(glrec::LiveLists().empty());
    auto calls = glrec::Only({"glDeleteLists", "glDeleteTextures"});
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].name, "glDeleteLists");
    EXPECT_EQ(calls[1].name, "glDeleteTextures");
    EXPECT_EQ(calls[1].args[0], 1);
    EXPECT_EQ(obj_->GetMeshCount(), 0);
}

TEST_F(ListsTest, DestroyingTheObjectReleasesItsGlObjects)
{
    LoadSquare(false, true);
    glrec::Reset();
    obj_->BuildLists();
    delete obj_;
    obj_ = nullptr;
    EXPECT_TRUE(glrec::LiveLists().empty());
    EXPECT_EQ(glrec::Only({"glDeleteTextures"}).size(), 1u);
}

// The program binds the factory by its mangled name and reaches the object
// only through the virtual table.
TEST(EngineLibrary, FactoryIsBoundByItsMangledName)
{
    void* lib = dlopen(PLM_ENGINE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(lib, nullptr) << dlerror();
    using Factory = COBJECT3D* (*)();
    auto create = reinterpret_cast<Factory>(dlsym(lib, "_Z14CreateObject3dv"));
    ASSERT_NE(create, nullptr);
    COBJECT3D* obj = create();
    ASSERT_NE(obj, nullptr);
    EXPECT_EQ(obj->GetMeshCount(), 0);
    // Internal symbols stay hidden.
    EXPECT_EQ(dlsym(lib, "_ZN13COBJECT3DIMPL4DrawEv"), nullptr);
    delete obj;
    dlclose(lib);
}
