// How the tools make their output folders and write their files: through
// the platform's file layer, whole files or none.
#ifndef PLM_TOOLS_COMMON_OUTPUT_FILE_H
#define PLM_TOOLS_COMMON_OUTPUT_FILE_H

#include <cstddef>
#include <string>
#include <vector>

namespace tools {

// Makes the folder path and every missing folder above it. What exists is
// taken as it is (links in it followed: the path is the user's choice);
// what is made is made one folder below the other, never through a link.
// False when something on the way is not a folder or cannot be made; then
// *error reads "cannot create folder PATH: REASON". Folders made before a
// failure stay.
bool MakeFolders(const std::string& path, std::string* error);

// Writes size bytes as the whole file `name` ('/'-separated, relative) below
// folder, making folder and the folders in name first (MakeFolders). A
// regular file of that name is replaced; a link or anything but a regular
// file there is refused and left alone. A file written only in part is
// removed. On failure *error names folder/name and the reason.
bool WriteOutputFile(const std::string& folder, const std::string& name, const void* data, size_t size,
                     std::string* error);
inline bool WriteOutputFile(const std::string& folder, const std::string& name,
                            const std::vector<unsigned char>& bytes, std::string* error)
{
    return WriteOutputFile(folder, name, bytes.data(), bytes.size(), error);
}

}  // namespace tools

#endif
