// The message box through MessageBoxA, watched for a termination request.
#include "platform/message_box.h"

#include "platform/termination.h"
#include "platform/win32/win32_display.h"

#include <cstdio>

namespace {

const UINT_PTR WATCH_INTERVAL_MS = 50;

BOOL CALLBACK CloseBox(HWND window, LPARAM)
{
    char className[16];
    // The box is the thread's dialog-class window.
    if (GetClassNameA(window, className, sizeof className) && lstrcmpA(className, "#32770") == 0)
        EndDialog(window, IDOK);
    return TRUE;
}

// Runs inside the box's own message loop.
void CALLBACK WatchTermination(HWND, UINT, UINT_PTR, DWORD)
{
    if (PlatformTerminationRequested() != 0) EnumThreadWindows(GetCurrentThreadId(), CloseBox, 0);
}

}  // namespace

void PlatformMessageBox(const char* caption, const char* text)
{
    std::fprintf(stderr, "%s: %s\n", caption, text);
    std::fflush(stderr);
    if (PlatformTerminationRequested() != 0) return;
    UINT_PTR timer = SetTimer(nullptr, 0, WATCH_INTERVAL_MS, WatchTermination);
    MessageBoxA(nullptr, text, caption, MB_OK);
    if (timer) KillTimer(nullptr, timer);
}
