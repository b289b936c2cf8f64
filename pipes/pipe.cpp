#include "pipes/pipe.h"

#include "pipes/piece_mesh.h"
#include "pipes/pipe_types.h"
#include "pipes/scene_bounds.h"

#include <cmath>
#include <new>

namespace {

// Type numbers are held in 8 bits.
const unsigned MAX_TYPE_NUMBER = 255;
// Segment counts are held in 16 bits.
const unsigned MAX_SEGMENTS = 65535;

bool Finite(const CVECTOR& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

bool ReadVector(FILE* file, CVECTOR& v)
{
    return std::fscanf(file, "%*s %f %f %f", &v.x, &v.y, &v.z) == 3;
}

// Reads the position and rotation records; reports a missing one.
bool ReadPlacement(FILE* file, const CMAPPLACE& place, CVECTOR& position, CVECTOR& rotation)
{
    if (!ReadVector(file, position)) {
        std::fprintf(stderr,
                     "%s: pipe %u: the position record (label x y z) is missing or short; "
                     "the pipe count does not match the data\n",
                     place.script, place.pipe);
        return false;
    }
    if (!ReadVector(file, rotation)) {
        std::fprintf(stderr, "%s: pipe %u: the rotation record (label x y z) is missing or short\n",
                     place.script, place.pipe);
        return false;
    }
    return true;
}

// Reads the segment count record; false (reported) when it is missing,
// negative or larger than a pipe holds. The count is read with its sign so
// that the message shows it as the script wrote it.
bool ReadSegmentCount(FILE* file, const CMAPPLACE& place, unsigned& count)
{
    long long announced = 0;
    if (std::fscanf(file, "%*s %*s %lld", &announced) != 1) {
        std::fprintf(stderr,
                     "%s: pipe %u: the segment count record (label label n) is missing "
                     "or short\n",
                     place.script, place.pipe);
        return false;
    }
    if (announced < 0 || announced > MAX_SEGMENTS) {
        std::fprintf(stderr, "%s: pipe %u: %lld segments is outside 0 to %u\n", place.script, place.pipe,
                     announced, MAX_SEGMENTS);
        return false;
    }
    count = static_cast<unsigned>(announced);
    return true;
}

// Refuses (reported) a position that is not a number or lies out of the
// scene's bounds, and a rotation that is not a number.
bool PlacementUsable(const CMAPPLACE& place, const CVECTOR& position, const CVECTOR& rotation)
{
    if (!WithinSceneBounds(position)) {
        std::fprintf(stderr,
                     "%s: pipe %u: the position (%g, %g, %g) is not a number or lies "
                     "beyond +-%g; pipe left out\n",
                     place.script, place.pipe, position.x, position.y, position.z, MAX_SCRIPT_COORDINATE);
        return false;
    }
    if (!Finite(rotation)) {
        std::fprintf(stderr,
                     "%s: pipe %u: the rotation (%g, %g, %g) is not a number; "
                     "pipe left out\n",
                     place.script, place.pipe, rotation.x, rotation.y, rotation.z);
        return false;
    }
    return true;
}

void ReportBadType(const CMAPPLACE& place, unsigned segment, long long typeNumber, unsigned highest)
{
    if (highest == 0) {
        std::fprintf(stderr,
                     "%s: pipe %u, segment %u: type %lld, but there are no pipe types; "
                     "pipe left out\n",
                     place.script, place.pipe, segment, typeNumber);
        return;
    }
    std::fprintf(stderr,
                 "%s: pipe %u, segment %u: type %lld is not a pipe type (1 to %u); "
                 "pipe left out\n",
                 place.script, place.pipe, segment, typeNumber, highest);
}

}  // namespace

CPIPE::CPIPE(CPIPETYPE* typeTable, uint16_t tableSize)
    : segments(nullptr),
      segmentCount(0),
      types(typeTable),
      typeCount(tableSize),
      grownCount(0),
      vertexCount(0),
      faceCount(0),
      vertices(nullptr),
      faces(nullptr),
      progress(0.0f),
      texture(0),
      phase(0),
      position{0.0f, 0.0f, 0.0f},
      rotation{0.0f, 0.0f, 0.0f}
{
}

CPIPE::~CPIPE()
{
    delete[] segments;
}

bool CPIPE::AllocateSegments(uint16_t count)
{
    delete[] segments;
    segmentCount = 0;
    segments = new (std::nothrow) CPIPESEGMENT[count]();
    if (segments == nullptr) {
        return false;
    }
    segmentCount = count;
    return true;
}

int CPIPE::AddSegment(unsigned typeNumber, float twist, uint16_t index)
{
    if (index >= segmentCount || typeNumber == 0 || typeNumber > MAX_TYPE_NUMBER || typeNumber > typeCount) {
        return 0;
    }
    CPIPESEGMENT& segment = segments[index];
    segment.twist = twist;
    segment.type = &types[typeNumber - 1];
    return 1;
}

void CPIPE::TakeMeshView()
{
    CPIECEMESH mesh = GetPieceMesh(segments[grownCount].type);
    vertexCount = mesh.vertexCount;
    faceCount = mesh.faceCount;
    vertices = mesh.vertices;
    faces = mesh.faces;
    texture = mesh.texture;
}

void CPIPE::StartGrowth()
{
    grownCount = 0;
    progress = 0.0f;
    phase = 0;
    if (segmentCount > 0) {
        TakeMeshView();
    }
}

// Reads segmentCount records "type twist"; false when one is missing.
// refused turns true for a type number or twist that cannot be used.
bool CPIPE::ReadSegments(FILE* file, const CMAPPLACE& place, bool& refused)
{
    unsigned highest = typeCount < MAX_TYPE_NUMBER ? typeCount : MAX_TYPE_NUMBER;
    for (uint16_t i = 0; i < segmentCount; ++i) {
        long long typeNumber = 0;  // signed, so that a message shows it as written
        float twist = 0.0f;
        if (std::fscanf(file, "%lld %f", &typeNumber, &twist) != 2) {
            std::fprintf(stderr,
                         "%s: pipe %u, segment %u: the record (type twist) is missing or "
                         "short; the segment count %u does not match the data\n",
                         place.script, place.pipe, i + 1u, segmentCount);
            return false;
        }
        if (!std::isfinite(twist)) {
            std::fprintf(stderr, "%s: pipe %u, segment %u: the twist is not a number; pipe left out\n",
                         place.script, place.pipe, i + 1u);
            refused = true;
        } else if (typeNumber < 0 || typeNumber > MAX_TYPE_NUMBER ||
                   !AddSegment(static_cast<unsigned>(typeNumber), twist, i)) {
            ReportBadType(place, i + 1u, typeNumber, highest);
            refused = true;
        }
    }
    return true;
}

PIPEREAD CPIPE::Read(FILE* file, const CMAPPLACE& place)
{
    unsigned count = 0;
    if (!ReadPlacement(file, place, position, rotation) || !ReadSegmentCount(file, place, count)) {
        return PIPE_READ_BROKEN;
    }
    if (!AllocateSegments(static_cast<uint16_t>(count))) {
        std::fprintf(stderr, "%s: pipe %u: out of memory for %u segments\n", place.script, place.pipe, count);
        return PIPE_READ_BROKEN;
    }
    bool refused = false;
    if (!ReadSegments(file, place, refused)) {
        return PIPE_READ_BROKEN;
    }
    if (count == 0) {
        std::fprintf(stderr, "%s: pipe %u has no segments; pipe left out\n", place.script, place.pipe);
        return PIPE_READ_REFUSED;
    }
    if (!PlacementUsable(place, position, rotation)) {
        return PIPE_READ_REFUSED;
    }
    if (refused) {
        return PIPE_READ_REFUSED;
    }
    StartGrowth();
    BuildPaths();
    return PIPE_READ_OK;
}
