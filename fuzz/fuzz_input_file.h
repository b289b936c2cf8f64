// The fuzz input as a file for readers that take a path: an anonymous
// in-memory file (memfd) opened again through /proc/self/fd/N. Nothing is
// written to any folder, so nothing is left behind even when a run crashes,
// and every input starts from a fresh file (runs are deterministic).
#ifndef PLM_FUZZ_FUZZ_INPUT_FILE_H
#define PLM_FUZZ_FUZZ_INPUT_FILE_H

#include <cstddef>
#include <cstdint>
#include <string>

class FuzzInputFile {
public:
    // Holds a copy of the size bytes at data; aborts if the file cannot be
    // made, since a fuzz run without its input would test nothing.
    FuzzInputFile(const uint8_t* data, size_t size);
    ~FuzzInputFile();
    FuzzInputFile(const FuzzInputFile&) = delete;
    FuzzInputFile& operator=(const FuzzInputFile&) = delete;

    // A path that fopen and open read the bytes from, from the start.
    const char* path() const { return path_.c_str(); }

private:
    int fd_;
    std::string path_;
};

#endif
