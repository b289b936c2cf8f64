// Command line of plumora-capture and the list of demo times it renders.
#ifndef PLM_TOOLS_CAPTURE_OPTIONS_H
#define PLM_TOOLS_CAPTURE_OPTIONS_H

#include <string>
#include <vector>

struct CCAPTUREOPTIONS {
    std::string data;            // the archive to run
    std::string out;             // folder for the PNG files
    int width = 1024;
    int height = 768;
    double stepFps = 60.0;       // frame rate of the simulated run
    std::vector<double> times;   // demo times to write, ms, ascending, unique
    bool help = false;
};

// Parses argv; on a malformed line returns false with the reason in *error.
bool ParseCaptureOptions(int argc, const char* const* argv, CCAPTUREOPTIONS* options,
                         std::string* error);
// The usage text of --help.
const char* CaptureUsage();
// The file name of a frame: its demo time with two decimals, "14750.00.png".
std::string FrameFileName(double timeMs);

#endif
