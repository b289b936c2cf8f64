// plm_tds_writer: writes 3D Studio (.3ds) model files.
//
// Two levels:
//
//  * tds::Model / tds::Write / tds::WriteFile: describe materials and named
//    objects (triangle meshes, cameras, lights) and get a well-formed file,
//    laid out as 3D Studio itself lays it out:
//
//      M3DMAGIC 0x4D4D
//        M3D_VERSION 0x0002
//        MDATA 0x3D3D
//          MESH_VERSION 0x3D3E
//          MAT_ENTRY 0xAFFF ...          one per material, in Model order
//            MAT_NAME 0xA000, colours 0xA010/0xA020/0xA030,
//            MAT_TEXMAP 0xA200 { INT_PERCENTAGE, MAT_MAPNAME 0xA300,
//              MAT_MAP_TILING, MAT_MAP_USCALE 0xA354, _VSCALE 0xA356,
//              _UOFFSET 0xA358, _VOFFSET 0xA35A, MAT_MAP_ANG 0xA35C }
//            MAT_BUMPMAP 0xA230 { ... }
//          MASTER_SCALE 0x0100
//          NAMED_OBJECT 0x4000 ...       one per object, in Model order
//            N_TRI_OBJECT 0x4100
//              POINT_ARRAY 0x4110, TEX_VERTS 0x4140, MESH_MATRIX 0x4160,
//              FACE_ARRAY 0x4120 { MSH_MAT_GROUP 0x4130 ..., SMOOTH_GROUP 0x4150 }
//            or N_CAMERA 0x4700, or N_DIRECT_LIGHT 0x4600
//        KFDATA 0xB000                   only when Model::keyframes is set
//
//    Coordinates are in the FILE's axes (z up). The engine reads a file point
//    (x, y, z) as (x, z, -y); tds::FromEngineAxes converts the other way, so
//    a model can be designed in the engine's y-up axes. Faces are written as
//    given: corners a, b, c seen counter-clockwise face the viewer.
//
//  * tds::ChunkWriter: raw chunks with automatic lengths, for files that the
//    model level will not produce (unusual chunk orders, malformed files).
//
// Example:
//
//   tds::Model m;
//   tds::Material& mat = m.materials.emplace_back();
//   mat.name = "METAL";
//   mat.texture = tds::TextureMap{"metal.jpg"};
//   tds::Object& o = m.objects.emplace_back();
//   o.name = "Tri";
//   o.mesh.vertices = {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};
//   o.mesh.faces = {{0, 1, 2}};
//   o.mesh.mapping = {{0, 0}, {1, 0}, {0, 1}};
//   o.mesh.groups = {{"METAL", {0}}};
//   std::string error;
//   if (!tds::WriteFile(m, "tri.3ds", &error)) { /* error says why */ }
#ifndef PLM_TDS_WRITER_H
#define PLM_TDS_WRITER_H

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "engine/chunk_ids.h"  // tds::ChunkId, shared with the engine's reader

namespace tds {

// Raw chunk builder. Begin/End nest; End writes the chunk's length (header
// and children included). All numbers are little-endian.
class ChunkWriter {
public:
    void Begin(uint16_t id);  // header with a length filled in by End
    void End();               // closes the innermost open chunk
    bool Open() const { return !open_.empty(); }

    void U8(uint8_t v);
    void U16(uint16_t v);
    void U32(uint32_t v);
    void F32(float v);
    void String(std::string_view s);  // the bytes and a terminating zero
    void Bytes(const void* data, size_t size);
    // A chunk with an explicit length field, whatever its real size: for
    // malformed files. Writes the 6-byte header only.
    void Header(uint16_t id, uint32_t length);

    size_t Size() const { return data_.size(); }
    // Overwrites 4 bytes at offset (for example a length already written).
    void PatchU32(size_t offset, uint32_t v);
    const std::vector<uint8_t>& Data() const { return data_; }
    // The bytes written so far; every chunk must be closed.
    std::vector<uint8_t> Take();

private:
    std::vector<uint8_t> data_;
    std::vector<size_t> open_;
};

// A point or direction in the file's axes (z up).
struct Vec3 {
    float x = 0, y = 0, z = 0;
};
// The file point that the engine reads as (x, y, z) in its own y-up axes.
inline Vec3 FromEngineAxes(float x, float y, float z)
{
    return Vec3{x, -z, y};
}

struct UV {
    float u = 0, v = 0;
};

struct Face {
    uint16_t a = 0, b = 0, c = 0;
    uint16_t flags = 0x0007;  // 3D Studio's "all edges visible"
};

// Assigns a material to faces of a mesh (indices into Mesh::faces).
struct MaterialGroup {
    std::string material;
    std::vector<uint16_t> faces;
};

// A material map. Unset fields are not written (readers then use scale 1,
// offset 0); an unset fileName writes a map without MAT_MAPNAME.
struct TextureMap {
    std::optional<std::string> fileName = std::nullopt;
    std::optional<float> uScale = std::nullopt;
    std::optional<float> vScale = std::nullopt;
    std::optional<float> uOffset = std::nullopt;
    std::optional<float> vOffset = std::nullopt;
    std::optional<float> angle = std::nullopt;  // degrees
};

struct Material {
    std::optional<std::string> name;  // unset: MAT_ENTRY without MAT_NAME
    uint8_t ambient[3] = {40, 40, 40};
    uint8_t diffuse[3] = {200, 200, 200};
    uint8_t specular[3] = {230, 230, 230};
    std::optional<TextureMap> texture;  // MAT_TEXMAP
    std::optional<TextureMap> bump;     // MAT_BUMPMAP
};

struct Mesh {
    std::vector<Vec3> vertices;         // at most 65535
    std::vector<Face> faces;            // at most 65535, corners below vertices.size()
    std::vector<UV> mapping;            // empty, or one per vertex
    std::vector<MaterialGroup> groups;  // written in this order
    bool smoothing = true;              // writes SMOOTH_GROUP (group 1 for every face)
};

struct Camera {
    Vec3 position, target;
    float bank = 0;   // degrees
    float lens = 50;  // mm
};

struct Object {
    enum Kind { kMesh, kCamera, kLight };
    Kind kind = kMesh;
    std::string name;  // at most 99 bytes, no zero byte
    Mesh mesh;         // kMesh
    Camera camera;     // kCamera
    Vec3 light;        // kLight: the light's position
};

struct Model {
    std::vector<Material> materials;
    std::vector<Object> objects;
    bool keyframes = false;  // adds a small KFDATA section after MDATA
};

// The whole file, or an empty vector and *error (if given) when the model
// cannot be written as 3D Studio stores it (counts above 65535, corners or
// group faces out of range, mapping count not the vertex count, names
// longer than 99 bytes or holding a zero byte).
std::vector<uint8_t> Write(const Model& model, std::string* error = nullptr);
bool WriteFile(const Model& model, const std::string& path, std::string* error = nullptr);
// Writes bytes to path; false on any I/O error.
bool WriteBytes(const std::vector<uint8_t>& bytes, const std::string& path);

}  // namespace tds

#endif
