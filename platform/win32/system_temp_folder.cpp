// Windows' folder for temporary files, as GetTempPathA finds it: TMP, else
// TEMP, else the user's profile, else the Windows folder.
#include "platform/process.h"

#include <windows.h>

std::string PlatformSystemTempFolder()
{
    char folder[MAX_PATH + 1];
    DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length > MAX_PATH) return std::string();
    std::string path(folder, length);
    // "C:\Temp\" loses its separator; a drive's root "C:\" keeps it.
    if (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    return path;
}
