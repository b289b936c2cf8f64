// The scene's process-wide instances of classes from the layers below it:
// the pipe map the frames grow and draw, and the demo clock that gives the
// demo time. Both are defined with the scene's other process-wide objects in
// process_objects.cpp, so that they are built in one fixed order.
#ifndef PLM_SCENE_PROCESS_OBJECTS_H
#define PLM_SCENE_PROCESS_OBJECTS_H

#include "pipes/pipe_map.h"
#include "runtime/demo_clock.h"

extern CPIPEMAP pipeMap;
extern DemoClock demoClock;

#endif
