// The head as one smooth triangle mesh with shared vertices: a latitude and
// longitude grid of rays cast from HeadCentre() onto the sculpted skin, with
// one vertex at the crown and one at the bottom of the neck. Corners a, b, c
// of every triangle are counter-clockwise seen from outside, so face normals
// computed as (b - a) x (c - a) point out of the head.
#ifndef PLM_GEN_FACE_HEAD_MESH_H
#define PLM_GEN_FACE_HEAD_MESH_H

#include "tools/common/vec3.h"

#include <cstdint>
#include <vector>

namespace face {

using tools::Vec3;

struct Triangle {
    uint32_t a, b, c;
};

struct HeadMesh {
    std::vector<Vec3> vertices;
    std::vector<Triangle> triangles;
};

struct GridSize {
    int rows = 104;     // latitude intervals from crown to neck (>= 2)
    int columns = 168;  // longitude intervals around the head (>= 3)
};

// (rows - 1) * columns + 2 vertices and 2 * columns * (rows - 1) triangles.
HeadMesh BuildHeadMesh(GridSize size);

// Distance from origin along the unit direction dir to the outermost point
// of the skin, searched from maxDistance inwards; 0 when the ray meets none.
double CastToSkin(Vec3 origin, Vec3 dir, double maxDistance);

}  // namespace face

#endif
