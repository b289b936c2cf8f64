// The ffmpeg program as a capture's encoder: started with an argument list,
// fed frames through its standard input, its messages kept in a log file,
// and ended cleanly however the capture ends.
#ifndef PLM_TOOLS_CAPTURE_FFMPEG_ENCODER_H
#define PLM_TOOLS_CAPTURE_FFMPEG_ENCODER_H

#include <cstddef>
#include <string>
#include <vector>

#include "platform/program.h"

// What ffmpeg is installed as, and the package that brings it.
extern const char* const FFMPEG_PROGRAM;  // "ffmpeg"
extern const char* const FFMPEG_PACKAGE;  // "ffmpeg"

// How long ffmpeg may take to complete its file once told to finish early,
// and to end once told to end, before it is killed, in ms.
const int FFMPEG_FINISH_MS = 10000;
const int FFMPEG_END_MS = 2000;

class CFFMPEGENCODER {
public:
    CFFMPEGENCODER() = default;
    ~CFFMPEGENCODER();
    CFFMPEGENCODER(const CFFMPEGENCODER&) = delete;
    CFFMPEGENCODER& operator=(const CFFMPEGENCODER&) = delete;

    // Starts the program at path with args, its messages going to the file
    // log. False with the reason in *error.
    bool Start(const std::string& path, const std::vector<std::string>& args, const std::string& log,
               std::string* error);
    // Hands size bytes to ffmpeg, waiting while it is busy. False when it
    // no longer reads (it has ended or failed).
    bool Write(const void* data, size_t size);
    // Tells ffmpeg the input is complete and waits for it to finish. A
    // termination request caught meanwhile (platform/termination.h) ends
    // it instead. Returns its exit status (0: the output is complete), or
    // 128 + N when signal N ended it.
    int Finish();
    // Tells ffmpeg to finish early (input closed, asked to terminate, which
    // it takes as "complete the file now") and gives it FFMPEG_FINISH_MS
    // before it is killed, so that what it wrote is a playable file.
    // Returns as Finish.
    int Stop();
    // The last lines (at most `lines`) of what ffmpeg said, each starting
    // with "  ffmpeg: "; empty when it said nothing.
    std::string LogTail(size_t lines) const;

private:
    PLATFORMPROGRAM program;
    std::string logPath;
};

#endif
