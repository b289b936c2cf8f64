// The demo clock: milliseconds since Start, from the platform's 1 MHz
// monotonic counter. Time accumulates per reading in a 32-bit float; tick
// differences use the low 32 bits modulo 2^32, so a counter wrap between two
// readings is harmless as long as they lie less than 2^32 ticks apart.
#ifndef PLM_RUNTIME_DEMO_CLOCK_H
#define PLM_RUNTIME_DEMO_CLOCK_H

#include <cstdint>

enum : uint8_t { CLOCK_RUNNING = 1, CLOCK_STOPPED = 3 };

class DemoClock {
public:
    DemoClock();
    // Takes the counter as the start reading; time becomes 0.
    void Start();
    // Milliseconds since Start (unchanged before Start); moves the reading on.
    float GetTime();
    // Milliseconds since the previous GetDelta (since Start for the first).
    float GetDelta();

private:
    int64_t lastReading;
    float time;
    float previous;
    float frequency;
    uint8_t state;
};

#endif
