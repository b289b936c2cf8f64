// The demo's event script, taken from the song's beat grid: flashes and
// shakes on the accents the listener hears, and both scene changes.
//
// Codes (scene/event_codes.h): a shake on claps and rolls, a flash on kicks,
// the crash flash on crash cymbals, shake and flash on section starts. Every
// event lies below EVENT_TIME_LIMIT; later accents get none.
#ifndef PLM_GEN_MUSIC_SONG_EVENTS_H
#define PLM_GEN_MUSIC_SONG_EVENTS_H

#include <cstdint>
#include <string>
#include <vector>

#include "scene/event_codes.h"

namespace music {

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
