#include "capture_files.h"

#include "platform/files.h"
#include "platform/process.h"

#include <stb/stb_image_write.h>

namespace {

// Creates path and every missing folder above it, top down.
bool MakeFolders(const std::string& path, std::string* error)
{
    for (size_t end = path.find('/', 1);; end = path.find('/', end + 1)) {
        std::string prefix = path.substr(0, end);
        if (PlatformPathKind(prefix.c_str()) == PLATFORM_PATH_MISSING &&
            !PlatformMakeDirectory(prefix.c_str())) {
            *error = "cannot create folder " + prefix + ": " + PlatformLastFileErrorText();
            return false;
        }
        if (end == std::string::npos) return true;
    }
}

// Where stb's encoder hands over the PNG bytes.
struct PNGSINK {
    PLATFORMFILE file;
    bool ok;
};

void WriteToSink(void* context, void* data, int size)
{
    PNGSINK* sink = static_cast<PNGSINK*>(context);
    if (sink->ok && size > 0) sink->ok = PlatformWrite(sink->file, data, static_cast<size_t>(size));
}

}  // namespace

bool CheckReadableFile(const std::string& path, std::string* error)
{
    PLATFORMFILE file = PlatformOpenRead(path.c_str());
    if (file == PLATFORM_NO_FILE) {
        *error = "cannot read " + path + ": " + PlatformLastFileErrorText();
        return false;
    }
    PlatformClose(file);
    return true;
}

bool CheckOutputPath(const std::string& out, std::string* error)
{
    PLATFORMPATHKIND kind = PlatformPathKind(PlatformResolvePath(out.c_str()).c_str());
    if (kind == PLATFORM_PATH_REGULAR || kind == PLATFORM_PATH_OTHER) {
        *error = out + (kind == PLATFORM_PATH_REGULAR ? " is a file, not a folder" : " is not a folder");
        return false;
    }
    return true;
}

bool PrepareOutputFolder(const std::string& out, std::string* folder, std::string* error)
{
    if (!CheckOutputPath(out, error)) return false;
    std::string resolved = PlatformResolvePath(out.c_str());
    if (PlatformPathKind(resolved.c_str()) == PLATFORM_PATH_MISSING && !MakeFolders(resolved, error))
        return false;
    std::string reason;
    if (!PlatformCanCreateIn(resolved.c_str(), &reason)) {
        *error = "cannot write into " + out + ": " + reason;
        return false;
    }
    *folder = resolved;
    return true;
}

bool WritePng(const std::string& path, int width, int height, const unsigned char* rgb, std::string* error)
{
    PNGSINK sink = {PlatformCreateFile(path.c_str()), true};
    if (sink.file == PLATFORM_NO_FILE) {
        *error = "cannot create " + path + ": " + PlatformLastFileErrorText();
        return false;
    }
    stbi_flip_vertically_on_write(1);
    bool encoded = stbi_write_png_to_func(WriteToSink, &sink, width, height, 3, rgb, width * 3) != 0;
    if (!sink.ok) *error = "cannot write " + path + ": " + PlatformLastFileErrorText();
    bool closed = PlatformClose(sink.file);
    if (sink.ok && !closed)
        *error = "cannot write " + path + ": " + PlatformLastFileErrorText();
    else if (sink.ok && !encoded)
        *error = "cannot encode " + path;
    if (sink.ok && closed && encoded) return true;
    PlatformRemoveTree(path.c_str());
    return false;
}
