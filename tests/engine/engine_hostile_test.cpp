// Malformed and hostile model files: every one loads without crashing,
// hanging or touching memory out of bounds (run under ASan and UBSan), and
// what the engine hands out stays safe to draw.
#include <sys/stat.h>

#include <random>

#include "recording_fixture.h"

using namespace enginetest;

namespace {

// What every loaded object must satisfy, whatever the file held.
void ExpectSound(COBJECT3D* obj)
{
    for (int i = 0; i < obj->GetMeshCount(); ++i) {
        MeshView m = Mesh(obj, static_cast<unsigned short>(i));
        ASSERT_EQ(m.vertices == nullptr, m.vertexCount == 0);
        ASSERT_EQ(m.faces == nullptr, m.faceCount == 0);
        bool mapped = m.vertexCount && m.vertices[0].texCoord;
        for (int v = 0; v < m.vertexCount; ++v) {
            ASSERT_NE(m.vertices[v].position, nullptr);
            ASSERT_NE(m.vertices[v].normal, nullptr);
            ASSERT_EQ(m.vertices[v].texCoord != nullptr, mapped);
        }
        for (int f = 0; f < m.faceCount; ++f) {
            ASSERT_LT(m.faces[f].a, m.vertexCount);
            ASSERT_LT(m.faces[f].b, m.vertexCount);
            ASSERT_LT(m.faces[f].c, m.vertexCount);
            ASSERT_NE(m.faces[f].normal, nullptr);
        }
    }
    for (unsigned char mode : {0, 1, 2}) {
        obj->SetParam(PARAM_NORMALMODE, mode);
        obj->BuildLists();
        obj->Draw();
    }
}

// Mesh chunks with `declared` in their count and `present` entries.
void Points(tds::ChunkWriter& w, uint16_t declared, int present)
{
    w.Begin(tds::kPointArray);
    w.U16(declared);
    for (int i = 0; i < present; ++i) {
        w.F32(float(i));
        w.F32(float(i % 2));
        w.F32(1.0f);
    }
    w.End();
}

void Faces(tds::ChunkWriter& w, uint16_t declared, const std::vector<std::array<uint16_t, 3>>& faces)
{
    w.Begin(tds::kFaceArray);
    w.U16(declared);
    for (const auto& f : faces) {
        w.U16(f[0]);
        w.U16(f[1]);
        w.U16(f[2]);
        w.U16(0);
    }
    w.End();
}

void TexVerts(tds::ChunkWriter& w, uint16_t declared, int present)
{
    w.Begin(tds::kTexVerts);
    w.U16(declared);
    for (int i = 0; i < present; ++i) {
        w.F32(0.5f + i);
        w.F32(0.25f);
    }
    w.End();
}

class HostileTest : public RecordingTest {
protected:
    int LoadBody(tds::ChunkWriter& body) { return LoadBytes(InMdata(body.Take())); }
};

tds::Model RichModel()
{
    tds::Model m;
    tds::Material mat = NamedMaterial("M", tds::TextureMap{"m.png", 2.0f, 3.0f, 0.5f, 0.25f, 10.0f});
    mat.bump = tds::TextureMap{"b.png"};
    m.materials = {mat, tds::Material{}};
    tds::Object a = TriangleObject("A");
    a.mesh.vertices.push_back({1, 1, 1});
    a.mesh.faces.push_back({1, 3, 2});
    a.mesh.mapping = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
    a.mesh.groups = {{"M", {0, 1}}};
    tds::Object cam;
    cam.kind = tds::Object::kCamera;
    cam.name = "C";
    m.objects = {a, cam, TriangleObject("B")};
    m.keyframes = true;
    return m;
}

}  // namespace

// --- Chunk framing ----------------------------------------------------------------

TEST_F(HostileTest, ChunkShorterThanItsHeaderEndsTheWalk)
{
    tds::ChunkWriter w;
    Object(w, "A", [](tds::ChunkWriter& c) { Points(c, 3, 3); });
    w.Header(0x1234, 5);  // would not move forward
    Object(w, "B", [](tds::ChunkWriter& c) { Points(c, 3, 3); });
    ASSERT_EQ(LoadBody(w), 1);
    ASSERT_EQ(obj_->GetMeshCount(), 1);
    EXPECT_EQ(Mesh(0).vertexCount, 3);
    ExpectSound(obj_);
}

