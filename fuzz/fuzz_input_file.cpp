#include "fuzz_input_file.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>

FuzzInputFile::FuzzInputFile(const uint8_t* data, size_t size) : fd_(memfd_create("fuzz-input", MFD_CLOEXEC))
{
    if (fd_ < 0) {
        std::perror("fuzz input: memfd_create");
        std::abort();
    }
    size_t done = 0;
    while (done < size) {
        ssize_t n = write(fd_, data + done, size - done);
        if (n <= 0) {
            std::perror("fuzz input: write");
            std::abort();
        }
        done += static_cast<size_t>(n);
    }
    path_ = "/proc/self/fd/" + std::to_string(fd_);
}

FuzzInputFile::~FuzzInputFile()
{
    close(fd_);
}
