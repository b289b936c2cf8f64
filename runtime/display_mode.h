// The full-screen display mode chosen at start-up. Written once before the
// window opens; every renderer reads it as the screen size W x H.
#ifndef PLM_RUNTIME_DISPLAY_MODE_H
#define PLM_RUNTIME_DISPLAY_MODE_H

struct CDISPLAYMODE {
    int screenWidth;    // pixels
    int screenHeight;   // pixels
    int screenBits;     // bits per pixel
    int screenRefresh;  // Hz (0 where the driver does not say)
};

extern CDISPLAYMODE DisplayMode;

#endif
