// Monotonic high-resolution counter, the stand-in for the Windows
// performance counter: ticks of one microsecond (frequency 1 000 000).
// Tests and the capture tool substitute the counter with their own source.
#ifndef PLM_PLATFORM_CLOCK_H
#define PLM_PLATFORM_CLOCK_H

#include <cstdint>

typedef int64_t (*PLATFORMCOUNTER)(void);

// Current counter value in ticks (the substitute's value when one is set).
int64_t PlatformCounter();
// Ticks per second of the real counter: always 1 000 000.
int64_t PlatformCounterFrequency();
// Replaces the counter source; null restores the monotonic clock.
void PlatformSetCounter(PLATFORMCOUNTER source);

// Blocks the calling thread for the given number of milliseconds.
void PlatformSleep(uint32_t milliseconds);

#endif
