#include "scene/face.h"

#include "plm_engine.h"

#include <GL/gl.h>

COBJECT3D* faceObject = nullptr;

namespace {

bool CornersInside(const CFACE& face, unsigned short vertexCount)
{
    return face.a < vertexCount && face.b < vertexCount && face.c < vertexCount;
}

void SendCorner(const CVERTEX& vertex)
{
    const float* n = vertex.normal;
    const float* p = vertex.position;
    if (n) glNormal3f(n[0], n[1], n[2]);
    glVertex3f(p[0], p[1], p[2]);
}

// One glBegin/glEnd pair per mesh, however many faces it has.
void DrawMesh(unsigned short index)
{
    unsigned short vertexCount = 0;
    unsigned short faceCount = 0;
    CVERTEX* vertices = nullptr;
    CFACE* faces = nullptr;
    faceObject->GetMeshData(index, &vertexCount, &faceCount, &vertices, &faces, nullptr);
    glBegin(GL_TRIANGLES);
    if (vertices && faces) {
        for (unsigned short f = 0; f < faceCount; ++f) {
            if (!CornersInside(faces[f], vertexCount)) continue;
            SendCorner(vertices[faces[f].a]);
            SendCorner(vertices[faces[f].b]);
            SendCorner(vertices[faces[f].c]);
        }
    }
    glEnd();
}

}  // namespace

void DrawFace()
{
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glBindTexture(GL_TEXTURE_2D, metalTexture);
    if (faceObject) {
        const unsigned short meshCount = static_cast<unsigned short>(faceObject->GetMeshCount());
        for (unsigned short m = 0; m < meshCount; ++m) DrawMesh(m);
    }
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
}
