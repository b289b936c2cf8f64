#include "tests/pipes/feedback.h"
#include "tests/support/gl_context.h"

#include <GL/gl.h>

namespace {

const int FEEDBACK_FLOATS = 1 << 20;

}  // namespace

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

bool SetUpOrthoView()
{
    if (!plmtest::OpenGlContext(VIEW_SIZE, VIEW_SIZE)) return false;
    glViewport(0, 0, VIEW_SIZE, VIEW_SIZE);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(-HALF_VIEW, HALF_VIEW, -HALF_VIEW, HALF_VIEW, -HALF_VIEW, HALF_VIEW);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    return true;
}
