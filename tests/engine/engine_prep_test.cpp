// Mesh preparation: material binding, textures through the caller's loader,
// mapping-coordinate transform and face and vertex normals.
#include <GL/gl.h>

#include <cstring>
#include <random>

#include "recording_fixture.h"

using namespace enginetest;

namespace {

using PrepTest = RecordingTest;

// A model of one mesh given in the engine's own axes.
tds::Model EngineMesh(const std::vector<std::array<float, 3>>& points, const std::vector<tds::Face>& faces)
{
    tds::Object o;
    o.name = "M";
    for (const auto& p : points) o.mesh.vertices.push_back(tds::FromEngineAxes(p[0], p[1], p[2]));
    o.mesh.faces = faces;
    tds::Model m;
    m.objects = {o};
    return m;
}

void ExpectVec(const float* v, float x, float y, float z)
{
    ASSERT_NE(v, nullptr);
    EXPECT_EQ(v[0], x);
    EXPECT_EQ(v[1], y);
    EXPECT_EQ(v[2], z);
}

tds::Model MappedModel(tds::Material mat, const std::string& group, tds::UV uv)
{
    tds::Model m;
    m.materials = {std::move(mat)};
    tds::Object o = TriangleObject("T");
    o.mesh.mapping = {uv, {0, 0}, {1, 1}};
    o.mesh.groups = {{group, {0}}};
    m.objects = {o};
    return m;
}

}  // namespace

// --- Normals -------------------------------------------------------------------

TEST_F(PrepTest, TriangleGetsFaceAndVertexNormalZ)
{
    ASSERT_EQ(Load(EngineMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}}, {{0, 1, 2}})), 1);
    MeshView v = Mesh(0);
    ExpectVec(v.faces[0].normal, 0, 0, 1);
    for (int i = 0; i < 3; ++i) ExpectVec(v.vertices[i].normal, 0, 0, 1);
}

TEST_F(PrepTest, VertexOfTwoFacesGetsTheNormalisedSum)
{
    // Face 0 has normal (1,0,0), face 1 has (0,1,0); vertices 0 and 2 are shared.
    ASSERT_EQ(Load(EngineMesh({{0, 0, 0}, {0, 1, 0}, {0, 0, 1}, {1, 0, 0}}, {{0, 1, 2}, {0, 2, 3}})), 1);
    MeshView v = Mesh(0);
    ExpectVec(v.faces[0].normal, 1, 0, 0);
    ExpectVec(v.faces[1].normal, 0, 1, 0);
    ExpectVec(v.vertices[0].normal, 0.70710677f, 0.70710677f, 0);
    ExpectVec(v.vertices[2].normal, 0.70710677f, 0.70710677f, 0);
    ExpectVec(v.vertices[1].normal, 1, 0, 0);
    ExpectVec(v.vertices[3].normal, 0, 1, 0);
}

TEST_F(PrepTest, CollinearFaceGetsZeroNormalAndAddsNothing)
{
    ASSERT_EQ(Load(EngineMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {2, 0, 0}}, {{0, 1, 2}, {0, 1, 3}})), 1);
    MeshView v = Mesh(0);
    ExpectVec(v.faces[1].normal, 0, 0, 0);
    ExpectVec(v.vertices[0].normal, 0, 0, 1);
    ExpectVec(v.vertices[3].normal, 0, 0, 0);
}

