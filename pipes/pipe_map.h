// CPIPEMAP: the network of pipes of the first scene, read from
// plumora_data/script/pipes_map.plm, grown and drawn once per frame.
//
// Script (labels are single words, read and ignored):
//   label label pipeCount
//   per pipe: label x y z          the pipe's origin in the scene
//             label rx ry rz       its rotation about X, Y, Z in degrees
//             label label n        its number of segments (1 to 65535)
//             n records: type twist   type number (1 to the number of
//                                     pipe types, at most 255), twist in radians
#ifndef PLM_PIPES_PIPE_MAP_H
#define PLM_PIPES_PIPE_MAP_H

#include "pipes/pipe.h"

#include <cstdint>
#include <cstdio>

struct CPIPETYPE;

class CPIPEMAP {
public:
    CPIPE** pipes;       // pipeCount pipes in file order; owned
    uint16_t pipeCount;  // 0 until loaded

    CPIPEMAP();
    ~CPIPEMAP();
    CPIPEMAP(const CPIPEMAP&) = delete;
    CPIPEMAP& operator=(const CPIPEMAP&) = delete;

    // Reads the script at path against the global table pipeTypes.
    void Load(const char* path);
    // Reads the script at path, replacing any pipes loaded before; segments
    // refer to entries of types (typeCount entries). Every accepted pipe is
    // placed and ready to grow from its first segment. Problems are
    // reported on stderr with the script name, pipe and segment number: a
    // missing file or header (or a negative or too large pipe count) loads
    // nothing; a pipe with 0 segments, a type number out of range, a value
    // that is not a number or a position beyond +-1e6 is left out; a
    // missing or short record (counts that do not match the data) ends the
    // network there, keeping the pipes before it; so does data left over
    // after the last pipe. Returns 1 when the whole script loaded, else 0.
    int Load(const char* path, CPIPETYPE* types, uint16_t typeCount);

    // Grows every pipe by frameDelta, the milliseconds since the previous
    // frame, in order.
    void Update(float frameDelta);
    // Draws every pipe, in order; the model-view matrix is returned as found.
    void Draw();

private:
    void Release();
    bool ReadNetwork(FILE* file, const char* path, CPIPETYPE* types, uint16_t typeCount, uint16_t announced);
    PIPEREAD ReadPipes(FILE* file, const char* path, CPIPETYPE* types, uint16_t typeCount,
                       uint16_t announced);
};

#endif
