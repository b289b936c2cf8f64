// The substituted counter that drives the demo clock in a capture: the
// capture decides what time every frame sees.
#ifndef PLM_TOOLS_CAPTURE_CLOCK_H
#define PLM_TOOLS_CAPTURE_CLOCK_H

#include <cstdint>
#include <vector>

// Installs the substitute counter (at tick 0) in place of the real one.
void InstallCaptureCounter();
// The substitute counter's current value in ticks (microseconds).
int64_t CaptureTicks();
// Moves the substitute counter to an absolute tick value.
void SetCaptureTicks(int64_t ticks);

// The whole number of ticks k that takes a clock showing `current` ms to
// exactly `target` ms, rounding as the demo clock does
// (float(current + k * 1000 / 1e6)); false when no k in reach lands on it.
bool TicksToExactTime(float current, float target, int64_t* ticks);

// How far short of a frame's time a capture's ordinary steps stop, in ticks:
// room for the few extra readings that land the frame exactly (each at most
// 1000 ticks), and less than one step at every video rate (up to 240 fps), so that
// a frame on a step's own time follows the same run as a video frame there.
const int64_t LANDING_ROOM_TICKS = 2000;

// Extra clock readings a capture may spend to land exactly on a time.
const int MAX_EXTRA_READINGS = 64;

// Plans the counter steps from current to target ms: every entry but the
// last is an extra reading (at most 1000 ticks each) that nudges the float
// clock's rounding, the last is the frame's own reading, after which the
// clock shows exactly target. False when no plan was found within
// MAX_EXTRA_READINGS readings (or target lies behind current).
bool PlanExactTime(float current, float target, std::vector<int64_t>* readings);

// A demo time rounded to whole ticks (microseconds), as a float: the times a
// capture aims at.
float TickTime(double milliseconds);

// Moves the substitute counter so that the demo clock's next reading is
// exactly target ms, spending extra readings (see PlanExactTime) to steer
// the clock's rounding; keep the clock LANDING_ROOM_TICKS short of target before. Where
// no plan exists it takes the nearest whole tick. Returns the time the next
// reading will show.
float PrepareExactTime(float target);

#endif
