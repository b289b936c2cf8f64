// The program's process-wide objects, defined in one translation unit so
// that static initialisation builds them in this order (and destroys them in
// the reverse order after main returns): flash, pipe map, camera, demo clock,
// event track, then the three overlay textures.
//
// The destructors run after the window and its GL context are gone and after
// the libraries were released; none of them may call into either.
#include "pipes/pipe_map.h"
#include "pipes/pipe_types.h"
#include "scene/camera.h"
#include "scene/event_track.h"
#include "scene/flash.h"
#include "scene/overlays.h"
#include "scene/scene_init.h"
#include "scene/texture.h"
#include "shell/demo_clock.h"

CFLASH flash;
CPIPEMAP pipeMap;
CCAMERA camera;
DemoClock demoClock;
CEVENTTRACK events;
CTEXTURE lineTexture;
CTEXTURE greetingsTexture;
CTEXTURE creditsTexture;

// Plain values: constant-initialised before any of the objects above.
CPIPETYPE* pipeTypes = nullptr;
uint16_t pipeTypeCount = 0;
COBJECT3D* faceObject = nullptr;
unsigned int metalTexture = 0;
uint32_t musicStream = 0;
