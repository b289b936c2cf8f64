// The counter from QueryPerformanceCounter, scaled to microseconds; sleeping
// with Sleep.
#include "platform/clock.h"

#include <windows.h>

namespace {

// Ticks of the performance counter scaled to microseconds. Whole seconds
// and the remainder are scaled apart, so that the product cannot overflow
// whatever the counter's frequency and uptime.
int64_t PerformanceMicroseconds()
{
    static const int64_t frequency = [] {
        LARGE_INTEGER f;
        return QueryPerformanceFrequency(&f) && f.QuadPart > 0 ? f.QuadPart : int64_t(1);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return now.QuadPart / frequency * 1000000 + now.QuadPart % frequency * 1000000 / frequency;
}

PLATFORMCOUNTER counterSource = PerformanceMicroseconds;

}  // namespace

int64_t PlatformCounter()
{
    return counterSource();
}

int64_t PlatformCounterFrequency()
{
    return 1000000;
}

void PlatformSetCounter(PLATFORMCOUNTER source)
{
    counterSource = source ? source : PerformanceMicroseconds;
}

void PlatformSleep(uint32_t milliseconds)
{
    // INFINITE is 0xFFFFFFFF: the largest count sleeps in two steps so that
    // it still ends.
    if (milliseconds == INFINITE) {
        Sleep(milliseconds - 1);
        milliseconds = 1;
    }
    Sleep(milliseconds);
}
