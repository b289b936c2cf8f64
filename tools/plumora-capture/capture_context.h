// The off-screen OpenGL context a capture renders into, and the largest
// picture the GL implementation can render.
#ifndef PLM_TOOLS_CAPTURE_CONTEXT_H
#define PLM_TOOLS_CAPTURE_CONTEXT_H

#include <string>

// Opens an invisible off-screen window of width x height pixels with a
// current GL context (video through the off-screen driver, silent audio).
bool OpenOffscreenContext(int width, int height);

// Opens a small throw-away context, reads the largest viewport and
// renderbuffer the implementation allows, and closes it again, so that a
// picture size is checked before anything large is allocated. False (with
// the reason in *error) when no context could be made.
bool QueryMaxPictureSize(int* maxWidth, int* maxHeight, std::string* error);

// What the implementation allows a capture, read from a throw-away context.
struct CCAPTURELIMITS {
    int maxWidth = 0, maxHeight = 0;  // largest picture, pixels
    int maxSamples = 1;               // most samples per pixel (multisample_target.h)
};
// As QueryMaxPictureSize, with the samples per pixel too.
bool QueryCaptureLimits(CCAPTURELIMITS* limits, std::string* error);

#endif
