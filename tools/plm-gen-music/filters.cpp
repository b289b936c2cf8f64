#include "filters.h"

#include "beat_grid.h"
#include "oscillators.h"

#include <algorithm>
#include <cmath>

namespace music {

void StateVariableFilter::SetCutoff(double cutoffHz, double q)
{
    const double fc = std::clamp(cutoffHz, 10.0, 0.45 * kSampleRate);
    const double g = std::tan(kTwoPi * 0.5 * fc / kSampleRate);
    k_ = 1.0 / std::max(q, 0.5);
    a1_ = 1.0 / (1.0 + g * (g + k_));
    a2_ = g * a1_;
    a3_ = g * a2_;
}

FilterOutputs StateVariableFilter::Process(double input)
{
    const double v3 = input - ic2_;
    const double v1 = a1_ * ic1_ + a2_ * v3;
    const double v2 = ic2_ + a2_ * ic1_ + a3_ * v3;
    ic1_ = 2.0 * v1 - ic1_;
    ic2_ = 2.0 * v2 - ic2_;
    return FilterOutputs{v2, v1, input - k_ * v1 - v2};
}

}  // namespace music
