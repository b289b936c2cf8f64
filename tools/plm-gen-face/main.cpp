// plm-gen-face: writes the demo's face model, plumora_data/obj3d/face.3ds,
// below the staging directory given as the only argument. The output is the
// same, byte for byte, on every run.
#include "face_model.h"
#include "head_mesh.h"
#include "tools/common/command_line.h"
#include "tools/common/output_file.h"

#include <cmath>
#include <cstdio>
#include <string>

namespace {

const char* const TOOL = "plm-gen-face";
const char* const FACE_FILE = "plumora_data/obj3d/face.3ds";
const char* const ABOUT =
    "Writes the face model of the face scenes below STAGE_DIR:\n"
    "  plumora_data/obj3d/face.3ds\n"
    "and prints its vertex and triangle counts and bounding box.\n";

void PrintSummary(const face::HeadMesh& mesh)
{
    face::Vec3 lo = mesh.vertices[0], hi = mesh.vertices[0];
    for (const face::Vec3& v : mesh.vertices) {
        lo = {std::fmin(lo.x, v.x), std::fmin(lo.y, v.y), std::fmin(lo.z, v.z)};
        hi = {std::fmax(hi.x, v.x), std::fmax(hi.y, v.y), std::fmax(hi.z, v.z)};
    }
    std::printf("%s: %zu vertices, %zu triangles, box (%.1f %.1f %.1f)..(%.1f %.1f %.1f)\n", FACE_FILE,
                mesh.vertices.size(), mesh.triangles.size(), lo.x, lo.y, lo.z, hi.x, hi.y, hi.z);
}

}  // namespace

int main(int argc, char** argv)
{
    std::string stage, error;
    int status = tools::kExitOk;
    if (!tools::ReadGeneratorCommandLine(argc, argv, TOOL, ABOUT, &stage, &status)) return status;
    const face::HeadMesh mesh = face::BuildHeadMesh(face::GridSize{});
    tds::Model model;
    if (!face::ToModel(mesh, &model, &error))
        return tools::Failure(TOOL, std::string(FACE_FILE) + ": " + error);
    const std::vector<uint8_t> bytes = tds::Write(model, &error);
    if (bytes.empty()) return tools::Failure(TOOL, std::string(FACE_FILE) + ": " + error);
    if (!tools::WriteOutputFile(stage, FACE_FILE, bytes, &error)) return tools::Failure(TOOL, error);
    PrintSummary(mesh);
    return tools::kExitOk;
}
