// plm-pack list: walks the archive with the program's own record reader and
// applies the program's own name check.
#include "tools/plm-pack/list.h"

#include <string>

#include "shell/archive_name.h"
#include "shell/archive_reader.h"

namespace {

std::string KindOf(uint8_t tag)
{
    if (tag == TAG_FILE) return "file";
    if (tag == TAG_DIRECTORY) return "directory";
    if (tag == TAG_END) return "end";
    return "tag " + std::to_string(tag);
}

void PrintRecord(const CARCHIVERECORD& record, FILE* out)
{
    std::string size = record.tag == TAG_FILE ? std::to_string(record.dataLength) : "-";
    std::string name = record.tag == TAG_END ? "" : "  " + QuotedName(record.name);
    fprintf(out, "%10llu  %-9s %10s%s\n", static_cast<unsigned long long>(record.offset),
            KindOf(record.tag).c_str(), size.c_str(), name.c_str());
}

// Reports a name that the program would refuse to unpack.
bool NameAccepted(const char* path, const CARCHIVERECORD& record, FILE* err)
{
    if (record.tag != TAG_FILE && record.tag != TAG_DIRECTORY) return true;
    std::string cleaned;
    const char* why = nullptr;
    if (CheckArchiveName(record.name, record.tag == TAG_FILE, &cleaned, &why)) return true;
    fprintf(err, "%s: record at offset %llu: refused name %s (%s)\n", path,
            static_cast<unsigned long long>(record.offset), QuotedName(record.name).c_str(), why);
    return false;
}

}  // namespace

bool ListArchive(const char* path, FILE* out, FILE* err)
{
    CARCHIVEREADER reader;
    if (!reader.Open(path)) {
        fprintf(err, "%s: %s\n", path, reader.Error().c_str());
        return false;
    }
    bool ok = true;
    CARCHIVERECORD record;
    ARCHIVESTEP step;
    while ((step = reader.Next(&record)) == ARCHIVE_RECORD) {
        PrintRecord(record, out);
        ok = NameAccepted(path, record, err) && ok;
    }
    if (step == ARCHIVE_ERROR) {
        fprintf(err, "%s: %s\n", path, reader.Error().c_str());
        return false;
    }
    PrintRecord(record, out);
    if (reader.Offset() < reader.Size())
        fprintf(out, "(%llu bytes after the end record are not part of the archive)\n",
                static_cast<unsigned long long>(reader.Size() - reader.Offset()));
    return ok;
}
