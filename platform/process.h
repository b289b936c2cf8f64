// Process-level settings for tools that run the demo's code off screen:
// working directory, temporary directories and the choice of drivers.
#ifndef PLM_PLATFORM_PROCESS_H
#define PLM_PLATFORM_PROCESS_H

#include <string>

// Makes a fresh private directory under the system's temporary folder
// (name starting with prefix); empty on failure.
std::string PlatformMakeTempDirectory(const char* prefix);
// Changes the current directory; false on failure.
bool PlatformChangeDirectory(const char* path);
// The current directory's absolute path; empty on failure.
std::string PlatformCurrentDirectory();
// The absolute form of path (relative to the current directory); the file
// itself need not exist.
std::string PlatformAbsolutePath(const char* path);
// Makes the next video start use the invisible off-screen driver, whatever
// display the process has.
void PlatformUseOffscreenVideo();
// Makes the next audio start use the silent dummy driver.
void PlatformUseSilentAudio();

#endif
