#include "pipes/view_volume.h"

#include <GL/gl.h>

#include <cmath>

namespace {

// Slack of the outside test, relative to the radius and to the distance
// from the eye: far above the float rounding of the matrices, far below
// anything that would keep a distant piece.
const double RADIUS_SLACK = 1e-3;
const double POSITION_SLACK = 1e-4;

// Row r of a column-major 4x4 matrix.
double At(const float m[16], int row, int column)
{
    return static_cast<double>(m[column * 4 + row]);
}

// The longest image of a unit axis under the matrix's upper 3x3 part.
double LargestStretch(const float m[16])
{
    double largest = 0.0;
    for (int column = 0; column < 3; ++column) {
        double x = At(m, 0, column), y = At(m, 1, column), z = At(m, 2, column);
        largest = std::fmax(largest, std::sqrt(x * x + y * y + z * z));
    }
    return largest;
}

// The model point p in eye coordinates.
void EyePoint(const float modelView[16], const float p[3], double eye[3])
{
    for (int row = 0; row < 3; ++row) {
        eye[row] = At(modelView, row, 0) * p[0] + At(modelView, row, 1) * p[1] +
                   At(modelView, row, 2) * p[2] + At(modelView, row, 3);
    }
}

}  // namespace

CVIEWVOLUME ViewVolumeFromProjection(const float projection[16], int viewportHeight)
{
    // Plane k of clip space is w + x, w - x, w + y, w - y, w + z, w - z >= 0;
    // in eye coordinates each is the matching combination of rows.
    CVIEWVOLUME volume;
    for (int axis = 0; axis < 3; ++axis) {
        for (int side = 0; side < 2; ++side) {
            double sign = side == 0 ? 1.0 : -1.0;
            double* plane = volume.planes[axis * 2 + side];
            for (int column = 0; column < 4; ++column) {
                plane[column] = At(projection, 3, column) + sign * At(projection, axis, column);
            }
        }
    }
    for (int column = 0; column < 4; ++column) {
        volume.clipW[column] = At(projection, 3, column);
    }
    volume.pixelScale = std::fabs(At(projection, 1, 1)) * 0.5 * viewportHeight;
    return volume;
}

bool SphereOutsideView(const CVIEWVOLUME& volume, const float modelView[16], const float centre[3],
                       float radius)
{
    double eye[3];
    EyePoint(modelView, centre, eye);
    double reach = (static_cast<double>(radius) * LargestStretch(modelView)) * (1.0 + RADIUS_SLACK) +
                   POSITION_SLACK * (1.0 + std::fabs(eye[0]) + std::fabs(eye[1]) + std::fabs(eye[2]));
    for (const double* plane : volume.planes) {
        double length = std::sqrt(plane[0] * plane[0] + plane[1] * plane[1] + plane[2] * plane[2]);
        if (!(length > 0.0)) {
            continue;
        }
        double distance = plane[0] * eye[0] + plane[1] * eye[1] + plane[2] * eye[2] + plane[3];
        if (distance < -reach * length) {
            return true;
        }
    }
    return false;
}

double PixelsPerUnit(const CVIEWVOLUME& volume, const float modelView[16], const float centre[3])
{
    double eye[3];
    EyePoint(modelView, centre, eye);
    const double* w = volume.clipW;
    double clipW = w[0] * eye[0] + w[1] * eye[1] + w[2] * eye[2] + w[3];
    if (!(clipW > 1e-6)) {
        return HUGE_VAL;
    }
    return volume.pixelScale * LargestStretch(modelView) / clipW;
}

CVIEWVOLUME CurrentViewVolume()
{
    float projection[16];
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    GLint viewport[4] = {0, 0, 0, 0};
    glGetIntegerv(GL_VIEWPORT, viewport);
    return ViewVolumeFromProjection(projection, viewport[3]);
}

void CurrentModelView(float matrix[16])
{
    glGetFloatv(GL_MODELVIEW_MATRIX, matrix);
}
