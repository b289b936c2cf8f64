#include "synths.h"

#include "beat_grid.h"
#include "filters.h"
#include "tools/common/random.h"
#include "oscillators.h"

#include <algorithm>
#include <cmath>

namespace music {

namespace {

constexpr double kDt = 1.0 / kSampleRate;
constexpr int kCutoffUpdate = 32;  // frames between cutoff updates of slow sweeps

// Linear attack, hold, exponential-looking release (quadratic fall).
double HoldEnvelope(int64_t i, int64_t held, double attack, double release)
{
    const double t = i * kDt;
    const double rise = attack > 0.0 ? std::min(1.0, t / attack) : 1.0;
    if (i < held) {
        return rise;
    }
    const double x = 1.0 - (i - held) * kDt / release;
    return x > 0.0 ? rise * x * x : 0.0;
}

// One pad note: three saws detuned by -9, 0 and +9 cents, left and right
// taking the outer ones so the chord is wide.
void AddPadNote(StereoBus& bus, int64_t frame, int64_t frames, const PadChord& chord, double hz, double gain,
                tools::Xorshift32& phases)
{
    Oscillator saws[3] = {Oscillator(0.5 + 0.5 * phases.Signed()), Oscillator(0.5 + 0.5 * phases.Signed()),
                          Oscillator(0.5 + 0.5 * phases.Signed())};
    const double dts[3] = {hz * std::pow(2.0, -9.0 / 1200.0) * kDt, hz * kDt,
                           hz * std::pow(2.0, 9.0 / 1200.0) * kDt};
    StateVariableFilter lowLeft, lowRight;
    const int64_t total = frames + static_cast<int64_t>(chord.releaseSeconds * kSampleRate);
    for (int64_t i = 0; i < total; ++i) {
        if (i % kCutoffUpdate == 0) {
            const double x = std::min(1.0, static_cast<double>(i) / std::max<int64_t>(frames, 1));
            const double cutoff = chord.cutoffFrom * std::pow(chord.cutoffTo / chord.cutoffFrom, x);
            lowLeft.SetCutoff(cutoff, 0.9);
            lowRight.SetCutoff(cutoff, 0.9);
        }
        const double amp = gain * HoldEnvelope(i, frames, chord.attackSeconds, chord.releaseSeconds);
        const double centre = 0.7 * saws[1].Saw(dts[1]);
        const double l = lowLeft.Process(saws[0].Saw(dts[0]) + centre).low;
        const double r = lowRight.Process(saws[2].Saw(dts[2]) + centre).low;
        bus.Add(frame + i, amp * l, amp * r);
        for (int k = 0; k < 3; ++k) {
            saws[k].Step(dts[k]);
        }
    }
}

}  // namespace

void AddBassNote(StereoBus& bus, int64_t frame, int64_t frames, int note, double gain)
{
    const double dt = MidiToHz(note) * kDt;
    Oscillator saw, sub;
    StateVariableFilter low;
    const int64_t total = frames + static_cast<int64_t>(0.02 * kSampleRate);
    for (int64_t i = 0; i < total; ++i) {
        const double t = i * kDt;
        if (i % 8 == 0) {
            low.SetCutoff(180.0 + 1300.0 * std::exp(-t / 0.07), 1.1);
        }
        const double raw = 0.6 * saw.Saw(dt) + 0.8 * sub.Sine();
        const double s = std::tanh(1.3 * low.Process(raw).low) * HoldEnvelope(i, frames, 0.003, 0.02);
        bus.Add(frame + i, gain * s, gain * s);
        saw.Step(dt);
        sub.Step(dt);
    }
}

void AddPadChord(StereoBus& bus, int64_t frame, int64_t frames, const PadChord& chord, double gain,
                 uint32_t seed)
{
    tools::Xorshift32 phases(seed);
    for (int n = 0; n < chord.count; ++n) {
        AddPadNote(bus, frame, frames, chord, MidiToHz(chord.notes[n]), gain, phases);
    }
}

void AddPluck(StereoBus& bus, int64_t frame, int note, double gain, double pan)
{
    const double dt = MidiToHz(note) * kDt;
    Oscillator osc;
    StateVariableFilter low;
    for (int64_t i = 0; i < static_cast<int64_t>(0.45 * kSampleRate); ++i) {
        const double t = i * kDt;
        if (i % 8 == 0) {
            low.SetCutoff(350.0 + 5000.0 * std::exp(-t / 0.05), 1.4);
        }
        const double raw = 0.7 * osc.Saw(dt) + 0.3 * osc.Square(dt);
        const double amp = std::min(1.0, t / 0.002) * std::exp(-t / 0.16);
        bus.AddPanned(frame + i, gain * amp * low.Process(raw).low, pan);
        osc.Step(dt);
    }
}

}  // namespace music
