// The face scene: the face model drawn lit and sphere-mapped with the metal
// picture, from the engine's mesh data, compiled once into a display list.
#ifndef PLM_SCENE_FACE_H
#define PLM_SCENE_FACE_H

#include "runtime/metal_texture.h"

class COBJECT3D;

// The face model, made by InitScene and never destroyed; null when the engine
// is missing.
extern COBJECT3D* faceObject;

// Draws every triangle of every mesh of faceObject with its vertex normals
// and positions, in the caller's model-view transform. Sets the colour to
// white, enables lighting, 2D texturing and s/t texture generation (the
// sphere-map mode is set once at scene start), binds metalTexture, and
// disables texture generation again at the end; lighting and texturing stay
// on. A null faceObject draws nothing but leaves the same state. Faces whose
// corners lie outside their mesh's vertex array are skipped, as are meshes
// without vertex or face arrays (an empty glBegin/glEnd pair is still sent).
//
// The triangles are read from the mesh data once per model and recorded in a
// display list (the very calls, in order, so the picture is the one that
// sending them every frame gives); later frames call the list. A different
// faceObject is compiled afresh; where GL gives no list name the triangles
// are sent directly every frame.
void DrawFace();

// Drops the compiled triangles: the next DrawFace reads faceObject's mesh
// data again. For callers that change the model behind faceObject or replace
// the GL context.
void ForgetCompiledFace();

#endif
