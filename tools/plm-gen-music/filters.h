// State-variable filter (trapezoidal integration): stable for any cutoff
// change from one sample to the next, so envelopes may sweep it freely.
#ifndef PLM_GEN_MUSIC_FILTERS_H
#define PLM_GEN_MUSIC_FILTERS_H

namespace music {

struct FilterOutputs {
    double low;
    double band;
    double high;
};

class StateVariableFilter {
public:
    // `cutoffHz` is clamped below 45 % of the sample rate; `q` >= 0.5.
    void SetCutoff(double cutoffHz, double q);
    FilterOutputs Process(double input);

private:
    double a1_ = 0.0, a2_ = 0.0, a3_ = 0.0, k_ = 1.0;
    double ic1_ = 0.0, ic2_ = 0.0;
};

}  // namespace music

#endif
