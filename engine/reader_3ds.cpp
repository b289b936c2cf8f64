// The 3D Studio reader: a flat walk over the file's chunks.
//
// The walk (ReadChunks) only frames chunks: it reads one chunk header after
// another, limits the cursor to the chunk and hands it to the handler of its
// id. A handler reads its chunk into the records and says whether the walk
// goes on with the chunk's children or after its end; a chunk without a
// handler is skipped whole with all its children.
//
// Against malformed files the framing keeps the end of every chunk whose
// children it is reading: a chunk whose length is below 6 or runs past its
// parent (or the file) ends the walk, keeping what was read. A handler never
// reads past its own chunk's end (the cursor's limit), so counts larger than
// what the chunk holds give only the entries that are there.
#include <algorithm>
#include <vector>

#include "chunk_cursor.h"
#include "chunk_ids.h"
#include "object3d_impl.h"

namespace {

// The name buffer holds 100 bytes with the terminator.
constexpr size_t kMaxNameChars = 99;

// What the walk reads into: the object and the records that later chunks
// add to (each null until its chunk has been read).
struct CREADSTATE {
    COBJECT3DIMPL& object;
    CChunkCursor& in;  // limited to the chunk being handled
    CMESH* mesh = nullptr;
    CMATERIAL* material = nullptr;
    CTEXMAP* texMap = nullptr;  // the current material's, once it has one
};

// Reads the chunk at state.in; returns true when the walk is to read the
// chunk's children next, false when it goes on after the chunk's end.
using ChunkHandler = bool (*)(CREADSTATE& state);

// The ends of the chunks whose children are being read, and the header of
// the chunk being handled.
class CChunkFrames {
public:
    CChunkFrames(CChunkCursor& in, size_t fileEnd) : in_(in), fileEnd_(fileEnd) {}

    // Reads the next header inside the innermost open chunk and limits the
    // cursor to that chunk. False when the walk ends: at the end of the file,
    // or at a chunk whose length is below the header's or runs past its
    // parent.
    bool Next(uint16_t* id)
    {
        size_t parentEnd = ParentEnd();
        in_.SetLimit(parentEnd);
        size_t start = in_.Pos();
        if (parentEnd - start < tds::kChunkHeaderSize) return false;  // no room for a header
        *id = in_.U16();
        uint32_t length = in_.U32();
        if (length < tds::kChunkHeaderSize || length > parentEnd - start) return false;
        end_ = start + length;
        in_.SetLimit(end_);
        return true;
    }
    // The walk goes on with the current chunk's children.
    void Enter() { parentEnds_.push_back(end_); }
    // The walk goes on after the current chunk.
    void Leave() { in_.Seek(end_); }

private:
    // Closes the chunks whose end has been reached; returns the end of the
    // innermost one left open, or the file's end.
    size_t ParentEnd()
    {
        while (!parentEnds_.empty() && in_.Pos() >= parentEnds_.back()) parentEnds_.pop_back();
        return parentEnds_.empty() ? fileEnd_ : parentEnds_.back();
    }

