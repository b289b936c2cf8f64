#include "generator.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdio>

#include "camera_path.h"
#include "network_plan.h"
#include "piece_model.h"
#include "rust_texture.h"
#include "scripts.h"

namespace pipesgen {

namespace {

constexpr int kLayoutAttempts = 32;

bool MakeDir(const std::string& path)
{
    if (mkdir(path.c_str(), 0755) == 0 || errno == EEXIST) return true;
    std::fprintf(stderr, "plm-gen-pipes: cannot create %s\n", path.c_str());
    return false;
}

bool WriteText(const std::string& path, const std::string& text)
{
    std::vector<uint8_t> bytes(text.begin(), text.end());
    if (tds::WriteBytes(bytes, path)) return true;
    std::fprintf(stderr, "plm-gen-pipes: cannot write %s\n", path.c_str());
    return false;
}

bool WriteModels(const std::string& root, const std::vector<PieceType>& catalog)
{
    for (const PieceType& t : catalog) {
        std::string error, path = root + "/obj3d/" + t.fileName;
        if (!tds::WriteFile(PieceModel(t), path, &error)) {
            std::fprintf(stderr, "plm-gen-pipes: %s: %s\n", path.c_str(), error.c_str());
            return false;
        }
    }
    return true;
}

}  // namespace

std::vector<std::string> OutputPaths()
{
    std::vector<std::string> out;
    for (const PieceType& t : BuildPieceCatalog()) out.push_back("plumora_data/obj3d/" + t.fileName);
    out.push_back(std::string("plumora_data/texs/") + kPieceTexture);
    for (const char* s : {"pipes_type.plm", "pipes_map.plm", "cam_pos.plm"})
        out.push_back(std::string("plumora_data/script/") + s);
    return out;
}

// Random layouts from successive seeds until one grows every pipe in full:
// still the same layout on every run.
Network PlannedNetwork(const std::vector<PieceType>& catalog, bool* complete)
{
    PlanOptions options = NetworkPlan();
    PlanResult plan;
    for (int attempt = 0; attempt < kLayoutAttempts; ++attempt, ++options.seed) {
        plan = PlanNetwork(catalog, options);
        if (plan.complete) break;
    }
    *complete = plan.complete;
    return plan.network;
}

bool GenerateDataSet(const std::string& stageDir)
{
    std::string root = stageDir + "/plumora_data";
    for (const std::string& dir : {stageDir, root, root + "/obj3d", root + "/texs", root + "/script"})
        if (!MakeDir(dir)) return false;
    std::vector<PieceType> catalog = BuildPieceCatalog();
    bool complete = false;
    Network network = PlannedNetwork(catalog, &complete);
    if (!complete) {
        std::fprintf(stderr, "plm-gen-pipes: the pipes network could not be laid out in full\n");
        return false;
    }
    return WriteModels(root, catalog) &&
           SaveJpeg(root + "/texs/" + kPieceTexture, RustPixels(), kTextureSize) &&
           WriteText(root + "/script/pipes_type.plm", TypesScript(catalog)) &&
           WriteText(root + "/script/pipes_map.plm", MapScript(network)) &&
           WriteText(root + "/script/cam_pos.plm", CameraScript(AllTracks()));
}

}  // namespace pipesgen