TEST_F(HostileTest, ChildRunningPastItsParentEndsTheWalk)
{
    tds::ChunkWriter w;
    w.Begin(tds::kNamedObject);
    w.String("A");
    w.Header(tds::kPointArray, 1000);  // parent ends long before
    w.U16(1);
    w.End();
    Object(w, "B", [](tds::ChunkWriter& c) { Points(c, 3, 3); });
    ASSERT_EQ(LoadBody(w), 1);
    ASSERT_EQ(obj_->GetMeshCount(), 1);  // A was read; the walk ended inside it
    EXPECT_EQ(Mesh(0).vertexCount, 0);
    ExpectSound(obj_);
}

TEST_F(HostileTest, ChunkRunningPastTheFileEndsTheWalk)
{
    tds::ChunkWriter w;
    w.Header(tds::kM3dMagic, 6);
    w.Header(tds::kNamedObject, 0xFFFFFFFFu);
    w.String("A");
    ASSERT_EQ(LoadBytes(w.Take()), 1);
    EXPECT_EQ(obj_->GetMeshCount(), 0);
}

TEST_F(HostileTest, EveryTruncationOfAFileLoadsSafely)
{
    std::vector<uint8_t> whole = tds::Write(RichModel());
    ASSERT_FALSE(whole.empty());
    for (size_t n = 0; n <= whole.size(); ++n) {
        obj_->Unload();
        ASSERT_EQ(LoadBytes(std::vector<uint8_t>(whole.begin(), whole.begin() + n)), 1);
        ExpectSound(obj_);
        if (HasFatalFailure()) FAIL() << "truncated at " << n;
    }
    EXPECT_EQ(obj_->GetMeshCount(), 3);
}

TEST_F(HostileTest, EmptyFileLoadsAsNothing)
{
    ASSERT_EQ(LoadBytes({}), 1);
    EXPECT_EQ(obj_->GetMeshCount(), 0);
}

TEST_F(HostileTest, DeepNestingIsFine)
{
    tds::ChunkWriter w;
    for (int i = 0; i < 20000; ++i) w.Begin(tds::kMdata);
    Object(w, "A", [](tds::ChunkWriter& c) { Points(c, 3, 3); });
    for (int i = 0; i < 20000; ++i) w.End();
    ASSERT_EQ(LoadBody(w), 1);
    EXPECT_EQ(obj_->GetMeshCount(), 1);
}

// --- Counts larger than the chunk -------------------------------------------------------

TEST_F(HostileTest, VertexCountLargerThanTheChunkKeepsWhatIsThere)
{
    tds::ChunkWriter w;
    Object(w, "A", [](tds::ChunkWriter& c) {
        Points(c, 60000, 2);
        Faces(c, 1, {{0, 1, 1}});
    });
    ASSERT_EQ(LoadBody(w), 1);
    EXPECT_EQ(Mesh(0).vertexCount, 2);
    EXPECT_EQ(Mesh(0).faceCount, 1);  // the next chunk is still read
    ExpectSound(obj_);
}

TEST_F(HostileTest, FaceCountLargerThanTheChunkKeepsWhatIsThere)
{
    tds::ChunkWriter w;
    Object(w, "A", [](tds::ChunkWriter& c) {
        Points(c, 3, 3);
        Faces(c, 500, {{0, 1, 2}, {2, 1, 0}});
        TexVerts(c, 3, 3);
    });
    ASSERT_EQ(LoadBody(w), 1);
    EXPECT_EQ(Mesh(0).faceCount, 2);
    EXPECT_NE(Mesh(0).vertices[0].texCoord, nullptr);
    ExpectSound(obj_);
}

TEST_F(HostileTest, GroupCountLargerThanTheChunkStillNamesTheMaterial)
{
    tds::ChunkWriter w;
    MaterialChunk(w, "M", "m.png");
    Object(w, "A", [](tds::ChunkWriter& c) {
        Points(c, 3, 3);
        FaceInGroup(c, 0, "M", {40000, 0});
    });
    Object(w, "B", [](tds::ChunkWriter& c) { Points(c, 2, 2); });
    ASSERT_EQ(LoadBody(w), 1);
    ASSERT_EQ(obj_->GetMeshCount(), 2);
    EXPECT_NE(Mesh(1).texture, 0u);
    EXPECT_EQ(Mesh(0).vertexCount, 2);
    ExpectSound(obj_);
}

