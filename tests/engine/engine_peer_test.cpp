// Comparison with another 3D Studio reader (lib3ds): the real models that
// Debian's assimp-testmodels installs load with the same objects, vertices,
// faces and texture maps, and files from our writer read back in lib3ds as
// they were described.
#include <lib3ds/camera.h>
#include <lib3ds/file.h>
#include <lib3ds/light.h>
#include <lib3ds/material.h>
#include <lib3ds/mesh.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>

#include "recording_fixture.h"

using namespace enginetest;
namespace fs = std::filesystem;

namespace {

const char* kModelDir = "/usr/share/assimp/models/3DS";

struct Lib3dsDeleter {
    void operator()(Lib3dsFile* f) const { lib3ds_file_free(f); }
};
using Peer = std::unique_ptr<Lib3dsFile, Lib3dsDeleter>;

// Every file of the test-model folder that starts with the 3D Studio signature.
std::vector<std::string> RealModels()
{
    std::vector<std::string> out;
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(kModelDir, ec)) {
        std::ifstream in(e.path(), std::ios::binary);
        char sig[2] = {};
        if (in.read(sig, 2) && sig[0] == 0x4D && sig[1] == 0x4D) out.push_back(e.path().string());
    }
    std::sort(out.begin(), out.end());
    return out;
}

class PeerTest : public RecordingTest, public ::testing::WithParamInterface<std::string> {};

// Engine mesh m is the peer's mesh p: same counts, positions turned to the
// engine's axes, same corners, mapping coordinates exactly when p has them.
bool SameMesh(const MeshView& m, const Lib3dsMesh& p)
{
    if (m.vertexCount != p.points || m.faceCount != p.faces) return false;
    for (unsigned i = 0; i < p.points; ++i) {
        const float* e = m.vertices[i].position;
        const float* q = p.pointL[i].pos;
        if (e[0] != q[0] || e[1] != q[2] || e[2] != -q[1]) return false;
        if ((m.vertices[i].texCoord != nullptr) != (p.texels == p.points)) return false;
    }
    for (unsigned i = 0; i < p.faces; ++i) {
        const CFACE& f = m.faces[i];
        const Lib3dsWord* q = p.faceL[i].points;
        if (f.a != q[0] || f.b != q[1] || f.c != q[2] || f.flags != p.faceL[i].flags) return false;
    }
    return true;
}

}  // namespace

TEST(PeerModels, TheTestModelsAreInstalled)
{
    EXPECT_GE(RealModels().size(), 9u) << "install assimp-testmodels (scripts/setup-deps.sh)";
}

TEST_P(PeerTest, RealModelLoadsLikeLib3ds)
{
    const std::string path = GetParam();
    Peer peer(lib3ds_file_load(path.c_str()));
    ASSERT_NE(peer, nullptr) << "lib3ds cannot read " << path;

    auto start = std::chrono::steady_clock::now();
    ASSERT_EQ(obj_->Load(path.c_str(), &FakeImages::Loader, FORMAT_3DS), 1);
    double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    unsigned vertices = 0, faces = 0;
    for (int i = 0; i < obj_->GetMeshCount(); ++i) {
        vertices += Mesh(static_cast<unsigned short>(i)).vertexCount;
        faces += Mesh(static_cast<unsigned short>(i)).faceCount;
    }
    std::printf("%s: %ju bytes, %d objects, %u vertices, %u faces, load %.3f ms\n", path.c_str(),
                uintmax_t(fs::file_size(path)), obj_->GetMeshCount(), vertices, faces, ms);

    // Every named object is one engine mesh: triangle meshes, cameras, lights.
    std::vector<const Lib3dsMesh*> meshes;
    for (Lib3dsMesh* m = peer->meshes; m; m = m->next) meshes.push_back(m);
    int others = 0;
    for (Lib3dsCamera* c = peer->cameras; c; c = c->next) ++others;
    for (Lib3dsLight* l = peer->lights; l; l = l->next) ++others;
    ASSERT_EQ(obj_->GetMeshCount(), int(meshes.size()) + others);

    std::vector<bool> used(obj_->GetMeshCount(), false);
    for (const Lib3dsMesh* p : meshes) {
        bool found = false;
        for (int i = 0; i < obj_->GetMeshCount() && !found; ++i) {
            if (used[i] || !SameMesh(Mesh(static_cast<unsigned short>(i)), *p)) continue;
            used[i] = found = true;
        }
        EXPECT_TRUE(found) << "no engine mesh matches '" << p->name << "' (" << p->points << " points, "
                           << p->faces << " faces)";
    }
    for (int i = 0; i < obj_->GetMeshCount(); ++i)
        if (!used[i]) {
            EXPECT_EQ(Mesh(static_cast<unsigned short>(i)).vertexCount, 0) << "mesh " << i;
            EXPECT_EQ(Mesh(static_cast<unsigned short>(i)).faceCount, 0) << "mesh " << i;
        }

    // The loader is asked for the texture map of every material that names one.
    std::multiset<std::string> expected, asked(FakeImages::asked.begin(), FakeImages::asked.end());
    for (Lib3dsMaterial* mat = peer->materials; mat; mat = mat->next)
        if (mat->texture1_map.name[0]) expected.insert(mat->texture1_map.name);
    EXPECT_EQ(asked, expected);
}

