#include "pieces/shapes.h"

#include <algorithm>
#include <cmath>

#include "pieces/catalog.h"

namespace pipesgen {

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double R = kTubeRadius;
using Run = std::vector<ProfilePoint>;

bool Far(Detail detail)
{
    return detail == Detail::Far;
}

// Sides around a ring: half of the full piece's when far, never below 4.
int Sides(Detail detail, int full)
{
    return Far(detail) ? std::max(4, full / 2) : full;
}

// Bands of a wall: one when far, where a straight wall needs no more.
int WallBands(Detail detail, int full)
{
    return Far(detail) ? 1 : full;
}

void Append(Run& run, const Run& more)
{
    for (const ProfilePoint& p : more)
        if (run.empty() || run.back().along != p.along || run.back().radius != p.radius) run.push_back(p);
}

// Tube wall from `from` to `to` at radius r, in `bands` equal bands.
Run Wall(double from, double to, double r, int bands)
{
    Run run;
    for (int i = 0; i <= bands; ++i) run.push_back({from + (to - from) * i / bands, r});
    return run;
}

// A weld bead: a low bump of the wall, 0.7 long, starting at `at` and
// running towards +Y (sense 1) or -Y (sense -1); a single ridge when far.
Run Bead(double at, double sense, Detail detail)
{
    const double full[][2] = {{0, R}, {0.15, R + 0.1}, {0.35, R + 0.14}, {0.55, R + 0.1}, {0.7, R}};
    const double far[][2] = {{0, R}, {0.35, R + 0.14}, {0.7, R}};
    Run run;
    if (Far(detail)) {
        for (const auto& s : far) run.push_back({at + sense * s[0], s[1]});
    } else {
        for (const auto& s : full) run.push_back({at + sense * s[0], s[1]});
    }
    if (sense < 0) return Run(run.rbegin(), run.rend());
    return run;
}

// Tube wall with beads at both ends.
Run BeadedWall(double from, double to, int bands, Detail detail)
{
    Run run = Bead(from, 1, detail);
    Append(run, Wall(from + 0.7, to - 0.7, R, WallBands(detail, bands)));
    Append(run, Bead(to, -1, detail));
    return run;
}

// A flange of thickness t at `at`: back face from rBack out to rOut, a
// chamfered rim, front face from rOut in to rFront (three runs, hard edges).
void AddFlange(std::vector<Run>& runs, double at, double t, double rBack, double rOut, double rFront)
{
    runs.push_back({{at, rBack}, {at, rOut}});
    runs.push_back({{at, rOut}, {at + 0.1, rOut + 0.1}, {at + t - 0.1, rOut + 0.1}, {at + t, rOut}});
    runs.push_back({{at + t, rOut}, {at + t, rFront}});
}

Axis AlongY(double y = 0)
{
    return Axis{{0, y, 0}, {0, 1, 0}, {0, 0, 1}};
}

// Bolts parallel to the axis, `count` of them on a circle of radius `ring`.
void AddBolts(TubeMesh& mesh, int count, double ring, double from, double to)
{
    for (int i = 0; i < count; ++i) {
        double a = 2 * kPi * (i + 0.5) / count;
        Axis axis{{ring * std::sin(a), 0, ring * std::cos(a)}, {0, 1, 0}, {0, 0, 1}};
        mesh.AddLathe(axis, {{{from, 0}, {from, 0.22}, {to, 0.22}, {to, 0}}}, 6);
    }
}

// The elbow's centre line at arc length s: straight up to 10 - bend, a
// quarter circle of radius `bend` onto +X, straight on to (10, 10, 0).
void ElbowCentre(double s, double bend, Vec3* centre, Vec3* tangent)
{
    double leg = kGridStep - bend, arc = bend * kPi / 2;
    if (s <= leg) {
        *centre = {0, s, 0};
        *tangent = {0, 1, 0};
    } else if (s <= leg + arc) {
        double a = (s - leg) / bend;
        *centre = {bend - bend * std::cos(a), leg + bend * std::sin(a), 0};
        *tangent = {std::sin(a), std::cos(a), 0};
    } else {
        *centre = {bend + (s - leg - arc), kGridStep, 0};
        *tangent = {1, 0, 0};
    }
}

std::vector<Station> ElbowStations(double bend, Detail detail)
{
    double leg = kGridStep - bend, arc = bend * kPi / 2, total = 2 * leg + arc;
    Run profile = Bead(0, 1, detail);
    Append(profile, Wall(0.7, leg, R, WallBands(detail, 5)));
    Append(profile, Wall(leg, leg + arc, R, Far(detail) ? 6 : 12));
    Append(profile, Wall(leg + arc, total - 0.7, R, WallBands(detail, 5)));
    Append(profile, Bead(total, -1, detail));
    std::vector<Station> out;
    for (const ProfilePoint& p : profile) {
        Station s;
        Vec3 tangent;
        ElbowCentre(p.along, bend, &s.centre, &tangent);
        RingAxes(tangent, {0, 0, 1}, &s.u, &s.v);
        s.radius = p.radius;
        s.texV = p.along / kGridStep;
        out.push_back(s);
    }
    return out;
}

}  // namespace

