// plm-gen-music STAGE: writes the demo's music and its event script into
// the staging tree:
//   STAGE/plumora_data/msx/msx.mp3        about 100 s, 44.1 kHz stereo MP3
//   STAGE/plumora_data/script/bits.plm    flashes and shakes on its accents
// The output is the same, byte for byte, on every run.
#include "beat_grid.h"
#include "song.h"
#include "song_events.h"
#include "tools/common/command_line.h"
#include "tools/common/output_file.h"

#include <string>

namespace {

const char* const TOOL = "plm-gen-music";
const char* const ABOUT =
    "Writes the demo's music and its event script below STAGE_DIR:\n"
    "  plumora_data/msx/msx.mp3      about 100 s, 44.1 kHz stereo MP3\n"
    "  plumora_data/script/bits.plm  flashes and shakes on its accents\n";

}  // namespace

int main(int argc, char** argv)
{
    std::string stage, error;
    int status = tools::kExitOk;
    if (!tools::ReadGeneratorCommandLine(argc, argv, TOOL, ABOUT, &stage, &status)) return status;
    const std::string script = music::FormatEventScript(music::SongEvents());
    if (!tools::WriteOutputFile(stage, "plumora_data/script/bits.plm", script.data(), script.size(), &error))
        return tools::Failure(TOOL, error);
    const std::vector<unsigned char> mp3 = music::RenderSongMp3(music::kSongSeconds, error);
    if (mp3.empty()) return tools::Failure(TOOL, error);
    return tools::WriteOutputFile(stage, "plumora_data/msx/msx.mp3", mp3, &error)
               ? tools::kExitOk
               : tools::Failure(TOOL, error);
}
