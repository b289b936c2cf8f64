#include "frame_readback.h"

#include <GL/gl.h>

bool CFRAMEREADBACK::Open(int w, int h, int d, std::string* error)
{
    if (w <= 0 || h <= 0 || d < 1) {
        *error = "bad read-back size";
        return false;
    }
    width = w;
    height = h;
    depth = 1;  // frames are read as soon as they are started
    (void)d;
    pending = 0;
    pixels.assign(static_cast<size_t>(w) * static_cast<size_t>(h) * 3, 0);
    return true;
}

void CFRAMEREADBACK::Close()
{
    pending = 0;
    std::vector<unsigned char>().swap(pixels);
}

void CFRAMEREADBACK::Start()
{
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
    pending = 1;
}

bool CFRAMEREADBACK::Due() const
{
    return pending >= depth;
}

int CFRAMEREADBACK::Pending() const
{
    return pending;
}

const unsigned char* CFRAMEREADBACK::Take()
{
    pending = 0;
    return pixels.data();
}
