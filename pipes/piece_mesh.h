// Mesh 0 of a pipe piece's model: the triangles the pipes draw themselves.
// Mesh 0 is the front of the engine's mesh list (the last object of the
// model file). The arrays belong to the engine object and stay valid for the
// whole run, since the program never unloads piece models.
#ifndef PLM_PIPES_PIECE_MESH_H
#define PLM_PIPES_PIECE_MESH_H

#include <cstdint>

class COBJECT3D;
struct CPIPETYPE;
struct CVERTEX;
struct CFACE;

// What GetMeshData reports for one mesh.
struct CPIECEMESH {
    uint16_t vertexCount;
    uint16_t faceCount;
    CVERTEX* vertices;
    CFACE* faces;
    uint32_t texture;  // GL texture of the mesh's material, 0 = none
};

// True when object has a mesh 0 whose every face corner names a vertex below
// vertexCount that has both a position and a normal. Otherwise writes the
// reason to why (a short phrase) and returns false.
bool CheckPieceMesh(COBJECT3D* object, const char** why);

// Mesh 1 of object when it has one that passes the same checks as mesh 0:
// the model's far piece, drawn instead of mesh 0 where the piece covers few
// pixels. All counts 0 and pointers null otherwise.
CPIECEMESH GetFarPieceMesh(COBJECT3D* object);

// Mesh 0 of the type's model; all counts 0 and pointers null when the type
// is null or not drawable, so nothing is ever drawn from a broken model.
CPIECEMESH GetPieceMesh(const CPIPETYPE* type);

#endif
