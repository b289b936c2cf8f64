#include "scene/texture.h"

#include <GL/gl.h>
#include <GL/glu.h>

#include <cstring>

#include "runtime/image_loader.h"

namespace {

// Runs an upload with the unpack alignment at 1 so packed rows of any width
// are read as they are stored, and restores the caller's alignment.
class CPACKEDUNPACK {
public:
    CPACKEDUNPACK() : saved(4)
    {
        glGetIntegerv(GL_UNPACK_ALIGNMENT, &saved);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    }
    ~CPACKEDUNPACK() { glPixelStorei(GL_UNPACK_ALIGNMENT, saved); }

private:
    GLint saved;
};

void BuildMipmaps(int components, int width, int height, const unsigned char* pixels)
{
    CPACKEDUNPACK packed;
    gluBuild2DMipmaps(GL_TEXTURE_2D, components, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels);
}

void SetLinearFilters()
{
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}

// One GL_QUADS primitive, the picture upright in y-down overlay space.
void EmitQuad(double left, double top, double right, double bottom)
{
    glBegin(GL_QUADS);
    glTexCoord2i(0, 1);
    glVertex2d(left, top);
    glTexCoord2i(1, 1);
    glVertex2d(right, top);
    glTexCoord2i(1, 0);
    glVertex2d(right, bottom);
    glTexCoord2i(0, 0);
    glVertex2d(left, bottom);
    glEnd();
}

}  // namespace

CTEXTURE::CTEXTURE() : colorTexture(0), maskTexture(0), width(0), height(0), components(0), hasMask(0) {}

CTEXTURE::~CTEXTURE()
{
    // Process-wide textures are destroyed at exit, after the context is gone
    // (or, on an early exit, while the GL driver is already being torn down):
    // the names are dropped without GL calls.
}

void CTEXTURE::UseEmptyPicture(unsigned char** pixels)
{
    FreePixelBuffer(*pixels);
    width = EMPTY_PICTURE_SIZE;
    height = EMPTY_PICTURE_SIZE;
    components = 3;
    *pixels = NewPixelBuffer(width, height);
}

int CTEXTURE::Create(const char* fileName, int withMask, TEXTURELOADER loader)
{
    Release();
    hasMask = withMask;
    glGenTextures(1, &colorTexture);
    glBindTexture(GL_TEXTURE_2D, colorTexture);
    unsigned char* pixels = nullptr;
    if (loader != nullptr) loader(fileName, &width, &height, &components, &pixels);
    if (pixels == nullptr || width <= 0 || height <= 0 || components != 3) UseEmptyPicture(&pixels);
    if (pixels != nullptr) BuildMipmaps(components, width, height, pixels);
    SetLinearFilters();
    if (hasMask) CreateMask(pixels);
    FreePixelBuffer(pixels);
    return 1;
}

void CTEXTURE::CreateMask(const unsigned char* pixels)
{
    hasMask = 0;
    unsigned char* mask = NewPixelBuffer(width, height);
    if (pixels == nullptr || mask == nullptr) {
        FreePixelBuffer(mask);
        return;
    }
    hasMask = 1;
    if (maskTexture == 0) glGenTextures(1, &maskTexture);
    glBindTexture(GL_TEXTURE_2D, maskTexture);
    const size_t count = static_cast<size_t>(width) * height;
    for (size_t i = 0; i < count; ++i) {
        const unsigned char* p = pixels + i * 3;
        const bool black = (p[0] | p[1] | p[2]) == 0;
        std::memset(mask + i * 3, black ? 255 : 0, 3);
    }
    BuildMipmaps(3, width, height, mask);
    FreePixelBuffer(mask);
}

void CTEXTURE::DrawQuad(int x, int y, int w, int h) const
{
    glEnable(GL_TEXTURE_2D);
    glDisable(GL_LIGHTING);
    const double left = x;
    const double top = y;
    const double right = static_cast<double>(static_cast<long long>(x) + w);
    const double bottom = static_cast<double>(static_cast<long long>(y) + h);
    if (hasMask) {
        glBindTexture(GL_TEXTURE_2D, maskTexture);
        glEnable(GL_BLEND);
        glBlendFunc(GL_DST_COLOR, GL_ZERO);
        EmitQuad(left, top, right, bottom);
        glBlendFunc(GL_ONE, GL_ONE);
    }
    glBindTexture(GL_TEXTURE_2D, colorTexture);
    EmitQuad(left, top, right, bottom);
}

void CTEXTURE::Release()
{
    if (colorTexture != 0) glDeleteTextures(1, &colorTexture);
    if (maskTexture != 0) glDeleteTextures(1, &maskTexture);
    colorTexture = 0;
    maskTexture = 0;
    width = 0;
    height = 0;
    components = 0;
    hasMask = 0;
}

void LoadPlainTexture(const char* fileName, unsigned int* textureName)
{
    if (textureName == nullptr) return;
    glGenTextures(1, textureName);
    glBindTexture(GL_TEXTURE_2D, *textureName);
    int width = 0, height = 0, components = 0;
    unsigned char* pixels = nullptr;
    LoadImageFile(fileName, &width, &height, &components, &pixels);
    if (pixels != nullptr) {
        CPACKEDUNPACK packed;
        glTexImage2D(GL_TEXTURE_2D, 0, components, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    }
    FreePixelBuffer(pixels);
    SetLinearFilters();
}
