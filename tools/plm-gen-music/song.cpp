#include "song.h"

#include "arrangement.h"
#include "beat_grid.h"
#include "mixdown.h"
#include "mp3_encoder.h"

#include <algorithm>
#include <cmath>

namespace music {

namespace {
constexpr double kSongFadeSeconds = 8.0;
}

std::vector<int16_t> RenderSong(double seconds)
{
    const double length = std::clamp(seconds, 0.1, kSongSeconds);
    SongBuses buses(static_cast<int64_t>(std::llround(length * kSampleRate)));
    ArrangeSong(buses);
    const double fade = length < kSongSeconds ? length / 10.0 : kSongFadeSeconds;
    return MixDown(buses, fade);
}

std::vector<unsigned char> RenderSongMp3(double seconds, std::string& error)
{
    return EncodeMp3(RenderSong(seconds), kSampleRate, kMp3KilobitsPerSecond, error);
}

}  // namespace music
