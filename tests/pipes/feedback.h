// Reading back what GL saw in the drawing tests (the context comes from
// tests/support/gl_context.h).
#ifndef PLM_TESTS_PIPES_FEEDBACK_H
#define PLM_TESTS_PIPES_FEEDBACK_H

#include <vector>

// Half the side of the drawing tests' orthographic view volume, in scene
// units, and the side of their square viewport, in pixels.
const float HALF_VIEW = 50.0f;
const int VIEW_SIZE = 64;

// Opens the test GL context and sets the drawing tests' view: a viewport of
// VIEW_SIZE pixels square looking at a cube of +-HALF_VIEW, model-view
// matrix the identity. False when there is no context.
bool SetUpOrthoView();

// The current model-view matrix, column-major.
std::vector<float> ModelViewMatrix();

// What a call sequence draws, captured in GL_3D_COLOR feedback mode.
struct Feedback {
    int lines = 0;                       // line segments (a strip of n vertices gives n - 1)
    int triangles = 0;                   // filled triangles
    std::vector<float> lineColour;       // RGBA of the first line vertex, if any
    std::vector<float> triangleCorners;  // window x, y, z of every triangle corner
};
Feedback ParseFeedback(const std::vector<float>& buffer, int size);
std::vector<float>& FeedbackBuffer();
void BeginFeedback();
int EndFeedback();

// Runs draw in feedback mode and counts what it drew.
template <typename F>
Feedback Capture(F draw)
{
    BeginFeedback();
    draw();
    int size = EndFeedback();
    return ParseFeedback(FeedbackBuffer(), size);
}

#endif
