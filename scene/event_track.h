// CEVENTTRACK: the timed codes of plumora_data/script/bits.plm that shake
// the camera and flash the screen. Each poll returns at most one due event,
// every event exactly once, in file order; the track plays once.
//
// Limits of the track: at most 65535 events, event times below 65536 ms
// (the poll compares the time modulo 65536), times ascending. An event at
// 65536 ms or later is never due and holds back every event after it.
#ifndef PLM_SCENE_EVENT_TRACK_H
#define PLM_SCENE_EVENT_TRACK_H

#include <cstdint>

struct CEVENT {
    uint32_t eventTime;  // ms of demo time
    uint32_t eventCode;  // scene/event_codes.h
};

class CEVENTTRACK {
public:
    enum : uint32_t { MAX_EVENTS = 65535 };

    CEVENT* eventList;
    uint16_t nextEvent;  // first event not yet returned
    uint32_t eventCount;

    CEVENTTRACK();
    ~CEVENTTRACK();
    CEVENTTRACK(const CEVENTTRACK&) = delete;
    CEVENTTRACK& operator=(const CEVENTTRACK&) = delete;

    // Reads the file ("count" then per event "time code word") into a new
    // list, replacing any previous one; nextEvent is left as it is. Returns
    // 1 when every announced event was read. Otherwise reports on stderr and
    // returns 0, keeping the events read completely before the first bad one
    // (and no more than MAX_EVENTS); a missing file or a negative count
    // (reported with its sign) gives no events.
    int ReadEvents(const char* fileName);
    // time: demo time in ms. Returns the code of the next event if its time
    // has come (time truncated toward zero, modulo 65536, at least the event
    // time) and moves past it; otherwise EVENT_NONE (0).
    uint32_t PollEvent(float time);

private:
    void Release();
};

extern CEVENTTRACK events;

#endif
