// The demo's event script, taken from the song's beat grid: flashes and
// shakes on the accents the listener hears, and both scene changes.
//
// Codes (scene/event_codes.h): shake and flash on section starts, the crash
// flash on crash cymbals, a shake on claps and rolls. Kicks flash while the
// pipes grow. In the turntable a flash whitens the credits panel for about a
// second and fades over two, so there only section starts and crashes flash,
// at least kTurntableFlashSpacingMs apart, and the kicks and rolls shake (the
// turntable does not show a shake: the script still follows the beat). Every
// event lies below EVENT_TIME_LIMIT; later accents get none.
#ifndef PLM_GEN_MUSIC_SONG_EVENTS_H
#define PLM_GEN_MUSIC_SONG_EVENTS_H

#include <cstdint>
#include <string>
#include <vector>

#include "scene/event_codes.h"

namespace music {

// Shortest time between two flashes in the turntable, in ms.
constexpr uint32_t kTurntableFlashSpacingMs = 8000;

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
