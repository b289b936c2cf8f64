#include "fps_options.h"

#include "bench_options.h"
#include "fps_stats.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

const double MAX_END_MS = 600000.0;  // ten minutes of demo time
const long MAX_REPEAT = 100;

// Applies one option with its value (null for a flag); false for a value
// the option cannot use, with *expected saying what it takes.
bool Apply(const std::string& name, const char* value, CFPSOPTIONS* o, const char** expected)
{
    char* end = nullptr;
    if (name == "--size") {
        *expected = "WIDTHxHEIGHT in pixels, each from 16 to 16384";
        CPICTURESIZE size;
        if (!ParseBenchSize(value, &size.width, &size.height)) return false;
        o->sizes.push_back(size);
        return true;
    }
    if (name == "--data") {
        *expected = "a file name";
        o->data = value;
        return *value != '\0';
    }
    if (name == "--scene") {
        *expected = "pipes-0-5, pipes-5-9, pipes-9-10.7, face or turntable";
        o->scene = FindBenchScene(value);
        return o->scene >= 0;
    }
    if (name == "--end") {
        *expected = "a demo time in ms above 0 and at most 600000";
        o->endMs = std::strtod(value, &end);
        return end != value && *end == '\0' && o->endMs > 0.0 && o->endMs <= MAX_END_MS;
    }
    *expected = "a whole number from 1 to 100";
    long repeat = std::strtol(value, &end, 10);
    o->repeat = static_cast<int>(repeat);
    return end != value && *end == '\0' && repeat >= 1 && repeat <= MAX_REPEAT;
}

void SetFlag(const std::string& name, CFPSOPTIONS* o)
{
    if (name == "--help" || name == "-h") o->help = true;
    if (name == "--version") o->version = true;
    if (name == "--markdown") o->markdown = true;
    if (name == "--full-detail") o->fullDetail = true;
    if (name == "--reference-drawing") o->referenceDrawing = true;
}

}  // namespace

bool ParseFpsOptions(int argc, const char* const* argv, CFPSOPTIONS* o, std::string* error)
{
    bool walked = WalkBenchOptions(
        argc, argv, {"--help", "-h", "--version", "--markdown", "--full-detail", "--reference-drawing"},
        {"--size", "--data", "--scene", "--end", "--repeat"},
        [o](const std::string& name) { SetFlag(name, o); },
        [o](const std::string& name, const char* value, const char** expected) {
            return Apply(name, value, o, expected);
        },
        error);
    if (!walked) return false;
    if (o->fullDetail && o->referenceDrawing) {
        *error = "--full-detail and --reference-drawing exclude each other";
        return false;
    }
    if (o->sizes.empty()) o->sizes = {{1024, 768}, {1920, 1080}};
    if (o->scene >= 0 && BENCH_SCENES[o->scene].from >= o->endMs) {
        *error = std::string("--scene ") + BENCH_SCENES[o->scene].name + " starts after --end";
        return false;
    }
    return true;
}

const char* FpsUsage()
{
    return "usage: plm_fps_bench [--data FILE] [--size WxH]... [--scene NAME] [--end MS]\n"
           "                     [--repeat N] [--markdown] [--full-detail | --reference-drawing]\n"
           "       plm_fps_bench --help | --version\n"
           "\n"
           "Runs the demo in FILE off screen through the program's own start-up and\n"
           "frame code, with the clock stepped at 60 frames per second from 0, and\n"
           "times every frame (drawing it and waiting for the GL to finish; no\n"
           "picture is written). Prints per size and scene the median and the\n"
           "5th-percentile frame rate (1000 / the 95th-percentile frame time) and the\n"
           "primitives per frame the GL processed, as a table on stdout; progress\n"
           "goes to stderr. Each run starts in a fresh process.\n"
           "\n"
           "  --data FILE    the data.dat to run (default: dist/data.dat of the build)\n"
           "  --size WxH     picture size; repeat for several (default 1024x768 and\n"
           "                 1920x1080)\n"
           "  --scene NAME   time only pipes-0-5, pipes-5-9, pipes-9-10.7, face or\n"
           "                 turntable; earlier frames are drawn with the rasteriser\n"
           "                 off (the demo still steps from 0) and the run stops after\n"
           "                 the scene\n"
           "  --end MS       demo time the run stops at (default 24750: ten seconds\n"
           "                 of the turntable)\n"
           "  --repeat N     runs per size (default 1); their frames are pooled\n"
           "  --markdown     print the table in Markdown\n"
           "  --full-detail  draw every pipe piece in full, also where it covers so\n"
           "                 few pixels that the program draws its far piece\n"
           "  --reference-drawing  as --full-detail, and send every piece vertex by\n"
           "                 vertex with none left out (the drawing before the\n"
           "                 speed work), to compare with in the same build\n"
           "  -h, --help     print this text and exit\n"
           "  --version      print the version and exit\n"
           "\n"
           "Triangles are the GL's count of primitives generated (a\n"
           "GL_PRIMITIVES_GENERATED query around each frame); line primitives (the\n"
           "traces) are counted apart by switching to a second query around every\n"
           "line drawing call the demo makes.\n"
           "\n"
           "Exit status: 0 done, 1 failure while running, 2 usage error; a stop\n"
           "signal ends the benchmark by that signal.\n";
}
