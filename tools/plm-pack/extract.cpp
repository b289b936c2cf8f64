// plm-pack extract: checks the paths and the whole archive, then hands over
// to the unpacker that the program itself uses.
#include "tools/plm-pack/extract.h"

#include "platform/file_info.h"
#include "shell/archive.h"
#include "shell/archive_name.h"
#include "shell/archive_reader.h"

namespace {

bool Fail(const std::string& path, const std::string& what, std::string* error)
{
    *error = path + ": " + what;
    return false;
}

// Reads every record and checks every name as the unpacker will, writing
// nothing.
bool VerifyArchive(const std::string& archive, std::string* error)
{
    CARCHIVEREADER reader;
    if (!reader.Open(archive.c_str())) return Fail(archive, reader.Error(), error);
    CARCHIVERECORD record;
    ARCHIVESTEP step;
    while ((step = reader.Next(&record)) == ARCHIVE_RECORD) {
        if (record.tag != TAG_FILE && record.tag != TAG_DIRECTORY) continue;
        std::string cleaned;
        const char* why = nullptr;
        if (!CheckArchiveName(record.name, record.tag == TAG_FILE, &cleaned, &why))
            return Fail(archive,
                        "record at offset " + std::to_string(record.offset) + ": refused name " +
                            QuotedName(record.name) + " (" + why + ")",
                        error);
    }
    return step == ARCHIVE_END || Fail(archive, reader.Error(), error);
}

bool CheckFolder(const std::string& dir, std::string* error)
{
    PLATFORMPATHINFO info;
    if (!PlatformInspect(dir.c_str(), true, &info)) return Fail(dir, PlatformLastFileErrorText(), error);
    if (info.kind == PLATFORM_PATH_MISSING) return Fail(dir, "does not exist", error);
    if (info.kind != PLATFORM_PATH_DIRECTORY) return Fail(dir, "not a directory", error);
    std::string top = dir + "/" + ARCHIVE_ROOT;
    if (!PlatformInspect(top.c_str(), false, &info)) return Fail(top, PlatformLastFileErrorText(), error);
    if (info.kind != PLATFORM_PATH_MISSING)
        return Fail(top, "already exists (it is left alone: move it away or choose another folder)", error);
    return true;
}

}  // namespace

bool ExtractArchive(const std::string& archive, const std::string& dir, std::string* error)
{
    std::string folder = dir.empty() ? "." : dir;
    return VerifyArchive(archive, error) && CheckFolder(folder, error) &&
           UnpackArchiveInto(archive.c_str(), folder.c_str(), error);
}
