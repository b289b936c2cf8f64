// The archive's record encoder.
#include "shell/archive_writer.h"

void AppendArchiveNumber(std::string* out, uint32_t value, size_t bytes)
{
    for (size_t i = 0; i < bytes; ++i) out->push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool AppendArchiveRecord(std::string* out, uint8_t tag, const std::string& name)
{
    if (name.size() > ARCHIVE_MAX_NAME) return false;
    out->push_back(static_cast<char>(tag));
    AppendArchiveNumber(out, static_cast<uint32_t>(name.size()), ARCHIVE_NAME_LENGTH_BYTES);
    out->append(name);
    return true;
}

bool AppendArchiveFileHeader(std::string* out, const std::string& name, uint32_t dataLength)
{
    if (!AppendArchiveRecord(out, TAG_FILE, name)) return false;
    AppendArchiveNumber(out, dataLength, ARCHIVE_DATA_LENGTH_BYTES);
    return true;
}

void AppendArchiveEnd(std::string* out)
{
    out->push_back(static_cast<char>(TAG_END));
}
