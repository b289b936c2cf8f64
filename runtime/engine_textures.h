// The picture loader handed to plm_engine, and the release of what it hands
// out.
//
// The engine asks its TEXTURELOADER for one pixel buffer per textured
// material while a COBJECT3D::Load call runs, reads each buffer only during
// that call and never frees it (see plm_engine.h). EngineTextureLoader loads
// the picture with LoadImageFile and remembers the buffer; after each Load
// given EngineTextureLoader returns, the caller calls FreeEngineTextures,
// which frees every buffer handed out since the last release.
//
// Main thread only, like the GL calls the engine makes while loading.
#ifndef PLM_RUNTIME_ENGINE_TEXTURES_H
#define PLM_RUNTIME_ENGINE_TEXTURES_H

#include <cstddef>

// A TEXTURELOADER: LoadImageFile (see image_loader.h), with the buffer it
// delivers remembered for FreeEngineTextures. Null out-pointers do nothing.
void EngineTextureLoader(const char* fileName, int* width, int* height, int* components,
                         unsigned char** pixels);

// Frees every buffer EngineTextureLoader has handed out and not yet freed.
void FreeEngineTextures();

// Buffers EngineTextureLoader has handed out and not yet freed: 0 outside a
// Load, when every Load is followed by FreeEngineTextures.
size_t EngineTexturesAlive();

#endif
