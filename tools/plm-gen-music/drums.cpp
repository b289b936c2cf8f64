#include "drums.h"

#include "beat_grid.h"
#include "filters.h"
#include "tools/common/random.h"
#include "oscillators.h"

#include <algorithm>
#include <cmath>

namespace music {

namespace {

constexpr double kDt = 1.0 / kSampleRate;

int64_t Frames(double seconds)
{
    return static_cast<int64_t>(seconds * kSampleRate);
}

// Six detuned square waves, the classic metallic cymbal source.
double MetalSource(Oscillator (&oscs)[6], double scale)
{
    static const double kRatios[6] = {205.3, 304.4, 369.6, 522.7, 540.0, 800.0};
    double sum = 0.0;
    for (int i = 0; i < 6; ++i) {
        const double dt = kRatios[i] * scale * kDt;
        sum += oscs[i].Square(dt);
        oscs[i].Step(dt);
    }
    return sum / 6.0;
}

}  // namespace

void AddKick(StereoBus& bus, int64_t frame, double gain)
{
    Oscillator body;
    tools::Xorshift32 click(0x51ED27u);
    for (int64_t i = 0; i < Frames(0.5); ++i) {
        const double t = i * kDt;
        const double hz = 45.0 + 105.0 * std::exp(-t / 0.032);
        const double amp = std::min(1.0, t / 0.0015) * std::exp(-t / 0.26);
        const double s = std::tanh(1.6 * body.Sine()) * amp + click.Signed() * 0.25 * std::exp(-t / 0.0018);
        bus.Add(frame + i, gain * s, gain * s);
        body.Step(hz * kDt);
    }
}

void AddSnare(StereoBus& bus, int64_t frame, double gain, double pan, uint32_t seed)
{
    Oscillator tone1, tone2;
    tools::Xorshift32 noise(seed);
    StateVariableFilter shape;
    shape.SetCutoff(1800.0, 0.6);
    for (int64_t i = 0; i < Frames(0.35); ++i) {
        const double t = i * kDt;
        const double body =
            0.55 * tone1.Sine() * std::exp(-t / 0.05) + 0.25 * tone2.Sine() * std::exp(-t / 0.03);
        const double hiss = shape.Process(noise.Signed()).high * std::exp(-t / 0.12);
        bus.AddPanned(frame + i, gain * (body + 0.8 * hiss), pan);
        tone1.Step(185.0 * kDt);
        tone2.Step(330.0 * kDt);
    }
}

void AddClap(StereoBus& bus, int64_t frame, double gain, uint32_t seed)
{
    tools::Xorshift32 noise(seed);
    StateVariableFilter band;
    band.SetCutoff(1300.0, 1.2);
    for (int64_t i = 0; i < Frames(0.3); ++i) {
        const double t = i * kDt;
        const double burst = t < 0.024 ? std::exp(-std::fmod(t, 0.008) / 0.003) : 0.0;
        const double tail = t >= 0.016 ? std::exp(-(t - 0.016) / 0.09) : 0.0;
        const double s = 2.2 * band.Process(noise.Signed()).band * std::max(burst, tail);
        bus.Add(frame + i, gain * s, gain * s);
    }
}

void AddHat(StereoBus& bus, int64_t frame, double gain, bool open, double pan, uint32_t seed)
{
    Oscillator metal[6];
    tools::Xorshift32 noise(seed);
    StateVariableFilter highPass;
    highPass.SetCutoff(7500.0, 0.8);
    const double decay = open ? 0.18 : 0.03;
    for (int64_t i = 0; i < Frames(open ? 0.6 : 0.15); ++i) {
        const double t = i * kDt;
        const double source = 0.6 * MetalSource(metal, 1.7) + 0.4 * noise.Signed();
        const double s = highPass.Process(source).high * std::exp(-t / decay);
        bus.AddPanned(frame + i, gain * s, pan);
    }
}

void AddCrash(StereoBus& bus, int64_t frame, double gain, uint32_t seed)
{
    Oscillator metal[6];
    tools::Xorshift32 left(seed), right(seed * 7 + 1);
    StateVariableFilter hpLeft, hpRight;
    hpLeft.SetCutoff(5000.0, 0.7);
    hpRight.SetCutoff(5000.0, 0.7);
    for (int64_t i = 0; i < Frames(3.0); ++i) {
        const double t = i * kDt;
        const double amp = gain * std::min(1.0, t / 0.002) * std::exp(-t / 0.9);
        const double metalSample = 0.5 * MetalSource(metal, 2.3);
        const double l = hpLeft.Process(metalSample + left.Signed()).high;
        const double r = hpRight.Process(metalSample + right.Signed()).high;
        bus.Add(frame + i, amp * l, amp * r);
    }
}

void AddRiser(StereoBus& bus, int64_t frame, int64_t frames, double gain, uint32_t seed)
{
    tools::Xorshift32 left(seed), right(seed * 3 + 5);
    StateVariableFilter bandLeft, bandRight;
    for (int64_t i = 0; i < frames; ++i) {
        const double x = static_cast<double>(i) / frames;
        const double hz = 250.0 * std::pow(28.0, x);
        bandLeft.SetCutoff(hz, 2.0);
        bandRight.SetCutoff(hz * 1.03, 2.0);
        const double amp = gain * x * x;
        bus.Add(frame + i, amp * bandLeft.Process(left.Signed()).band,
                amp * bandRight.Process(right.Signed()).band);
    }
}

}  // namespace music
