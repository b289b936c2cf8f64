// The 3D Studio reader: a flat walk over the file's chunks.
//
// The walk reads one chunk header after another. For a chunk whose children
// it wants it reads the chunk's own data (if any) and goes on with the first
// child; a chunk that it handles is read and left at its end; every other
// chunk is skipped whole with all its children.
//
// Against malformed files the walk keeps the end of every chunk whose
// children it is reading: a chunk whose length is below 6 or runs past its
// parent (or the file) ends the walk, keeping what was read; a handled chunk
// never reads past its own end, so counts larger than what the chunk holds
// give only the entries that are there.
#include <algorithm>
#include <vector>

#include "chunk_cursor.h"
#include "object3d_impl.h"

namespace {

enum : uint16_t {
    M3DMAGIC = 0x4D4D,
    MDATA = 0x3D3D,
    NAMED_OBJECT = 0x4000,
    N_TRI_OBJECT = 0x4100,
    POINT_ARRAY = 0x4110,
    FACE_ARRAY = 0x4120,
    MSH_MAT_GROUP = 0x4130,
    TEX_VERTS = 0x4140,
    MAT_ENTRY = 0xAFFF,
    MAT_NAME = 0xA000,
    MAT_TEXMAP = 0xA200,
    MAT_MAPNAME = 0xA300,
    MAT_MAP_USCALE = 0xA354,
    MAT_MAP_VSCALE = 0xA356,
    MAT_MAP_UOFFSET = 0xA358,
    MAT_MAP_VOFFSET = 0xA35A,
    MAT_MAP_ANG = 0xA35C,
};

constexpr size_t kHeaderSize = 6;
// The name buffer holds 100 bytes with the terminator.
constexpr size_t kMaxNameChars = 99;

// POINT_ARRAY: file (x, y, z) with z up becomes (x, z, -y) with y up.
void ReadPoints(CChunkCursor& in, CMESH& mesh)
{
    uint16_t count = in.U16();
    size_t n = std::min<size_t>(count, in.Left() / 12);
    mesh.SetVertexCount(static_cast<uint16_t>(n));
    for (size_t i = 0; i < n; ++i) {
        float x = in.F32(), y = in.F32(), z = in.F32();
        float* p = mesh.vertices[i].position;
        p[0] = x;
        p[1] = z;
        p[2] = -y;
    }
}

// FACE_ARRAY: returns true when the face data was whole, so that the
// chunk's children (material and smoothing groups) can follow.
bool ReadFaces(CChunkCursor& in, CMESH& mesh)
{
    uint16_t count = in.U16();
    size_t n = std::min<size_t>(count, in.Left() / 8);
    mesh.SetFaceCount(static_cast<uint16_t>(n));
    for (size_t i = 0; i < n; ++i) {
        CFACE& f = mesh.faces[i];
        f.a = in.U16();
        f.b = in.U16();
        f.c = in.U16();
        f.flags = in.U16();
    }
    return n == count;
}

// TEX_VERTS: every vertex gets a mapping coordinate; the first ones get the
// chunk's pairs, as many as both the chunk and the vertex array hold.
void ReadTexVerts(CChunkCursor& in, CMESH& mesh)
{
    uint16_t count = in.U16();
    mesh.AddTexCoords();
    size_t n = std::min<size_t>({count, mesh.vertexCount, in.Left() / 8});
    for (size_t i = 0; i < n; ++i) {
        float* t = mesh.vertices[i].texCoord;
        t[0] = in.F32();
        t[1] = in.F32();
    }
}

}  // namespace

int COBJECT3DIMPL::ReadChunks(const uint8_t* data, size_t size)
{
    CChunkCursor in(data, size);
    if (in.U16() != M3DMAGIC || in.Ended()) return 0;
    in.Skip(4);  // the signature chunk's length: the walk runs to the end of the file

    CMESH* mesh = nullptr;
    CMATERIAL* material = nullptr;
    CTEXMAP* texMap = nullptr;
    std::vector<size_t> parentEnds;  // ends of the chunks whose children are read

    while (true) {
        while (!parentEnds.empty() && in.Pos() >= parentEnds.back()) parentEnds.pop_back();
        size_t parentEnd = parentEnds.empty() ? size : parentEnds.back();
        in.SetLimit(parentEnd);
        size_t start = in.Pos();
        if (parentEnd - start < kHeaderSize) break;  // end of the file, or no room for a header
        uint16_t id = in.U16();
        uint32_t length = in.U32();
        if (length < kHeaderSize || length > parentEnd - start) break;
        size_t end = start + length;
        in.SetLimit(end);

        bool descend = false;
        switch (id) {
            case MDATA:
            case N_TRI_OBJECT:
                descend = true;
                break;
            case NAMED_OBJECT:
                mesh = meshes.Create();
                mesh->owner = this;
                mesh->name = in.String(kMaxNameChars);
                descend = true;
                break;
            case POINT_ARRAY:
                if (mesh) ReadPoints(in, *mesh);
                break;
            case FACE_ARRAY:
                if (mesh) descend = ReadFaces(in, *mesh);
                break;
            case MSH_MAT_GROUP:
                // The group's face indices are not used: the whole mesh gets the
                // material of its last group.
                if (mesh) mesh->materialName = in.String(kMaxNameChars);
                break;
            case TEX_VERTS:
                if (mesh && mesh->vertexCount > 0) ReadTexVerts(in, *mesh);
                break;
            case MAT_ENTRY:
                material = materials.Create();
                texMap = nullptr;  // map chunks of this material need its own MAT_TEXMAP
                descend = true;
                break;
            case MAT_NAME:
                if (material) material->name = in.String(kMaxNameChars);
                break;
            case MAT_TEXMAP:
                if (material) {
                    material->texMap = std::make_unique<CTEXMAP>();
                    texMap = material->texMap.get();
                    descend = true;
                }
                break;
            case MAT_MAPNAME:
                if (texMap) texMap->fileName = in.String(kMaxNameChars);
                break;
            case MAT_MAP_USCALE:
                if (texMap) texMap->uScale = in.F32();
                break;
            case MAT_MAP_VSCALE:
                if (texMap) texMap->vScale = in.F32();
                break;
            case MAT_MAP_UOFFSET:
                if (texMap) texMap->uOffset = in.F32();
                break;
            case MAT_MAP_VOFFSET:
                if (texMap) texMap->vOffset = in.F32();
                break;
            case MAT_MAP_ANG:  // read by the format, used by nothing
            default:
                break;
        }
        if (descend)
            parentEnds.push_back(end);
        else
            in.Seek(end);
    }
    return 1;
}
