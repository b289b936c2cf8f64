// What drawing a grown piece needs beyond its model: the bounding sphere of
// its triangles, so that pieces out of view are left out, and its
// triangles compiled once into a display list, so that they are not sent
// vertex by vertex every frame.
//
// The list holds exactly the calls the immediate path makes, in the same
// order (per face corner: normal, then position), so both paths give the
// same pixels. Neither holds any other GL state: the caller sets colour,
// lighting, texturing and sphere mapping around them.
#ifndef PLM_PIPES_PIECE_GEOMETRY_H
#define PLM_PIPES_PIECE_GEOMETRY_H

#include "pipes/piece_mesh.h"

#include <cstdint>

struct CPIECEGEOMETRY {
    float centre[3];  // bounding sphere of mesh 0, model coordinates
    float radius;     // model units; every face corner lies within it
    uint32_t list;    // GL display list of the triangles; 0 = none
    bool bounded;     // centre and radius were measured; never culled before
};

// How grown pieces are drawn. All are on in the program. The first two
// change no pixel; turning all off draws every piece in full in immediate
// mode, the reference the fast path is compared with.
struct CPIPEDRAWING {
    bool cullHidden;      // leave out pieces whose sphere lies outside the view
    bool compiledPieces;  // call a type's display list where it has one
    bool farPieces;       // draw a type's far piece where the piece covers few pixels
};
extern CPIPEDRAWING pipeDrawing;

// The sphere (centre of the box around every face corner, radius to the
// farthest corner) of the mesh's faces; radius 0 about the origin for a
// mesh without faces. GL-free.
CPIECEGEOMETRY MeasurePiece(const CPIECEMESH& mesh);

// One face's three corners, each as glNormal3f then glVertex3f, inside a
// glBegin(GL_TRIANGLES) the caller opened.
void SendSolidFace(const CVERTEX* vertices, const CFACE& face);

// The mesh's faces in immediate mode: one GL_TRIANGLES batch, for every face
// in order its three corners, each as glNormal3f then glVertex3f.
void SendPieceTriangles(const CPIECEMESH& mesh);

// MeasurePiece, plus a display list of SendPieceTriangles (list 0 when GL
// cannot make one; the piece is then drawn in immediate mode). Needs the GL
// context current.
CPIECEGEOMETRY CompilePiece(const CPIECEMESH& mesh);

// Deletes the geometry's list, if any, and clears it.
void ReleasePiece(CPIECEGEOMETRY& geometry);

#endif
