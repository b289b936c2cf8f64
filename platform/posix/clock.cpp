// The counter from CLOCK_MONOTONIC; sleeping with nanosleep.
#include "platform/clock.h"

#include <cerrno>
#include <time.h>

namespace {

int64_t MonotonicMicroseconds()
{
    timespec now;
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<int64_t>(now.tv_sec) * 1000000 + now.tv_nsec / 1000;
}

PLATFORMCOUNTER counterSource = MonotonicMicroseconds;

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
    counterSource = source ? source : MonotonicMicroseconds;
}

void PlatformSleep(uint32_t milliseconds)
{
    // A signal handler may cut the sleep short; the rest is slept after it.
    timespec left = {static_cast<time_t>(milliseconds / 1000),
                     static_cast<long>(milliseconds % 1000) * 1000000};
    while (nanosleep(&left, &left) != 0 && errno == EINTR) {
    }
}
