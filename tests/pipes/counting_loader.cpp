// A stand-in for the picture loader that counts the buffers it hands out.
// Linked ahead of plm_runtime, it replaces the real LoadImageFile and
// FreePixelBuffer, so that the engine textures code never opens a picture.
#include "runtime/image_loader.h"

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
