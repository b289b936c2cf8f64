// The demo's music, start to finish: arrangement, mixdown and encoding.
#ifndef PLM_GEN_MUSIC_SONG_H
#define PLM_GEN_MUSIC_SONG_H

#include <cstdint>
#include <string>
#include <vector>

namespace music {

constexpr int kMp3KilobitsPerSecond = 192;

// The first `seconds` of the song (the whole song is kSongSeconds long)
// as interleaved 16-bit stereo at kSampleRate. A render shorter than the
// song fades out over its last tenth instead of the song's own fade.
std::vector<int16_t> RenderSong(double seconds);

// RenderSong encoded as MP3; empty with `error` set when encoding fails.
std::vector<unsigned char> RenderSongMp3(double seconds, std::string& error);

}  // namespace music

#endif
