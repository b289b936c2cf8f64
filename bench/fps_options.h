// Command line of plm_fps_bench.
#ifndef PLM_BENCH_FPS_OPTIONS_H
#define PLM_BENCH_FPS_OPTIONS_H

#include <string>
#include <vector>

struct CPICTURESIZE {
    int width;   // pixels
    int height;  // pixels
};

struct CFPSOPTIONS {
    std::string data;                 // the archive to run; empty: the build's dist/data.dat
    std::vector<CPICTURESIZE> sizes;  // every --size in order; 1024x768 and 1920x1080 when none given
    int scene = -1;                   // index into BENCH_SCENES, -1 for every scene
    double endMs = 24750.0;           // demo time the run stops at (ms)
    int repeat = 1;                   // runs per size, each in a fresh process
    bool markdown = false;            // the table in Markdown
    bool fullDetail = false;          // pipe pieces in full, never their far pieces
    bool referenceDrawing = false;    // pipes in full, in immediate mode, nothing left out
    bool help = false;
    bool version = false;
};

// Parses argv ("--size 640x480" or "--size=640x480"); false with the reason
// in *error, naming the option, for a malformed line.
bool ParseFpsOptions(int argc, const char* const* argv, CFPSOPTIONS* options, std::string* error);
const char* FpsUsage();

#endif
