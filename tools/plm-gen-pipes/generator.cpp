#include "generator.h"

#include "camera_path.h"
#include "network/plan.h"
#include "pieces/model_file.h"
#include "pieces/rust_texture.h"
#include "scripts.h"
#include "tools/common/command_line.h"
#include "tools/common/output_file.h"

namespace pipesgen {

namespace {

constexpr int kLayoutAttempts = 32;

bool Report(const std::string& why)
{
    tools::Failure("plm-gen-pipes", why);
    return false;
}

// Writes the file plumora_data/name below the staging tree.
bool Write(const std::string& stageDir, const std::string& name, const std::vector<unsigned char>& bytes)
{
    std::string error;
    return tools::WriteOutputFile(stageDir, "plumora_data/" + name, bytes, &error) || Report(error);
}

bool WriteText(const std::string& stageDir, const std::string& name, const std::string& text)
{
    return Write(stageDir, name, std::vector<unsigned char>(text.begin(), text.end()));
}

bool WriteModels(const std::string& stageDir, const std::vector<PieceType>& catalog)
{
    for (const PieceType& t : catalog) {
        std::string error;
        const std::vector<uint8_t> bytes = tds::Write(PieceModel(t), &error);
        if (bytes.empty()) return Report(t.fileName + ": " + error);
        if (!Write(stageDir, "obj3d/" + t.fileName, bytes)) return false;
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
    std::string error;
    if (!tools::MakeFolders(stageDir, &error)) return Report(error);
    std::vector<PieceType> catalog = BuildPieceCatalog();
    bool complete = false;
    Network network = PlannedNetwork(catalog, &complete);
    if (!complete) return Report("the pipes network could not be laid out in full");
    return WriteModels(stageDir, catalog) &&
           Write(stageDir, std::string("texs/") + kPieceTexture, RustTextureJpeg()) &&
           WriteText(stageDir, "script/pipes_type.plm", TypesScript(catalog)) &&
           WriteText(stageDir, "script/pipes_map.plm", MapScript(network)) &&
           WriteText(stageDir, "script/cam_pos.plm", CameraScript(AllTracks()));
}

}  // namespace pipesgen
