#include "fps_options.h"

#include "fps_stats.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace {

const unsigned MIN_SIDE = 16, MAX_SIDE = 16384;
const double MAX_END_MS = 600000.0;  // ten minutes of demo time
const long MAX_REPEAT = 100;

bool ParseSize(const char* text, CPICTURESIZE* size)
{
    char* end = nullptr;
    if (*text < '0' || *text > '9') return false;
    unsigned long w = std::strtoul(text, &end, 10);
    if (*end != 'x' || end[1] < '0' || end[1] > '9') return false;
    unsigned long h = std::strtoul(end + 1, &end, 10);
    if (*end != '\0' || w < MIN_SIDE || h < MIN_SIDE || w > MAX_SIDE || h > MAX_SIDE) return false;
    *size = {static_cast<int>(w), static_cast<int>(h)};
    return true;
}

// Applies one option with its value (null for a flag); false for a value
// the option cannot use, with *expected saying what it takes.
bool Apply(const std::string& name, const char* value, CFPSOPTIONS* o, const char** expected)
{
    char* end = nullptr;
    if (name == "--size") {
        *expected = "WIDTHxHEIGHT in pixels, each from 16 to 16384";
        CPICTURESIZE size;
        if (!ParseSize(value, &size)) return false;
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

bool IsFlag(const std::string& name, CFPSOPTIONS* o)
{
    if (name == "--help" || name == "-h") return o->help = true;
    if (name == "--version") return o->version = true;
    if (name == "--markdown") return o->markdown = true;
    if (name == "--full-detail") return o->fullDetail = true;
    if (name == "--reference-drawing") return o->referenceDrawing = true;
    return false;
}

bool TakesValue(const std::string& name)
{
    for (const char* known : {"--size", "--data", "--scene", "--end", "--repeat"})
        if (name == known) return true;
    return false;
}

}  // namespace

bool ParseFpsOptions(int argc, const char* const* argv, CFPSOPTIONS* o, std::string* error)
{
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i], name = arg;
        const char* value = nullptr;
        size_t equals = arg.find('=');
        if (arg.compare(0, 2, "--") == 0 && equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = argv[i] + equals + 1;
        }
        if (!value && IsFlag(name, o)) continue;
        if (!TakesValue(name)) {
            bool flag = name == "--help" || name == "-h" || name == "--version" || name == "--markdown" ||
                        name == "--full-detail" || name == "--reference-drawing";
            *error = flag            ? name + " takes no value"
                     : arg[0] == '-' ? "unknown option " + name
                                     : "unexpected argument '" + arg + "'";
            return false;
        }
        if (!value) {
            if (i + 1 >= argc || std::strncmp(argv[i + 1], "--", 2) == 0) {
                *error = name + " needs a value";
                return false;
            }
            value = argv[++i];
        }
        const char* expected = "";
        if (!Apply(name, value, o, &expected)) {
            *error = "bad value for " + name + ": '" + value + "' (expected " + expected + ")";
            return false;
        }
    }
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
