// The frame-rate benchmark's arithmetic: which part of the timeline a frame
// belongs to, the frame samples a run collects, and their summary per part
// (median and 5th-percentile frame rate, primitives per frame).
#ifndef PLM_BENCH_FPS_STATS_H
#define PLM_BENCH_FPS_STATS_H

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A stretch of the timeline that the benchmark reports on its own: frames
// whose demo time t lies in from < t <= to (from == 0 also takes t = 0).
struct CBENCHSCENE {
    const char* name;
    float from;  // ms
    float to;    // ms
};

// The pipes flight in three stretches, the face flight and the turntable
// (up to the end of the run). The black frame at exactly the turntable's
// start belongs to none.
extern const CBENCHSCENE BENCH_SCENES[];
const int BENCH_SCENE_COUNT = 5;

// Index into BENCH_SCENES of the frame drawn at demo time frameTime (ms),
// as the demo's own timeline decides; -1 for the black frame.
int BenchSceneAt(float frameTime);
// Index of the scene named name, or -1.
int FindBenchScene(const std::string& name);

// One timed frame, as a run hands it to the report.
struct CFRAMESAMPLE {
    int32_t scene;       // index into BENCH_SCENES
    float milliseconds;  // RenderFrame plus glFinish, wall clock
    uint32_t triangles;  // filled primitives the GL processed
    uint32_t lines;      // line primitives the GL processed
};

// The p-th percentile (0 to 100) of values, interpolated linearly between
// the two nearest ranks; 0 for no values.
double Percentile(std::vector<double> values, double p);

struct CSCENESUMMARY {
    size_t frames = 0;
    double medianFps = 0.0;  // 1000 / median frame time
    double p5Fps = 0.0;      // 1000 / 95th-percentile frame time
    double trianglesMean = 0.0;
    uint32_t trianglesMax = 0;
    double linesMean = 0.0;
};

// The summary of the samples of one scene (frames == 0 when there are none).
CSCENESUMMARY Summarise(const std::vector<CFRAMESAMPLE>& samples, int scene);

// One line of the report.
struct CREPORTROW {
    std::string size;  // "1024x768"
    int scene;         // index into BENCH_SCENES
    CSCENESUMMARY summary;
};

// The report as a plain table, or as a Markdown table with markdown set.
// Rows without frames are left out.
std::string FormatReport(const std::vector<CREPORTROW>& rows, bool markdown);

// Samples to bytes and back, as a run in a copy of the process hands them
// over. ParseSamples is false (leaving *samples empty) unless the bytes are
// whole samples with valid scene indices.
std::string SerialiseSamples(const std::vector<CFRAMESAMPLE>& samples);
bool ParseSamples(const std::string& bytes, std::vector<CFRAMESAMPLE>* samples);

#endif
