// The sculpted head: an implicit surface in model units (engine axes, y up,
// the face looking towards +z, raised a little over the neck), symmetric in
// x. The neck is cut flat at y = 0, the crown is near y = 782; the bounding
// box is centred on x = 0 and z = 0, the nose tip is the foremost point.
#ifndef PLM_GEN_FACE_FACE_SHAPE_H
#define PLM_GEN_FACE_FACE_SHAPE_H

#include "tools/common/vec3.h"

namespace face {

using tools::Vec3;

// Negative inside the head, positive outside, zero on its skin.
double HeadField(Vec3 p);

// A point well inside the head from which every part of the skin is seen:
// the mesh is cast from here.
Vec3 HeadCentre();

}  // namespace face

#endif
