#include "mixdown.h"

#include "beat_grid.h"
#include "effects.h"

#include <algorithm>
#include <cmath>

namespace music {

namespace {

constexpr double kDuckDepth = 0.55;
constexpr double kDuckRecovery = 0.11;  // seconds

// Gain of the ducked buses: dips under every kick and recovers.
std::vector<float> DuckingCurve(const std::vector<int64_t>& kicks, int64_t frames)
{
    std::vector<float> curve(frames, 1.0f);
    const int64_t span = static_cast<int64_t>(0.5 * kSampleRate);
    for (int64_t kick : kicks) {
        for (int64_t i = 0; i < span && kick + i < frames; ++i) {
            const double t = static_cast<double>(i) / kSampleRate;
            const double dip = t < 0.005 ? t / 0.005 : std::exp(-(t - 0.005) / kDuckRecovery);
            curve[kick + i] = std::min(curve[kick + i], static_cast<float>(1.0 - kDuckDepth * dip));
        }
    }
    return curve;
}

// Removes DC and sub-audible drift (one-pole high-pass near 7 Hz).
class DcBlocker {
public:
    double Process(double x)
    {
        y_ = x - x_ + 0.999 * y_;
        x_ = x;
        return y_;
    }

private:
    double x_ = 0.0, y_ = 0.0;
};

// Linear below the knee, then bending smoothly towards +-1.
double SoftLimit(double x)
{
    const double knee = 0.7;
    const double a = std::fabs(x);
    if (a <= knee) {
        return x;
    }
    const double bent = knee + (1.0 - knee) * std::tanh((a - knee) / (1.0 - knee));
    return std::copysign(bent, x);
}

// Raised-cosine gain: 1 before `fadeStart`, 0 at `end`.
double FadeGain(int64_t frame, int64_t fadeStart, int64_t end)
{
    if (frame < fadeStart) {
        return 1.0;
    }
    const double x = static_cast<double>(frame - fadeStart) / std::max<int64_t>(end - fadeStart, 1);
    return 0.5 + 0.5 * std::cos(3.141592653589793 * std::min(x, 1.0));
}

void ApplySends(SongBuses& b)
{
    ApplyPingPongDelay(b.delaySend, BeatFrame(0.75) - BeatFrame(0.0), 0.42);
    for (size_t i = 0; i < b.reverbSend.left.size(); ++i) {
        b.reverbSend.left[i] += 0.5f * (b.music.left[i] + b.delaySend.left[i]);
        b.reverbSend.right[i] += 0.5f * (b.music.right[i] + b.delaySend.right[i]);
    }
    ApplyReverb(b.reverbSend, 0.85, 0.45);
}

// The balanced, limited mix into `left` and `right` (reusing the drum bus).
void SumBuses(SongBuses& b)
{
    const std::vector<float> duck = DuckingCurve(b.kickFrames, b.drums.Frames());
    DcBlocker dcLeft, dcRight;
    for (size_t i = 0; i < duck.size(); ++i) {
        const float tonal = 0.9f * b.bass.left[i];
        const float l = tonal + b.music.left[i] + 0.3f * b.delaySend.left[i] + 0.9f * b.reverbSend.left[i];
        const float r = tonal + b.music.right[i] + 0.3f * b.delaySend.right[i] + 0.9f * b.reverbSend.right[i];
        b.drums.left[i] = static_cast<float>(SoftLimit(dcLeft.Process(b.drums.left[i] + duck[i] * l)));
        b.drums.right[i] = static_cast<float>(SoftLimit(dcRight.Process(b.drums.right[i] + duck[i] * r)));
    }
}

double PeakOf(const StereoBus& bus)
{
    float peak = 1e-9f;
    for (size_t i = 0; i < bus.left.size(); ++i) {
        peak = std::max({peak, std::fabs(bus.left[i]), std::fabs(bus.right[i])});
    }
    return peak;
}

int16_t ToPcm(double x)
{
    return static_cast<int16_t>(std::lround(std::clamp(x, -1.0, 1.0) * 32767.0));
}

}  // namespace

std::vector<int16_t> MixDown(SongBuses& buses, double fadeSeconds)
{
    ApplySends(buses);
    SumBuses(buses);
    const StereoBus& mix = buses.drums;
    const double gain = kTargetPeak / PeakOf(mix);
    const int64_t frames = mix.Frames();
    const int64_t fadeStart = frames - static_cast<int64_t>(fadeSeconds * kSampleRate);
    std::vector<int16_t> pcm(2 * frames);
    for (int64_t i = 0; i < frames; ++i) {
        const double g = gain * FadeGain(i, fadeStart, frames - 1);
        pcm[2 * i] = ToPcm(mix.left[i] * g);
        pcm[2 * i + 1] = ToPcm(mix.right[i] * g);
    }
    return pcm;
}

}  // namespace music
