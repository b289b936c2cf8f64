// Material records and their textures.
#include <GL/gl.h>

#include "records.h"

CMATERIAL::~CMATERIAL()
{
    if (texture != 0) {
        glDeleteTextures(1, &texture);
        texture = 0;
    }
}

// Every texture is uploaded as three-component RGB, whatever the loader
// reported; no mipmaps, default wrap modes, left bound.
void CMATERIAL::CreateTexture(unsigned short width, unsigned short height, const unsigned char* pixels)
{
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, 3, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
}
