// The camera's one GL call: the view it sets up (CCAMERA::ApplyView). The
// rest of the camera is plain arithmetic (camera.cpp, camera_path.cpp).
#include "scene/camera.h"

#include <GL/gl.h>

void CCAMERA::ApplyView()
{
    glRotatef(roll, 0.0f, 0.0f, 1.0f);
    glRotatef(pitch, 1.0f, 0.0f, 0.0f);
    glRotatef(yaw, 0.0f, 1.0f, 0.0f);
    glTranslatef(-eye.x, -eye.y, -eye.z);
}
