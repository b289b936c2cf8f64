// A pipes header that reaches up into the scene: the layer check must name
// line 4 and fail. Never compiled.
#include "math/vector.h"
#include "scene/camera.h"
