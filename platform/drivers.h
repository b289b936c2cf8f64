// The drivers of runs without a desktop: tools that run the demo's code off
// screen ask for them before the video system (platform/window.h) and the
// audio library start.
#ifndef PLM_PLATFORM_DRIVERS_H
#define PLM_PLATFORM_DRIVERS_H

// Makes the next video start use the invisible off-screen driver, whatever
// display the process has.
void PlatformUseOffscreenVideo();
// Makes the next audio start use the silent dummy driver.
void PlatformUseSilentAudio();

#endif
