// Loading the face model through the real plm_engine: every reason the face
// cannot be shown is reported on stderr with the model's path.
#include "scene/face_load.h"

#include "face_model.h"
#include "head_mesh.h"
#include "tds_writer.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace {

// A fresh folder of its own per test, removed with everything in it.
class FaceLoad : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(folder.Path().empty());
        object = CreateObject3d();
        ASSERT_NE(object, nullptr);
    }
    void TearDown() override { delete object; }
    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes)
    {
        std::string path = folder.File(name);
        EXPECT_TRUE(tds::WriteBytes(bytes, path));
        return path;
    }
    // Loads path; returns LoadFaceModel's result, stderr into messages.
    int Load(const std::string& path, std::string& messages)
    {
        ::testing::internal::CaptureStderr();
        int result = LoadFaceModel(object, path.c_str(), nullptr);
        messages = ::testing::internal::GetCapturedStderr();
        return result;
    }
    TempFolder folder{"plm_face_load"};
    COBJECT3D* object = nullptr;
};

// One triangle, optionally followed by a keyframe section after the mesh.
std::vector<uint8_t> TriangleFile(bool keyframes)
{
    tds::Model model;
    model.keyframes = keyframes;
    tds::Object& o = model.objects.emplace_back();
    o.name = "Tri";
    o.mesh.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
    o.mesh.faces = {{0, 1, 2}};
    return tds::Write(model);
}

std::vector<uint8_t> FaceFile()
{
    tds::Model model;
    std::string error;
    EXPECT_TRUE(face::ToModel(face::BuildHeadMesh(face::GridSize{}), &model, &error)) << error;
    return tds::Write(model);
}

// --- sound models ------------------------------------------------------------------

TEST_F(FaceLoad, TheGeneratedFaceLoadsSilently)
{
    std::string messages;
    EXPECT_EQ(Load(Write("face.3ds", FaceFile()), messages), 1);
    EXPECT_EQ(messages, "");
    EXPECT_EQ(object->GetMeshCount(), 1);
}

// --- models that cannot be shown: each reported with its path -------------------------

TEST_F(FaceLoad, AMissingFileIsReported)
{
    std::string path = folder.File("face.3ds");
    std::string messages;
    EXPECT_EQ(Load(path, messages), 0);
    EXPECT_EQ(messages, path + ": cannot open the model; the face is not shown\n");
}

// Files the engine opens but makes no mesh of: the message says why.
TEST_F(FaceLoad, EmptyForeignAndTruncatedFilesAreReportedWithTheReason)
{
    std::vector<uint8_t> random(4096);
    uint32_t state = 12345;
    for (uint8_t& b : random) {
        state = state * 1103515245u + 12345u;
        b = static_cast<uint8_t>(state >> 16);
    }
    ASSERT_FALSE(random[0] == 0x4D && random[1] == 0x4D);
    std::vector<uint8_t> half = FaceFile();
    const size_t whole = half.size();
    half.resize(whole / 2);
    const struct {
        const char* name;
        std::vector<uint8_t> bytes;
        std::string reason;
    } cases[] = {
        {"empty.3ds", {}, "the file is empty"},
        {"random.3ds", random, "the file is not a 3D Studio model (no 4D4D signature)"},
        {"half.3ds", half,
         "the file is truncated (the model announces " + std::to_string(whole) + " bytes, the file holds " +
             std::to_string(whole / 2) + ")"},
        {"short.3ds", {0x4D, 0x4D, 0x10}, "the file is truncated (3 bytes, shorter than a model header)"},
    };
    for (const auto& c : cases) {
        std::string path = Write(c.name, c.bytes);
        std::string messages;
        EXPECT_EQ(Load(path, messages), 0) << c.name;
        EXPECT_EQ(messages, path + ": " + c.reason +
                                "; the model has no mesh and the face is not "
                                "shown\n");
    }
}

TEST_F(FaceLoad, AModelWithoutMeshesOrTrianglesIsReported)
{
    std::string path = Write("face.3ds", tds::Write(tds::Model{}));
    std::string messages;
    EXPECT_EQ(Load(path, messages), 0);
    EXPECT_EQ(messages, path + ": the model has no mesh; the face is not shown\n");

    tds::Model model;  // a camera is a named object without triangles
    tds::Object& camera = model.objects.emplace_back();
    camera.kind = tds::Object::kCamera;
    camera.name = "Camera01";
    path = Write("camera.3ds", tds::Write(model));
    COBJECT3D* fresh = CreateObject3d();
    std::swap(fresh, object);
    delete fresh;
    EXPECT_EQ(Load(path, messages), 0);
    EXPECT_EQ(messages, path + ": the model's meshes hold no triangles; the face is not shown\n");
}

// A cut in what follows the mesh leaves the mesh whole: it is shown, and the
// damage is still reported.
TEST_F(FaceLoad, ACutAfterTheMeshIsReportedButTheMeshIsKept)
{
    std::vector<uint8_t> bytes = TriangleFile(true);
    size_t whole = bytes.size();
    bytes.resize(whole - 4);
    std::string path = Write("face.3ds", bytes);
    std::string messages;
    EXPECT_EQ(Load(path, messages), 1);
    EXPECT_EQ(messages, path + ": the file is truncated (the model announces " + std::to_string(whole) +
                            " bytes, the file holds " + std::to_string(whole - 4) +
                            "); the face may be incomplete\n");
    EXPECT_EQ(object->GetMeshCount(), 1);
}

}  // namespace