INSTANTIATE_TEST_SUITE_P(AssimpTestModels, PeerTest, ::testing::ValuesIn(RealModels()),
                         [](const ::testing::TestParamInfo<std::string>& info) {
                             std::string name = fs::path(info.param).filename().string();
                             for (char& c : name)
                                 if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
                             return name;
                         });
GTEST_ALLOW_UNINSTANTIATED_PARAMETERIZED_TEST(PeerTest);

TEST(PeerModels, InvalidModelLoadsSafely)
{
    std::unique_ptr<COBJECT3D> obj(CreateObject3d());
    const char* path = "/usr/share/assimp/models/invalid/empty.3ds";
    ASSERT_TRUE(fs::exists(path)) << path << ": install assimp-testmodels (scripts/setup-deps.sh)";
    EXPECT_EQ(obj->Load(path, nullptr, FORMAT_3DS), 1);
    EXPECT_EQ(obj->GetMeshCount(), 0);
}

// The writer's files as lib3ds reads them.
TEST(WriterPeer, Lib3dsReadsWhatTheWriterDescribes)
{
    tds::Model m;
    tds::Material mat = NamedMaterial("Steel", tds::TextureMap{"steel.jpg", 2.0f, 0.5f, 0.25f, 0.0f});
    mat.bump = tds::TextureMap{"bump.jpg"};
    m.materials = {mat};
    tds::Object quad;
    quad.name = "Quad";
    quad.mesh.vertices = {{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 1, 0}};
    quad.mesh.faces = {{0, 1, 2}, {0, 2, 3, 3}};
    quad.mesh.mapping = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
    quad.mesh.groups = {{"Steel", {1}}};
    tds::Object cam;
    cam.kind = tds::Object::kCamera;
    cam.name = "Cam";
    cam.camera.position = {1, 2, 3};
    cam.camera.target = {0, 0, 0};
    cam.camera.lens = 35;
    tds::Object light;
    light.kind = tds::Object::kLight;
    light.name = "Sun";
    light.light = {5, 5, 5};
    m.objects = {quad, cam, light};
    m.keyframes = true;

    Peer peer(nullptr);
    {
        const TempFolder folder("plm_writer_peer");
        ASSERT_FALSE(folder.Path().empty());
        const std::string path = folder.File("w.3ds");
        std::string error;
        ASSERT_TRUE(tds::WriteFile(m, path, &error)) << error;
        peer.reset(lib3ds_file_load(path.c_str()));
    }
    ASSERT_NE(peer, nullptr);

    Lib3dsMaterial* pm = lib3ds_file_material_by_name(peer.get(), "Steel");
    ASSERT_NE(pm, nullptr);
    EXPECT_STREQ(pm->texture1_map.name, "steel.jpg");
    EXPECT_FLOAT_EQ(pm->texture1_map.scale[0], 2.0f);
    EXPECT_FLOAT_EQ(pm->texture1_map.scale[1], 0.5f);
    EXPECT_FLOAT_EQ(pm->texture1_map.offset[0], 0.25f);
    EXPECT_STREQ(pm->bump_map.name, "bump.jpg");

    Lib3dsMesh* pq = lib3ds_file_mesh_by_name(peer.get(), "Quad");
    ASSERT_NE(pq, nullptr);
    ASSERT_EQ(pq->points, 4u);
    ASSERT_EQ(pq->faces, 2u);
    ASSERT_EQ(pq->texels, 4u);
    EXPECT_FLOAT_EQ(pq->pointL[2].pos[0], 1.0f);
    EXPECT_FLOAT_EQ(pq->pointL[2].pos[1], 1.0f);
    EXPECT_FLOAT_EQ(pq->texelL[1][0], 1.0f);
    EXPECT_EQ(pq->faceL[1].points[2], 3);
    EXPECT_EQ(pq->faceL[1].flags, 3);
    EXPECT_STREQ(pq->faceL[1].material, "Steel");
    EXPECT_STREQ(pq->faceL[0].material, "");

    ASSERT_NE(peer->cameras, nullptr);
    EXPECT_STREQ(peer->cameras->name, "Cam");
    EXPECT_FLOAT_EQ(peer->cameras->position[2], 3.0f);
    EXPECT_NEAR(peer->cameras->fov, 2400.0f / 35.0f, 0.01f);  // lib3ds turns the lens into a field of view
    ASSERT_NE(peer->lights, nullptr);
    EXPECT_STREQ(peer->lights->name, "Sun");
}

TEST(WriterPeer, ModelsThatCannotBeStoredAreRefused)
{
    std::string error;
    tds::Model m = TriangleModel();
    m.objects[0].mesh.faces[0].c = 3;
    EXPECT_TRUE(tds::Write(m, &error).empty());
    EXPECT_NE(error.find("corner"), std::string::npos);
    m.objects = {TriangleObject("A")};
    m.objects[0].mesh.mapping = {{0, 0}};
    EXPECT_TRUE(tds::Write(m, &error).empty());
    m.objects = {TriangleObject(std::string(100, 'n'))};
    EXPECT_TRUE(tds::Write(m, &error).empty());
    m.objects = {TriangleObject("A")};
    m.objects[0].mesh.vertices.resize(65536);
    EXPECT_TRUE(tds::Write(m, &error).empty());
    m.objects = {TriangleObject("A")};
    m.objects[0].mesh.groups = {{"M", {1}}};
    EXPECT_TRUE(tds::Write(m, &error).empty());
}
