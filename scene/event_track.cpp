#include "scene/event_track.h"

#include "scene/event_codes.h"

#include <cmath>
#include <cstdio>
#include <new>

namespace {

// The demo time truncated toward zero, modulo 65536 (two's complement for a
// negative time); 0 for a time that is not finite.
uint32_t TimeModulo16(float time)
{
    if (!std::isfinite(time)) {
        return 0;
    }
    double wrapped = std::fmod(std::trunc(static_cast<double>(time)), 65536.0);
    if (wrapped < 0.0) {
        wrapped += 65536.0;
    }
    return static_cast<uint32_t>(wrapped);
}

// Data that loads but will not play as the author expects.
void WarnAboutTime(const char* name, const CEVENT* list, uint32_t index)
{
    uint32_t time = list[index].eventTime;
    if (time >= EVENT_TIME_LIMIT) {
        std::fprintf(stderr,
                     "%s: event %u at %u ms is never due (times lie below 65536 ms) "
                     "and holds back the events after it\n",
                     name, index + 1, time);
    } else if (index > 0 && time < list[index - 1].eventTime) {
        std::fprintf(stderr, "%s: event %u at %u ms comes before the event ahead of it\n", name, index + 1,
                     time);
    }
}

// Reads up to capacity records "time code word"; returns how many were
// read completely (the trailing word is skipped and never required).
uint32_t ReadRecords(FILE* file, const char* name, CEVENT* list, uint32_t capacity)
{
    for (uint32_t i = 0; i < capacity; ++i) {
        if (std::fscanf(file, "%u %u %*s", &list[i].eventTime, &list[i].eventCode) != 2) {
            std::fprintf(stderr, "%s: event %u is missing or malformed; using the first %u events\n", name,
                         i + 1, i);
            return i;
        }
        WarnAboutTime(name, list, i);
    }
    return capacity;
}

// Reads the count, signed and wide so that it is reported as the file wrote
// it; false (reported) when it is missing or negative. capacity receives the
// count, cut to MAX_EVENTS (reported).
bool ReadEventCount(FILE* file, const char* name, long long& announced, uint32_t& capacity)
{
    if (std::fscanf(file, "%lld", &announced) != 1) {
        std::fprintf(stderr, "%s: missing event count; no events\n", name);
        return false;
    }
    if (announced < 0) {
        std::fprintf(stderr, "%s: the event count %lld is negative; no events\n", name, announced);
        return false;
    }
    capacity = CEVENTTRACK::MAX_EVENTS;
    if (announced > CEVENTTRACK::MAX_EVENTS) {
        std::fprintf(stderr,
                     "%s: %lld events are more than the %u a track holds; using the "
                     "first %u\n",
                     name, announced, capacity, capacity);
    } else {
        capacity = static_cast<uint32_t>(announced);
    }
    return true;
}

// Reads the count and the records; returns the list (null if there is
// none) and sets count to the events read completely, whole to whether
// that is every event the file announces.
CEVENT* ReadList(FILE* file, const char* name, uint32_t& count, bool& whole)
{
    long long announced = 0;
    uint32_t capacity = 0;
    count = 0;
    whole = false;
    if (!ReadEventCount(file, name, announced, capacity)) {
        return nullptr;
    }
    CEVENT* list = new (std::nothrow) CEVENT[capacity];
    if (list == nullptr) {
        std::fprintf(stderr, "%s: out of memory for %u events\n", name, capacity);
        return nullptr;
    }
    count = ReadRecords(file, name, list, capacity);
    whole = count == announced;
    return list;
}

}  // namespace

CEVENTTRACK::CEVENTTRACK() : eventList(nullptr), nextEvent(0), eventCount(0) {}

CEVENTTRACK::~CEVENTTRACK()
{
    Release();
}

void CEVENTTRACK::Release()
{
    delete[] eventList;
    eventList = nullptr;
    nextEvent = 0;
    eventCount = 0;
}

int CEVENTTRACK::ReadEvents(const char* fileName)
{
    uint16_t keepNext = nextEvent;
    Release();
    nextEvent = keepNext;
    FILE* file = std::fopen(fileName, "r");
    if (file == nullptr) {
        std::fprintf(stderr, "%s: cannot open the event track; no events\n", fileName);
        return 0;
    }
    bool whole = false;
    eventList = ReadList(file, fileName, eventCount, whole);
    std::fclose(file);
    return whole ? 1 : 0;
}

uint32_t CEVENTTRACK::PollEvent(float time)
{
    if (nextEvent >= eventCount) {
        return EVENT_NONE;
    }
    if (TimeModulo16(time) < eventList[nextEvent].eventTime) {
        return EVENT_NONE;
    }
    return eventList[nextEvent++].eventCode;
}
