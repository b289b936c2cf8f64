// The program's process-wide objects, defined in one translation unit so
// that static initialisation builds them in this order (and destroys them in
// the reverse order after main returns): flash, pipe map, camera, demo clock,
// event track, then the three overlay textures. Plain values are defined
// with the code that owns them; they are constant-initialised before these.
//
// The destructors run after the window and its GL context are gone and after
// the libraries were released; none of them may call into either.
#include "scene/process_objects.h"

#include "scene/camera.h"
#include "scene/event_track.h"
#include "scene/flash.h"
#include "scene/overlays.h"

CFLASH flash;
CPIPEMAP pipeMap;
CCAMERA camera;
DemoClock demoClock;
CEVENTTRACK events;
CTEXTURE lineTexture;
CTEXTURE greetingsTexture;
CTEXTURE creditsTexture;
