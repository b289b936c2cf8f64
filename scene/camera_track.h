// CCAMTRACK: one track of the camera path, an eye spline and a target
// spline with the same key times (each keeps its own copy of the times).
// Not copyable; destruction releases the target keys, then the eye keys.
#ifndef PLM_SCENE_CAMERA_TRACK_H
#define PLM_SCENE_CAMERA_TRACK_H

#include <cstdint>

#include "scene/spline.h"

class CCAMTRACK {
public:
    CSPLINE eyePath;
    CSPLINE targetPath;

    CCAMTRACK() = default;
    ~CCAMTRACK();
    CCAMTRACK(const CCAMTRACK&) = delete;
    CCAMTRACK& operator=(const CCAMTRACK&) = delete;

    // Makes room for count keys in both splines; 0 (no keys) if memory runs out.
    int Allocate(uint32_t count);
    // Stores key index of both splines at the same time.
    void SetKey(uint32_t index, CVECTOR eye, CVECTOR target, uint32_t time);
    // Keeps only the first count keys of both splines.
    void Truncate(uint32_t count);
};

#endif
