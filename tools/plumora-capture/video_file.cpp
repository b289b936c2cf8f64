#include "video_file.h"

#include "platform/file_info.h"
#include "platform/files.h"
#include "platform/move_file.h"
#include "platform/process.h"

namespace {

const char* const STAGING_PREFIX = ".plumora-capture-";

// The folder part of an absolute path ("/" for a file at the root).
std::string FolderOf(const std::string& path)
{
    size_t slash = path.rfind('/');
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

std::string LeafOf(const std::string& path)
{
    return path.substr(path.rfind('/') + 1);
}

}  // namespace

bool CheckVideoFile(const std::string& out, bool replace, std::string* resolved, std::string* error)
{
    std::string path = PlatformResolvePath(out.c_str());
    if (path.empty() || path.back() == '/' || LeafOf(path).empty()) {
        *error = out + " names a folder, not a file";
        return false;
    }
    std::string folder = FolderOf(path);
    if (PlatformPathKind(folder.c_str()) != PLATFORM_PATH_DIRECTORY) {
        *error = "the folder of " + out + " does not exist";
        return false;
    }
    PLATFORMPATHKIND kind = PlatformPathKind(path.c_str());
    if (kind == PLATFORM_PATH_DIRECTORY || kind == PLATFORM_PATH_OTHER) {
        *error = out + (kind == PLATFORM_PATH_DIRECTORY ? " is a folder" : " is not a regular file");
        return false;
    }
    if (kind == PLATFORM_PATH_REGULAR && !replace) {
        *error = out + " exists (give --overwrite or -y to replace it)";
        return false;
    }
    std::string reason;
    if (!PlatformCanCreateIn(folder.c_str(), &reason)) {
        *error = "cannot write into the folder of " + out + ": " + reason;
        return false;
    }
    *resolved = path;
    return true;
}

CVIDEOFILE::~CVIDEOFILE()
{
    Discard();
}

bool CVIDEOFILE::Open(const std::string& path, bool mayReplace, std::string* error)
{
    Discard();
    std::string reason;
    folder = PlatformMakeTempDirectoryIn(FolderOf(path).c_str(), STAGING_PREFIX, &reason);
    if (folder.empty()) {
        *error = "cannot make a staging folder beside " + path + ": " + reason;
        return false;
    }
    finalPath = path;
    staged = folder + "/" + LeafOf(path);
    replace = mayReplace;
    return true;
}

bool CVIDEOFILE::Publish(std::string* error)
{
    bool moved = PlatformMoveFile(staged.c_str(), finalPath.c_str(), replace);
    if (!moved) *error = "cannot move the video to " + finalPath + ": " + PlatformLastFileErrorText();
    Discard();
    return moved;
}

void CVIDEOFILE::Discard()
{
    if (!folder.empty()) PlatformRemoveTree(folder.c_str());
    folder.clear();
    staged.clear();
}
