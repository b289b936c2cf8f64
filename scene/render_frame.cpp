#include "scene/render_frame.h"

#include "runtime/display_mode.h"
#include "scene/camera.h"
#include "scene/event_codes.h"
#include "scene/event_track.h"
#include "scene/face.h"
#include "scene/flash.h"
#include "scene/overlays.h"
#include "scene/process_objects.h"
#include "scene/timeline.h"
#include "scene/views.h"

#include <GL/gl.h>

float frameTime = 0.0f;
float frameDelta = 0.0f;
float turnAngle = -45.0f;

namespace {

const float SHAKE_AMPLITUDE = 20.0f;
const float SHAKE_DAMPING = 1.0f / 3.0f;
const float WORLD_SCALE = 0.01f;
const float PIPES_FLASH_DECAY = 0.005f;       // per ms: gone in 200 ms
const float TURNTABLE_FLASH_DECAY = 0.0005f;  // per ms: gone in 2 s
const float TURNTABLE_SPEED = 0.01f;          // degrees per ms

void ReactToEvent(uint32_t code)
{
    switch (code) {
        case EVENT_SHAKE:
            camera.StartShake(SHAKE_AMPLITUDE);
            break;
        case EVENT_FLASH:
        case EVENT_CRASH_FLASH:
            flash.Trigger();
            break;
        case EVENT_SHAKE_FLASH:
            camera.StartShake(SHAKE_AMPLITUDE);
            flash.Trigger();
            break;
        default:
            break;  // EVENT_NONE: nothing due; 2, 5 and unknown codes are consumed silently
    }
}

void FlyCamera()
{
    camera.Update(static_cast<uint32_t>(frameTime));
    camera.ApplyShake(SHAKE_DAMPING);
    camera.ApplyView();
}

void DrawPipesFlight()
{
    FlyCamera();
    pipeMap.Update(frameDelta);
    pipeMap.Draw();
    SetOverlayView();
    flash.DrawFlash(DisplayMode.screenWidth, DisplayMode.screenHeight, frameDelta * PIPES_FLASH_DECAY);
    DrawLineStrips(frameDelta);
}

void DrawFaceFlight()
{
    glLoadIdentity();
    glScalef(WORLD_SCALE, WORLD_SCALE, WORLD_SCALE);
    FlyCamera();
    glDisable(GL_BLEND);
    DrawFace();
    SetOverlayView();
    DrawLineStrips(frameDelta);
}

void DrawTurntable()
{
    turnAngle = turnAngle + frameDelta * TURNTABLE_SPEED;
    LoadTurntableView(turnAngle);
    glDisable(GL_BLEND);
    DrawFace();
    SetOverlayView();
    DrawCreditsOverlay(frameDelta);
    flash.DrawFlash(DisplayMode.screenWidth, DisplayMode.screenHeight, frameDelta * TURNTABLE_FLASH_DECAY);
}

}  // namespace

void LoadTurntableView(float angle)
{
    glLoadIdentity();
    glScalef(WORLD_SCALE, WORLD_SCALE, WORLD_SCALE);
    glTranslatef(0.0f, -400.0f, -1400.0f);
    glRotatef(30.0f, 1.0f, 0.0f, 0.0f);
    glRotatef(angle, 0.0f, 1.0f, 0.0f);
}

void RenderFrame()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    frameTime = demoClock.GetTime();
    frameDelta = demoClock.GetDelta();
    SetPerspectiveView();
    ReactToEvent(events.PollEvent(frameTime));
    switch (SceneAt(frameTime)) {
        case SCENE_PIPES_FLIGHT:
            DrawPipesFlight();
            break;
        case SCENE_FACE_FLIGHT:
            DrawFaceFlight();
            break;
        case SCENE_TURNTABLE:
            DrawTurntable();
            break;
        case SCENE_NONE:
            break;
    }
}
