// The archive's record reader: a bounded little-endian cursor over the file.
#include "shell/archive_reader.h"

#include <cstdio>

namespace {

typedef unsigned long long ULL;

std::string Truncated(ULL record, const char* what, ULL needed, ULL left)
{
    char text[160];
    snprintf(text, sizeof text, "truncated archive (record at offset %llu: %s needs %llu bytes, %llu left)",
             record, what, needed, left);
    return text;
}

}  // namespace

CARCHIVEREADER::CARCHIVEREADER()
    : file(PLATFORM_NO_FILE), size(0), offset(0), recordOffset(0), dataLeft(0), state(ARCHIVE_RECORD)
{
}

CARCHIVEREADER::~CARCHIVEREADER()
{
    PlatformClose(file);
}

bool CARCHIVEREADER::Open(const char* path)
{
    file = PlatformOpenRead(path);
    int64_t bytes = file == PLATFORM_NO_FILE ? -1 : PlatformFileSize(file);
    if (bytes < 0) {
        Fail(std::string("cannot open the archive (") + PlatformLastFileErrorText() + ")");
        return false;
    }
    size = static_cast<uint64_t>(bytes);
    return true;
}

ARCHIVESTEP CARCHIVEREADER::Fail(const std::string& message)
{
    error = message;
    state = ARCHIVE_ERROR;
    return state;
}

// Checks that count more bytes are left before anything is allocated or read.
bool CARCHIVEREADER::Need(uint64_t count, const char* what)
{
    uint64_t left = size - offset;
    if (count <= left) return true;
    Fail(Truncated(recordOffset, what, count, left));
    return false;
}

bool CARCHIVEREADER::Take(void* out, size_t count, const char* what)
{
    if (!Need(count, what)) return false;
    int64_t got = PlatformRead(file, out, count);
    if (got < 0) {
        Fail("cannot read the archive at offset " + std::to_string(offset) + " (" +
             PlatformLastFileErrorText() + ")");
        return false;
    }
    if (static_cast<uint64_t>(got) != count) {
        Fail("truncated archive (it ends at offset " + std::to_string(offset + got) + " while being read)");
        return false;
    }
    offset += count;
    return true;
}

bool CARCHIVEREADER::ReadTag(uint8_t* tag)
{
    recordOffset = offset;
    if (offset == size) {
        Fail("truncated archive (no end record: it ends at offset " + std::to_string(size) + ")");
        return false;
    }
    return Take(tag, 1, "tag");
}

bool CARCHIVEREADER::ReadNumber(uint32_t* value, size_t bytes, const char* what)
{
    uint8_t raw[4] = {0, 0, 0, 0};
    if (!Take(raw, bytes, what)) return false;
    *value = static_cast<uint32_t>(raw[0]) | static_cast<uint32_t>(raw[1]) << 8 |
             static_cast<uint32_t>(raw[2]) << 16 | static_cast<uint32_t>(raw[3]) << 24;
    return true;
}

bool CARCHIVEREADER::SkipData()
{
    if (dataLeft == 0) return true;
    if (!PlatformSeek(file, static_cast<int64_t>(offset + dataLeft))) {
        Fail(std::string("cannot read the archive (") + PlatformLastFileErrorText() + ")");
        return false;
    }
    offset += dataLeft;
    dataLeft = 0;
    return true;
}

ARCHIVESTEP CARCHIVEREADER::Next(CARCHIVERECORD* record)
{
    if (state != ARCHIVE_RECORD || !SkipData() || !ReadTag(&record->tag)) return state;
    record->offset = recordOffset;
    record->name.clear();
    record->dataLength = 0;
    if (record->tag == TAG_END) return state = ARCHIVE_END;
    uint32_t nameLength = 0;
    if (!ReadNumber(&nameLength, ARCHIVE_NAME_LENGTH_BYTES, "name length") || !Need(nameLength, "name"))
        return state;
    record->name.resize(nameLength);
    if (!Take(&record->name[0], nameLength, "name")) return state;
    if (record->tag != TAG_FILE) return state;
    if (!ReadNumber(&record->dataLength, ARCHIVE_DATA_LENGTH_BYTES, "data length") ||
        !Need(record->dataLength, "data"))
        return state;
    dataLeft = record->dataLength;
    return state;
}

int64_t CARCHIVEREADER::ReadData(void* buffer, size_t capacity)
{
    if (state != ARCHIVE_RECORD) return -1;
    size_t count = dataLeft < capacity ? static_cast<size_t>(dataLeft) : capacity;
    if (count > 0 && !Take(buffer, count, "data")) return -1;
    dataLeft -= count;
    return static_cast<int64_t>(count);
}
