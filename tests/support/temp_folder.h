// Temporary folders and files for tests. A test writes only below a folder
// of its own, made by the platform below the system's temporary folder
// ($TMPDIR, else /tmp; on Windows %TEMP%) and removed afterwards, never into
// the working folder, the build tree or the source tree (the test run makes
// those read-only).
#ifndef PLM_TESTS_SUPPORT_TEMP_FOLDER_H
#define PLM_TESTS_SUPPORT_TEMP_FOLDER_H

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>

#include "platform/process.h"

// Creates a fresh private folder "<temp>/<prefix>-XXXXXX" and returns its
// path, or an empty string when it cannot be created.
inline std::string MakeTempFolder(const std::string& prefix)
{
    return PlatformMakeTempDirectory((prefix + "-").c_str());
}

// The bytes of the whole file at path; empty when it cannot be read.
inline std::string ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

// Writes bytes as the whole file at path; false when it cannot be written.
inline bool WriteWholeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary);
    return static_cast<bool>(out << bytes);
}

// A folder made by MakeTempFolder and removed, with everything in it, by the
// destructor. Path() is empty when the folder could not be created.
class TempFolder {
public:
    explicit TempFolder(const std::string& prefix = "plm-test") : path_(MakeTempFolder(prefix)) {}
    ~TempFolder()
    {
        std::error_code error;
        if (!path_.empty()) std::filesystem::remove_all(path_, error);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& Path() const { return path_; }
    // Path of name inside the folder.
    std::string File(const std::string& name) const { return path_ + "/" + name; }
    // Writes bytes as the file name inside the folder and returns its path.
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        WriteWholeFile(File(name), bytes);
        return File(name);
    }

private:
    std::string path_;
};

// One folder for the whole test process, made on first use and removed when
// the process exits normally.
inline const TempFolder& ProcessTempFolder()
{
    static const TempFolder folder("plm-test");
    return folder;
}

// Makes path the current folder for the object's lifetime (by default the
// current folder stays), then returns to the folder that was current before.
class CurrentFolder {
public:
    explicit CurrentFolder(const std::string& path = ".") : previous_(std::filesystem::current_path())
    {
        std::filesystem::current_path(path);
    }
    ~CurrentFolder()
    {
        std::error_code error;
        std::filesystem::current_path(previous_, error);
    }
    CurrentFolder(const CurrentFolder&) = delete;
    CurrentFolder& operator=(const CurrentFolder&) = delete;

private:
    std::filesystem::path previous_;
};

#endif
