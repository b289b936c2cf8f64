// The demo's event script, taken from the song's beat grid: flashes and
// shakes on the accents the listener hears, and both scene changes.
//
// Codes: 1 camera shake, 3 and 4 white flash (4 marks a crash cymbal),
// 6 shake and flash (section starts). The player compares times in 16
// bits, so every event lies below 65536 ms; later accents get none.
#ifndef PLM_GEN_MUSIC_SONG_EVENTS_H
#define PLM_GEN_MUSIC_SONG_EVENTS_H

#include <cstdint>
#include <string>
#include <vector>

namespace music {

constexpr uint32_t kShake = 1;
constexpr uint32_t kFlash = 3;
constexpr uint32_t kCrashFlash = 4;
constexpr uint32_t kShakeFlash = 6;
constexpr uint32_t kEventTimeLimitMs = 65536;

struct SongEvent {
    uint32_t timeMs;
    uint32_t code;
    const char* label;  // one word, written as the event's third token
};

// All events, sorted by time (ties keep their order of creation).
std::vector<SongEvent> SongEvents();

// The script text: the count, then one "time code label" line per event.
std::string FormatEventScript(const std::vector<SongEvent>& events);

}  // namespace music

#endif
