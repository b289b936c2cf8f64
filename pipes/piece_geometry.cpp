#include "pipes/piece_geometry.h"

#include "plm_engine.h"

#include <GL/gl.h>

#include <algorithm>
#include <cmath>

CPIPEDRAWING pipeDrawing = {true, true, true};

namespace {

void SolidCorner(const CVERTEX& vertex)
{
    glNormal3f(vertex.normal[0], vertex.normal[1], vertex.normal[2]);
    glVertex3f(vertex.position[0], vertex.position[1], vertex.position[2]);
}

// Calls visit with the position of every face corner, in drawing order.
template <typename F>
void ForEachCorner(const CPIECEMESH& mesh, F visit)
{
    for (uint32_t f = 0; f < mesh.faceCount; ++f) {
        const CFACE& face = mesh.faces[f];
        visit(mesh.vertices[face.a].position);
        visit(mesh.vertices[face.b].position);
        visit(mesh.vertices[face.c].position);
    }
}

// True when GL's pending errors include running out of memory; reads (and
// so clears) every pending error flag.
bool OutOfMemory()
{
    bool outOfMemory = false;
    for (int flags = 0; flags < 16; ++flags) {
        GLenum error = glGetError();
        if (error == GL_NO_ERROR) {
            break;
        }
        outOfMemory = outOfMemory || error == GL_OUT_OF_MEMORY;
    }
    return outOfMemory;
}

}  // namespace

CPIECEGEOMETRY MeasurePiece(const CPIECEMESH& mesh)
{
    CPIECEGEOMETRY geometry{{0.0f, 0.0f, 0.0f}, 0.0f, 0, true};
    if (mesh.faceCount == 0) {
        return geometry;
    }
    float low[3] = {HUGE_VALF, HUGE_VALF, HUGE_VALF}, high[3] = {-HUGE_VALF, -HUGE_VALF, -HUGE_VALF};
    ForEachCorner(mesh, [&](const float* p) {
        for (int k = 0; k < 3; ++k) {
            low[k] = std::min(low[k], p[k]);
            high[k] = std::max(high[k], p[k]);
        }
    });
    for (int k = 0; k < 3; ++k) {
        geometry.centre[k] = 0.5f * (low[k] + high[k]);
    }
    double farthest = 0.0;
    ForEachCorner(mesh, [&](const float* p) {
        double dx = p[0] - geometry.centre[0], dy = p[1] - geometry.centre[1], dz = p[2] - geometry.centre[2];
        farthest = std::max(farthest, dx * dx + dy * dy + dz * dz);
    });
    // Rounded up so that the float radius still reaches the farthest corner.
    geometry.radius = std::nextafter(static_cast<float>(std::sqrt(farthest)), HUGE_VALF);
    return geometry;
}

void SendSolidFace(const CVERTEX* vertices, const CFACE& face)
{
    SolidCorner(vertices[face.a]);
    SolidCorner(vertices[face.b]);
    SolidCorner(vertices[face.c]);
}

void SendPieceTriangles(const CPIECEMESH& mesh)
{
    glBegin(GL_TRIANGLES);
    for (uint32_t f = 0; f < mesh.faceCount; ++f) {
        SendSolidFace(mesh.vertices, mesh.faces[f]);
    }
    glEnd();
}

CPIECEGEOMETRY CompilePiece(const CPIECEMESH& mesh)
{
    CPIECEGEOMETRY geometry = MeasurePiece(mesh);
    GLuint list = glGenLists(1);
    if (list == 0) {
        return geometry;
    }
    glNewList(list, GL_COMPILE);
    SendPieceTriangles(mesh);
    glEndList();
    if (OutOfMemory()) {
        glDeleteLists(list, 1);
        return geometry;
    }
    geometry.list = list;
    return geometry;
}

void ReleasePiece(CPIECEGEOMETRY& geometry)
{
    if (geometry.list != 0) {
        glDeleteLists(geometry.list, 1);
    }
    geometry.list = 0;
}
