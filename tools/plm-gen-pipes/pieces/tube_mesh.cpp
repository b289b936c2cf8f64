#include "pieces/tube_mesh.h"

#include <stdexcept>

namespace pipesgen {

namespace {
constexpr double kPi = 3.14159265358979323846;
}

void RingAxes(Vec3 tangent, Vec3 reference, Vec3* u, Vec3* v)
{
    Vec3 t = Unit(tangent);
    *u = Unit(reference - t * Dot(reference, t));
    *v = Cross(t, *u);
}

size_t TubeMesh::AddRing(const Station& s, int sides)
{
    size_t first = positions_.size();
    int count = s.radius > 0 ? sides : 1;
    for (int j = 0; j < count; ++j) {
        double phi = 2 * kPi * j / sides;
        Vec3 offset = (s.u * std::cos(phi) + s.v * std::sin(phi)) * s.radius;
        positions_.push_back(s.centre + offset);
        mapping_.push_back({static_cast<float>(double(j) / sides), static_cast<float>(s.texV)});
    }
    if (positions_.size() > 65535) throw std::length_error("piece mesh has more than 65535 vertices");
    return first;
}

void TubeMesh::AddTriangle(size_t a, size_t b, size_t c)
{
    if (a == b || b == c || a == c) return;
    faces_.push_back({static_cast<uint16_t>(a), static_cast<uint16_t>(b), static_cast<uint16_t>(c)});
    if (faces_.size() > 65535) throw std::length_error("piece mesh has more than 65535 faces");
}

// One band between two rings: per side the quad A B C D (A, B on the first
// ring) as the triangles A B C and A C D; a ring that is a single point
// collapses one of them, leaving a fan.
void TubeMesh::AddBand(size_t ringA, bool pointA, size_t ringB, bool pointB, int sides)
{
    for (int j = 0; j < sides; ++j) {
        size_t next = static_cast<size_t>((j + 1) % sides);
        size_t a = ringA + (pointA ? 0 : j), b = ringA + (pointA ? 0 : next);
        size_t c = ringB + (pointB ? 0 : next), d = ringB + (pointB ? 0 : j);
        AddTriangle(a, b, c);
        AddTriangle(a, c, d);
    }
}

void TubeMesh::AddStrip(const std::vector<Station>& stations, int sides, bool closed)
{
    std::vector<size_t> rings;
    for (const Station& s : stations) rings.push_back(AddRing(s, sides));
    size_t bands = closed ? stations.size() : stations.size() - 1;
    for (size_t i = 0; i < bands && stations.size() > 1; ++i) {
        size_t k = (i + 1) % stations.size();
        AddBand(rings[i], stations[i].radius <= 0, rings[k], stations[k].radius <= 0, sides);
    }
}

void TubeMesh::AddLathe(const Axis& axis, const std::vector<std::vector<ProfilePoint>>& runs, int sides)
{
    Vec3 u, v;
    RingAxes(axis.direction, axis.reference, &u, &v);
    Vec3 dir = Unit(axis.direction);
    for (const auto& run : runs) {
        std::vector<Station> stations;
        for (const ProfilePoint& p : run)
            stations.push_back({axis.origin + dir * p.along, u, v, p.radius, p.along / 10.0});
        AddStrip(stations, sides);
    }
}

}  // namespace pipesgen
