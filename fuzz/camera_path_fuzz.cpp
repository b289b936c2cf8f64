// Fuzz target for the camera path reader: any bytes as cam_pos.plm, read
// into a camera that then flies the path. Reading and flying must never
// crash, touch memory out of bounds or leak, and the path kept must hold the
// camera's contract (every track has keys, eye and target keys alike).
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "fuzz_input_file.h"
#include "scene/camera.h"

namespace {

// Bounds on the flight, so that one input takes little time.
const uint32_t TRACKS_FLOWN = 16;
const uint32_t KEYS_PER_TRACK = 16;

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "camera path fuzz: %s\n", what);
        std::abort();
    }
}

void CheckTrack(const CCAMTRACK& track)
{
    const CSPLINE& eye = track.eyePath;
    const CSPLINE& target = track.targetPath;
    Check(eye.keyCount > 0, "a kept track without keys");
    Check(eye.keyCount == target.keyCount, "eye and target key counts differ");
    for (uint32_t k = 0; k < eye.keyCount; ++k) {
        Check(eye.keyTimes[k] == target.keyTimes[k], "eye and target key times differ");
    }
}

// Demo times at, between and after the keys of the first tracks, in the
// order a flight meets them.
std::vector<uint32_t> FlightTimes(const CCAMERA& camera)
{
    std::vector<uint32_t> times{0};
    for (uint32_t i = 0; i < std::min(camera.trackCount, TRACKS_FLOWN); ++i) {
        const CSPLINE& eye = camera.trackList[i].eyePath;
        for (uint32_t k = 0; k < std::min(eye.keyCount, KEYS_PER_TRACK); ++k) {
            uint32_t t = eye.keyTimes[k];
            times.push_back(t);
            times.push_back(t + 1u);
            if (k + 1 < eye.keyCount) {
                times.push_back(t / 2u + eye.keyTimes[k + 1] / 2u);
            }
        }
    }
    std::sort(times.begin(), times.end());
    return times;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInputFile input(data, size);
    CCAMERA camera;
    int whole = camera.ReadPath(input.path());
    Check(camera.trackCount == 0 || camera.trackList != nullptr, "tracks without a list");
    Check(camera.currentTrack == 0, "the path does not start at its first track");
    for (uint32_t i = 0; i < camera.trackCount; ++i) {
        CheckTrack(camera.trackList[i]);
    }
    for (uint32_t t : FlightTimes(camera)) {
        camera.Update(t);
        camera.StartShake(20.0f);
        camera.ApplyShake(1.0f / 3.0f);
    }
    for (uint32_t i = 0; i <= camera.trackCount && i <= TRACKS_FLOWN; ++i) {
        camera.Update(UINT32_MAX);
    }
    Check(camera.currentTrack >= 0 && static_cast<uint32_t>(camera.currentTrack) <= camera.trackCount,
          "the current track left the list");
    // Reading again replaces the flown path with the same one.
    uint32_t tracks = camera.trackCount;
    Check(camera.ReadPath(input.path()) == whole && camera.trackCount == tracks, "a second reading differs");
    return 0;
}
