// CPIPE: one pipe of the network, a chain of pieces that grows piece by piece.
//
// Growth: the growing segment (index grownCount) is first traced as a dim
// green line strip through the corners of its faces (phase 0), then filled
// with solid, sphere-mapped metal faces (phase 1); then it counts as grown
// and the next segment starts. progress counts the faces revealed in the
// current phase and grows by GROWTH_RATE faces per millisecond
// (pipe_growth.h).
#ifndef PLM_PIPES_PIPE_H
#define PLM_PIPES_PIPE_H

#include "pipes/pipe_growth.h"
#include "pipes/pipe_segment.h"

#include <cstdint>
#include <cstdio>

struct CPIPETYPE;
struct CVERTEX;
struct CFACE;

// Multiple of the vertex normal added to each traced corner.
const float TRACE_INSET = -0.5f;

// Where the map reader is, for messages: script name and pipe number.
struct CMAPPLACE {
    const char* script;
    unsigned pipe;  // 1-based
};

// What CPIPE::Read made of a pipe's records.
enum PIPEREAD {
    PIPE_READ_OK,       // the pipe is complete and placed
    PIPE_READ_REFUSED,  // bad values, but the script can be read on after it
    PIPE_READ_BROKEN,   // a record is missing or short: nothing after it fits
};

class CPIPE {
public:
    CPIPESEGMENT* segments;  // segmentCount pieces in growth order; owned
    uint16_t segmentCount;
    CPIPETYPE* types;     // the type table (pipeTypes); not owned
    uint16_t typeCount;   // entries of types
    uint16_t grownCount;  // segments fully grown = index of the growing one
    // Mesh view: mesh 0 of the growing segment's model; stale once complete.
    uint16_t vertexCount;
    uint16_t faceCount;
    CVERTEX* vertices;
    CFACE* faces;
    float progress;    // faces revealed in the current phase
    uint32_t texture;  // mesh view: GL texture of the mesh, 0 = none
    uint8_t phase;     // 0 tracing, 1 filling
    CVECTOR position;  // the pipe's origin in the scene
    CVECTOR rotation;  // degrees about X, Y and Z, applied in that order

    // An empty pipe that refers to a type table of typeCount entries.
    CPIPE(CPIPETYPE* typeTable, uint16_t typeCount);
    ~CPIPE();
    CPIPE(const CPIPE&) = delete;
    CPIPE& operator=(const CPIPE&) = delete;

    // Reads the pipe's records at the file's position: "label x y z",
    // "label rx ry rz", "label label n", then n records "type twist".
    // Creates the segments, takes the mesh view of segment 0 and places
    // every piece (BuildPaths). Problems are reported on stderr with the
    // script name, pipe number and segment number. A pipe with 0 segments,
    // a type number outside 1 to min(typeCount, 255), a twist or rotation
    // that is not a number, or a position that is not a number or lies
    // beyond MAX_SCRIPT_COORDINATE (scene_bounds.h) is refused after its
    // records are read; a missing or short record, or a segment count that
    // is negative or above 65535, breaks the script. Counts and type numbers
    // are reported as the script wrote them, sign included.
    PIPEREAD Read(FILE* file, const CMAPPLACE& place);
    // Allocates room for count segments (no pieces yet); false without memory.
    bool AllocateSegments(uint16_t count);
    // Makes segment index of type number typeNumber (1-based) with twist in
    // radians. Returns 0, changing nothing, when index is not below
    // segmentCount or typeNumber is 0, above 255 or above typeCount.
    int AddSegment(unsigned typeNumber, float twist, uint16_t index);
    // Starts growth: grownCount, progress and phase 0, mesh view of segment 0.
    void StartGrowth();

    // Copies every segment's type exit offset and direction (model coordinates).
    void CopyExits();
    // Lays the pieces end to end by the rule of pipe_placement.h: each at
    // the previous outlet, its +Y axis turned onto the previous exit
    // direction by the shortest rotation, with its own twist about +Y first.
    // Fills position, orientation and the exits (in pipe coordinates) of
    // every segment.
    void BuildPaths();

    // Grows by frameDelta, the milliseconds since the previous frame. At
    // most one phase step per call; a delta that is 0, negative or not a
    // number changes nothing, and so does any update of a complete pipe.
    void Update(float frameDelta);
    // Makes the growing segment grown and starts the next one.
    void Advance();

    // Draws the grown pieces solid and the growing one traced or filling.
    // The model-view matrix is returned as found (up to rounding) by
    // applying inverse transforms; other GL state is left as drawing left it.
    void Draw();
    // The first n faces of the mesh view (at most faceCount) as one line strip.
    void DrawTrace(uint16_t n);
    // Segment i (below segmentCount) solid, lit and sphere-mapped.
    void DrawPiece(uint16_t i);

private:
    bool ReadSegments(FILE* file, const CMAPPLACE& place, bool& refused);
    void TakeMeshView();
    void DrawGrowing();
    // Segment i solid, in full or (far) from its type's far piece list,
    // which the caller has checked exists.
    void DrawSolid(uint16_t i, bool far);
    void DrawFilling();
};

#endif
