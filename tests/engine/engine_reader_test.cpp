// Reading 3D Studio files: the chunk walk, record order, materials and maps,
// skipped chunks and the axis turn, seen through the engine's interface.
#include <GL/gl.h>

#include "recording_fixture.h"

using namespace enginetest;

namespace {

// Texture created for the n-th material that got one (creation order).
unsigned CreatedTexture(size_t n)
{
    auto binds = glrec::Only({"glBindTexture"});
    return n < binds.size() ? static_cast<unsigned>(binds[n].args[1]) : 0;
}

using ReaderTest = RecordingTest;

}  // namespace

// --- Opening and format -----------------------------------------------------

TEST_F(ReaderTest, MissingFileReturnsZeroAndChangesNothing)
{
    ASSERT_EQ(Load(TriangleModel()), 1);
    EXPECT_EQ(obj_->Load(Path("absent.3ds").c_str(), nullptr, FORMAT_3DS), 0);
    EXPECT_EQ(obj_->GetMeshCount(), 1);
}

TEST_F(ReaderTest, OtherFormatCodesReadNothing)
{
    tds::Model m = TriangleModel();
    std::string path = Save(m);
    for (unsigned char format : {0, 2, 255}) {
        EXPECT_EQ(obj_->Load(path.c_str(), nullptr, format), 1);
        EXPECT_EQ(obj_->GetMeshCount(), 0);
    }
}

TEST_F(ReaderTest, SignatureOnlyGivesNoMeshes)
{
    tds::ChunkWriter w;
    w.Begin(tds::kM3dMagic);
    w.End();
    EXPECT_EQ(LoadBytes(w.Take()), 1);
    EXPECT_EQ(obj_->GetMeshCount(), 0);
    EXPECT_TRUE(FakeImages::asked.empty());
}

TEST_F(ReaderTest, FileWithoutSignatureAddsNothing)
{
    ASSERT_EQ(Load(TriangleModel()), 1);
    EXPECT_EQ(LoadBytes({0x4D, 0x4C, 6, 0, 0, 0}), 1);
    EXPECT_EQ(obj_->GetMeshCount(), 1);
}

// --- Record order -------------------------------------------------------------

TEST_F(ReaderTest, NewestObjectComesFirst)
{
    tds::Model m;
    for (int n = 3; n <= 5; ++n) {
        tds::Object o = TriangleObject("O" + std::to_string(n));
        o.mesh.vertices.resize(n);
        m.objects.push_back(o);
    }
    ASSERT_EQ(Load(m), 1);
    ASSERT_EQ(obj_->GetMeshCount(), 3);
    EXPECT_EQ(Mesh(0).vertexCount, 5);  // the file's third object
    EXPECT_EQ(Mesh(1).vertexCount, 4);
    EXPECT_EQ(Mesh(2).vertexCount, 3);  // the file's first object
}

TEST_F(ReaderTest, GetMeshDataWritesEveryGivenPointer)
{
    ASSERT_EQ(Load(TriangleModel()), 1);
    unsigned short faces = 0;
    CVERTEX* vertices = nullptr;
    obj_->GetMeshData(0, nullptr, &faces, &vertices, nullptr, nullptr);
    EXPECT_EQ(faces, 1);
    EXPECT_NE(vertices, nullptr);
    unsigned short count = 9;
    unsigned texture = 9;
    obj_->GetMeshData(0, &count, nullptr, nullptr, nullptr, &texture);
    EXPECT_EQ(count, 3);
    EXPECT_EQ(texture, 0u);
}

TEST_F(ReaderTest, IndexPastTheLastMeshWritesZeros)
{
    ASSERT_EQ(Load(TriangleModel()), 1);
    MeshView v{7, 7, reinterpret_cast<CVERTEX*>(8), reinterpret_cast<CFACE*>(8), 7};
    obj_->GetMeshData(1, &v.vertexCount, &v.faceCount, &v.vertices, &v.faces, &v.texture);
    EXPECT_EQ(v.vertexCount, 0);
    EXPECT_EQ(v.faceCount, 0);
    EXPECT_EQ(v.vertices, nullptr);
    EXPECT_EQ(v.faces, nullptr);
    EXPECT_EQ(v.texture, 0u);
}

TEST_F(ReaderTest, UnloadThenLoadHoldsOnlyTheSecondFile)
{
    tds::Model first;
    first.objects = {TriangleObject("A"), TriangleObject("B")};
    first.materials = {NamedMaterial("M", tds::TextureMap{"m.png"})};
    ASSERT_EQ(Load(first), 1);
    obj_->Unload();
    EXPECT_EQ(obj_->GetMeshCount(), 0);
    tds::Model second;
    second.objects = {TriangleObject("C")};
    second.objects[0].mesh.vertices.resize(4);
    ASSERT_EQ(obj_->Load(Save(second, "second.3ds").c_str(), &FakeImages::Loader, FORMAT_3DS), 1);
    ASSERT_EQ(obj_->GetMeshCount(), 1);
    EXPECT_EQ(Mesh(0).vertexCount, 4);
}

