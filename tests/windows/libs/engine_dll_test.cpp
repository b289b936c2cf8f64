// plm_engine.dll as the program uses it: the factory found by its mangled
// name, the data set's models read through the virtual interface, model
// bytes that a text-mode read would change (0x0D 0x0A, 0x1A) read exactly,
// and cut-short files that must fail cleanly.
#include "win_test_files.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "plm_engine.h"

namespace {

using Bytes = std::vector<unsigned char>;
typedef COBJECT3D* (*CREATEOBJECT3D)(void);

void Put16(Bytes& out, unsigned v)
{
    out.push_back(v & 0xFF);
    out.push_back((v >> 8) & 0xFF);
}

void Put32(Bytes& out, uint32_t v)
{
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
}

// A chunk: id, whole length, then body.
Bytes Chunk(unsigned id, const Bytes& body)
{
    Bytes out;
    Put16(out, id);
    Put32(out, static_cast<uint32_t>(body.size() + 6));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

Bytes Concat(const Bytes& a, const Bytes& b)
{
    Bytes out = a;
    out.insert(out.end(), b.begin(), b.end());
    return out;
}

// A model with one object "raw" holding the given vertex floats (x, y, z
// per vertex, as raw little-endian bytes) and one face 0, 1, 2.
Bytes ModelWithPointBytes(const Bytes& floatBytes)
{
    Bytes points;
    Put16(points, static_cast<unsigned>(floatBytes.size() / 12));
    points.insert(points.end(), floatBytes.begin(), floatBytes.end());
    Bytes faces;
    Put16(faces, 1);
    for (unsigned v : {0u, 1u, 2u, 0u}) Put16(faces, v);
    const Bytes mesh = Chunk(0x4100, Concat(Chunk(0x4110, points), Chunk(0x4120, faces)));
    const Bytes object = Chunk(0x4000, Concat(Bytes{'r', 'a', 'w', 0}, mesh));
    return Chunk(0x4D4D, Chunk(0x3D3D, object));
}

float FloatOf(const unsigned char* p)
{
    float f;
    std::memcpy(&f, p, 4);
    return f;
}

class EngineDll : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(folder_.Path().empty());
        library_ = wintest::LoadBeside("plm_engine.dll");
        ASSERT_NE(library_, nullptr);
        create_ = reinterpret_cast<CREATEOBJECT3D>(
            reinterpret_cast<void*>(GetProcAddress(library_, "_Z14CreateObject3dv")));
        ASSERT_NE(create_, nullptr);
    }
    void TearDown() override
    {
        if (library_) FreeLibrary(library_);
    }

    // Every face of every mesh names vertices inside its mesh.
    void ExpectFacesInside(COBJECT3D* object)
    {
        for (int i = 0; i < object->GetMeshCount(); ++i) {
            unsigned short vertexCount = 0, faceCount = 0;
            CVERTEX* vertices = nullptr;
            CFACE* faces = nullptr;
            object->GetMeshData(static_cast<unsigned short>(i), &vertexCount, &faceCount, &vertices, &faces,
                                nullptr);
            for (unsigned f = 0; f < faceCount; ++f) {
                ASSERT_LT(faces[f].a, vertexCount);
                ASSERT_LT(faces[f].b, vertexCount);
                ASSERT_LT(faces[f].c, vertexCount);
                ASSERT_NE(faces[f].normal, nullptr);
            }
        }
    }

    wintest::TempFolder folder_{"plm-engine"};
    HMODULE library_ = nullptr;
    CREATEOBJECT3D create_ = nullptr;
};

}  // namespace

