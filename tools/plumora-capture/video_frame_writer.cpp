#include "video_frame_writer.h"

#include "archive_music.h"
#include "capture_options.h"
#include "offscreen_demo.h"

#include "platform/process.h"
#include "platform/termination.h"

namespace {

// Lines of ffmpeg's log shown when it fails.
const size_t LOG_LINES_SHOWN = 12;

std::string StatusText(int status)
{
    if (status > 128) return "ended by signal " + std::to_string(status - 128);
    if (status < 0) return "could not be waited for";
    return "exit status " + std::to_string(status);
}

}  // namespace

CVIDEOFRAMEWRITER::CVIDEOFRAMEWRITER(const CVIDEOTARGET& videoTarget) : target(videoTarget) {}

int CVIDEOFRAMEWRITER::Begin(std::string* error)
{
    std::string here = PlatformCurrentDirectory();
    if (here.empty()) {
        *error = "cannot tell the temporary folder's path";
        return CAPTURE_FAILED;
    }
    if (!file.Open(target.path, target.replace, error)) return CAPTURE_FAILED;
    target.job.music = target.withMusic ? here + "/" + ARCHIVE_MUSIC_PATH : std::string();
    target.job.output = file.StagedPath();
    topFirst.assign(static_cast<size_t>(target.job.width) * static_cast<size_t>(target.job.height) * 3, 0);
    if (!encoder.Start(target.ffmpeg, FfmpegArguments(target.job), here + "/ffmpeg.log", error))
        return CAPTURE_ENCODER_FAILED;
    started = true;
    return CAPTURE_OK;
}

int CVIDEOFRAMEWRITER::Write(size_t, double, const unsigned char* rgb, std::string* error)
{
    FlipRows(rgb, target.job.width, target.job.height, topFirst.data());
    if (encoder.Write(topFirst.data(), topFirst.size())) return CAPTURE_OK;
    int status = encoder.Finish();
    started = false;
    *error = EncoderFailure("ffmpeg stopped reading frames", status);
    return CAPTURE_ENCODER_FAILED;
}

int CVIDEOFRAMEWRITER::Finish(std::string* error)
{
    int status = encoder.Finish();
    started = false;
    if (PlatformTerminationRequested() != 0) return OFFSCREEN_STOPPED;
    if (status != 0) {
        *error = EncoderFailure("ffmpeg failed", status);
        return CAPTURE_ENCODER_FAILED;
    }
    return file.Publish(error) ? CAPTURE_OK : CAPTURE_FAILED;
}

std::string CVIDEOFRAMEWRITER::Abandon()
{
    if (started) encoder.Stop();
    started = false;
    if (!target.keepPartial) {
        file.Discard();
        return std::string();
    }
    if (PlatformPathKind(file.StagedPath().c_str()) != PLATFORM_PATH_REGULAR) {
        file.Discard();
        return "ffmpeg had written no video yet: nothing to keep";
    }
    std::string error;
    if (file.Publish(&error)) return "the partial video stays at " + target.path;
    return "no partial video kept: " + error;
}

std::string CVIDEOFRAMEWRITER::EncoderFailure(const std::string& what, int status) const
{
    std::string text = what + " (" + StatusText(status) + ")";
    std::string said = encoder.LogTail(LOG_LINES_SHOWN);
    return said.empty() ? text + "; it said nothing" : text + "; it said:\n" + said;
}
