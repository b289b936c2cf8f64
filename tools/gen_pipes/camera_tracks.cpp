// The flight itself: key positions of both flights.
#include "camera_path.h"

namespace pipesgen {

// Network units (the lattice step is 10, the network fills a box of about
// 100 x 80 x 100 around the origin). Three shots: close to the first pieces
// as they appear, a pass through the middle of the network, and a wide
// turn around the whole of it as it fills up.
std::vector<CameraTrack> PipesFlightTracks() {
    return {
        {{0, {10, 8, 70}, {0, 0, 25}},
         {1800, {0, 4, 45}, {-5, 0, 0}},
         {3600, {-12, 2, 18}, {-20, -5, -30}}},
        {{3600, {45, -12, -12}, {0, -8, -15}},
         {5400, {5, -10, -18}, {-40, -5, -20}},
         {7200, {-40, -5, -10}, {-80, 0, 0}}},
        {{7200, {-95, 30, 70}, {0, 0, 0}},
         {9000, {-20, 50, 120}, {0, 0, 0}},
         {10700, {80, 45, 95}, {0, 0, 0}}},
    };
}

// Face units: the face stands on the origin, about 750 high, looking along
// +Z; the flight circles its centre (0, 400, 0) from low on its right to
// the raised front-left view from which the turntable shows it next.
std::vector<CameraTrack> FaceFlightTracks() {
    return {
        {{10700, {-650, 300, 700}, {0, 420, 0}},
         {12000, {-150, 420, 900}, {0, 430, 0}},
         {13400, {400, 700, 900}, {0, 440, 0}},
         {14750, {716, 1046, 716}, {0, 461, 0}}},
    };
}

}  // namespace pipesgen
