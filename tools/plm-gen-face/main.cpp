// plm-gen-face: writes the demo's face model, plumora_data/obj3d/face.3ds,
// below the staging directory given as the only argument. The output is the
// same, byte for byte, on every run.
#include "face_model.h"
#include "head_mesh.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

namespace {

const char* const FACE_FILE = "plumora_data/obj3d/face.3ds";

bool MakeParent(const std::filesystem::path& file)
{
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    return !error;
}

int Fail(const std::filesystem::path& path, const char* why)
{
    std::fprintf(stderr, "plm-gen-face: %s: %s\n", path.c_str(), why);
    return 1;
}

void PrintSummary(const face::HeadMesh& mesh)
{
    face::Vec lo = mesh.vertices[0], hi = mesh.vertices[0];
    for (const face::Vec& v : mesh.vertices) {
        lo = {std::fmin(lo.x, v.x), std::fmin(lo.y, v.y), std::fmin(lo.z, v.z)};
        hi = {std::fmax(hi.x, v.x), std::fmax(hi.y, v.y), std::fmax(hi.z, v.z)};
    }
    std::printf("%s: %zu vertices, %zu triangles, box (%.1f %.1f %.1f)..(%.1f %.1f %.1f)\n", FACE_FILE,
                mesh.vertices.size(), mesh.triangles.size(), lo.x, lo.y, lo.z, hi.x, hi.y, hi.z);
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: plm-gen-face STAGING_DIR\n");
        return 2;
    }
    const face::HeadMesh mesh = face::BuildHeadMesh(face::GridSize{});
    tds::Model model;
    std::string error;
    const std::filesystem::path path = std::filesystem::path(argv[1]) / FACE_FILE;
    if (!face::ToModel(mesh, &model, &error)) return Fail(path, error.c_str());
    if (!MakeParent(path)) return Fail(path, "cannot create the directory");
    if (!tds::WriteFile(model, path.string(), &error))
        return Fail(path, error.empty() ? "cannot write the file" : error.c_str());
    PrintSummary(mesh);
    return 0;
}
