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
    CAPTURE_ENCODER_FAILED = 3,           // ffmpeg failed or stopped reading; its message is shown
};

// What a capture makes of its frames.
enum CAPTUREMODE {
    CAPTURE_FRAMES,  // PNG files in a folder (--out)
    CAPTURE_VIDEO,   // a video file with the music, encoded by ffmpeg (--video)
    CAPTURE_RAW,     // raw RGB frames on stdout (--raw -)
};

// The frame rate a video has when --fps is not given, and the range it may take.
const double DEFAULT_VIDEO_FPS = 60.0;
const double MIN_VIDEO_FPS = 1.0, MAX_VIDEO_FPS = 240.0;

struct CCAPTUREOPTIONS {
    CAPTUREMODE mode = CAPTURE_FRAMES;
    std::string data;           // the archive to run
    std::string out;            // folder for the PNG files
    std::string video;          // the video file to make
    int width = 1024;           // pixels
    int height = 768;           // pixels
    double stepFps = 60.0;      // frame rate of the simulated run
    std::vector<double> times;  // demo times to write, ms, ascending, unique (video: once planned)
    // Video and raw stream: frames every 1/fps s from `from` up to, not
    // including, `to` (when toGiven; else the end of the music plus 2 s).
    double fps = DEFAULT_VIDEO_FPS;
    double from = 0.0;  // ms
    double to = 0.0;    // ms
    bool toGiven = false;
    int crf = -1;                         // quality for the encoder; -1: its default
    std::string codec;                    // ffmpeg's video encoder; empty: H.264 (libx264)
    std::vector<std::string> ffmpegArgs;  // more ffmpeg options, before the output name
    bool overwrite = false;               // an existing video file may be replaced
    bool keepPartial = false;             // a stopped or failed video stays
    bool referenceDrawing = false;        // pipes in full, in immediate mode, nothing left out
    bool fullDetail = false;              // pipes in full, never from their far pieces
    bool help = false;                    // print the usage and stop
    bool version = false;                 // print the version and stop
};

// Parses argv (GNU style: "--size 640x480" or "--size=640x480"). On a
// malformed line returns false with the reason in *error, naming the option.
// Checks everything that can be checked without touching the system; the
// files and the GL limits are checked by the caller before rendering. For a
// video or raw stream the times are left empty: they depend on the music's
// length (video_plan.h).
bool ParseCaptureOptions(int argc, const char* const* argv, CCAPTUREOPTIONS* options, std::string* error);
// The usage text of --help.
const char* CaptureUsage();
// The line --version prints, with its newline.
std::string CaptureVersion();
// The file name of a frame: its demo time in ms, zero-padded to 7 integer
// digits with two decimals ("0014750.00.png"), so that names sort in time
// order and still say the time.
std::string FrameFileName(double timeMs);

#endif
