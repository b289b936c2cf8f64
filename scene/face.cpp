#include "scene/face.h"

#include "plm_engine.h"

#include <GL/gl.h>

COBJECT3D* faceObject = nullptr;

namespace {

// The display list holding the triangles of compiledObject, 0 when none has
// been made (or GL could not make one).
GLuint faceList = 0;
const COBJECT3D* compiledObject = nullptr;

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

void SendMeshes()
{
    const unsigned short meshCount = static_cast<unsigned short>(faceObject->GetMeshCount());
    for (unsigned short m = 0; m < meshCount; ++m) DrawMesh(m);
}

// Records exactly the calls SendMeshes makes into faceList, once per model:
// the same vertices in the same order, so the picture does not change, but
// the 30 000-odd triangles are no longer sent call by call every frame.
bool CompiledFaceReady()
{
    if (compiledObject == faceObject && faceList != 0 && glIsList(faceList)) return true;
    if (faceList == 0 || !glIsList(faceList)) faceList = glGenLists(1);
    compiledObject = nullptr;
    if (faceList == 0) return false;
    glNewList(faceList, GL_COMPILE);
    SendMeshes();
    glEndList();
    compiledObject = faceObject;
    return true;
}

}  // namespace

void ForgetCompiledFace()
{
    compiledObject = nullptr;
}

void DrawFace()
{
    glColor3f(1.0f, 1.0f, 1.0f);
    glEnable(GL_LIGHTING);
    glEnable(GL_TEXTURE_2D);
    glEnable(GL_TEXTURE_GEN_S);
    glEnable(GL_TEXTURE_GEN_T);
    glBindTexture(GL_TEXTURE_2D, metalTexture);
    if (faceObject) {
        if (CompiledFaceReady())
            glCallList(faceList);
        else
            SendMeshes();
    }
    glDisable(GL_TEXTURE_GEN_S);
    glDisable(GL_TEXTURE_GEN_T);
}
