// Shared helpers of the engine tests: temporary model files written with the
// 3D Studio writer, a fresh engine object per test, mesh access and a test
// image loader.
#ifndef PLM_TESTS_ENGINE_FIXTURE_H
#define PLM_TESTS_ENGINE_FIXTURE_H

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <vector>

#include "plm_engine.h"
#include "tds_writer.h"
#include "../support/temp_folder.h"

namespace enginetest {

struct MeshView {
    unsigned short vertexCount = 0, faceCount = 0;
    CVERTEX* vertices = nullptr;
    CFACE* faces = nullptr;
    unsigned int texture = 0;
};

inline MeshView Mesh(COBJECT3D* obj, unsigned short index)
{
    MeshView m;
    obj->GetMeshData(index, &m.vertexCount, &m.faceCount, &m.vertices, &m.faces, &m.texture);
    return m;
}

// The test image loader: records the names it is asked for and hands out a
// buffer of the configured size (or no pixels at all).
struct FakeImages {
    static inline std::vector<std::string> asked;
    static inline int width = 2, height = 2, components = 3;
    static inline bool givePixels = true;
    static inline std::vector<unsigned char> pixels = std::vector<unsigned char>(64 * 64 * 4, 0x7f);
    static void Reset()
    {
        asked.clear();
        width = height = 2;
        components = 3;
        givePixels = true;
    }
    static void Loader(const char* fileName, int* w, int* h, int* c, unsigned char** px)
    {
        asked.emplace_back(fileName);
        *w = width;
        *h = height;
        *c = components;
        *px = givePixels ? pixels.data() : nullptr;
    }
};

// One triangle mesh object in file axes.
inline tds::Object TriangleObject(const std::string& name,
                                  std::vector<tds::Vec3> points = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}})
{
    tds::Object o;
    o.name = name;
    o.mesh.vertices = std::move(points);
    o.mesh.faces = {{0, 1, 2}};
    return o;
}

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir_ = MakeTempFolder("plm_engine_test");
        ASSERT_FALSE(dir_.empty());
        obj_ = CreateObject3d();
        ASSERT_NE(obj_, nullptr);
        FakeImages::Reset();
    }
    void TearDown() override
    {
        delete obj_;
        std::error_code ec;
        std::filesystem::remove_all(dir_, ec);
    }

    std::string Path(const std::string& name) const { return dir_ + "/" + name; }

    std::string Save(const tds::Model& model, const std::string& name = "model.3ds")
    {
        std::string error;
        std::string path = Path(name);
        EXPECT_TRUE(tds::WriteFile(model, path, &error)) << error;
        return path;
    }
    std::string SaveBytes(const std::vector<uint8_t>& bytes, const std::string& name = "raw.3ds")
    {
        std::string path = Path(name);
        EXPECT_TRUE(tds::WriteBytes(bytes, path));
        return path;
    }

    // Writes and loads a model (with the fake image loader); returns Load's result.
    int Load(const tds::Model& model, TEXTURELOADER loader = &FakeImages::Loader)
    {
        return obj_->Load(Save(model).c_str(), loader, FORMAT_3DS);
    }
    int LoadBytes(const std::vector<uint8_t>& bytes, TEXTURELOADER loader = &FakeImages::Loader)
    {
        return obj_->Load(SaveBytes(bytes).c_str(), loader, FORMAT_3DS);
    }

    MeshView Mesh(unsigned short index) { return enginetest::Mesh(obj_, index); }

    std::string dir_;
    COBJECT3D* obj_ = nullptr;
};

}  // namespace enginetest

#endif