// A second Load without Unload adds the file's records; what was prepared
// before is not prepared again.
TEST_F(ReaderTest, SecondLoadAddsRecordsAndPreparesOnce)
{
    tds::Material mat = NamedMaterial("M", tds::TextureMap{"m.png"});
    mat.texture->uScale = 2.0f;
    tds::Model m = MappedTriangle(mat, {{0.5f, 0.5f}, {1, 1}, {0, 0}}, "A");
    ASSERT_EQ(Load(m), 1);
    ASSERT_EQ(Load(m), 1);
    ASSERT_EQ(obj_->GetMeshCount(), 2);
    EXPECT_EQ(FakeImages::asked.size(), 2u);  // one texture per material
    EXPECT_EQ(glrec::Only({"glGenTextures"}).size(), 2u);
    for (unsigned short i = 0; i < 2; ++i) EXPECT_FLOAT_EQ(Mesh(i).vertices[0].texCoord[0], 1.0f);
}

// --- Materials and maps ---------------------------------------------------------

TEST_F(ReaderTest, LastMaterialGroupNamesTheWholeMesh)
{
    tds::Model m;
    m.materials = {NamedMaterial("A", tds::TextureMap{"a.png"}),
                   NamedMaterial("B", tds::TextureMap{"b.png"})};
    tds::Object o = TriangleObject("T");
    o.mesh.vertices.push_back({1, 1, 0});
    o.mesh.faces.push_back({1, 3, 2});
    o.mesh.groups = {{"A", {0}}, {"B", {1}}};
    m.objects = {o};
    ASSERT_EQ(Load(m), 1);
    // Materials are prepared newest first: B's texture is made first.
    EXPECT_EQ(FakeImages::asked, (std::vector<std::string>{"b.png", "a.png"}));
    EXPECT_NE(Mesh(0).texture, 0u);
    EXPECT_EQ(Mesh(0).texture, CreatedTexture(0));
}

TEST_F(ReaderTest, TextureMapWithoutFileNameNeverReachesTheLoader)
{
    tds::Material mat = NamedMaterial("M", tds::TextureMap{});
    mat.texture->uScale = 2.0f;
    ASSERT_EQ(Load(MappedTriangle(mat, {{0.5f, 0.5f}, {1, 0}, {0, 1}})), 1);
    EXPECT_TRUE(FakeImages::asked.empty());
    EXPECT_EQ(Mesh(0).texture, 0u);
    // The map still scales the coordinates.
    EXPECT_FLOAT_EQ(Mesh(0).vertices[0].texCoord[0], 1.0f);
}

TEST_F(ReaderTest, TextureMapWithoutScalesKeepsCoordinates)
{
    tds::Material mat = NamedMaterial("M", tds::TextureMap{"m.png"});
    ASSERT_EQ(Load(MappedTriangle(mat, {{0.25f, 0.75f}, {1, 0}, {0, 1}})), 1);
    EXPECT_EQ(FakeImages::asked, std::vector<std::string>{"m.png"});
    EXPECT_FLOAT_EQ(Mesh(0).vertices[0].texCoord[0], 0.25f);
    EXPECT_FLOAT_EQ(Mesh(0).vertices[0].texCoord[1], 0.75f);
}

TEST_F(ReaderTest, BumpMapAloneGivesNoTextureMap)
{
    tds::Material mat = NamedMaterial("M");
    mat.bump = tds::TextureMap{"bump.png"};
    mat.bump->uScale = 4.0f;
    ASSERT_EQ(Load(MappedTriangle(mat, {{0.5f, 0.5f}, {1, 0}, {0, 1}})), 1);
    EXPECT_TRUE(FakeImages::asked.empty());
    EXPECT_FLOAT_EQ(Mesh(0).vertices[0].texCoord[0], 0.5f);
}

TEST_F(ReaderTest, MapParametersOfTheTextureMapAreRead)
{
    tds::Material mat = NamedMaterial("M", tds::TextureMap{"m.png"});
    mat.texture->uScale = 3.0f;
    mat.texture->vScale = 5.0f;
    mat.texture->uOffset = 0.5f;
    mat.texture->vOffset = -1.0f;
    mat.texture->angle = 45.0f;
    mat.bump = tds::TextureMap{"bump.png"};
    mat.bump->uScale = 100.0f;  // belongs to the skipped bump map
    ASSERT_EQ(Load(MappedTriangle(mat, {{1, 1}, {1, 0}, {0, 1}})), 1);
    EXPECT_FLOAT_EQ(Mesh(0).vertices[0].texCoord[0], 3.5f);
    EXPECT_FLOAT_EQ(Mesh(0).vertices[0].texCoord[1], 4.0f);
}

// --- Objects that are not meshes, skipped sections --------------------------------

