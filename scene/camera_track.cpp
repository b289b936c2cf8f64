#include "scene/camera_track.h"

CCAMTRACK::~CCAMTRACK()
{
    targetPath.FreeKeys();
    eyePath.FreeKeys();
}

int CCAMTRACK::Allocate(uint32_t count)
{
    if (eyePath.Allocate(count) && targetPath.Allocate(count)) {
        return 1;
    }
    targetPath.FreeKeys();
    eyePath.FreeKeys();
    return 0;
}

void CCAMTRACK::SetKey(uint32_t index, CVECTOR eye, CVECTOR target, uint32_t time)
{
    eyePath.SetKey(index, eye, time);
    targetPath.SetKey(index, target, time);
}

void CCAMTRACK::Truncate(uint32_t count)
{
    eyePath.Truncate(count);
    targetPath.Truncate(count);
}
