// The OpenGL functions beyond version 1.1 that a capture uses: buffer
// objects to read frames back into (pixel buffer objects) and framebuffer
// objects to render multisampled pictures. They are looked up at run time
// through the platform layer (PlatformGLProcAddress), never linked, and
// only where the current context offers them: a table is either complete
// or refused.
#ifndef PLM_TOOLS_CAPTURE_GL_H
#define PLM_TOOLS_CAPTURE_GL_H

#include <GL/gl.h>
#include <GL/glext.h>

// Pixel buffer objects: OpenGL 2.1, or 1.5 with GL_ARB_pixel_buffer_object.
struct CPIXELBUFFERGL {
    PFNGLGENBUFFERSPROC GenBuffers = nullptr;
    PFNGLDELETEBUFFERSPROC DeleteBuffers = nullptr;
    PFNGLBINDBUFFERPROC BindBuffer = nullptr;
    PFNGLBUFFERDATAPROC BufferData = nullptr;
    PFNGLMAPBUFFERPROC MapBuffer = nullptr;
    PFNGLUNMAPBUFFERPROC UnmapBuffer = nullptr;
    PFNGLGETBUFFERSUBDATAPROC GetBufferSubData = nullptr;
};

// Framebuffer objects with multisampled renderbuffers and blits: OpenGL 3.0,
// or GL_ARB_framebuffer_object.
struct CFRAMEBUFFERGL {
    PFNGLGENFRAMEBUFFERSPROC GenFramebuffers = nullptr;
    PFNGLDELETEFRAMEBUFFERSPROC DeleteFramebuffers = nullptr;
    PFNGLBINDFRAMEBUFFERPROC BindFramebuffer = nullptr;
    PFNGLCHECKFRAMEBUFFERSTATUSPROC CheckFramebufferStatus = nullptr;
    PFNGLFRAMEBUFFERRENDERBUFFERPROC FramebufferRenderbuffer = nullptr;
    PFNGLGENRENDERBUFFERSPROC GenRenderbuffers = nullptr;
    PFNGLDELETERENDERBUFFERSPROC DeleteRenderbuffers = nullptr;
    PFNGLBINDRENDERBUFFERPROC BindRenderbuffer = nullptr;
    PFNGLRENDERBUFFERSTORAGEMULTISAMPLEPROC RenderbufferStorageMultisample = nullptr;
    PFNGLBLITFRAMEBUFFERPROC BlitFramebuffer = nullptr;
};

// Fill the table from the current context; false (the table left empty)
// when the context does not offer every function in it.
bool LoadPixelBufferGL(CPIXELBUFFERGL* gl);
bool LoadFramebufferGL(CFRAMEBUFFERGL* gl);

// The current context's OpenGL version as major * 10 + minor (21 for 2.1);
// 0 when it cannot be read.
int CurrentGLVersion();
// True when the current context lists the extension `name` exactly.
bool HasGLExtension(const char* name);

#endif
