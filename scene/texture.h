// Picture textures for the 2D overlays, and the single-level plain texture.
//
// Every function here needs the GL context current. Pixel data is uploaded
// as GL_RGB / GL_UNSIGNED_BYTE with the rows read packed (the unpack
// alignment is set to 1 around each upload and restored afterwards).
#ifndef PLM_SCENE_TEXTURE_H
#define PLM_SCENE_TEXTURE_H

#include "plm_engine.h"

// A mipmapped colour texture plus an optional black-key mask, drawn as a
// quad in the y-down overlay space. Owns its two GL textures; keeps no
// pixel data once Create returns.
class CTEXTURE {
public:
    CTEXTURE();
    // Makes no GL call: the process-wide pictures are destroyed at exit,
    // when the context is gone. Call Release while the context is current
    // to delete the textures.
    ~CTEXTURE();
    CTEXTURE(const CTEXTURE&) = delete;
    CTEXTURE& operator=(const CTEXTURE&) = delete;

    // Loads fileName with loader (the scene passes LoadImageFile), releases
    // what the object held before, builds the colour texture (linear
    // filtering) and, if withMask is non-zero, the mask. A loader result that
    // is unusable (no pixels, a size that is not positive, other than 3 bytes
    // per pixel) or a null loader gives a black EMPTY_PICTURE_SIZE square.
    // The loader's buffer is released with FreePixelBuffer. Returns 1 always.
    int Create(const char* fileName, int withMask, TEXTURELOADER loader);
    // Builds the mask from pixels (width x height x 3 bytes): white where a
    // pixel is pure black (0, 0, 0), black everywhere else; GL's default
    // (mipmapped) filters. Sets hasMask; a null buffer builds nothing and
    // clears it.
    void CreateMask(const unsigned char* pixels);
    // Draws the picture into the rectangle with top-left corner (x, y) and
    // size w x h in overlay units, texturing on and lighting off. With a mask
    // the area is first multiplied by the mask (blend DST_COLOR, ZERO), then
    // the picture is added and the blend function is left at (ONE, ONE);
    // without a mask the caller's blend state and colour apply.
    void DrawQuad(int x, int y, int w, int h) const;
    // Deletes both textures (names that are 0 are skipped) and zeroes every field.
    void Release();

    unsigned int ColorTexture() const { return colorTexture; }
    unsigned int MaskTexture() const { return maskTexture; }
    int Width() const { return width; }
    int Height() const { return height; }
    int Components() const { return components; }
    int HasMask() const { return hasMask; }

private:
    void UseEmptyPicture(unsigned char** pixels);

    unsigned int colorTexture;  // GL name of the mipmapped picture; 0 = none
    unsigned int maskTexture;   // GL name of the mask; 0 = none
    int width;                  // pixels
    int height;                 // pixels
    int components;             // bytes per pixel, GL internal format
    int hasMask;                // non-zero: the mask is built and used
};

// Creates a single-level texture (no rescaling, linear filtering) from the
// picture "plumora_data/texs/<fileName>" loaded with LoadImageFile, and
// stores its GL name through textureName (null: nothing happens).
void LoadPlainTexture(const char* fileName, unsigned int* textureName);

#endif
