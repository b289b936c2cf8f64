#include "runtime/demo_clock.h"

#include "platform/clock.h"

DemoClock::DemoClock()
{
    // The frequency is kept as its low 32 bits, unsigned, as a float.
    frequency = static_cast<float>(static_cast<uint32_t>(PlatformCounterFrequency()));
    // Zeroed here too, so that an instance outside static storage never
    // reports an uninitialised time before Start.
    lastReading = 0;
    time = 0.0f;
    previous = 0.0f;
    state = CLOCK_STOPPED;
}

void DemoClock::Start()
{
    lastReading = PlatformCounter();
    time = 0.0f;
    state = CLOCK_RUNNING;
}

float DemoClock::GetTime()
{
    int64_t now = PlatformCounter();
    if (state == CLOCK_RUNNING) {
        uint32_t ticks = static_cast<uint32_t>(now) - static_cast<uint32_t>(lastReading);
        time = static_cast<float>(time + static_cast<double>(ticks) * 1000.0 / frequency);
    }
    lastReading = now;
    return time;
}

float DemoClock::GetDelta()
{
    float t = GetTime();
    float d = t - previous;
    previous = t;
    return d;
}
