// Mesh records: storage, mapping-coordinate transform and normals.
#include <GL/gl.h>

#include <vector>

#include "object3d_impl.h"
#include "vector3.h"

CMESH::~CMESH()
{
    if (displayList != 0) {
        glDeleteLists(displayList, 1);
        displayList = 0;
    }
}

void CMESH::SetVertexCount(uint16_t count)
{
    std::unique_ptr<CVERTEX[]> v(count ? new CVERTEX[count] : nullptr);
    std::unique_ptr<float[]> p(count ? new float[3 * size_t(count)]() : nullptr);
    for (size_t i = 0; i < count; ++i) v[i] = CVERTEX{&p[3 * i], nullptr, nullptr};
    vertices = std::move(v);
    positions_ = std::move(p);
    normals_.reset();
    texCoords_.reset();
    vertexCount = count;
    hasTexCoords = 0;
    normalsReady = 0;
    texCoordsTransformed_ = false;
}

void CMESH::SetFaceCount(uint16_t count)
{
    std::unique_ptr<CFACE[]> f(count ? new CFACE[count] : nullptr);
    for (size_t i = 0; i < count; ++i) f[i] = CFACE{0, 0, 0, 0, nullptr};
    faces = std::move(f);
    faceNormals_.reset();
    faceCount = count;
    normalsReady = 0;
}

void CMESH::AddTexCoords()
{
    std::unique_ptr<float[]> t(vertexCount ? new float[2 * size_t(vertexCount)]() : nullptr);
    for (size_t i = 0; i < vertexCount; ++i) vertices[i].texCoord = &t[2 * i];
    texCoords_ = std::move(t);
    hasTexCoords = 1;
    texCoordsTransformed_ = false;
}

void CMESH::DropBadFaces()
{
    size_t kept = 0;
    for (size_t i = 0; i < faceCount; ++i) {
        const CFACE& f = faces[i];
        if (f.a < vertexCount && f.b < vertexCount && f.c < vertexCount) faces[kept++] = f;
    }
    if (kept != faceCount) {
        faceCount = static_cast<uint16_t>(kept);
        if (kept == 0) faces.reset();
        normalsReady = 0;
    }
}

void CMESH::TransformTexCoords()
{
    if (!material || !hasTexCoords || !material->texMap || texCoordsTransformed_) return;
    const CTEXMAP& map = *material->texMap;
    for (size_t i = 0; i < vertexCount; ++i) {
        float* t = vertices[i].texCoord;
        t[0] = t[0] * map.uScale;
        t[1] = t[1] * map.vScale;
        t[0] = t[0] + map.uOffset;
        t[1] = t[1] + map.vOffset;
    }
    texCoordsTransformed_ = true;
}

// Face normals from FromTriangle, vertex normals as the normalised sum of the
// normals of the faces that use the vertex, in face-array order, each face
// once. The faces of every vertex are gathered in one pass over the face
// array (in face order), so the sums are those of a scan per vertex.
void CMESH::ComputeNormals()
{
    // Everything is allocated before any record points into it, so running
    // out of memory leaves the mesh as it was.
    std::unique_ptr<float[]> fn(faceCount ? new float[3 * size_t(faceCount)] : nullptr);
    std::unique_ptr<float[]> vn(vertexCount ? new float[3 * size_t(vertexCount)] : nullptr);
    auto forEachCorner = [this](size_t i, auto use) {
        const CFACE& f = faces[i];
        use(f.a);
        if (f.b != f.a) use(f.b);
        if (f.c != f.a && f.c != f.b) use(f.c);
    };
    // facesOf[first[v] .. first[v + 1]) lists the faces that use vertex v, in face order.
    std::vector<uint32_t> first(size_t(vertexCount) + 1, 0);
    for (size_t i = 0; i < faceCount; ++i) forEachCorner(i, [&](uint16_t v) { ++first[size_t(v) + 1]; });
    for (size_t v = 0; v < vertexCount; ++v) first[v + 1] += first[v];
    std::vector<uint16_t> facesOf(first[vertexCount]);
    std::vector<uint32_t> fill(first.begin(), first.end() - 1);
    for (size_t i = 0; i < faceCount; ++i)
        forEachCorner(i, [&](uint16_t v) { facesOf[fill[v]++] = static_cast<uint16_t>(i); });

    for (size_t i = 0; i < faceCount; ++i) {
        CFACE& f = faces[i];
        CVECTOR3 n;
        n.FromTriangle(CVECTOR3::From(vertices[f.a].position), CVECTOR3::From(vertices[f.b].position),
                       CVECTOR3::From(vertices[f.c].position));
        n.Normalize();
        n.Store(&fn[3 * i]);
        f.normal = &fn[3 * i];
    }
    for (size_t v = 0; v < vertexCount; ++v) {
        CVECTOR3 sum;
        for (uint32_t k = first[v]; k < first[v + 1]; ++k)
            sum = CVECTOR3::Add(sum, CVECTOR3::From(&fn[3 * size_t(facesOf[k])]));
        sum.Normalize();
        sum.Store(&vn[3 * v]);
        vertices[v].normal = &vn[3 * v];
    }

    faceNormals_ = std::move(fn);
    normals_ = std::move(vn);
    normalsReady = 1;
}

void CMESH::BuildList()
{
    if (displayList != 0) glDeleteLists(displayList, 1);
    displayList = glGenLists(1);
    glNewList(displayList, GL_COMPILE);
    glBegin(GL_TRIANGLES);
    const unsigned char mode = owner ? owner->normalMode : static_cast<unsigned char>(NORMALS_FACE);
    for (size_t i = 0; i < faceCount; ++i) {
        const CFACE& f = faces[i];
        if (mode == NORMALS_FACE && f.normal) glNormal3f(f.normal[0], f.normal[1], f.normal[2]);
        for (uint16_t index : {f.a, f.b, f.c}) {
            const CVERTEX& v = vertices[index];
            if (normalsReady && mode == NORMALS_VERTEX) glNormal3f(v.normal[0], v.normal[1], v.normal[2]);
            if (hasTexCoords) glTexCoord2f(v.texCoord[0], v.texCoord[1]);
            glVertex3f(v.position[0], v.position[1], v.position[2]);
        }
    }
    glEnd();
    glEndList();
}

void CMESH::DrawMesh() const
{
    if (displayList == 0) return;
    if (materialBound) glBindTexture(GL_TEXTURE_2D, material ? material->texture : 0);
    glCallList(displayList);
}
