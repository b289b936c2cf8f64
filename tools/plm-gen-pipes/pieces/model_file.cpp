#include "pieces/model_file.h"

namespace pipesgen {

namespace {

tds::Object MeshObject(const std::string& name, const TubeMesh& mesh)
{
    tds::Object object;
    object.name = name;
    tds::MaterialGroup group{kPieceMaterial, {}};
    for (const Vec3& p : mesh.Positions())
        object.mesh.vertices.push_back(tds::FromEngineAxes(float(p.x), float(p.y), float(p.z)));
    for (const TubeMesh::UV& uv : mesh.Mapping()) object.mesh.mapping.push_back({uv.u, uv.v});
    for (size_t i = 0; i < mesh.Faces().size(); ++i) {
        const TubeMesh::Face& f = mesh.Faces()[i];
        object.mesh.faces.push_back({f[0], f[1], f[2]});
        group.faces.push_back(static_cast<uint16_t>(i));
    }
    object.mesh.groups.push_back(std::move(group));
    return object;
}

}  // namespace

std::string FarObjectName(const PieceType& type)
{
    return "far_" + type.name;
}

tds::Model PieceModel(const PieceType& type)
{
    tds::Model model;
    tds::Material& material = model.materials.emplace_back();
    material.name = kPieceMaterial;
    material.texture = tds::TextureMap{kPieceTexture};
    model.objects.push_back(MeshObject(FarObjectName(type), type.farMesh));
    model.objects.push_back(MeshObject(type.name, type.mesh));
    return model;
}

}  // namespace pipesgen