    CChunkCursor& in_;
    size_t fileEnd_;
    size_t end_ = 0;
    std::vector<size_t> parentEnds_;
};

// --- Containers ---------------------------------------------------------------

// MDATA, N_TRI_OBJECT: no data of their own.
bool ReadChildren(CREADSTATE&)
{
    return true;
}

// NAMED_OBJECT: a new mesh, named by the chunk's string; its parts follow.
bool ReadNamedObject(CREADSTATE& s)
{
    s.mesh = s.object.meshes.Create();
    s.mesh->owner = &s.object;
    s.mesh->name = s.in.String(kMaxNameChars);
    return true;
}

// MAT_ENTRY: a new material. Map chunks that follow need its own MAT_TEXMAP.
bool ReadMaterialEntry(CREADSTATE& s)
{
    s.material = s.object.materials.Create();
    s.texMap = nullptr;
    return true;
}

// MAT_TEXMAP: the current material's texture map; its parameters follow.
bool ReadTextureMap(CREADSTATE& s)
{
    if (!s.material) return false;
    s.material->texMap = std::make_unique<CTEXMAP>();
    s.texMap = s.material->texMap.get();
    return true;
}

// --- Mesh parts ---------------------------------------------------------------

// POINT_ARRAY: file (x, y, z) with z up becomes (x, z, -y) with y up. Only
// the whole points that the chunk holds are kept.
bool ReadPointArray(CREADSTATE& s)
{
    if (!s.mesh) return false;
    uint16_t count = s.in.U16();
    size_t n = std::min<size_t>(count, s.in.Left() / 12);
    s.mesh->SetVertexCount(static_cast<uint16_t>(n));
    for (size_t i = 0; i < n; ++i) {
        float x = s.in.F32(), y = s.in.F32(), z = s.in.F32();
        float* p = s.mesh->vertices[i].position;
        p[0] = x;
        p[1] = z;
        p[2] = -y;
    }
    return false;
}

// FACE_ARRAY: only the whole faces that the chunk holds are kept; the
// children (material and smoothing groups) follow only when all were there.
bool ReadFaceArray(CREADSTATE& s)
{
    if (!s.mesh) return false;
    uint16_t count = s.in.U16();
    size_t n = std::min<size_t>(count, s.in.Left() / 8);
    s.mesh->SetFaceCount(static_cast<uint16_t>(n));
    for (size_t i = 0; i < n; ++i) {
        CFACE& f = s.mesh->faces[i];
        f.a = s.in.U16();
        f.b = s.in.U16();
        f.c = s.in.U16();
        f.flags = s.in.U16();
    }
    return n == count;
}

// MSH_MAT_GROUP: the group's face indices are not used; the whole mesh gets
// the material of its last group.
bool ReadMaterialGroup(CREADSTATE& s)
{
    if (s.mesh) s.mesh->materialName = s.in.String(kMaxNameChars);
    return false;
}

// TEX_VERTS: every vertex gets a mapping coordinate; the first ones get the
// chunk's pairs, as many as both the chunk and the vertex array hold.
bool ReadTexVerts(CREADSTATE& s)
{
    if (!s.mesh || s.mesh->vertexCount == 0) return false;
    uint16_t count = s.in.U16();
    s.mesh->AddTexCoords();
    size_t n = std::min<size_t>({count, s.mesh->vertexCount, s.in.Left() / 8});
    for (size_t i = 0; i < n; ++i) {
        float* t = s.mesh->vertices[i].texCoord;
        t[0] = s.in.F32();
        t[1] = s.in.F32();
    }
    return false;
}

// --- Material parts -----------------------------------------------------------

bool ReadMaterialName(CREADSTATE& s)
{
    if (s.material) s.material->name = s.in.String(kMaxNameChars);
    return false;
}

bool ReadMapName(CREADSTATE& s)
{
    if (s.texMap) s.texMap->fileName = s.in.String(kMaxNameChars);
    return false;
}

// MAT_MAP_USCALE, _VSCALE, _UOFFSET, _VOFFSET: one float each.
template <float CTEXMAP::*field>
bool ReadMapFloat(CREADSTATE& s)
{
    if (s.texMap) s.texMap->*field = s.in.F32();
    return false;
}

// --- Dispatch -----------------------------------------------------------------

struct CHANDLERENTRY {
    uint16_t id;
    ChunkHandler read;
};

// Every chunk not listed is skipped whole (MAT_MAP_ANG among them: the format
// gives it, nothing uses it).
constexpr CHANDLERENTRY kHandlers[] = {
    {tds::kMdata, ReadChildren},
    {tds::kNamedObject, ReadNamedObject},
    {tds::kNTriObject, ReadChildren},
    {tds::kPointArray, ReadPointArray},
    {tds::kFaceArray, ReadFaceArray},
    {tds::kMshMatGroup, ReadMaterialGroup},
    {tds::kTexVerts, ReadTexVerts},
    {tds::kMatEntry, ReadMaterialEntry},
    {tds::kMatName, ReadMaterialName},
    {tds::kMatTexmap, ReadTextureMap},
    {tds::kMatMapname, ReadMapName},
    {tds::kMatMapUScale, ReadMapFloat<&CTEXMAP::uScale>},
    {tds::kMatMapVScale, ReadMapFloat<&CTEXMAP::vScale>},
    {tds::kMatMapUOffset, ReadMapFloat<&CTEXMAP::uOffset>},
    {tds::kMatMapVOffset, ReadMapFloat<&CTEXMAP::vOffset>},
};

// Hands the chunk to its handler; false for chunks that have none.
bool ReadChunk(CREADSTATE& state, uint16_t id)
{
    for (const CHANDLERENTRY& entry : kHandlers)
        if (entry.id == id) return entry.read(state);
    return false;
}

}  // namespace

int COBJECT3DIMPL::ReadChunks(const uint8_t* data, size_t size)
{
    CChunkCursor in(data, size);
    if (in.U16() != tds::kM3dMagic || in.Ended()) return 0;
    in.Skip(4);  // the signature chunk's length: the walk runs to the end of the file

    CREADSTATE state{*this, in};
    CChunkFrames frames(in, size);
    uint16_t id = 0;
    while (frames.Next(&id)) {
        if (ReadChunk(state, id))
            frames.Enter();
        else
            frames.Leave();
    }
    return 1;
}
