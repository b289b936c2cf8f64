// A message box without a window system: the stderr line only.
#include "platform/message_box.h"

#include <cstdio>

#include "platform/null/record_calls.h"

void PlatformMessageBox(const char* caption, const char* text)
{
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
    NullDisplayCountMessageBox();
}
