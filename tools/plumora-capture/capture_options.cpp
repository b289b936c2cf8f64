#include "capture_options.h"
#include "option_parsing.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "shell/version.h"

std::string OptionNumber(double value)
{
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

bool ParseOptionNumber(const char* text, double* value)
{
    char* end = nullptr;
    *value = std::strtod(text, &end);
    return end != text && *end == '\0' && std::isfinite(*value);
}

namespace {

const double MAX_TIME_MS = 3600000.0;  // one hour of demo time
const size_t MAX_FRAMES = 100000;
// Picture sides the parser accepts; what the GL implementation can render
// is checked once a context exists.
const unsigned MIN_SIDE = 16, MAX_SIDE = 65536;

bool SetHelp(PARSESTATE* s, const char*)
{
    return s->o->help = true;
}

bool SetVersion(PARSESTATE* s, const char*)
{
    return s->o->version = true;
}

bool SetData(PARSESTATE* s, const char* value)
{
    s->o->data = value;
    return *value != '\0';
}

bool SetOut(PARSESTATE* s, const char* value)
{
    s->o->out = value;
    return *value != '\0';
}

// Reads one side of a picture size: 1 to 6 digits, nothing else.
bool ParseSide(const char** text, unsigned* side)
{
    const char* p = *text;
    unsigned value = 0;
    int digits = 0;
    for (; *p >= '0' && *p <= '9' && digits < 7; ++p, ++digits)
        value = value * 10 + static_cast<unsigned>(*p - '0');
    if (digits == 0 || digits > 6) return false;
    *text = p;
    *side = value;
    return true;
}

bool SetSize(PARSESTATE* s, const char* value)
{
    unsigned w = 0, h = 0;
    const char* p = value;
    if (!ParseSide(&p, &w) || *p++ != 'x' || !ParseSide(&p, &h) || *p != '\0') return false;
    if (w < MIN_SIDE || h < MIN_SIDE || w > MAX_SIDE || h > MAX_SIDE) return false;
    s->o->width = static_cast<int>(w);
    s->o->height = static_cast<int>(h);
    return true;
}

bool AddTimes(PARSESTATE* s, const char* value)
{
    s->haveAt = true;
    std::string list(value);
    size_t start = 0;
    for (;;) {
        size_t comma = list.find(',', start);
        std::string item = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        double t;
        if (!ParseOptionNumber(item.c_str(), &t)) return false;
        s->o->times.push_back(t);
        if (comma == std::string::npos) return true;
        start = comma + 1;
    }
}

bool SetFps(PARSESTATE* s, const char* value)
{
    s->haveFps = true;
    return ParseOptionNumber(value, &s->fps) && s->fps > 0.0;
}

bool SetFrom(PARSESTATE* s, const char* value)
{
    s->haveFrom = true;
    return ParseOptionNumber(value, &s->from);
}

bool SetTo(PARSESTATE* s, const char* value)
{
    s->haveTo = true;
    return ParseOptionNumber(value, &s->to);
}

bool SetReferenceDrawing(PARSESTATE* s, const char*)
{
    s->o->referenceDrawing = true;
    return true;
}

bool SetFullDetail(PARSESTATE* s, const char*)
{
    s->o->fullDetail = true;
    return true;
}

bool SetStepFps(PARSESTATE* s, const char* value)
{
    s->haveStepFps = true;
    return ParseOptionNumber(value, &s->o->stepFps) && s->o->stepFps >= 1.0 && s->o->stepFps <= 1000.0;
}

// One command-line option: its name, whether it takes a value, what it does
// with it (false for a value it cannot use) and what a good value looks like.
struct OPTIONROW {
    const char* name;
    bool takesValue;
    bool (*apply)(PARSESTATE*, const char*);
    const char* expects;
};

const OPTIONROW OPTIONS[] = {
    {"--help", false, SetHelp, ""},
    {"-h", false, SetHelp, ""},
    {"--version", false, SetVersion, ""},
    {"--data", true, SetData, "a file name"},
    {"--out", true, SetOut, "a folder name"},
    {"--size", true, SetSize, "WIDTHxHEIGHT in pixels, each from 16 to 65536"},
    {"--at", true, AddTimes, "demo times in ms separated by commas"},
    {"--fps", true, SetFps, "a frame rate above 0; 1 to 240 for --video and --raw"},
    {"--from", true, SetFrom, "a demo time in ms"},
    {"--to", true, SetTo, "a demo time in ms"},
    {"--step-fps", true, SetStepFps, "a frame rate from 1 to 1000"},
    {"--reference-drawing", false, SetReferenceDrawing, ""},
    {"--full-detail", false, SetFullDetail, ""},
    {"--video", true, SetVideo, "a file name"},
    {"--raw", true, SetRaw, "- (standard output)"},
    {"--crf", true, SetCrf, "a whole number from 0 to 63"},
    {"--codec", true, SetCodec, "the name of an ffmpeg video encoder"},
    {"--ffmpeg-args", true, SetFfmpegArgs, "ffmpeg options separated by spaces"},
    {"--overwrite", false, SetOverwrite, ""},
    {"-y", false, SetOverwrite, ""},
    {"--keep-partial", false, SetKeepPartial, ""},
};

const OPTIONROW* FindOption(const std::string& name)
{
    for (const OPTIONROW& row : OPTIONS)
        if (name == row.name) return &row;
    return nullptr;
}

// Applies argv[*i] (and its value, advancing *i past it).
bool ParseOne(int argc, const char* const* argv, int* i, PARSESTATE* s, std::string* error)
{
    std::string arg = argv[*i];
    std::string name = arg;
    const char* value = nullptr;
    size_t equals = arg.find('=');
    if (arg.compare(0, 2, "--") == 0 && equals != std::string::npos) {
        name = arg.substr(0, equals);
        value = argv[*i] + equals + 1;
    }
    const OPTIONROW* row = FindOption(name);
    if (!row) {
        *error = arg[0] == '-' ? "unknown option " + name : "unexpected argument '" + arg + "'";
        return false;
    }
    if (!row->takesValue) {
        if (value) {
            *error = name + " takes no value";
            return false;
        }
        return row->apply(s, nullptr);
    }
    if (!value) {
        // A following option is not taken for a value: "--out --at 1" is a
        // missing folder, not a folder named "--at".
        if (*i + 1 >= argc || std::strncmp(argv[*i + 1], "--", 2) == 0) {
            *error = name + " needs a value: " + row->expects;
            return false;
        }
        value = argv[++*i];
    }
    if (!row->apply(s, value)) {
        *error = "bad value for " + name + ": '" + value + "' (expected " + row->expects + ")";
        return false;
    }
    return true;
}

bool AddFrameRange(const PARSESTATE& s, std::string* error)
{
    if (!s.haveTo) {
        *error = "--fps needs --to (the last demo time in ms)";
        return false;
    }
    if (s.from > s.to) {
        *error = "--from " + OptionNumber(s.from) + " lies after --to " + OptionNumber(s.to);
        return false;
    }
    if ((s.to - s.from) * s.fps / 1000.0 >= MAX_FRAMES) {
        *error = "--fps " + OptionNumber(s.fps) + " from " + OptionNumber(s.from) + " to " +
                 OptionNumber(s.to) + " asks for more than 100000 frames";
        return false;
    }
    for (long i = 0;; ++i) {
        double t = s.from + static_cast<double>(i) * 1000.0 / s.fps;
        if (t > s.to + 1e-9) return true;
        s.o->times.push_back(t);
    }
}

// The PNG frames: the requested times, checked, sorted and made unique.
bool FinishFrames(const PARSESTATE& s, std::string* error)
{
    CCAPTUREOPTIONS* o = s.o;
    if ((s.haveFrom || s.haveTo) && !s.haveFps) {
        *error = "--from and --to only apply with --fps";
        return false;
    }
    if (s.haveFps && !AddFrameRange(s, error)) return false;
    if (o->times.empty()) {
        *error = "no frames requested: give --at, or --fps with --from and --to";
        return false;
    }
    for (double t : o->times) {
        if (t < 0.0 || t > MAX_TIME_MS) {
            *error = "demo time " + OptionNumber(t) + " ms lies outside 0 to 3600000 ms";
            return false;
        }
    }
    std::sort(o->times.begin(), o->times.end());
    o->times.erase(std::unique(o->times.begin(), o->times.end()), o->times.end());
    // Two times closer than the names' two decimals would share a file.
    for (size_t i = 1; i < o->times.size(); ++i) {
        if (FrameFileName(o->times[i - 1]) == FrameFileName(o->times[i])) {
            *error = "demo times " + OptionNumber(o->times[i - 1]) + " and " + OptionNumber(o->times[i]) +
                     " would both be written as " + FrameFileName(o->times[i]);
            return false;
        }
    }
    return true;
}

bool Finish(PARSESTATE& s, std::string* error)
{
    CCAPTUREOPTIONS* o = s.o;
    if (o->help || o->version) return true;
    if (o->data.empty()) {
        *error = "--data is required (the data.dat to run)";
        return false;
    }
    if (!ChooseMode(&s, error)) return false;
    return o->mode == CAPTURE_FRAMES ? FinishFrames(s, error) : FinishVideo(s, error);
}

}  // namespace

bool ParseCaptureOptions(int argc, const char* const* argv, CCAPTUREOPTIONS* o, std::string* error)
{
    PARSESTATE state;
    state.o = o;
    for (int i = 1; i < argc; ++i)
        if (!ParseOne(argc, argv, &i, &state, error)) return false;
    return Finish(state, error);
}

const char* CaptureUsage()
{
    return "usage: plumora-capture --data FILE --out DIR [--size WxH]\n"
           "                       (--at T1,T2,... | --fps N --from MS --to MS) [--step-fps N]\n"
           "                       [--full-detail | --reference-drawing]\n"
           "       plumora-capture --data FILE --video OUT [--size WxH] [--fps N] [--from MS]\n"
           "                       [--to MS] [--crf N] [--codec NAME] [--ffmpeg-args \"...\"]\n"
           "                       [--overwrite | -y] [--keep-partial]\n"
           "       plumora-capture --data FILE --raw - [--size WxH] [--fps N] [--from MS] [--to MS]\n"
           "       plumora-capture --help | --version\n"
           "\n"
           "Runs the demo in FILE (a data.dat) off screen and writes its frames: as PNG\n"
           "files in DIR (--out), as a video with the music (--video, through the\n"
           "ffmpeg program) or as a raw stream on stdout (--raw -). Every frame comes\n"
           "from the same simulated run: its clock starts at 0 with a frame, steps at a\n"
           "fixed frame rate so that everything that evolves from frame to frame does\n"
           "so as in a real run, and lands exactly on each frame's demo time. Every\n"
           "option is checked before the first frame is rendered.\n"
           "\n"
           "  --data FILE     the archive to run; unpacked into a fresh temporary folder\n"
           "                  (under $TMPDIR, else /tmp) that is removed at every exit\n"
           "  --size WxH      picture size in pixels (default 1024x768), at least 16x16\n"
           "                  and at most what the OpenGL implementation can render\n"
           "  --full-detail   draw every pipe piece in full, also where it covers so\n"
           "                  few pixels that the demo draws a simpler far piece\n"
           "  --reference-drawing  as --full-detail, and send every piece vertex by\n"
           "                  vertex with none left out: the reference for the\n"
           "                  fast drawing, whose pictures --full-detail matches\n"
           "  -h, --help      print this text and exit\n"
           "  --version       print the version and exit\n"
           "\n"
           "PNG frames, one per requested demo time, named by the time in ms,\n"
           "zero-padded to seven digits with two decimals so that the names sort in\n"
           "time order (0014750.00.png):\n"
           "  --out DIR       folder for the frames, created if missing; frames of the\n"
           "                  same name are replaced\n"
           "  --at LIST       demo times in ms, comma separated\n"
           "  --fps N         write N frames per second of demo time ...\n"
           "  --from MS       ... starting at MS (default 0) ...\n"
           "  --to MS         ... up to MS inclusive (only with --fps)\n"
           "  --step-fps N    frame rate of the simulated run (default 60, 1 to 1000)\n"
           "\n"
           "A video or raw stream: frames every 1/N s of demo time from --from up to,\n"
           "not including, --to; the simulated run steps at the same rate, so frame k\n"
           "is the PNG frame of --at FROM+k*1000/N --step-fps N, pixel for pixel:\n"
           "  --video OUT     the video file; ffmpeg tells the container from its name\n"
           "                  (MP4 for a name without an ending)\n"
           "                  (OUT.mp4: H.264 at --crf 18 in yuv420p, AAC 192 kbit/s)\n"
           "                  with the music, trimmed so that demo time t is music time\n"
           "                  t and padded with silence to the picture's length\n"
           "  --raw -         raw RGB frames on stdout (3 bytes a pixel, top row first,\n"
           "                  no gaps; size and rate are said on stderr)\n"
           "  --fps N         frames per second (default 60, 1 to 240)\n"
           "  --from MS       the first frame's demo time (default 0)\n"
           "  --to MS         the end (default: the end of the music plus 2 s)\n"
           "  --crf N         quality of the video encoder, 0 to 63 (lower is better)\n"
           "  --codec NAME    ffmpeg's video encoder instead of libx264 (and then no\n"
           "                  pixel format is set: ffv1 keeps every colour)\n"
           "  --ffmpeg-args \"...\"  more ffmpeg options, split on spaces, placed\n"
           "                  just before OUT\n"
           "  --overwrite, -y replace OUT if it exists (else an existing OUT is refused)\n"
           "  --keep-partial  keep the video made so far when the capture stops early\n"
           "ffmpeg writes into a staging folder beside OUT; OUT appears only when the\n"
           "video is complete. A music file that cannot be read gives a silent video\n"
           "and a warning.\n"
           "\n"
           "Demo times lie between 0 and 3600000 ms. Progress goes to stderr: one line\n"
           "rewritten in place on a terminal, else one line per PNG frame or one every\n"
           "few seconds. SIGINT, SIGTERM and SIGHUP stop the capture after the frame\n"
           "being worked on: PNG frames already written stay, ffmpeg is told to finish\n"
           "and a partial video is removed (unless --keep-partial), the temporary\n"
           "folder is removed.\n"
           "\n"
           "Exit status:\n"
           "  0    every frame was written (or --help, --version)\n"
           "  1    failure while working: the archive cannot be unpacked, no OpenGL\n"
           "       context, a frame cannot be written, stdout closed under --raw\n"
           "  2    usage error: unknown option, bad or missing value, --out not a\n"
           "       writable folder, --data not readable, --size beyond the OpenGL limits,\n"
           "       --video OUT exists (without --overwrite) or its folder is missing or\n"
           "       not writable, ffmpeg not installed, --raw - to a terminal\n"
           "  3    ffmpeg failed or stopped reading frames (its message is shown)\n"
           "  129  stopped by SIGHUP, 130 by SIGINT, 143 by SIGTERM (the process ends\n"
           "       by that signal after cleaning up)\n";
}

std::string CaptureVersion()
{
    return std::string("plumora-capture ") + PLUMORA_VERSION + "\n";
}

std::string FrameFileName(double timeMs)
{
    char name[64];
    std::snprintf(name, sizeof name, "%010.2f.png", timeMs);
    return std::string(name);
}
