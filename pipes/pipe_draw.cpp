// Drawing a pipe (CPIPE::Draw, DrawTrace, DrawPiece). Grown pieces are lit,
// sphere-mapped metal (texture coordinates come from the sphere-map
// generation the scene set up), drawn from their type's display list and
// left out when they lie wholly outside the view (piece_geometry.h); the
// growing piece is traced as a dim additive line strip, then filled face by
// face, in immediate mode.
#include "pipes/pipe.h"

#include "pipes/piece_geometry.h"
#include "pipes/piece_mesh.h"
#include "pipes/pipe_types.h"
#include "pipes/view_volume.h"
#include "plm_engine.h"
#include "runtime/metal_texture.h"

#include <GL/gl.h>

namespace {

// A corner pulled inwards along its normal by TRACE_INSET.
void TraceCorner(const CVERTEX& vertex)
{
    const float* p = vertex.position;
    const float* n = vertex.normal;
    glVertex3f(p[0] + n[0] * TRACE_INSET, p[1] + n[1] * TRACE_INSET, p[2] + n[2] * TRACE_INSET);
}

// Whole faces revealed by progress, kept inside what a 16-bit count holds.
uint16_t FacesRevealed(float progress)
{
    if (!(progress > 0.0f)) {
        return 0;
    }
    return progress >= 65535.0f ? 65535 : static_cast<uint16_t>(progress);
}

void StartSphereMap()
{
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glBindTexture(GL_TEXTURE_2D, metalTexture);
}

void EndSphereMap()
{
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
}

// How a grown piece shows from where the camera is.
enum PIECEVIEW {
    PIECE_HIDDEN,  // wholly outside the view: it could not change a pixel
    PIECE_FAR,     // so small on the screen that its far piece looks the same
    PIECE_NEAR,    // drawn in full
};

// Where a model unit spans fewer pixels than this, a piece is drawn from its
// far piece: the tube (4 units across) is then under 24 pixels wide, where
// the far piece's 12-sided rings stay within 0.4 pixels of the full
// piece's 24-sided ones and its shading looks the same (larger values
// showed faceted highlights on the nearer pipes).
const double FAR_PIECE_PIXELS_PER_UNIT = 6.0;

// How the piece, as the current model-view matrix places it, shows. The
// matrix is read from GL, so the test sees exactly the transform drawing
// would use.
PIECEVIEW ViewPiece(const CPIPETYPE* type, const CVIEWVOLUME& view)
{
    if (type == nullptr || !type->drawable || !type->geometry.bounded ||
        (!pipeDrawing.cullHidden && !pipeDrawing.farPieces)) {
        return PIECE_NEAR;
    }
    const CPIECEGEOMETRY& geometry = type->geometry;
    float modelView[16];
    CurrentModelView(modelView);
    if (pipeDrawing.cullHidden && SphereOutsideView(view, modelView, geometry.centre, geometry.radius)) {
        return PIECE_HIDDEN;
    }
    if (pipeDrawing.farPieces && type->far.list != 0 &&
        PixelsPerUnit(view, modelView, geometry.centre) < FAR_PIECE_PIXELS_PER_UNIT) {
        return PIECE_FAR;
    }
    return PIECE_NEAR;
}

}  // namespace

void CPIPE::DrawPiece(uint16_t i)
{
    DrawSolid(i, false);
}

void CPIPE::DrawSolid(uint16_t i, bool far)
{
    if (i >= segmentCount) {
        return;
    }
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    StartSphereMap();
    const CPIPETYPE* type = segments[i].type;
    if (far) {
        glCallList(type->far.list);
    } else if (pipeDrawing.compiledPieces && type != nullptr && type->drawable && type->geometry.list != 0) {
        glCallList(type->geometry.list);
    } else {
        SendPieceTriangles(GetPieceMesh(type));
    }
    EndSphereMap();
}

void CPIPE::DrawTrace(uint16_t n)
{
    uint16_t count = n < faceCount ? n : faceCount;
    glColor3f(0.0f, 0.1f, 0.0f);
    glDisable(GL_LIGHTING);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE);
    glBegin(GL_LINE_STRIP);
    for (uint32_t f = 0; f < count; ++f) {
        const CFACE& face = faces[f];
        TraceCorner(vertices[face.a]);
        TraceCorner(vertices[face.b]);
        TraceCorner(vertices[face.c]);
    }
    glEnd();
}

// Phase 1 of the growing piece: the whole trace, then the faces revealed
// so far as solid metal in the trace colour.
void CPIPE::DrawFilling()
{
    DrawTrace(faceCount);
    glColor3f(0.0f, 0.1f, 0.0f);
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_BLEND);
    StartSphereMap();
    glBegin(GL_TRIANGLES);
    for (uint32_t f = 0; f < faceCount && static_cast<float>(f) < progress; ++f) {
        SendSolidFace(vertices, faces[f]);
    }
    glEnd();
    EndSphereMap();
}

void CPIPE::DrawGrowing()
{
    const CPIPESEGMENT& growing = segments[grownCount];
    growing.ApplyTransform();
    if (phase == 0) {
        DrawTrace(FacesRevealed(progress));
    } else if (phase == 1) {
        DrawFilling();
    }
    growing.UndoTransform();
}

void CPIPE::Draw()
{
    glTranslatef(position.x, position.y, position.z);
    glRotatef(rotation.x, 1.0f, 0.0f, 0.0f);
    glRotatef(rotation.y, 0.0f, 1.0f, 0.0f);
    glRotatef(rotation.z, 0.0f, 0.0f, 1.0f);
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_LIGHTING);
    glDisable(GL_BLEND);
    glEnable(GL_TEXTURE_2D);
    glBindTexture(GL_TEXTURE_2D, texture);
    glEnable(GL_DEPTH_TEST);
    const CVIEWVOLUME view = CurrentViewVolume();
    // Pieces left out still apply and undo their transform, so that the
    // matrix, rounding included, is the same for every piece after them.
    for (uint16_t i = 0; i < grownCount; ++i) {
        segments[i].ApplyTransform();
        PIECEVIEW shows = ViewPiece(segments[i].type, view);
        if (shows != PIECE_HIDDEN) {
            DrawSolid(i, shows == PIECE_FAR);
        }
        segments[i].UndoTransform();
    }
    if (grownCount < segmentCount) {
        DrawGrowing();
    }
    // The inverse of the placement above, in reverse order.
    glRotatef(-rotation.z, 0.0f, 0.0f, 1.0f);
    glRotatef(-rotation.y, 0.0f, 1.0f, 0.0f);
    glRotatef(-rotation.x, 1.0f, 0.0f, 0.0f);
    glTranslatef(-position.x, -position.y, -position.z);
}