void BuildStraight(TubeMesh& mesh, Detail detail)
{
    mesh.AddLathe(AlongY(), {BeadedWall(0, kGridStep, 12, detail)}, Sides(detail, kTubeSides));
}

void BuildElbow(TubeMesh& mesh, Detail detail)
{
    mesh.AddStrip(ElbowStations(3.0, detail), Sides(detail, kTubeSides));
}

void BuildFlanges(TubeMesh& mesh, Detail detail)
{
    std::vector<Run> runs;
    Run in = Bead(0, 1, detail);
    Append(in, Wall(0.7, 3.5, R, WallBands(detail, 3)));
    runs.push_back(in);
    AddFlange(runs, 3.5, 1.4, R, 3.3, 3.0);
    runs.push_back({{4.9, 3.0}, {5.1, 3.0}});  // gasket between the flanges
    AddFlange(runs, 5.1, 1.4, 3.0, 3.3, R);
    Run out = Wall(6.5, kGridStep - 0.7, R, WallBands(detail, 3));
    Append(out, Bead(kGridStep, -1, detail));
    runs.push_back(out);
    mesh.AddLathe(AlongY(), runs, Sides(detail, kTubeSides));
    if (!Far(detail)) AddBolts(mesh, 8, 2.7, 3.1, 6.9);
}

void BuildValve(TubeMesh& mesh, Detail detail)
{
    std::vector<Run> runs;
    Run in = Bead(0, 1, detail);
    Append(in, Wall(0.7, 2, R, 1));
    runs.push_back(in);
    AddFlange(runs, 2, 1, R, 3.2, 2.6);
    Run body;
    for (int i = 0; i <= 14; i += Far(detail) ? 2 : 1)
        body.push_back({3.0 + i, 2.6 + 0.7 * std::sin(kPi * i / 14)});
    runs.push_back(body);
    AddFlange(runs, 17, 1, 2.6, 3.2, R);
    Run out = Wall(18, 2 * kGridStep - 0.7, R, 1);
    Append(out, Bead(2 * kGridStep, -1, detail));
    runs.push_back(out);
    mesh.AddLathe(AlongY(), runs, Sides(detail, kTubeSides));
    // Stem, bonnet and hand wheel, on +X at mid-length.
    Axis stem{{0, 10, 0}, {1, 0, 0}, {0, 1, 0}};
    mesh.AddLathe(stem, {{{2.8, 0.35}, {4.1, 0.35}, {4.1, 0}}}, Sides(detail, 12));
    mesh.AddLathe(stem, {{{3.1, 0.7}, {3.6, 0.7}}, {{3.6, 0.7}, {3.6, 0.35}}}, Sides(detail, 6));
    std::vector<Station> rim;
    const int rimStations = Sides(detail, 24);
    for (int i = 0; i < rimStations; ++i) {
        double a = 2 * kPi * i / rimStations;
        Vec3 radial{0, std::cos(a), std::sin(a)}, tangent{0, -std::sin(a), std::cos(a)};
        Station s;
        RingAxes(tangent, radial, &s.u, &s.v);
        s.centre = Vec3{3.9, 10, 0} + radial * 1.5;
        s.radius = 0.22;
        s.texV = a;
        rim.push_back(s);
    }
    mesh.AddStrip(rim, Sides(detail, 8), true);
    for (int i = 0; i < 4; ++i) {
        double a = kPi / 4 + kPi / 2 * i;
        Axis spoke{{3.9, 10, 0}, {0, std::cos(a), std::sin(a)}, {1, 0, 0}};
        mesh.AddLathe(spoke, {{{0, 0.12}, {1.4, 0.12}}}, Sides(detail, 6));
    }
}

void BuildBellows(TubeMesh& mesh, Detail detail)
{
    std::vector<Run> runs;
    Run in = Bead(0, 1, detail);
    Append(in, Wall(0.7, 1.5, R, 1));
    runs.push_back(in);
    AddFlange(runs, 1.5, 0.6, R, 2.5, 2.2);
    Run waves;
    // Far: every third point, on the crests and troughs of the five waves.
    for (int i = 0; i <= 30; i += Far(detail) ? 3 : 1)
        waves.push_back({2.1 + 5.8 * i / 30, 2.2 + 0.225 * (1 - std::cos(2 * kPi * i / 6))});
    runs.push_back(waves);
    AddFlange(runs, 7.9, 0.6, 2.2, 2.5, R);
    Run out = Wall(8.5, kGridStep - 0.7, R, 1);
    Append(out, Bead(kGridStep, -1, detail));
    runs.push_back(out);
    mesh.AddLathe(AlongY(), runs, Sides(detail, kTubeSides));
}

void BuildTee(TubeMesh& mesh, Detail detail)
{
    mesh.AddLathe(AlongY(), {BeadedWall(0, kGridStep, 12, detail)}, Sides(detail, kTubeSides));
    Axis branch{{0, 5, 0}, {1, 0, 0}, {0, 1, 0}};
    std::vector<Run> runs{Wall(0.5, 2.3, 1.5, WallBands(detail, 3))};
    AddFlange(runs, 2.3, 0.7, 1.5, 2.3, 1.0);
    runs.push_back({{3.0, 1.0}, {3.15, 0.8}, {3.2, 0}});
    mesh.AddLathe(branch, runs, Sides(detail, 16));
}

}  // namespace pipesgen
