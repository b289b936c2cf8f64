#include "tds_writer.h"

#include <cstdio>
#include <cstring>
#include <stdexcept>

namespace tds {

void ChunkWriter::Begin(uint16_t id)
{
    open_.push_back(data_.size());
    U16(id);
    U32(0);
}

void ChunkWriter::End()
{
    if (open_.empty()) throw std::logic_error("tds::ChunkWriter::End without Begin");
    size_t start = open_.back();
    open_.pop_back();
    PatchU32(start + 2, static_cast<uint32_t>(data_.size() - start));
}

void ChunkWriter::U8(uint8_t v)
{
    data_.push_back(v);
}

void ChunkWriter::U16(uint16_t v)
{
    data_.push_back(static_cast<uint8_t>(v));
    data_.push_back(static_cast<uint8_t>(v >> 8));
}

void ChunkWriter::U32(uint32_t v)
{
    for (int i = 0; i < 4; ++i) data_.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

void ChunkWriter::F32(float v)
{
    uint32_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    U32(bits);
}

void ChunkWriter::String(std::string_view s)
{
    Bytes(s.data(), s.size());
    U8(0);
}

void ChunkWriter::Bytes(const void* data, size_t size)
{
    const uint8_t* p = static_cast<const uint8_t*>(data);
    data_.insert(data_.end(), p, p + size);
}

void ChunkWriter::Header(uint16_t id, uint32_t length)
{
    U16(id);
    U32(length);
}

void ChunkWriter::PatchU32(size_t offset, uint32_t v)
{
    if (offset + 4 > data_.size()) throw std::out_of_range("tds::ChunkWriter::PatchU32");
    for (int i = 0; i < 4; ++i) data_[offset + i] = static_cast<uint8_t>(v >> (8 * i));
}

std::vector<uint8_t> ChunkWriter::Take()
{
    if (!open_.empty()) throw std::logic_error("tds::ChunkWriter::Take with open chunks");
    return std::move(data_);
}

namespace {

constexpr size_t kMaxCount = 65535;
constexpr size_t kMaxName = 99;

bool Fail(std::string* error, const std::string& what)
{
    if (error) *error = what;
    return false;
}

bool ValidName(std::string_view name)
{
    return name.size() <= kMaxName && name.find('\0') == std::string_view::npos;
}

bool Validate(const Model& model, std::string* error)
{
    for (size_t i = 0; i < model.materials.size(); ++i) {
        const Material& m = model.materials[i];
        if (m.name && !ValidName(*m.name)) return Fail(error, "material " + std::to_string(i) + ": bad name");
        for (const auto* map : {&m.texture, &m.bump})
            if (*map && (*map)->fileName && !ValidName(*(*map)->fileName))
                return Fail(error, "material " + std::to_string(i) + ": bad map file name");
    }
    for (const Object& o : model.objects) {
        if (!ValidName(o.name)) return Fail(error, "object '" + o.name + "': bad name");
        if (o.kind != Object::kMesh) continue;
        const Mesh& m = o.mesh;
        if (m.vertices.size() > kMaxCount)
            return Fail(error, "object '" + o.name + "': more than 65535 vertices");
        if (m.faces.size() > kMaxCount) return Fail(error, "object '" + o.name + "': more than 65535 faces");
        if (!m.mapping.empty() && m.mapping.size() != m.vertices.size())
            return Fail(error, "object '" + o.name + "': mapping count differs from vertex count");
        for (const Face& f : m.faces)
            if (f.a >= m.vertices.size() || f.b >= m.vertices.size() || f.c >= m.vertices.size())
                return Fail(error, "object '" + o.name + "': face corner out of range");
        for (const MaterialGroup& g : m.groups) {
            if (!ValidName(g.material))
                return Fail(error, "object '" + o.name + "': bad group material name");
            if (g.faces.size() > kMaxCount) return Fail(error, "object '" + o.name + "': group too large");
            for (uint16_t f : g.faces)
                if (f >= m.faces.size())
                    return Fail(error, "object '" + o.name + "': group face out of range");
        }
    }
    return true;
}

void WriteColor(ChunkWriter& w, uint16_t id, const uint8_t rgb[3])
{
    w.Begin(id);
    w.Begin(kColor24);
    w.Bytes(rgb, 3);
    w.End();
    w.End();
}

void WriteFloatChunk(ChunkWriter& w, uint16_t id, const std::optional<float>& v)
{
    if (!v) return;
    w.Begin(id);
    w.F32(*v);
    w.End();
}

void WriteMap(ChunkWriter& w, uint16_t id, const TextureMap& map)
{
    w.Begin(id);
    w.Begin(kIntPercentage);
    w.U16(100);
    w.End();
    if (map.fileName) {
        w.Begin(kMatMapname);
        w.String(*map.fileName);
        w.End();
    }
    w.Begin(kMatMapTiling);
    w.U16(0);
    w.End();
    WriteFloatChunk(w, kMatMapUScale, map.uScale);
    WriteFloatChunk(w, kMatMapVScale, map.vScale);
    WriteFloatChunk(w, kMatMapUOffset, map.uOffset);
    WriteFloatChunk(w, kMatMapVOffset, map.vOffset);
    WriteFloatChunk(w, kMatMapAng, map.angle);
    w.End();
}

void WriteMaterial(ChunkWriter& w, const Material& m)
{
    w.Begin(kMatEntry);
    if (m.name) {
        w.Begin(kMatName);
        w.String(*m.name);
        w.End();
    }
    WriteColor(w, kMatAmbient, m.ambient);
    WriteColor(w, kMatDiffuse, m.diffuse);
    WriteColor(w, kMatSpecular, m.specular);
    if (m.texture) WriteMap(w, kMatTexmap, *m.texture);
    if (m.bump) WriteMap(w, kMatBumpmap, *m.bump);
    w.End();
}

void WriteVec3(ChunkWriter& w, const Vec3& v)
{
    w.F32(v.x);
    w.F32(v.y);
    w.F32(v.z);
}

void WriteMesh(ChunkWriter& w, const Mesh& m)
{
    w.Begin(kNTriObject);
    w.Begin(kPointArray);
    w.U16(static_cast<uint16_t>(m.vertices.size()));
    for (const Vec3& v : m.vertices) WriteVec3(w, v);
    w.End();
    if (!m.mapping.empty()) {
        w.Begin(kTexVerts);
        w.U16(static_cast<uint16_t>(m.mapping.size()));
        for (const UV& t : m.mapping) {
            w.F32(t.u);
            w.F32(t.v);
        }
        w.End();
    }
    w.Begin(kMeshMatrix);
    const float identity[12] = {1, 0, 0, 0, 1, 0, 0, 0, 1, 0, 0, 0};
    for (float f : identity) w.F32(f);
    w.End();
    w.Begin(kFaceArray);
    w.U16(static_cast<uint16_t>(m.faces.size()));
    for (const Face& f : m.faces) {
        w.U16(f.a);
        w.U16(f.b);
        w.U16(f.c);
        w.U16(f.flags);
    }
    for (const MaterialGroup& g : m.groups) {
        w.Begin(kMshMatGroup);
        w.String(g.material);
        w.U16(static_cast<uint16_t>(g.faces.size()));
        for (uint16_t f : g.faces) w.U16(f);
        w.End();
    }
    if (m.smoothing) {
        w.Begin(kSmoothGroup);
        for (size_t i = 0; i < m.faces.size(); ++i) w.U32(1);
        w.End();
    }
    w.End();  // FACE_ARRAY
    w.End();  // N_TRI_OBJECT
}

void WriteObject(ChunkWriter& w, const Object& o)
{
    w.Begin(kNamedObject);
    w.String(o.name);
    switch (o.kind) {
        case Object::kMesh:
            WriteMesh(w, o.mesh);
            break;
        case Object::kCamera:
            w.Begin(kNCamera);
            WriteVec3(w, o.camera.position);
            WriteVec3(w, o.camera.target);
            w.F32(o.camera.bank);
            w.F32(o.camera.lens);
            w.End();
            break;
        case Object::kLight:
            w.Begin(kNDirectLight);
            WriteVec3(w, o.light);
            w.End();
            break;
    }
    w.End();
}

void WriteKeyframes(ChunkWriter& w)
{
    w.Begin(kKfdata);
    w.Begin(kKfhdr);
    w.U16(5);
    w.String("plumora");
    w.U32(100);
    w.End();
    w.Begin(kKfseg);
    w.U32(0);
    w.U32(100);
    w.End();
    w.End();
}

}  // namespace

std::vector<uint8_t> Write(const Model& model, std::string* error)
{
    if (!Validate(model, error)) return {};
    ChunkWriter w;
    w.Begin(kM3dMagic);
    w.Begin(kM3dVersion);
    w.U32(3);
    w.End();
    w.Begin(kMdata);
    w.Begin(kMeshVersion);
    w.U32(3);
    w.End();
    for (const Material& m : model.materials) WriteMaterial(w, m);
    w.Begin(kMasterScale);
    w.F32(1.0f);
    w.End();
    for (const Object& o : model.objects) WriteObject(w, o);
    w.End();  // MDATA
    if (model.keyframes) WriteKeyframes(w);
    w.End();  // M3DMAGIC
    return w.Take();
}

bool WriteBytes(const std::vector<uint8_t>& bytes, const std::string& path)
{
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    ok = (std::fclose(f) == 0) && ok;
    return ok;
}

bool WriteFile(const Model& model, const std::string& path, std::string* error)
{
    std::vector<uint8_t> bytes = Write(model, error);
    if (bytes.empty()) return false;
    if (!WriteBytes(bytes, path)) return Fail(error, "cannot write " + path);
    return true;
}

}  // namespace tds
