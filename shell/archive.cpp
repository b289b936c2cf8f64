// Unpacking of the data archive into the plumora_data tree.
#include "shell/archive.h"

#include <cstdint>
#include <vector>

#include "platform/files.h"
#include "shell/archive_name.h"
#include "shell/archive_reader.h"

namespace {

// Contents are copied through a buffer of this size, so memory stays bounded
// whatever the size of a file.
const size_t COPY_CHUNK = 256 * 1024;

struct CUNPACKJOB {
    CARCHIVEREADER reader;
    std::vector<uint8_t> buffer;
    bool touched = false;   // a record has reached the file system
    std::string error;
};

bool Fail(CUNPACKJOB& job, const std::string& message)
{
    job.error = message;
    return false;
}

// A record whose directory is missing is skipped (the rest of the archive
// still unpacks); every other failure ends the unpacking.
bool SkipOrFail(CUNPACKJOB& job, const char* action, const std::string& path)
{
    if (PlatformLastFileError() == PLATFORM_FILE_MISSING)
        return true;
    return Fail(job, std::string("cannot ") + action + " " + path + " (" +
                         PlatformLastFileErrorText() + ")");
}

bool CopyContents(CUNPACKJOB& job, PLATFORMFILE out, const std::string& path)
{
    job.buffer.resize(COPY_CHUNK);
    for (;;) {
        int64_t count = job.reader.ReadData(job.buffer.data(), job.buffer.size());
        if (count < 0)
            return Fail(job, job.reader.Error());
        if (count == 0)
            return true;
        if (!PlatformWrite(out, job.buffer.data(), static_cast<size_t>(count)))
            return Fail(job, "cannot write " + path + " (" + PlatformLastFileErrorText() + ")");
    }
}

bool UnpackFile(CUNPACKJOB& job, const std::string& path)
{
    PLATFORMFILE out = PlatformCreateFile(path.c_str());
    if (out == PLATFORM_NO_FILE)
        return SkipOrFail(job, "create", path);
    bool ok = CopyContents(job, out, path);
    if (!PlatformClose(out) && ok)
        ok = Fail(job, "cannot write " + path + " (" + PlatformLastFileErrorText() + ")");
    return ok;
}

bool UnpackDirectory(CUNPACKJOB& job, const std::string& path)
{
    return PlatformMakeDirectory(path.c_str()) || SkipOrFail(job, "create directory", path);
}

bool UnpackRecord(CUNPACKJOB& job, const CARCHIVERECORD& record)
{
    if (record.tag != TAG_FILE && record.tag != TAG_DIRECTORY)
        return true;
    std::string path;
    const char* why = nullptr;
    if (!CheckArchiveName(record.name, record.tag == TAG_FILE, &path, &why))
        return Fail(job, "record at offset " + std::to_string(record.offset) + ": refused name " +
                             QuotedName(record.name) + " (" + why + ")");
    job.touched = true;
    return record.tag == TAG_FILE ? UnpackFile(job, path) : UnpackDirectory(job, path);
}

bool UnpackRecords(CUNPACKJOB& job)
{
    CARCHIVERECORD record;
    for (;;) {
        ARCHIVESTEP step = job.reader.Next(&record);
        if (step == ARCHIVE_END)
            return true;
        if (step == ARCHIVE_ERROR)
            return Fail(job, job.reader.Error());
        if (!UnpackRecord(job, record))
            return false;
    }
}

}  // namespace

bool UnpackArchive(const char* path, std::string* error)
{
    CUNPACKJOB job;
    bool ok = job.reader.Open(path) ? UnpackRecords(job) : Fail(job, job.reader.Error());
    if (ok)
        return true;
    if (job.touched && !PlatformRemoveTree(ARCHIVE_ROOT))
        job.error += std::string("; cannot remove ") + ARCHIVE_ROOT + " (" +
                     PlatformLastFileErrorText() + ")";
    if (error)
        *error = std::string(path) + ": " + job.error;
    return false;
}
