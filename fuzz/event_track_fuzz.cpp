// Fuzz target for the event track reader: any bytes as bits.plm, read and
// then played. Reading and polling must never crash, touch memory out of
// bounds or leak; the track holds at most MAX_EVENTS events and plays each
// of them at most once, in file order.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>

#include "fuzz_input_file.h"
#include "scene/event_track.h"

namespace {

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "event track fuzz: %s\n", what);
        std::abort();
    }
}

// Polls at time; an event returned must be the next one in file order.
void Poll(CEVENTTRACK& track, float time)
{
    uint32_t before = track.nextEvent;
    uint32_t code = track.PollEvent(time);
    if (track.nextEvent != before) {
        Check(track.nextEvent == before + 1, "one poll passed more than one event");
        Check(code == track.eventList[before].eventCode, "a poll returned another event's code");
    } else {
        Check(code == 0, "a poll returned a code without passing an event");
    }
    Check(track.nextEvent <= track.eventCount, "the next event left the list");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInputFile input(data, size);
    CEVENTTRACK track;
    track.ReadEvents(input.path());
    Check(track.eventCount <= CEVENTTRACK::MAX_EVENTS, "more events than a track holds");
    Check(track.eventCount == 0 || track.eventList != nullptr, "events without a list");
    // Times a clock can give (not a number, huge, negative, wrapped) while
    // events are still due, then every event's own time.
    const float odd[] = {std::numeric_limits<float>::quiet_NaN(),
                         std::numeric_limits<float>::infinity(),
                         -1e30f,
                         1e30f,
                         65536.0f,
                         -1.0f,
                         65535.9f};
    for (float time : odd) {
        Poll(track, time);
    }
    for (uint32_t i = 0; i < track.eventCount; ++i) {
        Poll(track, static_cast<float>(track.eventList[i].eventTime));
    }
    // A second reading keeps the position in the track, as a reload does.
    uint16_t position = track.nextEvent;
    track.ReadEvents(input.path());
    Check(track.nextEvent == position, "reading again moved the position in the track");
    Poll(track, 65535.0f);
    return 0;
}
