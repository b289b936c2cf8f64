// Reading a model file into memory: the engine's only contact with the
// operating system's files. Both variants read the bytes exactly as stored
// (no text-mode translation of line ends or end-of-file bytes).
#ifndef PLM_ENGINE_MODEL_FILE_H
#define PLM_ENGINE_MODEL_FILE_H

#include <cstddef>
#include <cstdint>
#include <vector>

// An open model file: an existing regular file opened for reading, with
// other readers allowed. Closed by the destructor.
class CMODELFILE {
public:
    CMODELFILE() = default;
    CMODELFILE(const CMODELFILE&) = delete;
    CMODELFILE& operator=(const CMODELFILE&) = delete;
    ~CMODELFILE();

    // Opens fileName. False, with nothing open, for a missing file, a
    // directory, or anything that is not a regular file on disk (a pipe or
    // device that could block or never end).
    bool Open(const char* fileName);
    // The whole file from its start; a read error ends it early, keeping
    // what was read. Throws std::bad_alloc when memory runs out.
    std::vector<uint8_t> ReadAll();
    // Closes the file; harmless when nothing is open.
    void Close();

private:
    // The file descriptor or Win32 handle; -1 (also INVALID_HANDLE_VALUE)
    // when nothing is open.
    std::intptr_t handle_ = -1;
};

#endif
