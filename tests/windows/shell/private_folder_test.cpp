// Where the private folder goes on Windows: XDG_RUNTIME_DIR and TMPDIR only
// when they hold Windows absolute paths (under Wine they arrive holding Unix
// ones), else Windows' own temporary folder, never a folder that depends on
// the current drive.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "shell/private_folder.h"

namespace {

// Sets (or with nullptr removes) an environment variable for the test's
// lifetime and restores what was there.
class ScopedVariable {
public:
    ScopedVariable(const char* name, const char* value) : name_(name)
    {
        char buffer[4096];
        DWORD length = GetEnvironmentVariableA(name, buffer, sizeof buffer);
        had_ = length > 0 && length < sizeof buffer;
        if (had_) old_.assign(buffer, length);
        SetEnvironmentVariableA(name, value);
    }
    ~ScopedVariable() { SetEnvironmentVariableA(name_, had_ ? old_.c_str() : nullptr); }
    ScopedVariable(const ScopedVariable&) = delete;
    ScopedVariable& operator=(const ScopedVariable&) = delete;

private:
    const char* name_;
    bool had_ = false;
    std::string old_;
};

// Windows' temporary folder without its trailing separator.
std::string TempFolder()
{
    char buffer[MAX_PATH + 1];
    DWORD length = GetTempPathA(sizeof buffer, buffer);
    std::string path(buffer, length);
    if (path.size() > 3 && (path.back() == '\\' || path.back() == '/')) path.pop_back();
    return path;
}

bool IsFolder(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

}  // namespace

TEST(PrivateFolderBase, UnixPathsInTheEnvironmentGiveWayToWindowsTempFolder)
{
    const std::string temp = TempFolder();
    EXPECT_EQ(PrivateFolderBase("/run/user/1000", "/tmp"), temp);
    EXPECT_EQ(PrivateFolderBase("", ""), temp);
    EXPECT_EQ(PrivateFolderBase("C:run", "\\tmp"), temp);
    EXPECT_EQ(PrivateFolderBase("D:\\run", "C:\\tmp"), "D:\\run");
    EXPECT_EQ(PrivateFolderBase("/run/user/1000", "C:/tmp"), "C:/tmp");
}

TEST(PrivateFolder, IsMadeInWindowsTempFolderAndRemovedAgain)
{
    ScopedVariable runtime("XDG_RUNTIME_DIR", "/run/user/1000");
    ScopedVariable tmpdir("TMPDIR", "/tmp");
    char before[MAX_PATH + 1];
    ASSERT_NE(GetCurrentDirectoryA(sizeof before, before), 0u);
    std::string made;
    {
        CPRIVATEFOLDER folder;
        std::string error;
        ASSERT_TRUE(folder.CreateAndEnter(&error)) << error;
        made = folder.Path();
        const std::string temp = TempFolder();
        EXPECT_EQ(made.compare(0, temp.size(), temp), 0) << made << " not in " << temp;
        EXPECT_TRUE(IsFolder(made)) << made;
        EXPECT_TRUE(folder.Remove());
        EXPECT_FALSE(IsFolder(made)) << made;
    }
    EXPECT_FALSE(IsFolder(made)) << made;
    SetCurrentDirectoryA(before);
}
