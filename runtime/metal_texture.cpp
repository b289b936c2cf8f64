#include "runtime/metal_texture.h"

unsigned int metalTexture = 0;
