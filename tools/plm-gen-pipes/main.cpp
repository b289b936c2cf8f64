// plm-gen-pipes STAGE_DIR: writes the pipes flight's data set there.
#include <string>

#include "generator.h"
#include "tools/common/command_line.h"

namespace {

const char* const ABOUT =
    "Writes the pipes flight's data below STAGE_DIR/plumora_data: the piece\n"
    "models (obj3d/pipe_*.3ds), their texture (texs/pipe_rust.jpg), and the\n"
    "piece types, pipes map and camera path scripts (script/pipes_type.plm,\n"
    "script/pipes_map.plm, script/cam_pos.plm).\n";

}  // namespace

int main(int argc, char** argv)
{
    std::string stage;
    int status = tools::kExitOk;
    if (!tools::ReadGeneratorCommandLine(argc, argv, "plm-gen-pipes", ABOUT, &stage, &status)) return status;
    return pipesgen::GenerateDataSet(stage) ? tools::kExitOk : tools::kExitFailed;
}
