// Sample angles that crowd where detail is: the spacing follows the inverse
// of a density 1 + sum of gain * exp(-((a - centre) / width)^2) over one or
// more crowdings.
#ifndef PLM_GEN_FACE_WARPED_ANGLES_H
#define PLM_GEN_FACE_WARPED_ANGLES_H

#include <vector>

namespace face {

struct Crowding {
    double centre = 0;  // radians
    double width = 1;   // radians
    double gain = 0;    // extra density at the centre; 0 = even spacing
};

// count + 1 increasing angles, the first lo and the last hi (count >= 1).
std::vector<double> WarpedAngles(int count, double lo, double hi, const std::vector<Crowding>& crowdings);
std::vector<double> WarpedAngles(int count, double lo, double hi, Crowding crowding);

}  // namespace face

#endif
