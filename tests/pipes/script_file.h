// A script written to a file in a fresh temporary folder, removed with the
// object.
#ifndef PLM_TESTS_PIPES_SCRIPT_FILE_H
#define PLM_TESTS_PIPES_SCRIPT_FILE_H

#include <string>

#include "tests/support/temp_folder.h"

class ScriptFile {
public:
    explicit ScriptFile(const std::string& text)
        : folder_("plm_pipes"), path_(folder_.Write("script.plm", text))
    {
    }
    ScriptFile(const ScriptFile&) = delete;
    ScriptFile& operator=(const ScriptFile&) = delete;
    const char* path() const { return path_.c_str(); }

private:
    TempFolder folder_;
    std::string path_;
};

#endif
