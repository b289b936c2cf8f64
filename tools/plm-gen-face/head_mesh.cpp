#include "head_mesh.h"

#include "face_shape.h"
#include "warped_angles.h"

#include <algorithm>
#include <cmath>

namespace face {
namespace {

const double PI = 3.14159265358979323846;
// The march from outside inwards steps by half the field's value (about the
// distance to the skin), between these bounds in units: thin parts such as
// the lids' rims are not stepped over.
const double MARCH_STEP = 5.0;
const double MIN_STEP = 0.75;
const double MAX_DISTANCE = 600.0;  // units from the centre; beyond the whole head
const int BISECTIONS = 40;

double Degrees(double d)
{
    return d * PI / 180.0;
}

// Where the rays from HeadCentre() meet the features (theta from the crown,
// phi from the front), the samples crowd: over the whole face, and more
// densely over the eyes (lids, iris and pupil) and the ears.
const std::vector<Crowding> LATITUDE = {
    {Degrees(88), Degrees(40), 2.4},  // brow to chin
    {Degrees(64), Degrees(7), 2.5},   // eyes
};
const std::vector<Crowding> LONGITUDE = {
    {Degrees(0), Degrees(45), 2.5},                                       // the face
    {Degrees(-17), Degrees(8), 1.5},                                      // eyes
    {Degrees(17), Degrees(8), 1.5},   {Degrees(-104), Degrees(12), 2.5},  // ears
    {Degrees(104), Degrees(12), 2.5},
};

// theta from +y, phi about y from +z towards +x.
Vec3 RayDirection(double theta, double phi)
{
    return {std::sin(theta) * std::sin(phi), std::cos(theta), std::sin(theta) * std::cos(phi)};
}

Vec3 SkinPoint(double theta, double phi)
{
    const Vec3 dir = RayDirection(theta, phi);
    return HeadCentre() + dir * CastToSkin(HeadCentre(), dir, MAX_DISTANCE);
}

uint32_t GridIndex(int row, int column, GridSize size)
{
    return 1u + static_cast<uint32_t>((row - 1) * size.columns + column % size.columns);
}

void AddVertices(HeadMesh& mesh, GridSize size)
{
    const std::vector<double> theta = WarpedAngles(size.rows, 0.0, PI, LATITUDE);
    const std::vector<double> phi = WarpedAngles(size.columns, -PI, PI, LONGITUDE);
    mesh.vertices.push_back(SkinPoint(0.0, 0.0));
    for (int row = 1; row < size.rows; ++row)
        for (int column = 0; column < size.columns; ++column)
            mesh.vertices.push_back(SkinPoint(theta[row], phi[column]));
    mesh.vertices.push_back(SkinPoint(PI, 0.0));
}

// Splits the quad (row, column)..(row + 1, column + 1) along its shorter
// diagonal; both triangles keep the outward winding.
void AddQuad(HeadMesh& mesh, int row, int column, GridSize size)
{
    const uint32_t p00 = GridIndex(row, column, size), p01 = GridIndex(row, column + 1, size);
    const uint32_t p10 = GridIndex(row + 1, column, size), p11 = GridIndex(row + 1, column + 1, size);
    const std::vector<Vec3>& v = mesh.vertices;
    if (Length(v[p00] - v[p11]) < Length(v[p10] - v[p01])) {
        mesh.triangles.push_back({p00, p10, p11});
        mesh.triangles.push_back({p00, p11, p01});
    } else {
        mesh.triangles.push_back({p00, p10, p01});
        mesh.triangles.push_back({p10, p11, p01});
    }
}

void AddPoleFans(HeadMesh& mesh, GridSize size)
{
    const uint32_t crown = 0;
    const uint32_t neck = static_cast<uint32_t>(mesh.vertices.size() - 1);
    const int last = size.rows - 1;
    for (int column = 0; column < size.columns; ++column) {
        mesh.triangles.push_back({crown, GridIndex(1, column, size), GridIndex(1, column + 1, size)});
        mesh.triangles.push_back({GridIndex(last, column, size), neck, GridIndex(last, column + 1, size)});
    }
}

}  // namespace

double CastToSkin(Vec3 origin, Vec3 dir, double maxDistance)
{
    double outside = maxDistance;
    double step = MARCH_STEP;
    for (;;) {
        if (outside < step) return 0.0;
        const double field = HeadField(origin + dir * (outside - step));
        if (field <= 0.0) break;
        outside -= step;
        step = std::clamp(0.5 * field, MIN_STEP, MARCH_STEP);
    }
    double inside = outside - step;
    for (int i = 0; i < BISECTIONS; ++i) {
        const double middle = 0.5 * (inside + outside);
        (HeadField(origin + dir * middle) > 0.0 ? outside : inside) = middle;
    }
    return 0.5 * (inside + outside);
}

HeadMesh BuildHeadMesh(GridSize size)
{
    HeadMesh mesh;
    AddVertices(mesh, size);
    for (int row = 1; row < size.rows - 1; ++row)
        for (int column = 0; column < size.columns; ++column) AddQuad(mesh, row, column, size);
    AddPoleFans(mesh, size);
    return mesh;
}

}  // namespace face
