// Sequential reader of the data archive (record layout in
// shell/archive_layout.h), shared by the program's unpacker and the plm-pack
// lister.
//
// Every length is checked against what is left of the archive before
// anything is allocated or read, so a truncated or oversized record is
// reported instead of read past. The first failure stops the reader for good.
#ifndef PLM_SHELL_ARCHIVE_READER_H
#define PLM_SHELL_ARCHIVE_READER_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/files.h"
#include "shell/archive_layout.h"

struct CARCHIVERECORD {
    uint64_t offset;  // where the record's tag lies in the archive
    uint8_t tag;
    std::string name;     // the stored bytes, unchanged (any byte, NUL included)
    uint32_t dataLength;  // bytes of contents; TAG_FILE only, 0 otherwise
};

enum ARCHIVESTEP { ARCHIVE_RECORD, ARCHIVE_END, ARCHIVE_ERROR };

class CARCHIVEREADER {
public:
    CARCHIVEREADER();
    ~CARCHIVEREADER();
    CARCHIVEREADER(const CARCHIVEREADER&) = delete;
    CARCHIVEREADER& operator=(const CARCHIVEREADER&) = delete;

    // Opens the archive; false (Error says why) if it cannot be read.
    bool Open(const char* path);
    // Reads the next record's tag, name and data length into *record. The
    // contents of the previous file record are skipped if not read. Returns
    // ARCHIVE_END at the end record and ARCHIVE_ERROR (Error says why) on a
    // truncated archive or a read failure.
    ARCHIVESTEP Next(CARCHIVERECORD* record);
    // Reads up to capacity bytes of the current file record's contents. Returns
    // the number read, 0 once all are read, -1 on failure (Error says why).
    int64_t ReadData(void* buffer, size_t capacity);

    uint64_t Offset() const { return offset; }  // bytes consumed so far
    uint64_t Size() const { return size; }      // archive size in bytes
    // What went wrong, e.g. "truncated archive (record at offset 12: name
    // needs 17 bytes, 5 left)"; the archive's own path is not included.
    const std::string& Error() const { return error; }

private:
    ARCHIVESTEP Fail(const std::string& message);
    bool Need(uint64_t count, const char* what);
    bool Take(void* out, size_t count, const char* what);
    bool ReadTag(uint8_t* tag);
    bool ReadNumber(uint32_t* value, size_t bytes, const char* what);
    bool SkipData();

    PLATFORMFILE file;
    uint64_t size;
    uint64_t offset;
    uint64_t recordOffset;
    uint64_t dataLeft;
    ARCHIVESTEP state;
    std::string error;
};

#endif
