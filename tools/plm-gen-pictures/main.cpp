// plm-gen-pictures <stage>: writes the demo's pictures below
// <stage>/plumora_data (texs/ and gfx/, created if missing). Deterministic:
// every run writes the same bytes. Exit status 0 on success, 1 on any failure.
#include <cstdio>
#include <filesystem>
#include <string>

#include "image_writer.h"
#include "pictures.h"

namespace {

const char kRegularFont[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
const char kBoldFont[] = "/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf";
// Darker than this is written as pure black in the masked credits picture.
const float kMaskFloor = 0.02f;

bool Save(const std::string& path, const CCanvas& canvas, bool png, float floor = 0.0f)
{
    const std::vector<unsigned char> bytes = canvas.ToBytes(floor);
    return png ? WritePng(path, canvas.Width(), canvas.Height(), bytes)
               : WriteJpeg(path, canvas.Width(), canvas.Height(), bytes);
}

bool MakeDirectories(const std::filesystem::path& data)
{
    std::error_code error;
    std::filesystem::create_directories(data / "texs", error);
    std::filesystem::create_directories(data / "gfx", error);
    return std::filesystem::is_directory(data / "texs") && std::filesystem::is_directory(data / "gfx");
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: plm-gen-pictures <staging directory>\n");
        return 1;
    }
    const std::filesystem::path data = std::filesystem::path(argv[1]) / "plumora_data";
    if (!MakeDirectories(data)) {
        std::fprintf(stderr, "plm-gen-pictures: cannot create %s\n", data.c_str());
        return 1;
    }
    CFONTS fonts;
    if (!fonts.regular.Open(kRegularFont) || !fonts.bold.Open(kBoldFont)) return 1;
    const std::string texs = (data / "texs").string() + "/";
    const std::string gfx = (data / "gfx").string() + "/";
    bool ok = Save(texs + "metalic.jpg", MakeMetalMap(), false);
    ok = Save(texs + "line_01.jpg", MakeLineStrip(), false) && ok;
    ok = Save(texs + "credits.png", MakeCredits(fonts), true, kMaskFloor) && ok;
    ok = Save(texs + "greetings.jpg", MakeGreetings(fonts), false) && ok;
    ok = Save(gfx + "setup.jpg", MakeSetupBanner(fonts), false) && ok;
    ok = Save(gfx + "loader_back.jpg", MakeLoaderBack(fonts), false) && ok;
    ok = Save(gfx + "loader_ball.jpg", MakeLoaderBall(), false) && ok;
    return ok ? 0 : 1;
}
