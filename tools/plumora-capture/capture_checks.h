// Everything a capture's command line names, checked against the system
// before the first frame: the archive, the picture size against the GL
// implementation, and per mode the frame folder, the video file and the
// ffmpeg program, or the standard output; and for a video or stream, the
// music's length, which decides where it ends by default. A refusal
// changes nothing on disk.
#ifndef PLM_TOOLS_CAPTURE_CHECKS_H
#define PLM_TOOLS_CAPTURE_CHECKS_H

#include <string>

#include "capture_options.h"
#include "video_frame_writer.h"

// What the checks found out, for the writers.
struct CCAPTURETARGET {
    std::string outDir;  // PNG frames: the resolved folder (made if it was missing)
    CVIDEOTARGET video;  // a video: ffmpeg, the resolved path and the encoding
};

// Runs the checks, completes *o (the absolute archive path; a video's or
// stream's frame times) and fills *target. Says a refusal or failure on
// stderr and returns its status (CAPTURE_USAGE, CAPTURE_FAILED), else
// CAPTURE_OK. A music file that cannot be read is only a warning: the video
// is silent.
int CheckCapture(CCAPTUREOPTIONS* o, CCAPTURETARGET* target);

#endif
