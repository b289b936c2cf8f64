// The record layout of the data archive, shared by its reader and its writer.
//
// The archive is a plain run of records with no header, index or checksum;
// every number is unsigned little-endian:
//   tag (1 byte), then for every tag but TAG_END: name length n (2 bytes) and
//   n name bytes; then for TAG_FILE only: data length m (4 bytes) and m bytes
//   of contents. TAG_END ends the archive; nothing after it is read. Any other
//   tag is a record of tag, name length and name only.
#ifndef PLM_SHELL_ARCHIVE_LAYOUT_H
#define PLM_SHELL_ARCHIVE_LAYOUT_H

#include <cstddef>
#include <cstdint>

enum : uint8_t { TAG_FILE = 1, TAG_DIRECTORY = 2, TAG_END = 3 };

// Sizes in bytes of the numbers in a record.
const size_t ARCHIVE_NAME_LENGTH_BYTES = 2;
const size_t ARCHIVE_DATA_LENGTH_BYTES = 4;

// The largest name and contents those numbers can give.
const uint64_t ARCHIVE_MAX_NAME = 0xFFFF;
const uint64_t ARCHIVE_MAX_DATA = 0xFFFFFFFFu;

#endif
