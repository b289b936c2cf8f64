#include "capture_clock.h"

#include "platform/clock.h"
#include "scene/process_objects.h"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <vector>

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
    if (target < current) return false;
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

namespace {

// How far float(target - current) in ticks lies from a whole number.
double TickResidue(float current, float target)
{
    double ticks = (static_cast<double>(target) - current) * 1000.0;
    return std::fabs(ticks - std::nearbyint(ticks));
}

}  // namespace

bool PlanExactTime(float current, float target, std::vector<int64_t>* readings)
{
    readings->clear();
    for (int reading = 0; reading < MAX_EXTRA_READINGS; ++reading) {
        int64_t k;
        if (TicksToExactTime(current, target, &k)) {
            readings->push_back(k);
            return true;
        }
        // The float clock is finer than a tick: each reading rounds, so a
        // reading of a well-chosen length moves the remainder towards a
        // whole number of ticks.
        int64_t best = 0;
        double bestResidue = TickResidue(current, target);
        for (int64_t j = 1; j <= 1000 && ClockStep(current, j) < target; ++j) {
            double residue = TickResidue(ClockStep(current, j), target);
            if (residue < bestResidue) {
                best = j;
                bestResidue = residue;
            }
        }
        if (best == 0) return false;
        readings->push_back(best);
        current = ClockStep(current, best);
    }
    return false;
}

float TickTime(double milliseconds)
{
    return static_cast<float>(static_cast<double>(std::llround(milliseconds * 1000.0)) / 1000.0);
}

float PrepareExactTime(float target)
{
    // A reading with the counter standing still only reports the time.
    float current = demoClock.GetTime();
    // Kept from call to call, so that a frame allocates nothing.
    static std::vector<int64_t> readings;
    readings.reserve(MAX_EXTRA_READINGS + 1);
    if (!PlanExactTime(current, target, &readings)) {
        // Out of reach: the nearest whole tick instead.
        int64_t k = std::max<int64_t>(0, std::llround((static_cast<double>(target) - current) * 1000.0));
        readings.assign(1, k);
    }
    for (size_t i = 0; i + 1 < readings.size(); ++i) {
        ticksNow += readings[i];
        current = demoClock.GetTime();
    }
    ticksNow += readings.back();
    return ClockStep(current, readings.back());
}
