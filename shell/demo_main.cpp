#include "shell/demo_main.h"

#include "platform/events.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/window.h"
#include "scene/render_frame.h"
#include "shell/archive.h"
#include "shell/demo_window.h"
#include "shell/display_mode.h"
#include "shell/libraries.h"

#include <string>

CDISPLAYMODE DisplayMode;

namespace {

const char* const ARCHIVE_NAME = "data.dat";
const char* const TREE_NAME = "plumora_data";
const char* const WINDOW_TITLE = "plumora / kelvoth / dravine";

// Until the viewer picks a mode, the demo runs in the desktop's own mode.
bool ChooseDisplayMode()
{
    if (!PlatformRegisterWindowClass())
        return false;
    PLATFORMMODE desktop;
    bool ok = PlatformDesktopMode(&desktop);
    PlatformUnregisterWindowClass();
    if (!ok)
        return false;
    DisplayMode = {desktop.width, desktop.height, desktop.bits, desktop.refresh};
    return true;
}

}  // namespace

void RunFrameLoop(void (*drawFrame)(), PLATFORMMSG* last)
{
    for (;;) {
        PLATFORMMSG message;
        if (PlatformPeekMessage(&message)) {
            if (message.message == WM_QUIT) {
                *last = message;
                return;
            }
            *last = message;
            DemoWindowProc(message.message, message.wParam, message.lParam);
            continue;
        }
        if (!active)
            continue;
        if (keys[VK_ESCAPE])
            return;
        drawFrame();
        PlatformSwapBuffers();
    }
}

int DemoMain()
{
    PlatformCatchQuitSignals();
    std::string error;
    if (!UnpackArchive(ARCHIVE_NAME, &error)) {
        PlatformMessageBox("ERROR", error.c_str());
        return EXIT_BAD_ARCHIVE;
    }
    if (!BindLibraries(&error)) {
        FreeLibraries();
        PlatformRemoveTree(TREE_NAME);
        PlatformMessageBox("ERROR", error.c_str());
        return EXIT_BAD_LIBRARY;
    }
    PLATFORMMSG message = {0, 0, 0};
    if (ChooseDisplayMode()) {
        if (!OpenDemoWindow(WINDOW_TITLE, DisplayMode.screenWidth, DisplayMode.screenHeight,
                            DisplayMode.screenBits))
            return 0;
        RunFrameLoop(RenderFrame, &message);
        CloseDemoWindow();
    }
    FreeLibraries();
    PlatformRemoveTree(TREE_NAME);
    return static_cast<int>(message.wParam);
}
