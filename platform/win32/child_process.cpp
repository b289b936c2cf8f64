// Windows has no fork: no copy of the running process can be made, which the
// interface allows for (-1, nothing received). Its only callers are the
// benchmarks, which are built for Linux alone.
#include "platform/child_process.h"

int PlatformRunInCopy(PLATFORMCOPYWORK, void*, std::string* received)
{
    received->clear();
    return -1;
}