TEST_F(HostileTest, FewerMappingCoordinatesThanVertices)
{
    tds::ChunkWriter w;
    Object(w, "A", [](tds::ChunkWriter& c) {
        Points(c, 3, 3);
        TexVerts(c, 1, 1);
        Faces(c, 1, {{0, 1, 2}});
    });
    ASSERT_EQ(LoadBody(w), 1);
    MeshView m = Mesh(0);
    EXPECT_EQ(m.vertices[0].texCoord[0], 0.5f);
    EXPECT_EQ(m.vertices[0].texCoord[1], 0.25f);
    for (int v : {1, 2}) {
        EXPECT_EQ(m.vertices[v].texCoord[0], 0.0f);
        EXPECT_EQ(m.vertices[v].texCoord[1], 0.0f);
    }
    EXPECT_EQ(m.faceCount, 1);
    ExpectSound(obj_);
}

TEST_F(HostileTest, MoreMappingCoordinatesThanVertices)
{
    tds::ChunkWriter w;
    Object(w, "A", [](tds::ChunkWriter& c) {
        Points(c, 3, 3);
        TexVerts(c, 5, 5);
        Faces(c, 1, {{0, 1, 2}});
    });
    ASSERT_EQ(LoadBody(w), 1);
    EXPECT_EQ(Mesh(0).vertices[2].texCoord[0], 2.5f);
    EXPECT_EQ(Mesh(0).faceCount, 1);
    ExpectSound(obj_);
}

TEST_F(HostileTest, MappingCountLargerThanTheChunk)
{
    tds::ChunkWriter w;
    Object(w, "A", [](tds::ChunkWriter& c) {
        Points(c, 3, 3);
        TexVerts(c, 3000, 2);
    });
    ASSERT_EQ(LoadBody(w), 1);
    EXPECT_EQ(Mesh(0).vertices[1].texCoord[0], 1.5f);
    EXPECT_EQ(Mesh(0).vertices[2].texCoord[0], 0.0f);
    ExpectSound(obj_);
}

// --- Names ------------------------------------------------------------------------------

TEST_F(HostileTest, LongNamesAreCutAndStillMatch)
{
    const std::string longName(150, 'x');
    tds::ChunkWriter w;
    MaterialChunk(w, longName, std::string(300, 'f'));
    Object(w, longName + "y", [&](tds::ChunkWriter& c) {
        Points(c, 3, 3);
        FaceInGroup(c, 0, longName + "z", {0});  // differs only after the 99th byte
    });
    ASSERT_EQ(LoadBody(w), 1);
    ASSERT_EQ(FakeImages::asked.size(), 1u);
    EXPECT_EQ(FakeImages::asked[0], std::string(99, 'f'));
    EXPECT_EQ(Mesh(0).vertexCount, 3);  // the children after the long name were found
    EXPECT_NE(Mesh(0).texture, 0u);
    ExpectSound(obj_);
}

TEST_F(HostileTest, NameRunningToTheEndOfTheFile)
{
    tds::ChunkWriter w;
    w.Header(tds::kM3dMagic, 6);
    w.Header(tds::kNamedObject, 6 + 40);
    w.Bytes(std::string(40, 'n').data(), 40);  // no terminator
    ASSERT_EQ(LoadBytes(w.Take()), 1);
    EXPECT_EQ(obj_->GetMeshCount(), 1);
    ExpectSound(obj_);
}

// --- Chunks without their record -------------------------------------------------------------

TEST_F(HostileTest, MeshChunksBeforeAnyObjectAreSkipped)
{
    tds::ChunkWriter w;
    Points(w, 3, 3);
    Faces(w, 1, {{0, 1, 2}});
    TexVerts(w, 3, 3);
    w.Begin(tds::kMshMatGroup);
    w.String("M");
    w.U16(0);
    w.End();
    Object(w, "A", [](tds::ChunkWriter& c) { Points(c, 2, 2); });
    ASSERT_EQ(LoadBody(w), 1);
    ASSERT_EQ(obj_->GetMeshCount(), 1);
    EXPECT_EQ(Mesh(0).vertexCount, 2);
    EXPECT_EQ(Mesh(0).faceCount, 0);
}

TEST_F(HostileTest, MaterialChunksBeforeTheirRecordAreSkipped)
{
    tds::ChunkWriter w;
    w.Begin(tds::kMatName);  // before any MAT_ENTRY
    w.String("M");
    w.End();
    w.Begin(tds::kMatTexmap);  // before any MAT_ENTRY
    w.Begin(tds::kMatMapname);
    w.String("early.png");
    w.End();
    w.End();
    w.Begin(tds::kMatEntry);
    w.Begin(tds::kMatName);
    w.String("M");
    w.End();
    w.Begin(tds::kMatMapname);  // before this material's MAT_TEXMAP
    w.String("stray.png");
    w.End();
    w.Begin(tds::kMatMapUScale);
    w.F32(9.0f);
    w.End();
    w.End();
    ASSERT_EQ(LoadBody(w), 1);
    EXPECT_TRUE(FakeImages::asked.empty());
}

