#include "frame_readback.h"

#include "platform/process.h"

namespace {

// The depth the environment allows: PLM_READBACK_DEPTH=1 reads at once.
int AllowedDepth(int wanted)
{
    if (PlatformEnvironment("PLM_READBACK_DEPTH") == "1") return 1;
    return wanted < CFRAMEREADBACK::MAX_DEPTH ? wanted : CFRAMEREADBACK::MAX_DEPTH;
}

void ClearGLErrors()
{
    for (int i = 0; i < 16 && glGetError() != GL_NO_ERROR; ++i) {
    }
}

}  // namespace

bool CFRAMEREADBACK::Open(int w, int h, int d, std::string* error)
{
    Close();
    if (w <= 0 || h <= 0 || d < 1) {
        *error = "bad read-back size";
        return false;
    }
    if (!source.Open(w, h, error)) return false;
    width = w;
    height = h;
    depth = AllowedDepth(d);
    frameBytes = static_cast<size_t>(w) * static_cast<size_t>(h) * 3;
    if (depth > 1 && LoadPixelBufferGL(&gl)) {
        ClearGLErrors();
        buffers.assign(static_cast<size_t>(depth), 0);
        gl.GenBuffers(depth, buffers.data());
        for (GLuint buffer : buffers) {
            gl.BindBuffer(GL_PIXEL_PACK_BUFFER, buffer);
            gl.BufferData(GL_PIXEL_PACK_BUFFER, static_cast<GLsizeiptr>(frameBytes), nullptr, GL_STREAM_READ);
        }
        gl.BindBuffer(GL_PIXEL_PACK_BUFFER, 0);
        // Where the buffers cannot be had, frames are read at once instead.
        if (glGetError() != GL_NO_ERROR) {
            gl.DeleteBuffers(depth, buffers.data());
            buffers.clear();
        }
    }
    pixels.assign(buffers.empty() ? frameBytes * static_cast<size_t>(depth) : frameBytes, 0);
    return true;
}

void CFRAMEREADBACK::Close()
{
    Unmap();
    if (!buffers.empty()) gl.DeleteBuffers(static_cast<GLsizei>(buffers.size()), buffers.data());
    std::vector<GLuint>().swap(buffers);
    std::vector<unsigned char>().swap(pixels);
    source.Close();
    pending = oldest = 0;
}

unsigned char* CFRAMEREADBACK::Slot(int index)
{
    return pixels.data() + frameBytes * static_cast<size_t>(index);
}

void CFRAMEREADBACK::Start()
{
    Unmap();
    if (pending >= depth || pixels.empty()) return;
    int slot = (oldest + pending) % depth;
    source.Select();
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    if (buffers.empty()) {
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, Slot(slot));
    } else {
        // Into the buffer: the call returns once the copy is queued.
        gl.BindBuffer(GL_PIXEL_PACK_BUFFER, buffers[static_cast<size_t>(slot)]);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
        gl.BindBuffer(GL_PIXEL_PACK_BUFFER, 0);
        glFlush();  // start the queued work now rather than at the next frame's end
    }
    source.Restore();
    ++pending;
}

bool CFRAMEREADBACK::Due() const
{
    return pending >= depth;
}

int CFRAMEREADBACK::Pending() const
{
    return pending;
}

bool CFRAMEREADBACK::Overlapped() const
{
    return !buffers.empty();
}

const unsigned char* CFRAMEREADBACK::Take()
{
    Unmap();
    if (pending == 0) return nullptr;
    int slot = oldest;
    oldest = (oldest + 1) % depth;
    --pending;
    if (buffers.empty()) return Slot(slot);
    GLuint buffer = buffers[static_cast<size_t>(slot)];
    gl.BindBuffer(GL_PIXEL_PACK_BUFFER, buffer);
    // Waits for the copy; the mapping stays until the next call.
    const void* frame = gl.MapBuffer(GL_PIXEL_PACK_BUFFER, GL_READ_ONLY);
    if (frame) {
        mapped = buffer;
    } else {
        gl.GetBufferSubData(GL_PIXEL_PACK_BUFFER, 0, static_cast<GLsizeiptr>(frameBytes), pixels.data());
        frame = pixels.data();
    }
    gl.BindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    return static_cast<const unsigned char*>(frame);
}

void CFRAMEREADBACK::Unmap()
{
    if (!mapped) return;
    gl.BindBuffer(GL_PIXEL_PACK_BUFFER, mapped);
    gl.UnmapBuffer(GL_PIXEL_PACK_BUFFER);
    gl.BindBuffer(GL_PIXEL_PACK_BUFFER, 0);
    mapped = 0;
}