TEST_F(PrepTest, UnusedVertexGetsTheZeroVector)
{
    ASSERT_EQ(Load(EngineMesh({{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {5, 5, 5}}, {{0, 1, 2}})), 1);
    ExpectVec(Mesh(0).vertices[3].normal, 0, 0, 0);
}

// The engine's normals are bit-identical to the plain method: for every
// vertex, scan the whole face array and add each face that uses it once.
TEST_F(PrepTest, VertexNormalsMatchAScanOfTheWholeFaceArray)
{
    std::mt19937 rng(1234);
    std::uniform_real_distribution<float> coord(-10.0f, 10.0f);
    const int vertexCount = 300, faceCount = 2000;
    std::vector<std::array<float, 3>> points(vertexCount);
    for (auto& p : points) p = {coord(rng), coord(rng), coord(rng)};
    std::uniform_int_distribution<int> pick(0, vertexCount - 1);
    std::vector<tds::Face> faces(faceCount);
    for (auto& f : faces) {
        f.a = pick(rng);
        f.b = pick(rng);
        f.c = (rng() % 10 == 0) ? f.a : pick(rng);  // some faces name a vertex twice
    }
    ASSERT_EQ(Load(EngineMesh(points, faces)), 1);
    MeshView v = Mesh(0);
    ASSERT_EQ(v.faceCount, faceCount);

    auto faceNormal = [&](int i) {
        const float* p0 = v.vertices[v.faces[i].a].position;
        const float* p1 = v.vertices[v.faces[i].b].position;
        const float* p2 = v.vertices[v.faces[i].c].position;
        float ux = p1[0] - p0[0], uy = p1[1] - p0[1], uz = p1[2] - p0[2];
        float vx = p2[0] - p0[0], vy = p2[1] - p0[1], vz = p2[2] - p0[2];
        std::array<float, 3> n = {uy * vz - uz * vy, uz * vx - ux * vz, ux * vy - uy * vx};
        float len = std::sqrt(n[0] * n[0] + n[1] * n[1] + n[2] * n[2]);
        if (len != 0.0f)
            for (float& c : n) c /= len;
        return n;
    };
    for (int i = 0; i < faceCount; ++i) {
        auto n = faceNormal(i);
        ASSERT_EQ(std::memcmp(n.data(), v.faces[i].normal, sizeof n), 0) << "face " << i;
    }
    for (int k = 0; k < vertexCount; ++k) {
        float s[3] = {0, 0, 0};
        for (int i = 0; i < faceCount; ++i) {
            const CFACE& f = v.faces[i];
            if (f.a == k || f.b == k || f.c == k) {
                auto n = faceNormal(i);
                for (int c = 0; c < 3; ++c) s[c] = s[c] + n[c];
            }
        }
        float len = std::sqrt(s[0] * s[0] + s[1] * s[1] + s[2] * s[2]);
        if (len != 0.0f)
            for (float& c : s) c /= len;
        ASSERT_EQ(std::memcmp(s, v.vertices[k].normal, sizeof s), 0) << "vertex " << k;
    }
}

// Its load time is measured by bench/engine_bench (LoadModel/200/150).
TEST_F(PrepTest, SixtyThousandFacesLoadWhole)
{
    const int cols = 200, rows = 150;  // 2 * 200 * 150 = 60000 triangles
    std::vector<std::array<float, 3>> points;
    for (int r = 0; r <= rows; ++r)
        for (int c = 0; c <= cols; ++c)
            points.push_back({float(c), std::sin(c * 0.1f) * std::cos(r * 0.1f), float(r)});
    std::vector<tds::Face> faces;
    for (int r = 0; r < rows; ++r)
        for (int c = 0; c < cols; ++c) {
            uint16_t i = static_cast<uint16_t>(r * (cols + 1) + c);
            uint16_t down = static_cast<uint16_t>(i + cols + 1);
            faces.push_back({i, down, static_cast<uint16_t>(i + 1)});
            faces.push_back({static_cast<uint16_t>(i + 1), down, static_cast<uint16_t>(down + 1)});
        }
    ASSERT_EQ(Load(EngineMesh(points, faces)), 1);
    EXPECT_EQ(Mesh(0).faceCount, 60000);
}

// --- Materials ------------------------------------------------------------------

TEST_F(PrepTest, UnmatchedMaterialNameLeavesMeshUnbound)
{
    tds::Material mat = NamedMaterial("Steel", tds::TextureMap{"s.png", 2.0f});
    ASSERT_EQ(Load(MappedModel(mat, "steel", {0.5f, 0.5f})), 1);  // case differs
    EXPECT_EQ(Mesh(0).texture, 0u);
    EXPECT_FLOAT_EQ(Mesh(0).vertices[0].texCoord[0], 0.5f);
}

TEST_F(PrepTest, MaterialWithoutNameNeverMatches)
{
    tds::Material nameless;
    nameless.texture = tds::TextureMap{"n.png", 2.0f};
    ASSERT_EQ(Load(MappedModel(nameless, "", {0.5f, 0.5f})), 1);
    EXPECT_EQ(FakeImages::asked, std::vector<std::string>{"n.png"});  // its texture is still made
    EXPECT_EQ(Mesh(0).texture, 0u);
    EXPECT_FLOAT_EQ(Mesh(0).vertices[0].texCoord[0], 0.5f);
}

TEST_F(PrepTest, FirstOfTwoSameNamedMaterialsWins)
{
    tds::Model m = MappedModel(tds::Material{}, "M", {0.5f, 0.5f});
    m.materials[0].name = "M";
    m.materials[0].texture = tds::TextureMap{"first.png"};
    tds::Material second;
    second.name = "M";
    second.texture = tds::TextureMap{"second.png"};
    m.materials.push_back(second);
    ASSERT_EQ(Load(m), 1);
    ASSERT_EQ(FakeImages::asked, (std::vector<std::string>{"second.png", "first.png"}));
    auto binds = glrec::Only({"glBindTexture"});
    ASSERT_EQ(binds.size(), 2u);
    EXPECT_EQ(Mesh(0).texture, static_cast<unsigned>(binds[1].args[1]));
}

TEST_F(PrepTest, TexCoordTransformScalesThenOffsets)
{
    tds::Material mat = NamedMaterial("M", tds::TextureMap{"m.png", 2.0f, 0.5f, 0.25f, 0.0f});
    ASSERT_EQ(Load(MappedModel(mat, "M", {0.5f, 0.5f})), 1);
    const float* t = Mesh(0).vertices[0].texCoord;
    EXPECT_EQ(t[0], 1.25f);
    EXPECT_EQ(t[1], 0.25f);
}

TEST_F(PrepTest, TransformAppliesWithoutATexture)
{
    tds::Material mat = NamedMaterial("M", tds::TextureMap{"m.png", 2.0f, 0.5f, 0.25f, 0.0f});
    FakeImages::givePixels = false;
    ASSERT_EQ(Load(MappedModel(mat, "M", {0.5f, 0.5f})), 1);
    EXPECT_EQ(Mesh(0).texture, 0u);
    EXPECT_EQ(Mesh(0).vertices[0].texCoord[0], 1.25f);
}

TEST_F(PrepTest, MaterialWithoutTextureMapKeepsCoordinates)
{
    tds::Material mat = NamedMaterial("M");
    ASSERT_EQ(Load(MappedModel(mat, "M", {0.5f, 0.5f})), 1);
    EXPECT_EQ(Mesh(0).vertices[0].texCoord[0], 0.5f);
    EXPECT_EQ(Mesh(0).vertices[0].texCoord[1], 0.5f);
}

// --- Textures -------------------------------------------------------------------

TEST_F(PrepTest, TextureIsUploadedAsThreeByteRgbWhateverTheLoaderSays)
{
    tds::Material mat = NamedMaterial("M", tds::TextureMap{"m.png"});
    FakeImages::width = 8;
    FakeImages::height = 4;
    FakeImages::components = 4;
    ASSERT_EQ(Load(MappedModel(mat, "M", {0, 0})), 1);
    auto calls = glrec::Only({"glGenTextures", "glBindTexture", "glTexImage2D", "glTexParameteri"});
    ASSERT_EQ(calls.size(), 5u);
    EXPECT_EQ(calls[0].name, "glGenTextures");
    EXPECT_EQ(calls[1].args, (std::vector<double>{GL_TEXTURE_2D, double(Mesh(0).texture)}));
    EXPECT_EQ(calls[2].args, (std::vector<double>{GL_TEXTURE_2D, 0, 3, 8, 4, 0, GL_RGB, GL_UNSIGNED_BYTE}));
    EXPECT_EQ(calls[2].data, FakeImages::pixels.data());
    EXPECT_EQ(calls[3].args, (std::vector<double>{GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR}));
    EXPECT_EQ(calls[4].args, (std::vector<double>{GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR}));
    EXPECT_NE(Mesh(0).texture, 0u);
}

TEST_F(PrepTest, NullLoaderMakesNoTextures)
{
    tds::Material mat = NamedMaterial("M", tds::TextureMap{"m.png"});
    ASSERT_EQ(Load(MappedModel(mat, "M", {0, 0}), nullptr), 1);
    EXPECT_TRUE(glrec::Only({"glGenTextures", "glTexImage2D"}).empty());
    EXPECT_EQ(Mesh(0).texture, 0u);
}

TEST_F(PrepTest, LoaderWithoutPixelsOrSizeMakesNoTexture)
{
    tds::Material mat = NamedMaterial("M", tds::TextureMap{"m.png"});
    FakeImages::givePixels = false;
    ASSERT_EQ(Load(MappedModel(mat, "M", {0, 0})), 1);
    EXPECT_TRUE(glrec::Only({"glGenTextures"}).empty());
    obj_->Unload();
    FakeImages::Reset();
    FakeImages::width = -3;
    ASSERT_EQ(Load(MappedModel(mat, "M", {0, 0})), 1);
    EXPECT_EQ(FakeImages::asked.size(), 1u);
    EXPECT_TRUE(glrec::Only({"glGenTextures"}).empty());
    EXPECT_EQ(Mesh(0).texture, 0u);
}
