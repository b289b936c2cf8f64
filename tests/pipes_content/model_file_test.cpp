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

struct ReadModel {
    std::vector<float> points;  // engine axes, three per vertex
    std::vector<uint16_t> corners;
    size_t mappingCount = 0;
    std::string objectName, groupMaterial, materialName, mapName;
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
            return c.Str(&m->objectName);
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
                m->points.insert(m->points.end(), {x, z, -y});
            }
            return true;
        }
        case 0x4120: {
            if (!c.Left(2)) return false;
            uint32_t n = c.U(2);
            if (!c.Left(n * 8)) return false;
            for (uint32_t i = 0; i < n; ++i, c.U(2))
                for (int k = 0; k < 3; ++k) m->corners.push_back(uint16_t(c.U(2)));
            return true;
        }
        case 0x4130: {
            size_t end = c.pos_ + length - 6;
            bool ok = c.Str(&m->groupMaterial) && end >= c.pos_ && c.Left(end - c.pos_);
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
            m->mappingCount = c.U(2);
            if (!c.Left(m->mappingCount * 8)) return false;
            c.pos_ += m->mappingCount * 8;
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

TEST(PieceModelFiles, EveryCountMatchesItsDataAndTheMeshRoundTrips)
{
    ASSERT_FALSE(StagedData().empty());
    for (const PieceType& t : BuildPieceCatalog()) {
        ReadModel m;
        ASSERT_TRUE(Walk(FileBytes(StagedData() + "/obj3d/" + t.fileName), &m)) << t.fileName;
        ASSERT_EQ(m.points.size(), 3 * t.mesh.Positions().size()) << t.name;
        for (size_t i = 0; i < t.mesh.Positions().size(); ++i) {
            const Vec3& p = t.mesh.Positions()[i];
            ASSERT_EQ(m.points[3 * i], float(p.x));
            ASSERT_EQ(m.points[3 * i + 1], float(p.y));
            ASSERT_EQ(m.points[3 * i + 2], float(p.z));
        }
        ASSERT_EQ(m.corners.size(), 3 * t.mesh.Faces().size()) << t.name;
        for (size_t f = 0; f < t.mesh.Faces().size(); ++f)
            for (int k = 0; k < 3; ++k) ASSERT_EQ(m.corners[3 * f + k], t.mesh.Faces()[f][k]);
        EXPECT_EQ(m.mappingCount, t.mesh.Positions().size()) << t.name;
        EXPECT_EQ(m.objectName, t.name);
    }
}

TEST(PieceModelFiles, FacesUseTheMaterialWhoseMapIsAStagedTexture)
{
    ASSERT_FALSE(StagedData().empty());
    for (const PieceType& t : BuildPieceCatalog()) {
        ReadModel m;
        ASSERT_TRUE(Walk(FileBytes(StagedData() + "/obj3d/" + t.fileName), &m));
        EXPECT_EQ(m.groupMaterial, m.materialName) << t.name;
        EXPECT_EQ(m.mapName, kPieceTexture) << t.name;
        EXPECT_FALSE(FileBytes(StagedData() + "/texs/" + m.mapName).empty());
    }
}
