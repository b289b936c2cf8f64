// A video file: frames piped to ffmpeg, which encodes them with the music
// into a staging file that becomes the video once ffmpeg has finished.
#ifndef PLM_TOOLS_CAPTURE_VIDEO_FRAME_WRITER_H
#define PLM_TOOLS_CAPTURE_VIDEO_FRAME_WRITER_H

#include "ffmpeg_command.h"
#include "ffmpeg_encoder.h"
#include "frame_writer.h"
#include "video_file.h"

struct CVIDEOTARGET {
    std::string ffmpeg;        // the ffmpeg program's path
    std::string path;          // the final video path (CheckVideoFile resolved it)
    bool replace = false;      // a file at path may be replaced
    bool keepPartial = false;  // a stopped or failed video is kept at path
    bool withMusic = true;     // mux the music from the unpacked archive
    CFFMPEGJOB job;            // the encoding; music and output are filled by Begin
};

class CVIDEOFRAMEWRITER : public CFRAMEWRITER {
public:
    explicit CVIDEOFRAMEWRITER(const CVIDEOTARGET& target);
    int ReadbackDepth() const override { return 2; }
    // Makes the staging folder and starts ffmpeg (its log in the current,
    // temporary folder; the music from the archive unpacked there).
    int Begin(std::string* error) override;
    // ffmpeg gone or failing: CAPTURE_ENCODER_FAILED with its message.
    int Write(size_t index, double demoMs, const unsigned char* rgb, std::string* error) override;
    std::string FrameName(size_t, double) const override { return std::string(); }
    // Waits for ffmpeg and moves the finished video to its final path.
    int Finish(std::string* error) override;
    // Lets ffmpeg finish or ends it; keeps the partial video only when asked.
    std::string Abandon() override;

private:
    std::string EncoderFailure(const std::string& what, int status) const;

    CVIDEOTARGET target;
    CVIDEOFILE file;
    CFFMPEGENCODER encoder;
    bool started = false;
    std::vector<unsigned char> topFirst;  // one frame, allocated by Begin
};

#endif
