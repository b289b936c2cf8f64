// Shared helpers of the engine tests: temporary model files written with the
// 3D Studio writer, a fresh engine object per test, mesh access and a test
// image loader.
#ifndef PLM_TESTS_ENGINE_FIXTURE_H
#define PLM_TESTS_ENGINE_FIXTURE_H

#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <filesystem>
#include <initializer_list>
#include <optional>
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

// A named material with the given texture map, or none.
inline tds::Material NamedMaterial(const std::string& name, std::optional<tds::TextureMap> texture = {})
{
    tds::Material m;
    m.name = name;
    m.texture = std::move(texture);
    return m;
}

// A model of the one triangle object "A".
inline tds::Model TriangleModel()
{
    tds::Model m;
    m.objects = {TriangleObject("A")};
    return m;
}

// A model of one material and one triangle whose mapping is given and whose
// face is in that material's group.
inline tds::Model MappedTriangle(const tds::Material& material, std::vector<tds::UV> mapping,
                                 const std::string& name = "T")
{
    tds::Model m;
    m.materials = {material};
    tds::Object o = TriangleObject(name);
    o.mesh.mapping = std::move(mapping);
    o.mesh.groups = {{*material.name, {0}}};
    m.objects = {o};
    return m;
}

// Hand-made chunks, for files the writer would never make. A whole file: the
// signature and MDATA around a body.
inline std::vector<uint8_t> InMdata(const std::vector<uint8_t>& body)
{
    tds::ChunkWriter w;
    w.Begin(tds::kM3dMagic);
    w.Begin(tds::kMdata);
    w.Bytes(body.data(), body.size());
    w.End();
    w.End();
    return w.Take();
}

// A named object holding a triangle mesh whose contents `fill` writes.
template <typename F>
void Object(tds::ChunkWriter& w, const std::string& name, F fill)
{
    w.Begin(tds::kNamedObject);
    w.String(name);
    w.Begin(tds::kNTriObject);
    fill(w);
    w.End();
    w.End();
}

// A material record: its name and a texture map naming only its file.
inline void MaterialChunk(tds::ChunkWriter& w, const std::string& name, const std::string& file)
{
    w.Begin(tds::kMatEntry);
    w.Begin(tds::kMatName);
    w.String(name);
    w.End();
    w.Begin(tds::kMatTexmap);
    w.Begin(tds::kMatMapname);
    w.String(file);
    w.End();
    w.End();
    w.End();
}

// A face array of the one face (0, 1, 2) with the given flags, holding a
// material group chunk: the group's name, then `words` (count, face indices).
inline void FaceInGroup(tds::ChunkWriter& w, uint16_t flags, const std::string& group,
                        std::initializer_list<uint16_t> words)
{
    w.Begin(tds::kFaceArray);
    w.U16(1);
    for (uint16_t v : {uint16_t(0), uint16_t(1), uint16_t(2), flags}) w.U16(v);
    w.Begin(tds::kMshMatGroup);
    w.String(group);
    for (uint16_t v : words) w.U16(v);
    w.End();
    w.End();
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
