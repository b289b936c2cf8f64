// CPIPESEGMENT: one piece of a pipe, placed in pipe coordinates.
#ifndef PLM_PIPES_PIPE_SEGMENT_H
#define PLM_PIPES_PIPE_SEGMENT_H

#include "math/quaternion.h"
#include "math/vector.h"

struct CPIPETYPE;

struct CPIPESEGMENT {
    CPIPETYPE* type;          // an entry of pipeTypes; not owned
    CVECTOR position;         // the piece's origin, pipe coordinates
    CVECTOR exitDirection;    // the type's exit direction, pipe coordinates
    CVECTOR exitOffset;       // the type's exit offset, pipe coordinates
    CQUATERNION orientation;  // model coordinates to pipe coordinates
    float twist;              // radians about the piece's own +Y axis

    // Multiplies the model-view matrix by the segment's placement:
    // translation to position, then the rotation of orientation
    // (glRotatef by minus its angle in degrees, about its axis).
    void ApplyTransform() const;
    // Multiplies by the inverse of ApplyTransform: the opposite rotation,
    // then the opposite translation. Apply followed by Undo leaves the
    // matrix as it was, up to rounding.
    void UndoTransform() const;
};

#endif
