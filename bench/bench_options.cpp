#include "bench_options.h"

#include <cstdlib>
#include <cstring>

namespace {

const unsigned long MIN_SIDE = 16, MAX_SIDE = 16384;

bool Listed(const std::string& name, std::initializer_list<const char*> names)
{
    for (const char* known : names)
        if (name == known) return true;
    return false;
}

}  // namespace

bool WalkBenchOptions(int argc, const char* const* argv, std::initializer_list<const char*> flags,
                      std::initializer_list<const char*> valued,
                      const std::function<void(const std::string& name)>& setFlag, const BENCHAPPLY& apply,
                      std::string* error)
{
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i], name = arg;
        const char* value = nullptr;
        size_t equals = arg.find('=');
        if (arg.compare(0, 2, "--") == 0 && equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = argv[i] + equals + 1;
        }
        bool flag = Listed(name, flags);
        if (flag && !value) {
            setFlag(name);
            continue;
        }
        if (!Listed(name, valued)) {
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
        if (!apply(name, value, &expected)) {
            *error = "bad value for " + name + ": '" + value + "' (expected " + expected + ")";
            return false;
        }
    }
    return true;
}

bool ParseBenchSize(const char* text, int* width, int* height)
{
    char* end = nullptr;
    if (*text < '0' || *text > '9') return false;
    unsigned long w = std::strtoul(text, &end, 10);
    if (*end != 'x' || end[1] < '0' || end[1] > '9') return false;
    unsigned long h = std::strtoul(end + 1, &end, 10);
    if (*end != '\0' || w < MIN_SIDE || h < MIN_SIDE || w > MAX_SIDE || h > MAX_SIDE) return false;
    *width = static_cast<int>(w);
    *height = static_cast<int>(h);
    return true;
}
