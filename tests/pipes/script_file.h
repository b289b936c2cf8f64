// A script written to a fresh temporary file and removed with the object.
#ifndef PLM_TESTS_PIPES_SCRIPT_FILE_H
#define PLM_TESTS_PIPES_SCRIPT_FILE_H

#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>

class ScriptFile {
public:
    explicit ScriptFile(const std::string& text) {
        char name[] = "/tmp/plm_pipes_XXXXXX";
        int fd = mkstemp(name);
        path_ = name;
        FILE* file = fdopen(fd, "w");
        std::fputs(text.c_str(), file);
        std::fclose(file);
    }
    ~ScriptFile() { std::remove(path_.c_str()); }
    ScriptFile(const ScriptFile&) = delete;
    ScriptFile& operator=(const ScriptFile&) = delete;
    const char* path() const { return path_.c_str(); }

private:
    std::string path_;
};

#endif
