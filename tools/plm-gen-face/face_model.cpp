#include "face_model.h"

namespace face {
namespace {

const size_t MAX_COUNT = 65535;  // 16-bit counts and indices of the format

tds::Mesh ToTdsMesh(const HeadMesh& mesh)
{
    tds::Mesh out;
    out.vertices.reserve(mesh.vertices.size());
    for (const Vec3& v : mesh.vertices)
        out.vertices.push_back(
            tds::FromEngineAxes(static_cast<float>(v.x), static_cast<float>(v.y), static_cast<float>(v.z)));
    tds::MaterialGroup group{"FACE_METAL", {}};
    for (const Triangle& t : mesh.triangles) {
        group.faces.push_back(static_cast<uint16_t>(out.faces.size()));
        tds::Face face;
        face.a = static_cast<uint16_t>(t.a);
        face.b = static_cast<uint16_t>(t.b);
        face.c = static_cast<uint16_t>(t.c);
        out.faces.push_back(face);
    }
    out.groups.push_back(group);
    return out;
}

}  // namespace

bool ToModel(const HeadMesh& mesh, tds::Model* model, std::string* error)
{
    if (mesh.vertices.size() > MAX_COUNT || mesh.triangles.size() > MAX_COUNT) {
        *error = "the head mesh has more than 65535 vertices or triangles";
        return false;
    }
    tds::Material& material = model->materials.emplace_back();
    material.name = "FACE_METAL";
    tds::Object& object = model->objects.emplace_back();
    object.name = "Face";
    object.mesh = ToTdsMesh(mesh);
    return true;
}

}  // namespace face