TEST_F(EngineDll, FactoryByMangledNameReadsTheFaceAndAPipePiece)
{
    for (const char* name : {"obj3d/face.3ds", "obj3d/pipe_straight.3ds", "obj3d/pipe_valve.3ds"}) {
        COBJECT3D* object = create_();
        ASSERT_NE(object, nullptr);
        EXPECT_EQ(object->Load(wintest::DataSetFile(name).c_str(), nullptr, FORMAT_3DS), 1) << name;
        ASSERT_GT(object->GetMeshCount(), 0) << name;
        unsigned short vertexCount = 0, faceCount = 0;
        CVERTEX* vertices = nullptr;
        object->GetMeshData(0, &vertexCount, &faceCount, &vertices, nullptr, nullptr);
        EXPECT_GT(vertexCount, 2) << name;
        EXPECT_GT(faceCount, 0) << name;
        ASSERT_NE(vertices, nullptr);
        EXPECT_NE(vertices[0].normal, nullptr);
        ExpectFacesInside(object);
        delete object;  // through the virtual destructor, in the library's heap
    }
}

TEST_F(EngineDll, BytesThatTextModeWouldChangeAreReadExactly)
{
    // Carriage return + line feed pairs, a lone line feed and the old
    // end-of-file byte 0x1A inside the vertex floats.
    const Bytes floats = {0x0D, 0x0A, 0x1A, 0x3F, 0x1A, 0x0D, 0x0A, 0x40, 0x0A, 0x0D, 0x0A, 0xC0,
                          0x00, 0x00, 0x80, 0x3F, 0x0D, 0x0A, 0x0D, 0x0A, 0x1A, 0x1A, 0x1A, 0x3E,
                          0x00, 0x00, 0x00, 0x40, 0x00, 0x00, 0x00, 0x00, 0x0D, 0x0A, 0x00, 0x41};
    const std::string path = folder_.Write("binary.3ds", ModelWithPointBytes(floats));
    COBJECT3D* object = create_();
    ASSERT_EQ(object->Load(path.c_str(), nullptr, FORMAT_3DS), 1);
    ASSERT_EQ(object->GetMeshCount(), 1);
    unsigned short vertexCount = 0, faceCount = 0;
    CVERTEX* vertices = nullptr;
    object->GetMeshData(0, &vertexCount, &faceCount, &vertices, nullptr, nullptr);
    ASSERT_EQ(vertexCount, 3);
    EXPECT_EQ(faceCount, 1);
    for (int v = 0; v < 3; ++v) {
        const unsigned char* p = &floats[v * 12];
        // The engine's axes: (file x, file z, -file y).
        EXPECT_EQ(vertices[v].position[0], FloatOf(p)) << v;
        EXPECT_EQ(vertices[v].position[1], FloatOf(p + 8)) << v;
        EXPECT_EQ(vertices[v].position[2], -FloatOf(p + 4)) << v;
    }
    delete object;
}

TEST_F(EngineDll, CutShortFilesLoadWhatTheyHoldAndMissingOnesFail)
{
    const Bytes face = wintest::ReadBytes(wintest::DataSetFile("obj3d/face.3ds"));
    ASSERT_GT(face.size(), 1000u);
    for (size_t cut : {size_t(0), size_t(1), size_t(7), size_t(100), face.size() / 3, face.size() - 1}) {
        const std::string path = folder_.Write("cut.3ds", Bytes(face.begin(), face.begin() + cut));
        COBJECT3D* object = create_();
        EXPECT_EQ(object->Load(path.c_str(), nullptr, FORMAT_3DS), 1) << cut;
        ExpectFacesInside(object);
        delete object;
    }
    COBJECT3D* object = create_();
    EXPECT_EQ(object->Load(folder_.File("none.3ds").c_str(), nullptr, FORMAT_3DS), 0);
    EXPECT_EQ(object->Load(folder_.Path().c_str(), nullptr, FORMAT_3DS), 0);  // a folder
    EXPECT_EQ(object->GetMeshCount(), 0);
    // A file that another reader holds open (sharing reading) still loads.
    const std::string path = folder_.Write("shared.3ds", ModelWithPointBytes(Bytes(36, 0)));
    HANDLE reader = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_EQ(object->Load(path.c_str(), nullptr, FORMAT_3DS), 1);
    EXPECT_EQ(object->GetMeshCount(), 1);
    CloseHandle(reader);
    delete object;
}
