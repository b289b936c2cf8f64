#include "capture_clock.h"

#include "platform/clock.h"
#include "shell/demo_clock.h"

#include <cmath>
#include <initializer_list>

namespace {

int64_t ticksNow = 0;

int64_t SubstituteCounter()
{
    return ticksNow;
}

float ClockStep(float current, int64_t ticks)
{
    return static_cast<float>(current + static_cast<double>(static_cast<uint32_t>(ticks)) * 1000.0 /
                                            static_cast<double>(1000000.0f));
}

}  // namespace

void InstallCaptureCounter()
{
    ticksNow = 0;
    PlatformSetCounter(SubstituteCounter);
}

int64_t CaptureTicks()
{
    return ticksNow;
}

void SetCaptureTicks(int64_t ticks)
{
    ticksNow = ticks;
}

bool TicksToExactTime(float current, float target, int64_t* ticks)
{
    if (target < current)
        return false;
    int64_t guess = static_cast<int64_t>(std::llround((static_cast<double>(target) - current) * 1000.0));
    for (int64_t offset : {0, -1, 1, -2, 2}) {
        int64_t k = guess + offset;
        if (k >= 0 && k < (int64_t(1) << 32) && ClockStep(current, k) == target) {
            *ticks = k;
            return true;
        }
    }
    return false;
}

bool PrepareExactTime(float target)
{
    for (int attempt = 0; attempt < 64; ++attempt) {
        // A reading with the counter standing still only reports the time.
        float current = demoClock.GetTime();
        int64_t k;
        if (TicksToExactTime(current, target, &k)) {
            ticksNow += k;
            return true;
        }
        if (current >= target)
            return false;
        // Let one tick pass in a reading of its own: the clock re-rounds.
        ticksNow += 1;
        demoClock.GetTime();
    }
    return false;
}
