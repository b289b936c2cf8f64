// The flash: a full-screen white fade that events trigger.
#ifndef PLM_SCENE_FLASH_H
#define PLM_SCENE_FLASH_H

#include <cstdint>

class CFLASH {
public:
    CFLASH();

    // Full white again: intensity 1.
    void Trigger();
    // Lowers the intensity by decay (never below 0), then adds a white quad
    // of alpha = intensity over (0, 0)-(width, height) in overlay units
    // (blend SRC_ALPHA, ONE; lighting, texturing and depth test off). At
    // intensity 0 the quad, which would add nothing, is not sent; the state
    // and the colour are set all the same. GL context current.
    void DrawFlash(uint32_t width, uint32_t height, float decay);

    float Intensity() const { return intensity; }

private:
    float intensity;  // current alpha of the flash, 0..1
};

extern CFLASH flash;

#endif
