#include "shell/archive_location.h"

#include "platform/process.h"

namespace {

std::string Join(const std::string& folder, const char* name)
{
    if (!folder.empty() && folder.back() == '/') return folder + name;
    return folder + "/" + name;
}

std::string Describe(const std::string& folder)
{
    return folder.empty() ? std::string("(unknown)") : folder;
}

}  // namespace

std::string FindArchive(const char* name, const std::string& currentDir, const std::string& programDir,
                        std::string* error)
{
    for (const std::string* folder : {&currentDir, &programDir}) {
        if (folder->empty()) continue;
        std::string candidate = Join(*folder, name);
        if (PlatformPathExists(candidate.c_str())) return candidate;
    }
    *error = std::string(name) + ": not found in " + Describe(currentDir) + " nor next to the program in " +
             Describe(programDir);
    return std::string();
}
