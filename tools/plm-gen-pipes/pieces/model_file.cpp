#include "pieces/model_file.h"

namespace pipesgen {

tds::Model PieceModel(const PieceType& type)
{
    tds::Model model;
    tds::Material& material = model.materials.emplace_back();
    material.name = kPieceMaterial;
    material.texture = tds::TextureMap{kPieceTexture};
    tds::Object& object = model.objects.emplace_back();
    object.name = type.name;
    tds::MaterialGroup group{kPieceMaterial, {}};
    for (const Vec3& p : type.mesh.Positions())
        object.mesh.vertices.push_back(tds::FromEngineAxes(float(p.x), float(p.y), float(p.z)));
    for (const TubeMesh::UV& uv : type.mesh.Mapping()) object.mesh.mapping.push_back({uv.u, uv.v});
    for (size_t i = 0; i < type.mesh.Faces().size(); ++i) {
        const TubeMesh::Face& f = type.mesh.Faces()[i];
        object.mesh.faces.push_back({f[0], f[1], f[2]});
        group.faces.push_back(static_cast<uint16_t>(i));
    }
    object.mesh.groups.push_back(std::move(group));
    return model;
}

}  // namespace pipesgen
