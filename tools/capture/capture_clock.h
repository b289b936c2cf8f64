// The substituted counter that drives the demo clock in a capture: the
// capture decides what time every frame sees.
#ifndef PLM_TOOLS_CAPTURE_CLOCK_H
#define PLM_TOOLS_CAPTURE_CLOCK_H

#include <cstdint>

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

// Moves the substitute counter so that the demo clock's next reading is
// exactly target ms (a few extra readings may nudge the clock's rounding).
// target must not lie behind the clock. False if it cannot be hit.
bool PrepareExactTime(float target);

#endif
