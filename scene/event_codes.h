// The vocabulary of the event script (plumora_data/script/bits.plm): what
// each code makes the frame renderer do when its event falls due, and the
// time every event must lie below. The music generator writes events with
// these codes; the scene acts on them. Other codes are read and consumed
// without effect.
#ifndef PLM_SCENE_EVENT_CODES_H
#define PLM_SCENE_EVENT_CODES_H

#include <cstdint>

constexpr uint32_t EVENT_NONE = 0;         // what a poll returns when nothing is due
constexpr uint32_t EVENT_SHAKE = 1;        // camera shake
constexpr uint32_t EVENT_FLASH = 3;        // white flash
constexpr uint32_t EVENT_CRASH_FLASH = 4;  // white flash (the music marks crash cymbals with it)
constexpr uint32_t EVENT_SHAKE_FLASH = 6;  // camera shake and white flash

// Event times lie below this many ms: the track compares times modulo
// 65536, so a later event is never due.
constexpr uint32_t EVENT_TIME_LIMIT = 65536;

#endif
