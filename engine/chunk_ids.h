// Chunk ids of the 3D Studio (.3ds) format: those the engine's reader handles
// and those the model writer (tools/tds_writer) produces. Private to the
// engine and the tools that write models; not part of the engine's interface.
//
// A chunk is a 6-byte header (id: 2 bytes, length: 4 bytes, little-endian,
// the length counting the header and all children) and its data and children.
#ifndef PLM_ENGINE_CHUNK_IDS_H
#define PLM_ENGINE_CHUNK_IDS_H

#include <cstddef>
#include <cstdint>

namespace tds {

constexpr size_t kChunkHeaderSize = 6;

enum ChunkId : uint16_t {
    kM3dVersion = 0x0002,
    kColor24 = 0x0011,
    kIntPercentage = 0x0030,
    kMasterScale = 0x0100,
    kMdata = 0x3D3D,
    kMeshVersion = 0x3D3E,
    kNamedObject = 0x4000,
    kNTriObject = 0x4100,
    kPointArray = 0x4110,
    kFaceArray = 0x4120,
    kMshMatGroup = 0x4130,
    kTexVerts = 0x4140,
    kSmoothGroup = 0x4150,
    kMeshMatrix = 0x4160,
    kNDirectLight = 0x4600,
    kNCamera = 0x4700,
    kM3dMagic = 0x4D4D,
    kMatName = 0xA000,
    kMatAmbient = 0xA010,
    kMatDiffuse = 0xA020,
    kMatSpecular = 0xA030,
    kMatTexmap = 0xA200,
    kMatBumpmap = 0xA230,
    kMatMapname = 0xA300,
    kMatMapTiling = 0xA351,
    kMatMapUScale = 0xA354,
    kMatMapVScale = 0xA356,
    kMatMapUOffset = 0xA358,
    kMatMapVOffset = 0xA35A,
    kMatMapAng = 0xA35C,
    kMatEntry = 0xAFFF,
    kKfdata = 0xB000,
    kKfseg = 0xB008,
    kKfhdr = 0xB00A,
};

}  // namespace tds

#endif
