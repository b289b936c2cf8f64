#include "pipes/pipe_placement.h"

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

void PlacePipeSegment(CPIPESEGMENT& segment, const CPIPESEGMENT* previous)
{
    if (previous == nullptr) {
        segment.orientation.FromAxisAngle(0.0f, 1.0f, 0.0f, segment.twist);
        segment.position.Set(0.0f, 0.0f, 0.0f);
    } else {
        segment.orientation = OrientAlong(previous->exitDirection, segment.twist);
        segment.position = previous->position.Add(previous->exitOffset);
    }
    segment.exitDirection = segment.orientation.Rotate(segment.exitDirection);
    segment.exitOffset = segment.orientation.Rotate(segment.exitOffset);
}
