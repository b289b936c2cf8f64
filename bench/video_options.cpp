#include "video_options.h"

#include "bench_options.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

const double MAX_TO_MS = 600000.0;  // ten minutes of demo time

bool ParseNumber(const char* text, double low, double high, double* value)
{
    char* end = nullptr;
    *value = std::strtod(text, &end);
    return end != text && *end == '\0' && std::isfinite(*value) && *value >= low && *value <= high;
}

bool ParseWhole(const char* text, int low, int high, int* value)
{
    double number = 0.0;
    if (!ParseNumber(text, low, high, &number) || number != std::floor(number)) return false;
    *value = static_cast<int>(number);
    return true;
}

// Applies one option with its value; false for a value it cannot use, with
// *expected saying what it takes.
bool Apply(const std::string& name, const char* value, CVIDEOBENCHOPTIONS* o, const char** expected)
{
    if (name == "--data") {
        *expected = "a file name";
        o->data = value;
        return *value != '\0';
    }
    if (name == "--size") {
        *expected = "WIDTHxHEIGHT in pixels, each from 16 to 16384";
        return ParseBenchSize(value, &o->width, &o->height);
    }
    if (name == "--fps") {
        *expected = "a frame rate from 1 to 240";
        return ParseNumber(value, 1.0, 240.0, &o->fps);
    }
    if (name == "--to") {
        *expected = "a demo time in ms above 0 and at most 600000";
        return ParseNumber(value, 0.0, MAX_TO_MS, &o->toMs) && o->toMs > 0.0;
    }
    if (name == "--aa") {
        *expected = "1, 2, 4 or 8";
        return ParseWhole(value, 1, 8, &o->samples) && (o->samples & (o->samples - 1)) == 0;
    }
    *expected = "a whole number from 1 to 8";
    return ParseWhole(value, 1, 8, &o->depth);
}

void SetFlag(const std::string& name, CVIDEOBENCHOPTIONS* o)
{
    if (name == "--help" || name == "-h") o->help = true;
    if (name == "--split") o->split = true;
    if (name == "--raw") o->raw = true;
}

}  // namespace

bool ParseVideoBenchOptions(int argc, const char* const* argv, CVIDEOBENCHOPTIONS* o, std::string* error)
{
    bool walked = WalkBenchOptions(
        argc, argv, {"--help", "-h", "--split", "--raw"},
        {"--data", "--size", "--fps", "--to", "--depth", "--aa"},
        [o](const std::string& name) { SetFlag(name, o); },
        [o](const std::string& name, const char* value, const char** expected) {
            return Apply(name, value, o, expected);
        },
        error);
    if (!walked) return false;
    if (o->split && o->depth > 1) {
        *error = "--split waits for every frame, so it needs --depth 1";
        return false;
    }
    return true;
}

long VideoBenchFrames(const CVIDEOBENCHOPTIONS& o)
{
    // Frame k shows demo time k * 1000 / fps; the last one lies before toMs.
    return static_cast<long>(std::ceil(o.toMs * o.fps / 1000.0 - 1e-9));
}

const char* VideoBenchUsage()
{
    return "usage: plm_video_bench [--data FILE] [--size WxH] [--fps N] [--to MS]\n"
           "                       [--depth N] [--aa N] [--split] [--raw]\n"
           "\n"
           "Renders the demo off screen as a video capture does, one frame every 1/N s\n"
           "of demo time from 0 up to MS (the clock steps at the same rate), reads\n"
           "every frame back and, with --raw, writes it to stdout as raw RGB, top row\n"
           "first (pipe it to an encoder, or to /dev/null). At the end it prints to\n"
           "stderr the frame rate and the wall time per frame spent drawing, reading\n"
           "back and writing (writing includes waiting for the reader of stdout).\n"
           "\n"
           "  --data FILE  the data.dat to run (default: dist/data.dat of the build)\n"
           "  --size WxH   picture size (default 1280x720)\n"
           "  --fps N      frames per second of demo time, 1 to 240 (default 60)\n"
           "  --to MS      end of the run in ms of demo time (default 20000)\n"
           "  --depth N    frames in flight in the read-back, 1 to 8 (default 2);\n"
           "               1 reads every frame at once\n"
           "  --aa N       samples per pixel, 1, 2, 4 or 8 (default 1)\n"
           "  --split      wait for each frame's drawing to finish before reading it\n"
           "               back, so that drawing and reading are timed apart (only\n"
           "               with --depth 1)\n"
           "  --raw        write the frames to stdout\n";
}
