// The demo's fixed timeline: which scene a demo time shows.
#ifndef PLM_SCENE_TIMELINE_H
#define PLM_SCENE_TIMELINE_H

constexpr float SCENE_FACE_START = 10700.0f;       // ms: end of the pipes flight
constexpr float SCENE_TURNTABLE_START = 14750.0f;  // ms: start of the turntable

enum CSCENE {
    SCENE_NONE,          // exactly SCENE_TURNTABLE_START: a black frame
    SCENE_PIPES_FLIGHT,  // 0 .. 10700 inclusive
    SCENE_FACE_FLIGHT,   // above 10700, below 14750
    SCENE_TURNTABLE,     // above 14750
};

// The scene of a frame whose demo time is frameTime (milliseconds).
inline CSCENE SceneAt(float frameTime)
{
    if (frameTime <= SCENE_FACE_START) return SCENE_PIPES_FLIGHT;
    if (frameTime > SCENE_FACE_START && frameTime < SCENE_TURNTABLE_START) return SCENE_FACE_FLIGHT;
    if (frameTime > SCENE_TURNTABLE_START) return SCENE_TURNTABLE;
    return SCENE_NONE;
}

#endif
