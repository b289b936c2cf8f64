// plm-gen-music STAGE: writes the demo's music and its event script into
// the staging tree:
//   STAGE/plumora_data/msx/msx.mp3        about 100 s, 44.1 kHz stereo MP3
//   STAGE/plumora_data/script/bits.plm    flashes and shakes on its accents
// The output is the same, byte for byte, on every run.
#include "beat_grid.h"
#include "song.h"
#include "song_events.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

bool WriteFile(const std::filesystem::path& path, const void* data, size_t size)
{
    std::error_code error;
    std::filesystem::create_directories(path.parent_path(), error);
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    out.close();
    if (!out) {
        std::fprintf(stderr, "plm-gen-music: cannot write %s\n", path.c_str());
        return false;
    }
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: plm-gen-music STAGE_DIR\n");
        return 2;
    }
    const std::filesystem::path data = std::filesystem::path(argv[1]) / "plumora_data";
    const std::string script = music::FormatEventScript(music::SongEvents());
    if (!WriteFile(data / "script" / "bits.plm", script.data(), script.size())) {
        return 1;
    }
    std::string error;
    const std::vector<unsigned char> mp3 = music::RenderSongMp3(music::kSongSeconds, error);
    if (mp3.empty()) {
        std::fprintf(stderr, "plm-gen-music: %s\n", error.c_str());
        return 1;
    }
    return WriteFile(data / "msx" / "msx.mp3", mp3.data(), mp3.size()) ? 0 : 1;
}
