#include "warped_angles.h"

#include <cmath>

namespace face {
namespace {

const int STEPS_PER_SAMPLE = 64;  // integration steps per output interval

double Density(double a, const std::vector<Crowding>& crowdings)
{
    double density = 1.0;
    for (const Crowding& c : crowdings) {
        const double t = (a - c.centre) / c.width;
        density += c.gain * std::exp(-t * t);
    }
    return density;
}

// Cumulative density at lo + k * step for k = 0..steps (midpoint rule).
std::vector<double> Cumulative(int steps, double lo, double step, const std::vector<Crowding>& c)
{
    std::vector<double> sum(steps + 1, 0.0);
    for (int k = 0; k < steps; ++k) sum[k + 1] = sum[k] + Density(lo + (k + 0.5) * step, c) * step;
    return sum;
}

}  // namespace

std::vector<double> WarpedAngles(int count, double lo, double hi, Crowding crowding)
{
    return WarpedAngles(count, lo, hi, std::vector<Crowding>{crowding});
}

std::vector<double> WarpedAngles(int count, double lo, double hi, const std::vector<Crowding>& crowdings)
{
    const int steps = count * STEPS_PER_SAMPLE;
    const double step = (hi - lo) / steps;
    const std::vector<double> sum = Cumulative(steps, lo, step, crowdings);
    std::vector<double> angles(count + 1);
    int k = 0;
    for (int i = 0; i <= count; ++i) {
        const double target = sum[steps] * i / count;
        while (k < steps - 1 && sum[k + 1] < target) ++k;
        const double within = (target - sum[k]) / (sum[k + 1] - sum[k]);
        angles[i] = lo + (k + within) * step;
    }
    angles[0] = lo;
    angles[count] = hi;
    return angles;
}

}  // namespace face
