// Placing a pipe's pieces end to end (CPIPE::CopyExits, CPIPE::BuildPaths).
#include "pipes/pipe.h"

#include "pipes/pipe_types.h"

namespace {

// pi rounded to a float: the angle between up and a direction pointing
// exactly straight down.
const float STRAIGHT_DOWN = 3.1415927f;

// The axis about which up is turned onto d by the angle theta between them.
// Straight down has no shortest rotation; d with its first two components
// swapped gives a usable axis ((0, 0, 1) for (0, -1, 0)). A zero axis (d
// equal to up) stays zero and yields the identity bend.
CVECTOR BendAxis(CVECTOR up, CVECTOR d, float theta)
{
    CVECTOR axis;
    if (theta == STRAIGHT_DOWN) {
        CVECTOR swapped;
        swapped.Set(d.y, d.x, d.z);
        axis = d.Cross(swapped);
    } else {
        axis = up.Cross(d);
    }
    axis.Normalize();
    return axis;
}

// Twist about the piece's own +Y first, then the bend carrying +Y onto d.
CQUATERNION OrientAlong(CVECTOR d, float twist)
{
    CVECTOR up;
    up.Set(0.0f, 1.0f, 0.0f);
    float theta = up.AngleTo(d);
    CVECTOR axis = BendAxis(up, d, theta);
    CQUATERNION twistQ;
    twistQ.FromAxisAngle(0.0f, 1.0f, 0.0f, twist);
    CQUATERNION bendQ;
    bendQ.FromAxisAngle(axis.x, axis.y, axis.z, theta);
    return bendQ.Multiply(twistQ);
}

}  // namespace

void CPIPE::CopyExits()
{
    for (uint16_t i = 0; i < segmentCount; ++i) {
        CPIPESEGMENT& segment = segments[i];
        if (segment.type == nullptr) {  // never added: a straight piece of no length
            segment.exitOffset.Set(0.0f, 0.0f, 0.0f);
            segment.exitDirection.Set(0.0f, 1.0f, 0.0f);
            continue;
        }
        segment.exitOffset = segment.type->exitOffset;
        segment.exitDirection = segment.type->exitDirection;
    }
}

void CPIPE::BuildPaths()
{
    CopyExits();
    for (uint16_t i = 0; i < segmentCount; ++i) {
        CPIPESEGMENT& s = segments[i];
        if (i == 0) {
            s.orientation.FromAxisAngle(0.0f, 1.0f, 0.0f, s.twist);
            s.position.Set(0.0f, 0.0f, 0.0f);
        } else {
            const CPIPESEGMENT& p = segments[i - 1];
            s.orientation = OrientAlong(p.exitDirection, s.twist);
            s.position = p.position.Add(p.exitOffset);
        }
        s.exitDirection = s.orientation.Rotate(s.exitDirection);
        s.exitOffset = s.orientation.Rotate(s.exitOffset);
    }
}
