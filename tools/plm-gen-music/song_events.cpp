#include "song_events.h"

#include "arrangement.h"
#include "beat_grid.h"

#include <algorithm>
#include <cmath>

namespace music {

namespace {

void Add(std::vector<SongEvent>& events, double ms, uint32_t code, const char* label)
{
    const double rounded = std::floor(ms + 0.5);
    if (rounded >= 0.0 && rounded < EVENT_TIME_LIMIT) {
        events.push_back(SongEvent{static_cast<uint32_t>(rounded), code, label});
    }
}

// Section starts shake and flash; other crash bars flash.
void AddSectionAccents(std::vector<SongEvent>& events)
{
    Add(events, BarMs(kGrooveBar), EVENT_SHAKE_FLASH, "groove");
    Add(events, BarMs(kBuildBar), EVENT_SHAKE_FLASH, "buildup");
    Add(events, BarMs(kDropBar), EVENT_SHAKE_FLASH, "drop");
    Add(events, BarMs(kDrop2Bar), EVENT_SHAKE_FLASH, "drop2");
    for (int bar : CrashBars()) {
        if (bar != kGrooveBar && bar != kDropBar && bar != kDrop2Bar) {
            Add(events, BarMs(bar), EVENT_CRASH_FLASH, "crash");
        }
    }
}

// Groove: a flash on each downbeat kick, a shake on the last clap of the bar.
void AddGrooveAccents(std::vector<SongEvent>& events)
{
    for (int bar = kGrooveBar + 1; bar < kBuildBar; ++bar) {
        Add(events, BarMs(bar), EVENT_FLASH, "kick");
    }
    for (int bar = kGrooveBar + 2; bar < kBuildBar; ++bar) {
        Add(events, BeatMs(bar * kBeatsPerBar + 3), EVENT_SHAKE, "clap");
    }
}

// The build-up roll shakes the camera on every whole beat after its start.
void AddRollAccents(std::vector<SongEvent>& events)
{
    for (double beat : SnareRollBeats()) {
        if (beat > 0.0 && beat == std::floor(beat)) {
            Add(events, BeatMs(kBuildBar * kBeatsPerBar + beat), EVENT_SHAKE, "roll");
        }
    }
}

// From the drop on the turntable shows the credits, and a flash there
// would hide them for a second: the kick of every other bar, the hats
// coming back in the break and the second build-up's roll shake instead,
// and only the section starts and crashes flash.
void AddDropAccents(std::vector<SongEvent>& events)
{
    for (int bar = kDropBar + 2; bar < kBreakBar; bar += 2) {
        if (bar != kDropBar + 8) {
            Add(events, BarMs(bar), EVENT_SHAKE, "kick");
        }
    }
    Add(events, BarMs(kBreakBar + 4), EVENT_SHAKE, "hats");
    Add(events, BarMs(kDrop2Bar - 2), EVENT_SHAKE, "roll");
    Add(events, BarMs(kDrop2Bar - 1), EVENT_SHAKE, "roll");
}

}  // namespace

std::vector<SongEvent> SongEvents()
{
    std::vector<SongEvent> events;
    AddSectionAccents(events);
    AddGrooveAccents(events);
    AddRollAccents(events);
    AddDropAccents(events);
    std::stable_sort(events.begin(), events.end(),
                     [](const SongEvent& a, const SongEvent& b) { return a.timeMs < b.timeMs; });
    return events;
}

std::string FormatEventScript(const std::vector<SongEvent>& events)
{
    std::string text = std::to_string(events.size()) + "\n";
    for (const SongEvent& event : events) {
        text += std::to_string(event.timeMs) + " " + std::to_string(event.code) + " " + event.label + "\n";
    }
    return text;
}

}  // namespace music
