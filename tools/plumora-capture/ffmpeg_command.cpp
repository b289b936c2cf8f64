#include "ffmpeg_command.h"

#include <cstdio>

const char* const DEFAULT_VIDEO_CODEC = "libx264";
const char* const DEFAULT_PIXEL_FORMAT = "yuv420p";
const char* const AUDIO_CODEC = "aac";
const char* const AUDIO_BITRATE = "192k";
const char* const DEFAULT_CONTAINER = "mp4";

namespace {

void Add(std::vector<std::string>* args, std::initializer_list<std::string> more)
{
    args->insert(args->end(), more);
}

std::string Rate(double fps)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.9g", fps);
    return text;
}

// The frames as they arrive on the pipe.
void AddPictureInput(const CFFMPEGJOB& job, std::vector<std::string>* args)
{
    std::string size = std::to_string(job.width) + "x" + std::to_string(job.height);
    Add(args, {"-f", "rawvideo", "-pix_fmt", "rgb24", "-s", size, "-r", Rate(job.fps), "-i", "-"});
}

// The music from the first frame's demo time on, and how its sound is
// encoded: padded with silence to the whole length of the picture.
void AddMusic(const CFFMPEGJOB& job, std::vector<std::string>* args)
{
    Add(args, {"-ss", FfmpegSeconds(job.fromMs / 1000.0), "-i", job.music});
    Add(args, {"-map", "0:v", "-map", "1:a", "-af", "apad=whole_dur=" + FfmpegSeconds(job.seconds)});
    Add(args, {"-c:a", AUDIO_CODEC, "-b:a", AUDIO_BITRATE});
}

void AddVideoCodec(const CFFMPEGJOB& job, std::vector<std::string>* args)
{
    if (job.codec.empty()) {
        int crf = job.crf >= 0 ? job.crf : DEFAULT_CRF;
        Add(args,
            {"-c:v", DEFAULT_VIDEO_CODEC, "-crf", std::to_string(crf), "-pix_fmt", DEFAULT_PIXEL_FORMAT});
        return;
    }
    Add(args, {"-c:v", job.codec});
    if (job.crf >= 0) Add(args, {"-crf", std::to_string(job.crf)});
}

// True when the file name at the end of path has an ending such as ".mp4".
bool HasExtension(const std::string& path)
{
    size_t slash = path.rfind('/');
    size_t dot = path.rfind('.');
    size_t leaf = slash == std::string::npos ? 0 : slash + 1;
    return dot != std::string::npos && dot > leaf && dot + 1 < path.size();
}

}  // namespace

std::string FfmpegSeconds(double seconds)
{
    char text[64];
    std::snprintf(text, sizeof text, "%.6f", seconds);
    return text;
}

std::vector<std::string> FfmpegArguments(const CFFMPEGJOB& job)
{
    std::vector<std::string> args = {"ffmpeg", "-hide_banner", "-nostats", "-loglevel", "warning", "-n"};
    AddPictureInput(job, &args);
    if (!job.music.empty())
        AddMusic(job, &args);
    else
        Add(&args, {"-map", "0:v"});
    AddVideoCodec(job, &args);
    // The picture's length bounds the padded sound.
    Add(&args, {"-t", FfmpegSeconds(job.seconds)});
    if (!HasExtension(job.output)) Add(&args, {"-f", DEFAULT_CONTAINER});
    args.insert(args.end(), job.extra.begin(), job.extra.end());
    args.push_back(job.output);
    return args;
}
