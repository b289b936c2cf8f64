#include "network/plan.h"

#include "camera_path.h"
#include "scene/timeline.h"

namespace pipesgen {

PlanOptions NetworkPlan()
{
    PlanOptions o;
    o.starts = {
        {{1, -1, 3}, kPlusY},  {{-2, 1, 2}, kPlusX},   {{2, 1, 1}, kMinusZ}, {{-1, -2, 1}, kPlusZ},
        {{3, 2, -2}, kMinusY}, {{-3, -2, -3}, kPlusZ}, {{4, -3, 1}, kPlusY}, {{-4, 3, 0}, kPlusZ},
        {{2, 3, -4}, kMinusZ}, {{0, -3, -2}, kPlusX},
    };
    o.growthMs = kPipeGrowthMs;
    o.cameraPoints = SampleEyes(PipesFlightTracks(), 0, uint32_t(SCENE_FACE_START), 20);
    o.cameraClearance = kCameraClearance;
    o.seed = 20240601;
    return o;
}

}  // namespace pipesgen
