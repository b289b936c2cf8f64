#include "capture_options.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const double MAX_TIME_MS = 3600000.0;  // one hour of demo time
const size_t MAX_FRAMES = 100000;

bool ParseNumber(const char* text, double* value)
{
    char* end = nullptr;
    *value = std::strtod(text, &end);
    return end != text && *end == '\0' && std::isfinite(*value);
}

bool ParseSize(const char* text, int* width, int* height)
{
    unsigned w = 0, h = 0;
    char tail = 0;
    if (std::sscanf(text, "%ux%u%c", &w, &h, &tail) != 2)
        return false;
    if (w < 16 || h < 16 || w > 8192 || h > 8192)
        return false;
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    return true;
}

bool ParseTimeList(const char* text, std::vector<double>* times)
{
    std::string list(text);
    size_t start = 0;
    while (start <= list.size()) {
        size_t comma = list.find(',', start);
        std::string item = list.substr(start, comma == std::string::npos ? std::string::npos : comma - start);
        double t;
        if (!ParseNumber(item.c_str(), &t))
            return false;
        times->push_back(t);
        if (comma == std::string::npos)
            break;
        start = comma + 1;
    }
    return true;
}

bool AddFrameRange(double fps, double from, double to, std::vector<double>* times)
{
    if (fps <= 0.0 || to < from || (to - from) * fps / 1000.0 > MAX_FRAMES)
        return false;
    for (long i = 0;; ++i) {
        double t = from + static_cast<double>(i) * 1000.0 / fps;
        if (t > to + 1e-9)
            break;
        times->push_back(t);
    }
    return true;
}

bool Finish(CCAPTUREOPTIONS* o, std::string* error)
{
    if (o->help)
        return true;
    if (o->data.empty() || o->out.empty()) {
        *error = "--data and --out are required";
        return false;
    }
    if (o->times.empty()) {
        *error = "no frames requested: give --at or --fps with --from and --to";
        return false;
    }
    for (double t : o->times) {
        if (t < 0.0 || t > MAX_TIME_MS) {
            *error = "demo times must lie between 0 and 3600000 ms";
            return false;
        }
    }
    std::sort(o->times.begin(), o->times.end());
    o->times.erase(std::unique(o->times.begin(), o->times.end()), o->times.end());
    return true;
}

}  // namespace

bool ParseCaptureOptions(int argc, const char* const* argv, CCAPTUREOPTIONS* o, std::string* error)
{
    double fps = 0.0, from = 0.0, to = -1.0;
    bool haveRange = false;
    for (int i = 1; i < argc; ++i) {
        const char* arg = argv[i];
        const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
        if (std::strcmp(arg, "--help") == 0 || std::strcmp(arg, "-h") == 0) {
            o->help = true;
            continue;
        }
        if (!value) {
            *error = std::string("missing value after ") + arg;
            return false;
        }
        ++i;
        bool ok = true;
        if (std::strcmp(arg, "--data") == 0) o->data = value;
        else if (std::strcmp(arg, "--out") == 0) o->out = value;
        else if (std::strcmp(arg, "--size") == 0) ok = ParseSize(value, &o->width, &o->height);
        else if (std::strcmp(arg, "--at") == 0) ok = ParseTimeList(value, &o->times);
        else if (std::strcmp(arg, "--fps") == 0) ok = ParseNumber(value, &fps) && (haveRange = true);
        else if (std::strcmp(arg, "--from") == 0) ok = ParseNumber(value, &from);
        else if (std::strcmp(arg, "--to") == 0) ok = ParseNumber(value, &to);
        else if (std::strcmp(arg, "--step-fps") == 0)
            ok = ParseNumber(value, &o->stepFps) && o->stepFps >= 1.0 && o->stepFps <= 1000.0;
        else {
            *error = std::string("unknown option ") + arg;
            return false;
        }
        if (!ok) {
            *error = std::string("bad value for ") + arg + ": " + value;
            return false;
        }
    }
    if (haveRange && !AddFrameRange(fps, from, to, &o->times)) {
        *error = "--fps needs a positive rate and --from <= --to (at most 100000 frames)";
        return false;
    }
    return Finish(o, error);
}

const char* CaptureUsage()
{
    return "usage: plumora-capture --data FILE --out DIR [--size WxH]\n"
           "                       (--at T1,T2,... | --fps N --from MS --to MS) [--step-fps N]\n"
           "\n"
           "Runs the demo in FILE (a data.dat) off screen and writes PNG frames to DIR,\n"
           "one per requested demo time, named by the time in ms with two decimals\n"
           "(14750.00.png).\n"
           "\n"
           "  --data FILE     the archive to run; unpacked into a fresh temporary folder\n"
           "                  that is removed afterwards\n"
           "  --out DIR       folder for the frames (created if missing)\n"
           "  --size WxH      picture size in pixels (default 1024x768)\n"
           "  --at LIST       demo times in ms, comma separated\n"
           "  --fps N         write N frames per second of demo time ...\n"
           "  --from MS       ... starting at MS ...\n"
           "  --to MS         ... up to MS inclusive\n"
           "  --step-fps N    frame rate of the simulated run (default 60): the clock\n"
           "                  steps from 0 at this rate so that everything that evolves\n"
           "                  from frame to frame does so as in a real run; each\n"
           "                  requested time is rendered exactly\n"
           "\n"
           "The music is not played. Exit status 0 when every frame was written.\n";
}

std::string FrameFileName(double timeMs)
{
    char name[64];
    std::snprintf(name, sizeof name, "%.2f.png", timeMs);
    return std::string(name);
}
