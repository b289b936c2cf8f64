// Temporary folders for tests. A test writes only below a folder of its own,
// made with mkdtemp below $TMPDIR (else /tmp) and removed afterwards, never
// into the working folder, the build tree or the source tree (the test run
// makes those read-only).
#ifndef PLM_TESTS_SUPPORT_TEMP_FOLDER_H
#define PLM_TESTS_SUPPORT_TEMP_FOLDER_H

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

// Creates a fresh folder "<temp>/<prefix>-XXXXXX" (mode 0700) and returns its
// path, or an empty string when it cannot be created.
inline std::string MakeTempFolder(const std::string& prefix)
{
    std::error_code error;
    const std::filesystem::path temp = std::filesystem::temp_directory_path(error);
    std::string pattern = ((error ? std::filesystem::path("/tmp") : temp) / (prefix + "-XXXXXX")).string();
    return mkdtemp(pattern.data()) ? pattern : std::string();
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

#endif
