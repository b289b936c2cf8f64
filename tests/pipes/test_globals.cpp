// The process-wide objects the pipes code refers to, defined here because
// the tests do not link the program's scene and shell libraries, and a
// picture loader that counts the buffers it hands out.
#include "pipes/pipe_map.h"
#include "pipes/pipe_types.h"
#include "scene/image_loader.h"
#include "shell/entry_points.h"

CPIPETYPE* pipeTypes = nullptr;
uint16_t pipeTypeCount = 0;
CPIPEMAP pipeMap;
unsigned int metalTexture = 0;
CENTRYPOINTS EntryPoints = {};

int livePixelBuffers = 0;

// Decodes nothing: hands out a new black 1 x 1 buffer, as the real loader
// does for a picture it cannot read, and counts it as live.
void LoadImageFile(const char*, int* width, int* height, int* components, unsigned char** pixels)
{
    *width = 1;
    *height = 1;
    *components = 3;
    *pixels = new unsigned char[3]();
    ++livePixelBuffers;
}

void FreePixelBuffer(unsigned char* pixels)
{
    if (pixels != nullptr) {
        delete[] pixels;
        --livePixelBuffers;
    }
}
