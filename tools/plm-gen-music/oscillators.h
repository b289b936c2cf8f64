// Band-limited oscillators driven by a phase in [0, 1) that advances by
// frequency / sample rate per sample. PolyBLEP corrections keep the saw
// and square free of the harsh aliasing of naive waveforms.
#ifndef PLM_GEN_MUSIC_OSCILLATORS_H
#define PLM_GEN_MUSIC_OSCILLATORS_H

#include <cmath>

namespace music {

constexpr double kTwoPi = 6.283185307179586;

inline double MidiToHz(double note)
{
    return 440.0 * std::pow(2.0, (note - 69.0) / 12.0);
}

// Correction of a unit step at phase 0 for a phase step of `dt`.
inline double PolyBlep(double t, double dt)
{
    if (t < dt) {
        t /= dt;
        return t + t - t * t - 1.0;
    }
    if (t > 1.0 - dt) {
        t = (t - 1.0) / dt;
        return t * t + t + t + 1.0;
    }
    return 0.0;
}

class Oscillator {
public:
    explicit Oscillator(double phase = 0.0) : phase_(phase) {}

    // Advances by one sample at `dt` = frequency / sample rate.
    void Step(double dt)
    {
        phase_ += dt;
        phase_ -= std::floor(phase_);
    }
    double Saw(double dt) const { return 2.0 * phase_ - 1.0 - PolyBlep(phase_, dt); }
    double Square(double dt) const
    {
        double shifted = phase_ + 0.5;
        shifted -= std::floor(shifted);
        const double naive = phase_ < 0.5 ? 1.0 : -1.0;
        return naive + PolyBlep(phase_, dt) - PolyBlep(shifted, dt);
    }
    double Sine() const { return std::sin(kTwoPi * phase_); }

private:
    double phase_;
};

}  // namespace music

#endif
