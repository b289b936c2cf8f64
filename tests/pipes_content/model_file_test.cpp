// The piece model files read back the way the model loader reads 3D Studio
// files: a flat walk over chunk headers, entering the chunks it wants and
// skipping all others by their length, every read bounded by the file.
#include <gtest/gtest.h>

#include <cstring>

#include "pieces/catalog.h"
#include "pieces/model_file.h"
#include "stage.h"

using namespace pipesgen;

namespace {

struct ReadObject {
    std::string name, groupMaterial;
    std::vector<float> points;  // engine axes, three per vertex
    std::vector<uint16_t> corners;
    size_t mappingCount = 0;
};

struct ReadModel {
    std::vector<ReadObject> objects;  // in file order
    std::string materialName, mapName;
    ReadObject& Last()
    {
        if (objects.empty()) objects.emplace_back();
        return objects.back();
    }
};

class Cursor {
public:
    explicit Cursor(const std::vector<uint8_t>& data) : data_(data) {}
    bool Left(size_t n) const { return data_.size() - pos_ >= n; }
    uint32_t U(int bytes)
    {
        uint32_t v = 0;
        for (int i = 0; i < bytes; ++i) v |= uint32_t(data_[pos_++]) << (8 * i);
        return v;
    }
    float F()
    {
        uint32_t bits = U(4);
        float f;
        std::memcpy(&f, &bits, 4);
        return f;
    }
    bool Str(std::string* s)
    {
        s->clear();
        while (pos_ < data_.size() && data_[pos_]) s->push_back(char(data_[pos_++]));
        return pos_++ < data_.size();
    }
    size_t pos_ = 0;

private:
    const std::vector<uint8_t>& data_;
};

bool ReadChunk(Cursor& c, uint16_t id, uint32_t length, ReadModel* m)
{
    switch (id) {
        case 0x3D3D:
        case 0x4100:
        case 0xAFFF:
        case 0xA200:
            return true;  // children follow
        case 0x4000:
            m->objects.emplace_back();
            return c.Str(&m->objects.back().name);
        case 0xA000:
            return c.Str(&m->materialName);
        case 0xA300:
            return c.Str(&m->mapName);
        case 0x4110: {
            if (!c.Left(2)) return false;
            uint32_t n = c.U(2);
            if (!c.Left(n * 12)) return false;
            for (uint32_t i = 0; i < n; ++i) {
                float x = c.F(), y = c.F(), z = c.F();
                m->Last().points.insert(m->Last().points.end(), {x, z, -y});
            }
            return true;
        }
        case 0x4120: {
            if (!c.Left(2)) return false;
            uint32_t n = c.U(2);
            if (!c.Left(n * 8)) return false;
            for (uint32_t i = 0; i < n; ++i, c.U(2))
                for (int k = 0; k < 3; ++k) m->Last().corners.push_back(uint16_t(c.U(2)));
            return true;
        }
        case 0x4130: {
            size_t end = c.pos_ + length - 6;
            bool ok = c.Str(&m->Last().groupMaterial) && end >= c.pos_ && c.Left(end - c.pos_);
            if (ok) c.pos_ = end;
            return ok;
        }
    }
    if (length < 6 || !c.Left(length - 6)) return false;
    c.pos_ += length - 6;
    return true;
}

bool Walk(const std::vector<uint8_t>& data, ReadModel* m)
{
    Cursor c(data);
    if (!c.Left(6) || c.U(2) != 0x4D4D) return false;
    c.U(4);
    while (c.Left(6)) {
        uint16_t id = uint16_t(c.U(2));
        uint32_t length = c.U(4);
        if (id == 0x4140) {  // mapping: count then two floats per vertex
            if (!c.Left(2)) return false;
            size_t count = m->Last().mappingCount = c.U(2);
            if (!c.Left(count * 8)) return false;
            c.pos_ += count * 8;
            continue;
        }
        if (!ReadChunk(c, id, length, m)) return false;
    }
    return c.pos_ == data.size();
}

std::vector<uint8_t> FileBytes(const std::string& path)
{
    const std::string bytes = ReadWholeFile(path);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

}  // namespace

void ExpectRoundTrip(const ReadObject& o, const TubeMesh& mesh, const std::string& name)
{
    EXPECT_EQ(o.name, name);
    ASSERT_EQ(o.points.size(), 3 * mesh.Positions().size()) << name;
    for (size_t i = 0; i < mesh.Positions().size(); ++i) {
        const Vec3& p = mesh.Positions()[i];
        ASSERT_EQ(o.points[3 * i], float(p.x));
        ASSERT_EQ(o.points[3 * i + 1], float(p.y));
        ASSERT_EQ(o.points[3 * i + 2], float(p.z));
    }
    ASSERT_EQ(o.corners.size(), 3 * mesh.Faces().size()) << name;
    for (size_t f = 0; f < mesh.Faces().size(); ++f)
        for (int k = 0; k < 3; ++k) ASSERT_EQ(o.corners[3 * f + k], mesh.Faces()[f][k]);
    EXPECT_EQ(o.mappingCount, mesh.Positions().size()) << name;
}

// The far piece first, the full piece last (the engine's mesh 0).
TEST(PieceModelFiles, EveryCountMatchesItsDataAndBothMeshesRoundTrip)
{
    ASSERT_FALSE(StagedData().empty());
    for (const PieceType& t : BuildPieceCatalog()) {
        ReadModel m;
        ASSERT_TRUE(Walk(FileBytes(StagedData() + "/obj3d/" + t.fileName), &m)) << t.fileName;
        ASSERT_EQ(m.objects.size(), 2u) << t.fileName;
        ExpectRoundTrip(m.objects[0], t.farMesh, FarObjectName(t));
        ExpectRoundTrip(m.objects[1], t.mesh, t.name);
    }
}

TEST(PieceModelFiles, FacesUseTheMaterialWhoseMapIsAStagedTexture)
{
    ASSERT_FALSE(StagedData().empty());
    for (const PieceType& t : BuildPieceCatalog()) {
        ReadModel m;
        ASSERT_TRUE(Walk(FileBytes(StagedData() + "/obj3d/" + t.fileName), &m));
        for (const ReadObject& o : m.objects) EXPECT_EQ(o.groupMaterial, m.materialName) << o.name;
        EXPECT_EQ(m.mapName, kPieceTexture) << t.name;
        EXPECT_FALSE(FileBytes(StagedData() + "/texs/" + m.mapName).empty());
    }
}