TEST_F(ReaderTest, CameraAndLightObjectsGiveEmptyMeshes)
{
    tds::Model m;
    tds::Object cam;
    cam.kind = tds::Object::kCamera;
    cam.name = "Camera01";
    cam.camera.position = {1, 2, 3};
    tds::Object light;
    light.kind = tds::Object::kLight;
    light.name = "Light01";
    m.objects = {TriangleObject("A"), cam, light};
    ASSERT_EQ(Load(m), 1);
    ASSERT_EQ(obj_->GetMeshCount(), 3);
    for (unsigned short i : {0, 1}) {
        EXPECT_EQ(Mesh(i).vertexCount, 0);
        EXPECT_EQ(Mesh(i).faceCount, 0);
    }
    EXPECT_EQ(Mesh(2).vertexCount, 3);
}

TEST_F(ReaderTest, FileEndingInAMaterialGroupIsReadWhole)
{
    tds::ChunkWriter w;
    MaterialChunk(w, "M", "m.png");
    Object(w, "T", [](tds::ChunkWriter& c) {
        c.Begin(tds::kPointArray);
        c.U16(3);
        for (float f : {0.f, 0.f, 0.f, 1.f, 0.f, 0.f, 0.f, 1.f, 0.f}) c.F32(f);
        c.End();
        FaceInGroup(c, 7, "M", {1, 0});
    });
    ASSERT_EQ(LoadBytes(InMdata(w.Take())), 1);
    ASSERT_EQ(obj_->GetMeshCount(), 1);
    EXPECT_EQ(Mesh(0).faceCount, 1);
    EXPECT_EQ(Mesh(0).faces[0].flags, 7);
    EXPECT_NE(Mesh(0).texture, 0u);
}

TEST_F(ReaderTest, KeyframeSectionIsSkippedWithItsChildren)
{
    tds::Model m = TriangleModel();
    m.keyframes = true;
    std::vector<uint8_t> bytes = tds::Write(m);
    // A keyframe section whose children look like a named object with points:
    // a walk that entered it would make a second mesh.
    tds::ChunkWriter kf;
    kf.Begin(tds::kKfdata);
    kf.Begin(tds::kNamedObject);
    kf.String("ghost");
    kf.Begin(tds::kPointArray);
    kf.U16(1);
    kf.F32(0);
    kf.F32(0);
    kf.F32(0);
    kf.End();
    kf.End();
    kf.End();
    std::vector<uint8_t> extra = kf.Take();
    bytes.insert(bytes.end(), extra.begin(), extra.end());
    ASSERT_EQ(LoadBytes(bytes), 1);
    ASSERT_EQ(obj_->GetMeshCount(), 1);
    EXPECT_EQ(Mesh(0).vertexCount, 3);
}

// --- Axes, winding and face data ------------------------------------------------------

TEST_F(ReaderTest, PointsTurnFromZUpToYUp)
{
    tds::Model m;
    m.objects = {TriangleObject("A", {{1, 2, 3}, {-4, 5, -6}, {0, 0, 1}})};
    ASSERT_EQ(Load(m), 1);
    const float* p = Mesh(0).vertices[0].position;
    EXPECT_EQ(p[0], 1.0f);
    EXPECT_EQ(p[1], 3.0f);
    EXPECT_EQ(p[2], -2.0f);
    p = Mesh(0).vertices[1].position;
    EXPECT_EQ(p[0], -4.0f);
    EXPECT_EQ(p[1], -6.0f);
    EXPECT_EQ(p[2], -5.0f);
}

TEST_F(ReaderTest, WindingIsKeptSoFileUpFacesEngineUp)
{
    tds::Model m;
    tds::Object o = TriangleObject("A");
    o.mesh.faces = {{0, 1, 2, 0x1234}};
    m.objects = {o};
    ASSERT_EQ(Load(m), 1);
    const CFACE& f = Mesh(0).faces[0];
    EXPECT_EQ(f.a, 0);
    EXPECT_EQ(f.b, 1);
    EXPECT_EQ(f.c, 2);
    EXPECT_EQ(f.flags, 0x1234);
    // Counter-clockwise seen from the file's +z, which is the engine's +y.
    EXPECT_EQ(f.normal[0], 0.0f);
    EXPECT_EQ(f.normal[1], 1.0f);
    EXPECT_EQ(f.normal[2], 0.0f);
}

TEST_F(ReaderTest, MappingCoordinatesOnlyWhenTheFileHasThem)
{
    tds::Model m;
    tds::Object with = TriangleObject("W");
    with.mesh.mapping = {{0.1f, 0.2f}, {0.3f, 0.4f}, {0.5f, 0.6f}};
    m.objects = {with, TriangleObject("N")};
    ASSERT_EQ(Load(m), 1);
    EXPECT_EQ(Mesh(0).vertices[0].texCoord, nullptr);
    ASSERT_NE(Mesh(1).vertices[2].texCoord, nullptr);
    EXPECT_FLOAT_EQ(Mesh(1).vertices[2].texCoord[0], 0.5f);
    EXPECT_FLOAT_EQ(Mesh(1).vertices[2].texCoord[1], 0.6f);
}
