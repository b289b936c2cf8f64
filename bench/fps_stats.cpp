#include "fps_stats.h"

#include "scene/timeline.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

const float PIPES_FIRST_END = 5000.0f;   // ms: the pipes flight's first stretch ends
const float PIPES_SECOND_END = 9000.0f;  // ms: the climax starts
const float TIMELINE_END = 3600000.0f;   // ms: longer than any run

}  // namespace

const CBENCHSCENE BENCH_SCENES[BENCH_SCENE_COUNT] = {
    {"pipes-0-5", 0.0f, PIPES_FIRST_END},
    {"pipes-5-9", PIPES_FIRST_END, PIPES_SECOND_END},
    {"pipes-9-10.7", PIPES_SECOND_END, SCENE_FACE_START},
    {"face", SCENE_FACE_START, SCENE_TURNTABLE_START},
    {"turntable", SCENE_TURNTABLE_START, TIMELINE_END},
};

int BenchSceneAt(float frameTime)
{
    switch (SceneAt(frameTime)) {
        case SCENE_PIPES_FLIGHT:
            if (frameTime <= PIPES_FIRST_END) return 0;
            return frameTime <= PIPES_SECOND_END ? 1 : 2;
        case SCENE_FACE_FLIGHT:
            return 3;
        case SCENE_TURNTABLE:
            return 4;
        default:
            return -1;
    }
}

int FindBenchScene(const std::string& name)
{
    for (int i = 0; i < BENCH_SCENE_COUNT; ++i)
        if (name == BENCH_SCENES[i].name) return i;
    return -1;
}

double Percentile(std::vector<double> values, double p)
{
    if (values.empty()) return 0.0;
    std::sort(values.begin(), values.end());
    double rank = std::clamp(p, 0.0, 100.0) / 100.0 * static_cast<double>(values.size() - 1);
    size_t below = static_cast<size_t>(std::floor(rank));
    size_t above = std::min(below + 1, values.size() - 1);
    double weight = rank - static_cast<double>(below);
    return values[below] + (values[above] - values[below]) * weight;
}

CSCENESUMMARY Summarise(const std::vector<CFRAMESAMPLE>& samples, int scene)
{
    CSCENESUMMARY s;
    std::vector<double> times;
    double triangles = 0.0, lines = 0.0;
    for (const CFRAMESAMPLE& sample : samples) {
        if (sample.scene != scene) continue;
        times.push_back(sample.milliseconds);
        triangles += sample.triangles;
        lines += sample.lines;
        s.trianglesMax = std::max(s.trianglesMax, sample.triangles);
    }
    s.frames = times.size();
    if (s.frames == 0) return s;
    double median = Percentile(times, 50.0), slow = Percentile(times, 95.0);
    s.medianFps = median > 0.0 ? 1000.0 / median : 0.0;
    s.p5Fps = slow > 0.0 ? 1000.0 / slow : 0.0;
    s.trianglesMean = triangles / static_cast<double>(s.frames);
    s.linesMean = lines / static_cast<double>(s.frames);
    return s;
}

std::string FormatReport(const std::vector<CREPORTROW>& rows, bool markdown)
{
    const char* head = markdown
                           ? "| size | scene | frames | median fps | p5 fps | triangles/frame (mean) | "
                             "triangles/frame (max) | lines/frame (mean) |\n"
                             "|---|---|---:|---:|---:|---:|---:|---:|\n"
                           : "size       scene         frames  median fps  p5 fps  triangles mean     max  "
                             "lines mean\n";
    const char* line = markdown ? "| %s | %s | %zu | %.1f | %.1f | %.0f | %u | %.0f |\n"
                                : "%-10s %-13s %6zu  %10.1f  %6.1f  %14.0f  %7u  %10.0f\n";
    std::string out = head;
    for (const CREPORTROW& row : rows) {
        const CSCENESUMMARY& s = row.summary;
        if (s.frames == 0) continue;
        char text[256];
        std::snprintf(text, sizeof text, line, row.size.c_str(), BENCH_SCENES[row.scene].name, s.frames,
                      s.medianFps, s.p5Fps, s.trianglesMean, s.trianglesMax, s.linesMean);
        out += text;
    }
    return out;
}

std::string SerialiseSamples(const std::vector<CFRAMESAMPLE>& samples)
{
    std::string bytes(samples.size() * sizeof(CFRAMESAMPLE), '\0');
    if (!samples.empty()) std::memcpy(&bytes[0], samples.data(), bytes.size());
    return bytes;
}

bool ParseSamples(const std::string& bytes, std::vector<CFRAMESAMPLE>* samples)
{
    samples->clear();
    if (bytes.size() % sizeof(CFRAMESAMPLE) != 0) return false;
    std::vector<CFRAMESAMPLE> read(bytes.size() / sizeof(CFRAMESAMPLE));
    if (!read.empty()) std::memcpy(read.data(), bytes.data(), bytes.size());
    for (const CFRAMESAMPLE& sample : read)
        if (sample.scene < 0 || sample.scene >= BENCH_SCENE_COUNT || !(sample.milliseconds >= 0.0f))
            return false;
    *samples = std::move(read);
    return true;
}
