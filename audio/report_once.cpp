#include "report_once.h"

#include <cstdarg>
#include <cstdio>

namespace {
bool reported[static_cast<int>(AudioProblem::Count)];
}

void ReportOnce(AudioProblem problem, const char* format, ...)
{
    bool& done = reported[static_cast<int>(problem)];
    if (done) {
        return;
    }
    done = true;
    va_list args;
    va_start(args, format);
    std::fputs("bass: ", stderr);
    std::vfprintf(stderr, format, args);
    std::fputc('\n', stderr);
    va_end(args);
}
