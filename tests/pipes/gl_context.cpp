#include "tests/pipes/gl_context.h"

#include <GL/gl.h>
#include <SDL.h>

namespace {

const int FEEDBACK_FLOATS = 1 << 20;

}  // namespace

bool MakeTestGlContext()
{
    static bool made = false;
    static bool tried = false;
    if (tried) {
        return made;
    }
    tried = true;
    SDL_setenv("SDL_VIDEODRIVER", "offscreen", 1);
    if (SDL_Init(SDL_INIT_VIDEO) != 0) {
        return false;
    }
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_Window* window = SDL_CreateWindow("pipes tests", 0, 0, 64, 64, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    if (window == nullptr) {
        return false;
    }
    made = SDL_GL_CreateContext(window) != nullptr;
    return made;
}

std::vector<float> ModelViewMatrix()
{
    std::vector<float> m(16);
    glGetFloatv(GL_MODELVIEW_MATRIX, m.data());
    return m;
}

std::vector<float>& FeedbackBuffer()
{
    static std::vector<float> buffer(FEEDBACK_FLOATS);
    return buffer;
}

void BeginFeedback()
{
    glFeedbackBuffer(FEEDBACK_FLOATS, GL_3D_COLOR, FeedbackBuffer().data());
    glRenderMode(GL_FEEDBACK);
}

int EndFeedback()
{
    return glRenderMode(GL_RENDER);
}

// GL_3D_COLOR in RGBA mode: each vertex is x, y, z and four colour floats.
Feedback ParseFeedback(const std::vector<float>& buffer, int size)
{
    const int vertexFloats = 7;
    Feedback result;
    int i = 0;
    while (i < size) {
        int token = static_cast<int>(buffer[i++]);
        if (token == GL_LINE_TOKEN || token == GL_LINE_RESET_TOKEN) {
            if (result.lines == 0) {
                result.lineColour.assign(&buffer[i + 3], &buffer[i + 7]);
            }
            ++result.lines;
            i += 2 * vertexFloats;
        } else if (token == GL_POLYGON_TOKEN) {
            int count = static_cast<int>(buffer[i++]);
            result.triangles += count == 3 ? 1 : 0;
            for (int c = 0; c < count; ++c, i += vertexFloats) {
                result.triangleCorners.insert(result.triangleCorners.end(), &buffer[i], &buffer[i + 3]);
            }
        } else if (token == GL_POINT_TOKEN || token == GL_BITMAP_TOKEN || token == GL_DRAW_PIXEL_TOKEN ||
                   token == GL_COPY_PIXEL_TOKEN) {
            i += vertexFloats;
        } else if (token == GL_PASS_THROUGH_TOKEN) {
            i += 1;
        } else {
            break;
        }
    }
    return result;
}
