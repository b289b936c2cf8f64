// Measures a decoded capture for the A/V tests, reading raw data on stdin:
//   av_probe brightest WIDTH HEIGHT  (RGB frames, 3 bytes a pixel)
//     prints the index (from 0) of the frame with the largest sum of
//     channel values, and that frame's mean value
//   av_probe onset RATE AROUND_S WINDOW_S  (mono signed 16-bit samples)
//     prints the time in seconds (from the first sample) where the loudness
//     rises most steeply within WINDOW_S of AROUND_S: a sound's onset
// Exit status 0, or 2 for a bad command line or input.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

int Brightest(long width, long height)
{
    if (width <= 0 || height <= 0) return 2;
    std::vector<unsigned char> frame(static_cast<size_t>(width * height * 3));
    long best = -1, index = 0;
    double bestSum = -1.0;
    while (std::fread(frame.data(), 1, frame.size(), stdin) == frame.size()) {
        double sum = 0.0;
        for (unsigned char value : frame) sum += value;
        if (sum > bestSum) {
            bestSum = sum;
            best = index;
        }
        ++index;
    }
    if (best < 0) return 2;
    std::printf("%ld %.3f\n", best, bestSum / static_cast<double>(frame.size()));
    return 0;
}

// Loudness in dB of blocks of `block` samples.
std::vector<double> BlockLoudness(const std::vector<int16_t>& samples, size_t block)
{
    std::vector<double> loudness;
    for (size_t start = 0; start + block <= samples.size(); start += block) {
        double power = 0.0;
        for (size_t i = start; i < start + block; ++i) power += static_cast<double>(samples[i]) * samples[i];
        loudness.push_back(10.0 * std::log10(power / static_cast<double>(block) + 1.0));
    }
    return loudness;
}

int Onset(double rate, double around, double window)
{
    std::vector<int16_t> samples;
    int16_t buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, sizeof buffer[0], 4096, stdin)) > 0)
        samples.insert(samples.end(), buffer, buffer + n);
    // 2 ms blocks; a rise is a block's loudness over the mean of the 20 ms before it.
    const size_t block = static_cast<size_t>(rate * 0.002);
    const size_t before = 10;
    if (block == 0) return 2;
    std::vector<double> loudness = BlockLoudness(samples, block);
    double blockSeconds = static_cast<double>(block) / rate;
    long first = std::lround((around - window) / blockSeconds),
         last = std::lround((around + window) / blockSeconds);
    long best = -1;
    double bestRise = 0.0;
    for (long b = first < static_cast<long>(before) ? static_cast<long>(before) : first;
         b <= last && b < static_cast<long>(loudness.size()); ++b) {
        double mean = 0.0;
        for (size_t k = 1; k <= before; ++k) mean += loudness[static_cast<size_t>(b) - k];
        double rise = loudness[static_cast<size_t>(b)] - mean / before;
        if (rise > bestRise) {
            bestRise = rise;
            best = b;
        }
    }
    if (best < 0) return 2;
    std::printf("%.4f %.1f\n", static_cast<double>(best) * blockSeconds, bestRise);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 4 && std::strcmp(argv[1], "brightest") == 0)
        return Brightest(std::atol(argv[2]), std::atol(argv[3]));
    if (argc == 5 && std::strcmp(argv[1], "onset") == 0)
        return Onset(std::atof(argv[2]), std::atof(argv[3]), std::atof(argv[4]));
    std::fprintf(stderr, "usage: av_probe brightest W H | av_probe onset RATE AROUND_S WINDOW_S\n");
    return 2;
}
