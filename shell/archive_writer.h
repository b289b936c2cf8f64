// Encoder of the data archive's records (shell/archive_layout.h), shared by
// plm-pack and the tests. It appends bytes to a buffer that the caller owns
// and hands on as it likes: plm-pack writes it to the archive file piece by
// piece, with each file's contents appended after its record.
//
// Nothing here checks names for what the unpacker accepts
// (shell/archive_name.h): the tests write hostile archives with it.
#ifndef PLM_SHELL_ARCHIVE_WRITER_H
#define PLM_SHELL_ARCHIVE_WRITER_H

#include <cstddef>
#include <cstdint>
#include <string>

#include "shell/archive_layout.h"

// Appends value as an unsigned little-endian number of bytes bytes (1 to 4).
void AppendArchiveNumber(std::string* out, uint32_t value, size_t bytes);

// Appends a record's tag, name length and name: the whole record for every
// tag but TAG_FILE and TAG_END. Returns false, appending nothing, when the
// name is longer than ARCHIVE_MAX_NAME bytes.
bool AppendArchiveRecord(std::string* out, uint8_t tag, const std::string& name);

// Appends a file record up to its contents (tag, name and data length); the
// caller appends exactly dataLength bytes of contents next. Returns false,
// appending nothing, when the name is too long.
bool AppendArchiveFileHeader(std::string* out, const std::string& name, uint32_t dataLength);

// Appends the end record.
void AppendArchiveEnd(std::string* out);

#endif
