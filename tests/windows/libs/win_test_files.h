// Files for the library tests under Windows: a temporary folder of the
// test's own (below GetTempPath, removed with everything in it), whole-file
// writes, and the libraries beside the test program.
#ifndef PLM_TESTS_WINDOWS_LIBS_WIN_TEST_FILES_H
#define PLM_TESTS_WINDOWS_LIBS_WIN_TEST_FILES_H

#include <windows.h>

#include <cstdio>
#include <string>
#include <vector>

namespace wintest {

// The folder that holds the running test program, with a trailing '\'.
inline std::string ProgramFolder()
{
    char path[MAX_PATH] = {};
    const DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, n);
    return folder.substr(0, folder.find_last_of("\\/") + 1);
}

// Loads the library `name` from the test program's folder.
inline HMODULE LoadBeside(const char* name)
{
    return LoadLibraryA((ProgramFolder() + name).c_str());
}

// Removes path and, for a folder, everything below it (links are removed,
// never followed).
inline void RemoveTree(const std::string& path)
{
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) && !(attributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        WIN32_FIND_DATAA found;
        HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = found.cFileName;
                if (name != "." && name != "..") RemoveTree(path + "\\" + name);
            } while (FindNextFileA(search, &found));
            FindClose(search);
        }
        RemoveDirectoryA(path.c_str());
    } else if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveDirectoryA(path.c_str());
    } else {
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
}

// A fresh folder "<temp>\<prefix>-<process>-<n>", removed by the destructor.
class TempFolder {
public:
    explicit TempFolder(const char* prefix)
    {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        for (unsigned n = 0; n < 1000 && path_.empty(); ++n) {
            const std::string candidate = std::string(temp) + prefix + "-" +
                                          std::to_string(GetCurrentProcessId()) + "-" + std::to_string(n);
            if (CreateDirectoryA(candidate.c_str(), nullptr)) path_ = candidate;
        }
    }
    ~TempFolder()
    {
        if (!path_.empty()) RemoveTree(path_);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    std::string File(const std::string& name) const { return path_ + "\\" + name; }
    // Writes bytes as the whole file name and returns its path.
    std::string Write(const std::string& name, const std::vector<unsigned char>& bytes) const
    {
        const std::string path = File(name);
        std::FILE* file = std::fopen(path.c_str(), "wb");
        if (file) {
            if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
            std::fclose(file);
        }
        return path;
    }

private:
    std::string path_;
};

// The bytes of the whole file at path; empty when it cannot be read.
inline std::vector<unsigned char> ReadBytes(const std::string& path)
{
    std::vector<unsigned char> bytes;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return bytes;
    unsigned char block[65536];
    size_t got = 0;
    while ((got = std::fread(block, 1, sizeof block, file)) > 0)
        bytes.insert(bytes.end(), block, block + got);
    std::fclose(file);
    return bytes;
}

// A file of the data set that a Linux build generated (PLM_HOST_STAGE).
inline std::string DataSetFile(const std::string& relative)
{
    return std::string(PLM_HOST_STAGE) + "/plumora_data/" + relative;
}

}  // namespace wintest

#endif
