#include "pieces/catalog.h"

#include <cmath>

#include "pieces/shapes.h"

namespace pipesgen {

const char* const kPieceMaterial = "PIPE_METAL";
const char* const kPieceTexture = "pipe_rust.jpg";

namespace {

constexpr double kWall = kTubeRadius + 0.15;  // the wall with its weld beads

Capsule Along(double from, double to, double radius)
{
    return Capsule{{0, from, 0}, {0, to, 0}, radius};
}

// The elbow: both legs and its quarter circle (centre (3, 7, 0), radius 3)
// in four chords, widened by the chords' sagitta.
std::vector<Capsule> ElbowEnvelope()
{
    std::vector<Capsule> out{Along(0, 7, kWall)};
    const double pi = 3.14159265358979323846;
    for (int i = 0; i < 4; ++i) {
        double a0 = pi / 8 * i, a1 = pi / 8 * (i + 1);
        out.push_back({{3 - 3 * std::cos(a0), 7 + 3 * std::sin(a0), 0},
                       {3 - 3 * std::cos(a1), 7 + 3 * std::sin(a1), 0},
                       kWall + 3 * (1 - std::cos(pi / 16))});
    }
    out.push_back({{3, 10, 0}, {10, 10, 0}, kWall});
    return out;
}

PieceType Make(const char* name, Vec3 exitOffset, Vec3 exitDirection, std::vector<Capsule> envelope,
               void (*build)(TubeMesh&, Detail))
{
    PieceType t;
    t.name = name;
    t.fileName = std::string("pipe_") + name + ".3ds";
    t.exitOffset = exitOffset;
    t.exitDirection = exitDirection;
    t.envelope = std::move(envelope);
    build(t.mesh, Detail::Full);
    build(t.farMesh, Detail::Far);
    return t;
}

}  // namespace

std::vector<PieceType> BuildPieceCatalog()
{
    const Vec3 up{0, 1, 0};
    std::vector<PieceType> types;
    types.push_back(Make("straight", {0, 10, 0}, up, {Along(0, 10, kWall)}, BuildStraight));
    types.push_back(Make("elbow", {10, 10, 0}, {1, 0, 0}, ElbowEnvelope(), BuildElbow));
    types.push_back(
        Make("flanges", {0, 10, 0}, up, {Along(0, 10, kWall), Along(3.5, 6.5, 3.41)}, BuildFlanges));
    types.push_back(Make("valve", {0, 20, 0}, up,
                         {Along(0, 20, kWall), Along(2, 18, 3.31), Capsule{{3.9, 10, 0}, {3.9, 10, 0}, 1.75}},
                         BuildValve));
    types.push_back(Make("bellows", {0, 10, 0}, up, {Along(0, 10, 2.66)}, BuildBellows));
    types.push_back(Make("tee", {0, 10, 0}, up,
                         {Along(0, 10, kWall), Capsule{{2.2, 5, 0}, {2.2, 5, 0}, 2.65}}, BuildTee));
    return types;
}

}  // namespace pipesgen
