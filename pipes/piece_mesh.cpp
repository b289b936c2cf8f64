#include "pipes/piece_mesh.h"

#include "pipes/pipe_types.h"
#include "plm_engine.h"

namespace {

CPIECEMESH EmptyMesh()
{
    return CPIECEMESH{0, 0, nullptr, nullptr, 0};
}

CPIECEMESH QueryMesh(COBJECT3D* object, unsigned short index = 0)
{
    CPIECEMESH mesh = EmptyMesh();
    object->GetMeshData(index, &mesh.vertexCount, &mesh.faceCount, &mesh.vertices, &mesh.faces,
                        &mesh.texture);
    return mesh;
}

bool VertexUsable(const CPIECEMESH& mesh, uint16_t index)
{
    if (index >= mesh.vertexCount) {
        return false;
    }
    const CVERTEX& vertex = mesh.vertices[index];
    return vertex.position != nullptr && vertex.normal != nullptr;
}

bool FacesUsable(const CPIECEMESH& mesh)
{
    for (uint32_t f = 0; f < mesh.faceCount; ++f) {
        const CFACE& face = mesh.faces[f];
        if (!VertexUsable(mesh, face.a) || !VertexUsable(mesh, face.b) || !VertexUsable(mesh, face.c)) {
            return false;
        }
    }
    return true;
}

bool CheckMesh(const CPIECEMESH& mesh, const char** why)
{
    if ((mesh.faceCount > 0 && mesh.faces == nullptr) || (mesh.vertexCount > 0 && mesh.vertices == nullptr)) {
        *why = "the model's first mesh has no face or vertex array";
        return false;
    }
    if (!FacesUsable(mesh)) {
        *why = "a face of the model's first mesh names a missing vertex or one without a normal";
        return false;
    }
    return true;
}

}  // namespace

bool CheckPieceMesh(COBJECT3D* object, const char** why)
{
    if (object == nullptr || object->GetMeshCount() <= 0) {
        *why = "the model has no mesh";
        return false;
    }
    return CheckMesh(QueryMesh(object), why);
}

CPIECEMESH GetFarPieceMesh(COBJECT3D* object)
{
    const char* why = "";
    if (object == nullptr || object->GetMeshCount() < 2) {
        return EmptyMesh();
    }
    CPIECEMESH mesh = QueryMesh(object, 1);
    return CheckMesh(mesh, &why) ? mesh : EmptyMesh();
}

CPIECEMESH GetPieceMesh(const CPIPETYPE* type)
{
    if (type == nullptr || !type->drawable) {
        return EmptyMesh();
    }
    return QueryMesh(type->object);
}
