// The process-wide objects the pipes code refers to, defined here because
// the tests do not link the program's scene and shell libraries.
#include "pipes/pipe_map.h"
#include "pipes/pipe_types.h"
#include "scene/image_loader.h"
#include "shell/entry_points.h"

CPIPETYPE* pipeTypes = nullptr;
uint16_t pipeTypeCount = 0;
CPIPEMAP pipeMap;
unsigned int metalTexture = 0;
CENTRYPOINTS EntryPoints = {};

// Never decodes anything: the fake engine does not call it.
void LoadImageFile(const char*, int* width, int* height, int* components,
                   unsigned char** pixels) {
    *width = 0;
    *height = 0;
    *components = 3;
    *pixels = nullptr;
}
