// The ffmpeg command line of a video capture: raw RGB frames on ffmpeg's
// standard input, the music from its file, trimmed so that demo time t of
// the picture is music time t and padded with silence to the picture's
// length, both encoded into the output file.
#ifndef PLM_TOOLS_CAPTURE_FFMPEG_COMMAND_H
#define PLM_TOOLS_CAPTURE_FFMPEG_COMMAND_H

#include <string>
#include <vector>

// The default encoding: H.264 at constant quality, in the pixel format
// every player takes, with AAC sound.
extern const char* const DEFAULT_VIDEO_CODEC;  // "libx264"
const int DEFAULT_CRF = 18;
extern const char* const DEFAULT_PIXEL_FORMAT;  // "yuv420p"
extern const char* const AUDIO_CODEC;           // "aac"
extern const char* const AUDIO_BITRATE;         // "192k"
// The container of an output whose name has no ending ffmpeg could go by.
extern const char* const DEFAULT_CONTAINER;  // "mp4"

struct CFFMPEGJOB {
    int width = 0, height = 0;       // pixels of every frame
    double fps = 60.0;               // frames per second
    double fromMs = 0.0;             // demo time of the first frame
    double seconds = 0.0;            // the video's length: frames / fps
    std::string music;               // the music file; empty: a video without sound
    std::string codec;               // video encoder; empty: the default encoding
    int crf = -1;                    // -1: the default's 18, or none for another codec
    std::vector<std::string> extra;  // the user's options, placed just before the output
    std::string output;              // the file ffmpeg writes; it must not exist
};

// The arguments of ffmpeg (the first is "ffmpeg"). With the default codec
// the video is libx264 at -crf 18 (or the given crf) in yuv420p; another
// codec gets only -c:v NAME (and -crf when given), so that a lossless codec
// keeps every colour. An output name without an ending (".mkv") gets the
// default container. ffmpeg never replaces an existing output (-n).
std::vector<std::string> FfmpegArguments(const CFFMPEGJOB& job);

// A number for ffmpeg's command line: seconds with microseconds, "%.6f".
std::string FfmpegSeconds(double seconds);

#endif
