// The head mesh as a 3D Studio model: one named object "Face" with one
// grey material "FACE_METAL" on every triangle (no texture map: the demo
// sphere-maps the face with its metal picture).
#ifndef PLM_GEN_FACE_FACE_MODEL_H
#define PLM_GEN_FACE_FACE_MODEL_H

#include "head_mesh.h"
#include "tds_writer.h"

#include <string>

namespace face {

// False, with *error set, when the mesh does not fit one 3D Studio object
// (65535 vertices or triangles at most).
bool ToModel(const HeadMesh& mesh, tds::Model* model, std::string* error);

}  // namespace face

#endif
