// TubeMesh: a triangle mesh built from rings swept along a path, as every
// pipe piece is (tube walls, flanges, caps, bolts, wheels).
//
// A ring is a circle of `sides` vertices around a station's centre, in the
// plane spanned by the station's u and v axes (u x v is the sweep direction).
// Consecutive stations of one strip share their rings, so the strip's
// surface is smooth once vertex normals are averaged over faces; separate
// strips share no vertex, which gives hard edges (the rim of a flange).
// A station of radius 0 is a single vertex, closing the strip with a fan.
//
// Faces are emitted strip by strip, band by band from the first station to
// the last, and around each band in ring order: a piece that is revealed
// face by face grows along its path. Corners a, b, c are counter-clockwise
// seen from outside, so face normals point away from the material.
#ifndef PLM_GEN_PIPES_PIECES_TUBE_MESH_H
#define PLM_GEN_PIPES_PIECES_TUBE_MESH_H

#include <array>
#include <cstdint>
#include <vector>

#include "tools/common/vec3.h"

namespace pipesgen {

using tools::Vec3;

struct Station {
    Vec3 centre;
    Vec3 u, v;          // unit axes of the ring plane
    double radius = 0;  // 0: one vertex on the centre
    double texV = 0;    // mapping coordinate along the path
};

// Axes of a ring plane perpendicular to `tangent`, u taken from `reference`
// (which must not be parallel to the tangent).
void RingAxes(Vec3 tangent, Vec3 reference, Vec3* u, Vec3* v);

// Profile point of a surface of revolution: a distance along the axis and a
// radius.
struct ProfilePoint {
    double along = 0;
    double radius = 0;
};

// An axis for surfaces of revolution: origin, direction and ring reference.
struct Axis {
    Vec3 origin;
    Vec3 direction{0, 1, 0};
    Vec3 reference{0, 0, 1};
};

class TubeMesh {
public:
    struct UV {
        float u = 0, v = 0;
    };
    using Face = std::array<uint16_t, 3>;

    // Adds one smooth strip; closed joins the last station back to the first.
    void AddStrip(const std::vector<Station>& stations, int sides, bool closed = false);
    // Adds a surface of revolution along `axis`, one strip per profile run.
    void AddLathe(const Axis& axis, const std::vector<std::vector<ProfilePoint>>& runs, int sides);

    const std::vector<Vec3>& Positions() const { return positions_; }
    const std::vector<UV>& Mapping() const { return mapping_; }
    const std::vector<Face>& Faces() const { return faces_; }

private:
    // First vertex index of the ring made for station s.
    size_t AddRing(const Station& s, int sides);
    void AddBand(size_t ringA, bool pointA, size_t ringB, bool pointB, int sides);
    void AddTriangle(size_t a, size_t b, size_t c);

    std::vector<Vec3> positions_;
    std::vector<UV> mapping_;
    std::vector<Face> faces_;
};

}  // namespace pipesgen

#endif
