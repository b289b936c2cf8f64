#include "shell/demo_main.h"

#include "platform/events.h"
#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/process.h"
#include "platform/termination.h"
#include "platform/window.h"
#include "runtime/display_mode.h"
#include "scene/render_frame.h"
#include "shell/archive.h"
#include "shell/archive_location.h"
#include "shell/demo_window.h"
#include "shell/frame_loop.h"
#include "shell/libraries.h"
#include "shell/private_folder.h"
#include "shell/setup_dialog.h"

#include <string>

namespace {

const char* const ARCHIVE_NAME = "data.dat";
const char* const TREE_NAME = "plumora_data";
const char* const WINDOW_TITLE = "plumora / kelvoth / dravine";

// Frees the libraries and deletes the unpacked tree: the end of every run
// that got past unpacking. (The private folder around it goes too, when
// DemoMain returns.)
void ReleaseAndDelete()
{
    FreeLibraries();
    PlatformRemoveTree(TREE_NAME);
}

// Everything from the unpacking to the release, inside the private folder;
// archive is the absolute path of data.dat.
int RunInPrivateFolder(const char* archive)
{
    std::string error;
    if (!UnpackArchive(archive, &error)) {
        PlatformMessageBox("ERROR", error.c_str());
        return EXIT_BAD_ARCHIVE;
    }
    if (!BindLibraries(&error)) {
        ReleaseAndDelete();
        PlatformMessageBox("ERROR", error.c_str());
        return EXIT_BAD_LIBRARY;
    }
    int choice = ShowSetupDialog();
    if (choice < 0) {
        ReleaseAndDelete();
        PlatformMessageBox("ERROR", "Cannot show the setup dialog: no display could be opened.");
        return EXIT_NO_DISPLAY;
    }
    PLATFORMMSG message = {0, 0, 0};
    if (choice == 1) {
        int opened = OpenDemoWindow(WINDOW_TITLE, DisplayMode.screenWidth, DisplayMode.screenHeight,
                                    DisplayMode.screenBits, &message);
        if (opened == DEMO_WINDOW_FAILED) {
            ReleaseAndDelete();
            return EXIT_NO_WINDOW;
        }
        if (opened == DEMO_WINDOW_OPEN) RunFrameLoop(RenderFrame, &message);
        CloseDemoWindow();
    }
    ReleaseAndDelete();
    return static_cast<int>(message.wParam);
}

}  // namespace

int DemoMain()
{
    PlatformCatchTermination(PLATFORM_CATCH_IGNORED);
    std::string error;
    std::string archive =
        FindArchive(ARCHIVE_NAME, PlatformCurrentDirectory(), PlatformProgramDirectory(), &error);
    if (archive.empty()) {
        PlatformMessageBox("ERROR", error.c_str());
        return EXIT_BAD_ARCHIVE;
    }
    CPRIVATEFOLDER folder;
    if (!folder.CreateAndEnter(&error)) {
        PlatformMessageBox("ERROR", error.c_str());
        return EXIT_NO_PRIVATE_FOLDER;
    }
    int status = RunInPrivateFolder(archive.c_str());
    folder.Remove();
    return status;
}
