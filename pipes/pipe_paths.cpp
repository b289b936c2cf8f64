// Placing a pipe's pieces end to end (CPIPE::CopyExits, CPIPE::BuildPaths);
// the placement rule itself is in pipe_placement.cpp.
#include "pipes/pipe.h"

#include "pipes/pipe_placement.h"
#include "pipes/pipe_types.h"

void CPIPE::CopyExits()
{
    for (uint16_t i = 0; i < segmentCount; ++i) {
        CPIPESEGMENT& segment = segments[i];
        if (segment.type == nullptr) {  // never added: a straight piece of no length
            segment.exitOffset.Set(0.0f, 0.0f, 0.0f);
            segment.exitDirection.Set(0.0f, 1.0f, 0.0f);
            continue;
        }
        segment.exitOffset = segment.type->exitOffset;
        segment.exitDirection = segment.type->exitDirection;
    }
}

void CPIPE::BuildPaths()
{
    CopyExits();
    for (uint16_t i = 0; i < segmentCount; ++i) {
        PlacePipeSegment(segments[i], i == 0 ? nullptr : &segments[i - 1]);
    }
}
