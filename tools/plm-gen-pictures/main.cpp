// plm-gen-pictures STAGE_DIR: writes the demo's pictures below
// STAGE_DIR/plumora_data (texs/ and gfx/, made if missing). Deterministic:
// every run writes the same bytes.
#include <string>

#include "pictures.h"
#include "tools/common/command_line.h"
#include "tools/common/image_file.h"
#include "tools/common/output_file.h"

namespace {

const char* const TOOL = "plm-gen-pictures";
const char* const ABOUT =
    "Writes the demo's pictures below STAGE_DIR/plumora_data, lettered with the\n"
    "DejaVu fonts:\n"
    "  texs/metalic.jpg texs/line_01.jpg texs/credits.png texs/greetings.jpg\n"
    "  gfx/setup.jpg gfx/loader_back.jpg gfx/loader_ball.jpg\n";
const char kRegularFont[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char kBoldFont[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
// Darker than this is written as pure black in the masked credits picture.
const float kMaskFloor = 0.02f;

bool Save(const std::string& stage, const std::string& name, const CCanvas& canvas, float floor = 0.0f)
{
    const std::vector<unsigned char> rgb = canvas.ToBytes(floor);
    const bool png = name.compare(name.size() - 4, 4, ".png") == 0;
    const std::vector<unsigned char> file = png ? tools::EncodePng(canvas.Width(), canvas.Height(), rgb)
                                                : tools::EncodeJpeg(canvas.Width(), canvas.Height(), rgb, {});
    std::string error = "cannot encode " + name;
    if (!file.empty() && tools::WriteOutputFile(stage, "plumora_data/" + name, file, &error)) return true;
    tools::Failure(TOOL, error);
    return false;
}

}  // namespace

int main(int argc, char** argv)
{
    std::string stage;
    int status = tools::kExitOk;
    if (!tools::ReadGeneratorCommandLine(argc, argv, TOOL, ABOUT, &stage, &status)) return status;
    CFONTS fonts;
    if (!fonts.regular.Open(kRegularFont) || !fonts.bold.Open(kBoldFont)) return tools::kExitFailed;
    bool ok = Save(stage, "texs/metalic.jpg", MakeMetalMap());
    ok = Save(stage, "texs/line_01.jpg", MakeLineStrip()) && ok;
    ok = Save(stage, "texs/credits.png", MakeCredits(fonts), kMaskFloor) && ok;
    ok = Save(stage, "texs/greetings.jpg", MakeGreetings(fonts)) && ok;
    ok = Save(stage, "gfx/setup.jpg", MakeSetupBanner(fonts)) && ok;
    ok = Save(stage, "gfx/loader_back.jpg", MakeLoaderBack(fonts)) && ok;
    ok = Save(stage, "gfx/loader_ball.jpg", MakeLoaderBall()) && ok;
    return ok ? tools::kExitOk : tools::kExitFailed;
}
