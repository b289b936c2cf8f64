#include "pipes/pipe_segment.h"

#include <GL/gl.h>

namespace {

// 1 / pi as a float: radians are turned into degrees as angle * 180 * this.
const float INVERSE_PI = 0.31830987f;

// The orientation as a glRotatef axis and an angle in degrees. The axis
// starts as a finite vector because a zero angle leaves it unwritten; a
// rotation by 0 degrees is the identity about any axis.
void RotationOf(const CQUATERNION& orientation, CVECTOR& axis, float& degrees)
{
    axis.Set(0.0f, 1.0f, 0.0f);
    float angle = 0.0f;
    orientation.ToAxisAngle(axis, angle);
    degrees = angle * 180.0f * INVERSE_PI;
}

}  // namespace

void CPIPESEGMENT::ApplyTransform() const
{
    CVECTOR axis;
    float degrees = 0.0f;
    RotationOf(orientation, axis, degrees);
    glTranslatef(position.x, position.y, position.z);
    glRotatef(-degrees, axis.x, axis.y, axis.z);
}

void CPIPESEGMENT::UndoTransform() const
{
    CVECTOR axis;
    float degrees = 0.0f;
    RotationOf(orientation, axis, degrees);
    glRotatef(degrees, axis.x, axis.y, axis.z);
    glTranslatef(-position.x, -position.y, -position.z);
}
