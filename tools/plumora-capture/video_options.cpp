// The options of a video file and of a raw frame stream, and the checks
// that tell the three modes apart.
#include "option_parsing.h"

#include <cstdlib>
#include <initializer_list>
#include <cstring>

namespace {

const double MAX_VIDEO_TIME_MS = 3600000.0;  // one hour of demo time
const int MAX_CRF = 63;                      // the widest range an ffmpeg encoder takes

// Names of the options that only make sense in one mode, with whether each
// was given.
struct MODEOPTION {
    const char* name;
    bool given;
};

// Refuses the first given option of the list, saying which mode it needs.
bool RefuseGiven(std::initializer_list<MODEOPTION> options, const char* needs, std::string* error)
{
    for (const MODEOPTION& option : options) {
        if (option.given) {
            *error = std::string(option.name) + " only applies with " + needs;
            return false;
        }
    }
    return true;
}

bool SetMode(PARSESTATE* s, std::string* error)
{
    CCAPTUREOPTIONS* o = s->o;
    int modes = !o->out.empty() + !o->video.empty() + s->haveRaw;
    if (modes == 0) {
        *error = "--out is required (the folder for the frames), or --video FILE, or --raw -";
        return false;
    }
    if (modes > 1) {
        *error = "give only one of --out, --video and --raw";
        return false;
    }
    o->mode = !o->out.empty() ? CAPTURE_FRAMES : !o->video.empty() ? CAPTURE_VIDEO : CAPTURE_RAW;
    return true;
}

}  // namespace

bool SetVideo(PARSESTATE* s, const char* value)
{
    s->o->video = value;
    return *value != '\0';
}

bool SetRaw(PARSESTATE* s, const char* value)
{
    s->haveRaw = true;
    return std::strcmp(value, "-") == 0;
}

bool SetCrf(PARSESTATE* s, const char* value)
{
    s->haveCrf = true;
    char* end = nullptr;
    long crf = std::strtol(value, &end, 10);
    if (end == value || *end != '\0' || crf < 0 || crf > MAX_CRF) return false;
    s->o->crf = static_cast<int>(crf);
    return true;
}

bool SetCodec(PARSESTATE* s, const char* value)
{
    s->haveCodec = true;
    s->o->codec = value;
    // One word that ffmpeg cannot take for an option.
    return *value != '\0' && *value != '-' && std::strpbrk(value, " \t\n") == nullptr;
}

bool SetFfmpegArgs(PARSESTATE* s, const char* value)
{
    s->haveFfmpegArgs = true;
    std::string text(value);
    size_t start = 0;
    while (start < text.size()) {
        size_t space = text.find(' ', start);
        if (space == std::string::npos) space = text.size();
        if (space > start) s->o->ffmpegArgs.push_back(text.substr(start, space - start));
        start = space + 1;
    }
    return !s->o->ffmpegArgs.empty();
}

bool SetOverwrite(PARSESTATE* s, const char*)
{
    return s->o->overwrite = true;
}

bool SetKeepPartial(PARSESTATE* s, const char*)
{
    return s->o->keepPartial = true;
}

bool ChooseMode(PARSESTATE* s, std::string* error)
{
    if (!SetMode(s, error)) return false;
    CCAPTUREOPTIONS* o = s->o;
    // A video's clock steps at its own frame rate, and its times are a range.
    if (o->mode != CAPTURE_FRAMES &&
        !RefuseGiven({{"--at", s->haveAt}, {"--step-fps", s->haveStepFps}}, "--out (PNG frames)", error))
        return false;
    if (o->mode == CAPTURE_VIDEO) return true;
    return RefuseGiven({{"--crf", s->haveCrf},
                        {"--codec", s->haveCodec},
                        {"--ffmpeg-args", s->haveFfmpegArgs},
                        {"--overwrite or -y", o->overwrite},
                        {"--keep-partial", o->keepPartial}},
                       "--video", error);
}

bool FinishVideo(const PARSESTATE& s, std::string* error)
{
    CCAPTUREOPTIONS* o = s.o;
    if (s.haveFps) o->fps = s.fps;
    if (o->fps < MIN_VIDEO_FPS || o->fps > MAX_VIDEO_FPS) {
        *error = "--fps " + OptionNumber(o->fps) + " lies outside 1 to 240 frames per second";
        return false;
    }
    o->stepFps = o->fps;
    o->from = s.haveFrom ? s.from : 0.0;
    o->toGiven = s.haveTo;
    o->to = s.to;
    for (double t : {o->from, s.haveTo ? o->to : 0.0}) {
        if (t < 0.0 || t > MAX_VIDEO_TIME_MS) {
            *error = "demo time " + OptionNumber(t) + " ms lies outside 0 to 3600000 ms";
            return false;
        }
    }
    if (s.haveTo && o->to <= o->from) {
        *error = "--to " + OptionNumber(o->to) + " must lie after --from " + OptionNumber(o->from);
        return false;
    }
    o->times.clear();
    return true;
}
