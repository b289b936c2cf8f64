// Command line of plumora-capture, the list of demo times it renders, the
// names of the frames and the exit statuses.
#ifndef PLM_TOOLS_CAPTURE_OPTIONS_H
#define PLM_TOOLS_CAPTURE_OPTIONS_H

#include <string>
#include <vector>

#include "tools/common/command_line.h"

// Exit statuses (also listed by --help). A stop signal ends the process by
// that signal once the temporary folder is removed: a shell then reports
// 128 + its number (SIGHUP 129, SIGINT 130, SIGTERM 143).
enum CAPTURESTATUS {
    CAPTURE_OK = tools::kExitOk,          // every frame written (or --help / --version)
    CAPTURE_FAILED = tools::kExitFailed,  // a failure while working: archive, GL context, writing a frame
    CAPTURE_USAGE = tools::kExitUsage,    // the command line is wrong or names something unusable
};

struct CCAPTUREOPTIONS {
    std::string data;               // the archive to run
    std::string out;                // folder for the PNG files
    int width = 1024;               // pixels
    int height = 768;               // pixels
    double stepFps = 60.0;          // frame rate of the simulated run
    int samples = 1;                // --aa: samples per pixel, 1, 2, 4 or 8
    std::vector<double> times;      // demo times to write, ms, ascending, unique
    bool referenceDrawing = false;  // pipes in full, in immediate mode, nothing left out
    bool fullDetail = false;        // pipes in full, never from their far pieces
    bool help = false;              // print the usage and stop
    bool version = false;           // print the version and stop
};

// Parses argv (GNU style: "--size 640x480" or "--size=640x480"). On a
// malformed line returns false with the reason in *error, naming the option.
// Checks everything that can be checked without touching the system; the
// files and the GL limits are checked by the caller before rendering.
bool ParseCaptureOptions(int argc, const char* const* argv, CCAPTUREOPTIONS* options, std::string* error);
// Checks --aa against the most samples per pixel the OpenGL implementation
// offers (1 where it has no multisampled rendering); false with the refusal
// in *error.
bool CheckSamples(int samples, int maxSamples, std::string* error);
// The usage text of --help.
const char* CaptureUsage();
// The line --version prints, with its newline.
std::string CaptureVersion();
// The file name of a frame: its demo time in ms, zero-padded to 7 integer
// digits with two decimals ("0014750.00.png"), so that names sort in time
// order and still say the time.
std::string FrameFileName(double timeMs);

#endif
