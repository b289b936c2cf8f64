#include "effects.h"

#include <cstddef>
#include <vector>

namespace music {

namespace {

class Comb {
public:
    explicit Comb(int length) : line_(length, 0.0f) {}
    float Process(float input, float feedback, float damp)
    {
        const float out = line_[pos_];
        store_ = out * (1.0f - damp) + store_ * damp;
        line_[pos_] = input + store_ * feedback;
        pos_ = (pos_ + 1) % line_.size();
        return out;
    }

private:
    std::vector<float> line_;
    std::size_t pos_ = 0;
    float store_ = 0.0f;
};

class AllPass {
public:
    explicit AllPass(int length) : line_(length, 0.0f) {}
    float Process(float input)
    {
        const float delayed = line_[pos_];
        line_[pos_] = input + delayed * 0.5f;
        pos_ = (pos_ + 1) % line_.size();
        return delayed - input;
    }

private:
    std::vector<float> line_;
    std::size_t pos_ = 0;
};

// One side of the reverb; `spread` lengthens every delay line.
void ReverbChannel(std::vector<float>& samples, const std::vector<float>& input, int spread, float feedback,
                   float damp)
{
    static const int kCombs[8] = {1116, 1188, 1277, 1356, 1422, 1491, 1557, 1617};
    static const int kAllPasses[4] = {556, 441, 341, 225};
    std::vector<Comb> combs;
    std::vector<AllPass> allPasses;
    for (int length : kCombs) combs.emplace_back(length + spread);
    for (int length : kAllPasses) allPasses.emplace_back(length + spread);
    for (std::size_t i = 0; i < samples.size(); ++i) {
        float sum = 0.0f;
        for (Comb& comb : combs) sum += comb.Process(input[i] * 0.015f, feedback, damp);
        for (AllPass& allPass : allPasses) sum = allPass.Process(sum);
        samples[i] = sum;
    }
}

}  // namespace

void ApplyReverb(StereoBus& bus, double roomSize, double damping)
{
    // Both sides hear the mono sum, as in the classic design.
    std::vector<float> mono(bus.left.size());
    for (std::size_t i = 0; i < mono.size(); ++i) {
        mono[i] = bus.left[i] + bus.right[i];
    }
    const float feedback = static_cast<float>(0.7 + 0.28 * roomSize);
    const float damp = static_cast<float>(0.4 * damping);
    ReverbChannel(bus.left, mono, 0, feedback, damp);
    ReverbChannel(bus.right, mono, 23, feedback, damp);
}

void ApplyPingPongDelay(StereoBus& bus, int64_t delayFrames, double feedback)
{
    const std::size_t n = bus.left.size();
    const std::size_t d = static_cast<std::size_t>(delayFrames);
    const float fb = static_cast<float>(feedback);
    std::vector<float> wetLeft(n, 0.0f), wetRight(n, 0.0f);
    float toneLeft = 0.0f, toneRight = 0.0f;  // one-pole low-pass state
    for (std::size_t i = d; i < n; ++i) {
        toneLeft += 0.45f * (bus.right[i - d] + wetRight[i - d] * fb - toneLeft);
        toneRight += 0.45f * (bus.left[i - d] + wetLeft[i - d] * fb - toneRight);
        wetLeft[i] = toneLeft;
        wetRight[i] = toneRight;
    }
    bus.left.swap(wetLeft);
    bus.right.swap(wetRight);
}

}  // namespace music