TEST_F(HostileTest, MappingCoordinatesBeforeThePointsAreSkipped)
{
    tds::ChunkWriter w;
    Object(w, "A", [](tds::ChunkWriter& c) {
        TexVerts(c, 3, 3);
        Points(c, 3, 3);
        Faces(c, 1, {{0, 1, 2}});
    });
    ASSERT_EQ(LoadBody(w), 1);
    EXPECT_EQ(Mesh(0).vertices[0].texCoord, nullptr);
    ExpectSound(obj_);
}

TEST_F(HostileTest, SecondPointArrayReplacesTheFirstAndItsMapping)
{
    tds::ChunkWriter w;
    Object(w, "A", [](tds::ChunkWriter& c) {
        Points(c, 5, 5);
        TexVerts(c, 5, 5);
        Faces(c, 2, {{0, 1, 2}, {2, 3, 4}});
        Points(c, 3, 3);
    });
    ASSERT_EQ(LoadBody(w), 1);
    EXPECT_EQ(Mesh(0).vertexCount, 3);
    EXPECT_EQ(Mesh(0).faceCount, 1);  // the face naming vertices 3 and 4 is dropped
    EXPECT_EQ(Mesh(0).vertices[0].texCoord, nullptr);
    ExpectSound(obj_);
}

// --- Faces -------------------------------------------------------------------------------

TEST_F(HostileTest, FacesNamingMissingVerticesAreDropped)
{
    tds::ChunkWriter w;
    Object(w, "A", [](tds::ChunkWriter& c) {
        Points(c, 3, 3);
        Faces(c, 4, {{0, 1, 5}, {0, 1, 2}, {65535, 0, 1}, {2, 2, 3}});
    });
    Object(w, "NoPoints", [](tds::ChunkWriter& c) { Faces(c, 1, {{0, 0, 0}}); });
    ASSERT_EQ(LoadBody(w), 1);
    EXPECT_EQ(Mesh(0).faceCount, 0);
    ASSERT_EQ(Mesh(1).faceCount, 1);
    EXPECT_EQ(Mesh(1).faces[0].c, 2);
    ExpectSound(obj_);
}

// --- Files that are not files ---------------------------------------------------------------

TEST_F(HostileTest, DirectoriesAndDevicesAreNotOpened)
{
    EXPECT_EQ(obj_->Load(dir_.c_str(), nullptr, FORMAT_3DS), 0);
    EXPECT_EQ(obj_->Load("/dev/zero", nullptr, FORMAT_3DS), 0);  // would never end
    std::string fifo = Path("fifo");
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    EXPECT_EQ(obj_->Load(fifo.c_str(), nullptr, FORMAT_3DS), 0);  // would block
    EXPECT_EQ(obj_->Load(nullptr, nullptr, FORMAT_3DS), 0);
    EXPECT_EQ(obj_->GetMeshCount(), 0);
}

// --- Random damage -------------------------------------------------------------------------

TEST_F(HostileTest, RandomlyDamagedFilesLoadSafely)
{
    const std::vector<uint8_t> whole = tds::Write(RichModel());
    std::mt19937 rng(42);
    for (int round = 0; round < 1500; ++round) {
        std::vector<uint8_t> bytes = whole;
        int edits = 1 + int(rng() % 6);
        for (int e = 0; e < edits; ++e) {
            size_t at = rng() % bytes.size();
            switch (rng() % 4) {
                case 0:
                    bytes[at] = static_cast<uint8_t>(rng());
                    break;
                case 1:
                    bytes[at] ^= static_cast<uint8_t>(1u << (rng() % 8));
                    break;
                case 2:
                    bytes.erase(bytes.begin() + at,
                                bytes.begin() + std::min(bytes.size(), at + 1 + rng() % 8));
                    break;
                default:
                    bytes.insert(bytes.begin() + at, static_cast<uint8_t>(rng()));
                    break;
            }
            if (bytes.empty()) bytes.push_back(0x4D);
        }
        obj_->Unload();
        glrec::Reset();
        ASSERT_EQ(LoadBytes(bytes), 1);
        ExpectSound(obj_);
        if (HasFatalFailure()) FAIL() << "round " << round;
    }
}
