// The program's private working folder. data.dat is unpacked into a fresh
// folder of the program's own and the run happens with that folder as the
// current directory, so the relative plumora_data/... paths of every module
// resolve inside it and never in the user's folder. Two copies of the
// program therefore never share a tree, and a read-only or crowded current
// folder does not matter.
#ifndef PLM_SHELL_PRIVATE_FOLDER_H
#define PLM_SHELL_PRIVATE_FOLDER_H

#include <string>

// The folder under which the private folder is made: runtimeDir (the value
// of $XDG_RUNTIME_DIR) if it is an absolute path, else tempDir ($TMPDIR) if
// it is an absolute path, else the system's temporary folder ("/tmp" on
// POSIX, the user's on Windows). Empty and relative values count as unset,
// so that nothing is ever made relative to the current folder or drive
// (under Wine the host's "/run/user/1000" is such a value).
std::string PrivateFolderBase(const std::string& runtimeDir, const std::string& tempDir);

// One private folder, "plumora-XXXXXX" under the base chosen from the
// environment, mode 0700. It is removed with everything in it by Remove or
// at the latest by the destructor; nothing outside it is ever removed.
class CPRIVATEFOLDER {
public:
    CPRIVATEFOLDER() = default;
    CPRIVATEFOLDER(const CPRIVATEFOLDER&) = delete;
    CPRIVATEFOLDER& operator=(const CPRIVATEFOLDER&) = delete;
    ~CPRIVATEFOLDER();

    // Makes the folder and makes it the current directory. On failure
    // returns false with a message that names the base folder and the
    // system's reason in *error, e.g. "Cannot create a private folder in
    // /run/user/1000: No such file or directory"; nothing is left behind.
    bool CreateAndEnter(std::string* error);
    // Leaves the folder (the current directory becomes its base) and removes
    // it; links inside are removed as links, never followed. True when the
    // folder is gone; calling it again, or without a folder, is harmless.
    bool Remove();
    // The folder's absolute path; empty when there is none.
    const std::string& Path() const { return path; }

private:
    std::string base;  // where the folder was made, as chosen
    std::string name;  // the folder's own name inside base
    std::string path;  // base + "/" + name
};

#endif
