#include "capture_checks.h"

#include "archive_music.h"
#include "capture_context.h"
#include "capture_files.h"
#include "ffmpeg_encoder.h"
#include "video_plan.h"

#include "platform/process.h"
#include "platform/program.h"
#include "platform/standard_streams.h"

#include <cstdio>

namespace {

int Fail(int status, const std::string& text)
{
    std::fprintf(stderr, "plumora-capture: %s\n", text.c_str());
    return status;
}

int CheckPictureSize(const CCAPTUREOPTIONS& o)
{
    std::string error;
    int maxWidth = 0, maxHeight = 0;
    if (!QueryMaxPictureSize(&maxWidth, &maxHeight, &error)) return Fail(CAPTURE_FAILED, error);
    if (o.width > maxWidth || o.height > maxHeight)
        return Fail(CAPTURE_USAGE, "--size " + std::to_string(o.width) + "x" + std::to_string(o.height) +
                                       " is larger than the OpenGL implementation can render (at most " +
                                       std::to_string(maxWidth) + "x" + std::to_string(maxHeight) + ")");
    return CAPTURE_OK;
}

// The music's length in ms, or -1 with a warning when it cannot be read.
double MusicLength(const CCAPTUREOPTIONS& o)
{
    double ms = -1.0;
    std::string error;
    if (ReadArchiveMusicLength(o.data, &ms, &error)) return ms;
    std::string consequence = o.mode == CAPTURE_VIDEO ? "the video will have no sound" : "";
    if (!o.toGiven) {
        char end[96];
        std::snprintf(end, sizeof end, "it ends at %g ms unless --to says otherwise",
                      FALLBACK_MUSIC_MS + VIDEO_TAIL_MS);
        consequence += (consequence.empty() ? "" : "; ") + std::string(end);
    }
    std::fprintf(stderr, "plumora-capture: warning: cannot read the music (%s)%s%s\n", error.c_str(),
                 consequence.empty() ? "" : ": ", consequence.c_str());
    return -1.0;
}

int CheckFrames(const CCAPTUREOPTIONS& o, CCAPTURETARGET* target)
{
    std::string error;
    if (!CheckOutputPath(o.out, &error)) return Fail(CAPTURE_USAGE, "--out: " + error);
    if (int status = CheckPictureSize(o)) return status;
    // Only now is the folder made, so that a refusal changes nothing.
    if (!PrepareOutputFolder(o.out, &target->outDir, &error)) return Fail(CAPTURE_USAGE, "--out: " + error);
    return CAPTURE_OK;
}

// What the options say about the video and its encoding.
void DescribeVideo(const CCAPTUREOPTIONS& o, CVIDEOTARGET* video)
{
    video->replace = o.overwrite;
    video->keepPartial = o.keepPartial;
    video->job.width = o.width;
    video->job.height = o.height;
    video->job.fps = o.fps;
    video->job.fromMs = o.from;
    video->job.seconds = VideoSeconds(o);
    video->job.codec = o.codec;
    video->job.crf = o.crf;
    video->job.extra = o.ffmpegArgs;
}

int CheckVideo(CCAPTUREOPTIONS* o, CCAPTURETARGET* target)
{
    CVIDEOTARGET& video = target->video;
    video.ffmpeg = PlatformFindProgram(FFMPEG_PROGRAM);
    if (video.ffmpeg.empty())
        return Fail(CAPTURE_USAGE, std::string("--video needs the ffmpeg program, which is not installed "
                                               "(not found in PATH): install the ") +
                                       FFMPEG_PACKAGE + " package");
    std::string error;
    if (!CheckVideoFile(o->video, o->overwrite, &video.path, &error))
        return Fail(CAPTURE_USAGE, "--video: " + error);
    if (int status = CheckPictureSize(*o)) return status;
    double musicMs = MusicLength(*o);
    if (!PlanVideo(o, musicMs, &error)) return Fail(CAPTURE_USAGE, error);
    video.withMusic = musicMs >= 0.0;
    DescribeVideo(*o, &video);
    return CAPTURE_OK;
}

int CheckRaw(CCAPTUREOPTIONS* o)
{
    if (PlatformIsTerminal(PlatformStandardOutput()))
        return Fail(CAPTURE_USAGE, "--raw -: stdout is a terminal; send it to a program or a file");
    if (int status = CheckPictureSize(*o)) return status;
    std::string error;
    if (!PlanVideo(o, o->toGiven ? 0.0 : MusicLength(*o), &error)) return Fail(CAPTURE_USAGE, error);
    return CAPTURE_OK;
}

}  // namespace

int CheckCapture(CCAPTUREOPTIONS* o, CCAPTURETARGET* target)
{
    std::string error;
    o->data = PlatformAbsolutePath(o->data.c_str());
    if (!CheckReadableFile(o->data, &error)) return Fail(CAPTURE_USAGE, "--data: " + error);
    switch (o->mode) {
        case CAPTURE_FRAMES:
            return CheckFrames(*o, target);
        case CAPTURE_VIDEO:
            return CheckVideo(o, target);
        case CAPTURE_RAW:
            return CheckRaw(o);
    }
    return CAPTURE_FAILED;
}
