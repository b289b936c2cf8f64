#include "capture_files.h"

#include "platform/files.h"
#include "platform/process.h"
#include "tools/common/output_file.h"

#include <stb/stb_image_write.h>

#include <vector>

namespace {

// Where stb's encoder hands over the PNG bytes.
void AppendToBuffer(void* context, void* data, int size)
{
    auto* out = static_cast<std::vector<unsigned char>*>(context);
    if (size > 0)
        out->insert(out->end(), static_cast<unsigned char*>(data), static_cast<unsigned char*>(data) + size);
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
    if (PlatformPathKind(resolved.c_str()) == PLATFORM_PATH_MISSING && !tools::MakeFolders(resolved, error))
        return false;
    std::string reason;
    if (!PlatformCanCreateIn(resolved.c_str(), &reason)) {
        *error = "cannot write into " + out + ": " + reason;
        return false;
    }
    *folder = resolved;
    return true;
}

bool WritePng(const std::string& folder, const std::string& name, int width, int height,
              const unsigned char* rgb, std::string* error)
{
    std::vector<unsigned char> png;
    stbi_flip_vertically_on_write(1);
    if (!stbi_write_png_to_func(AppendToBuffer, &png, width, height, 3, rgb, width * 3)) {
        *error = "cannot encode " + folder + "/" + name;
        return false;
    }
    return tools::WriteOutputFile(folder, name, png, error);
}
