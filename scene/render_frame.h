// One frame of the demo: clock, event, and the scene the time calls for.
#ifndef PLM_SCENE_RENDER_FRAME_H
#define PLM_SCENE_RENDER_FRAME_H

extern float frameTime;   // ms since the clock started, read once per frame
extern float frameDelta;  // ms since the previous frame's delta read
extern float turnAngle;   // degrees about Y of the turntable face; starts at -45

// Loads the turntable's model-view transform: world scale 0.01, the face
// moved to (0, -400, -1400), tilted 30 degrees about X and turned angle
// degrees about Y.
void LoadTurntableView(float angle);

// Draws one complete frame into the current context (after InitScene):
// clears, reads the clock, polls at most one event and reacts to it, then
// draws the pipes flight (up to 10700 ms), the face flight (up to 14750 ms,
// exclusive) or the turntable (after 14750 ms); exactly 14750 ms is black.
void RenderFrame();

#endif
