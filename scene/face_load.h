// Loading the face model, with every reason it cannot be shown reported.
#ifndef PLM_SCENE_FACE_LOAD_H
#define PLM_SCENE_FACE_LOAD_H

#include "plm_engine.h"

#include <cstddef>

// Looks at the 3D Studio header of the file at path. Returns false and
// writes a short phrase to why (size bytes, always terminated) when the file
// is empty, does not start with the 3D Studio signature (0x4D4D) or is
// shorter than the length its header announces (truncated). Returns true
// when the header is sound or the file cannot be opened (Load reports that).
bool ModelHeaderSound(const char* path, char* why, size_t size);

// Loads the model at path into object (FORMAT_3DS; loader makes the
// textures, may be null) and reports on stderr, each line starting with the
// path: a file that cannot be opened, a damaged header (see above), a
// model without any mesh and one whose meshes hold no triangle. The engine
// still reads what it can of a damaged file, and what it read is kept.
// Returns 1 when the model holds at least one triangle, else 0.
int LoadFaceModel(COBJECT3D* object, const char* path, TEXTURELOADER loader);

#endif
