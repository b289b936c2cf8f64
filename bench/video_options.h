// Command line of plm_video_bench.
#ifndef PLM_BENCH_VIDEO_OPTIONS_H
#define PLM_BENCH_VIDEO_OPTIONS_H

#include <string>

struct CVIDEOBENCHOPTIONS {
    std::string data;     // the archive to run; empty: the build's dist/data.dat
    int width = 1280;     // pixels
    int height = 720;     // pixels
    double fps = 60.0;    // frames per second of demo time, the clock steps at the same rate
    double toMs = 20000;  // frames from demo time 0 up to this time, exclusive (ms)
    int depth = 2;        // frames in flight in the read-back (1: read at once)
    int samples = 1;      // samples per pixel (--aa)
    bool split = false;   // wait for each frame's drawing to finish before reading it
    bool raw = false;     // write the frames to stdout, top row first
    bool help = false;
};

// Parses argv ("--size 640x480" or "--size=640x480"); false with the reason
// in *error, naming the option, for a malformed line.
bool ParseVideoBenchOptions(int argc, const char* const* argv, CVIDEOBENCHOPTIONS* options,
                            std::string* error);
// Frames a run writes: one every 1/fps s from demo time 0, before toMs.
long VideoBenchFrames(const CVIDEOBENCHOPTIONS& options);
const char* VideoBenchUsage();

#endif
