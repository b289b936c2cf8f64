// The pipes network as the map script describes it: pipes standing at a
// position, turned by rotations about X, Y and Z (degrees, applied to the
// pipe in the order Z, Y, X), each a chain of pieces given by a 0-based
// index into the piece catalog and a twist (radians) about the piece's own
// inlet axis. Values are held as the 32-bit floats the scene reads back.
#ifndef PLM_GEN_PIPES_NETWORK_NETWORK_H
#define PLM_GEN_PIPES_NETWORK_NETWORK_H

#include <vector>

namespace pipesgen {

struct SegmentRecord {
    int type = 0;  // 0-based; the script stores type + 1
    float twist = 0;
};

struct PipeRecord {
    float position[3] = {0, 0, 0};
    float rotation[3] = {0, 0, 0};
    std::vector<SegmentRecord> segments;
};

struct Network {
    std::vector<PipeRecord> pipes;
};

}  // namespace pipesgen

#endif
