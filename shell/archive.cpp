// Unpacking of the data archive into the plumora_data tree.
#include "shell/archive.h"

#include <cstdint>
#include <vector>

#include "platform/file_info.h"
#include "platform/files.h"
#include "platform/termination.h"
#include "shell/archive_name.h"
#include "shell/archive_reader.h"

namespace {

// Contents are copied through a buffer of this size, so memory stays bounded
// whatever the size of a file.
const size_t COPY_CHUNK = 256 * 1024;

struct CUNPACKJOB {
    CARCHIVEREADER reader;
    std::vector<uint8_t> buffer;
    PLATFORMDIR base = PLATFORM_CURRENT_DIRECTORY;  // where the tree goes
    bool newTree = false;                           // the tree must be made here, never joined
    bool madeTree = false;                          // newTree: the top directory has been made
    bool touched = false;                           // a record has reached the file system
    std::string error;
};

bool Fail(CUNPACKJOB& job, const std::string& message)
{
    job.error = message;
    return false;
}

bool Interrupted(CUNPACKJOB& job)
{
    int signal = PlatformTerminationRequested();
    return signal != 0 && !Fail(job, "interrupted by signal " + std::to_string(signal));
}

// A record whose directory is missing is skipped (the rest of the archive
// still unpacks); every other failure ends the unpacking.
bool SkipOrFail(CUNPACKJOB& job, const char* action, const std::string& path)
{
    if (PlatformLastFileError() == PLATFORM_FILE_MISSING) return true;
    return Fail(job, std::string("cannot ") + action + " " + path + " (" + PlatformLastFileErrorText() + ")");
}

bool CopyContents(CUNPACKJOB& job, PLATFORMFILE out, const std::string& path)
{
    job.buffer.resize(COPY_CHUNK);
    for (;;) {
        if (Interrupted(job)) return false;
        int64_t count = job.reader.ReadData(job.buffer.data(), job.buffer.size());
        if (count < 0) return Fail(job, job.reader.Error());
        if (count == 0) return true;
        if (!PlatformWrite(out, job.buffer.data(), static_cast<size_t>(count)))
            return Fail(job, "cannot write " + path + " (" + PlatformLastFileErrorText() + ")");
    }
}

bool UnpackFile(CUNPACKJOB& job, const std::string& path)
{
    PLATFORMFILE out = PlatformCreateFileAt(job.base, path.c_str());
    if (out == PLATFORM_NO_FILE) return SkipOrFail(job, "create", path);
    bool ok = CopyContents(job, out, path);
    if (!PlatformClose(out) && ok)
        ok = Fail(job, "cannot write " + path + " (" + PlatformLastFileErrorText() + ")");
    return ok;
}

bool UnpackDirectory(CUNPACKJOB& job, const std::string& path)
{
    bool makesTree = job.newTree && !job.madeTree;
    if (!PlatformMakeDirectoryAt(job.base, path.c_str(), makesTree))
        return SkipOrFail(job, "create directory", path);
    job.madeTree = job.madeTree || makesTree;
    return true;
}

bool UnpackRecord(CUNPACKJOB& job, const CARCHIVERECORD& record)
{
    if (record.tag != TAG_FILE && record.tag != TAG_DIRECTORY) return true;
    std::string path;
    const char* why = nullptr;
    if (!CheckArchiveName(record.name, record.tag == TAG_FILE, &path, &why))
        return Fail(job, "record at offset " + std::to_string(record.offset) + ": refused name " +
                             QuotedName(record.name) + " (" + why + ")");
    // A new tree: until its top directory is made here, every other record
    // counts as one whose directory is missing, so nothing lands in a tree
    // that someone else made meanwhile.
    if (job.newTree && !job.madeTree && (record.tag == TAG_FILE || path != ARCHIVE_ROOT)) return true;
    job.touched = true;
    return record.tag == TAG_FILE ? UnpackFile(job, path) : UnpackDirectory(job, path);
}

bool UnpackRecords(CUNPACKJOB& job)
{
    CARCHIVERECORD record;
    for (;;) {
        if (Interrupted(job)) return false;
        ARCHIVESTEP step = job.reader.Next(&record);
        if (step == ARCHIVE_END) return true;
        if (step == ARCHIVE_ERROR) return Fail(job, job.reader.Error());
        if (!UnpackRecord(job, record)) return false;
    }
}

// Runs the job; on failure removes the tree if the job may have made it.
bool RunJob(CUNPACKJOB& job, const char* path, std::string* error)
{
    bool ok = job.reader.Open(path) ? UnpackRecords(job) : Fail(job, job.reader.Error());
    if (ok) return true;
    bool owned = job.newTree ? job.madeTree : job.touched;
    if (owned && !PlatformRemoveTreeAt(job.base, ARCHIVE_ROOT))
        job.error +=
            std::string("; cannot remove ") + ARCHIVE_ROOT + " (" + PlatformLastFileErrorText() + ")";
    if (error) *error = std::string(path) + ": " + job.error;
    return false;
}

bool FailOnFolder(const char* dir, const std::string& what, std::string* error)
{
    if (error) *error = std::string(dir) + ": " + what;
    return false;
}

}  // namespace

bool UnpackArchive(const char* path, std::string* error)
{
    CUNPACKJOB job;
    return RunJob(job, path, error);
}

bool UnpackArchiveInto(const char* path, const char* dir, std::string* error)
{
    CUNPACKJOB job;
    job.newTree = true;
    job.base = PlatformOpenDirectory(dir);
    if (job.base == PLATFORM_NO_DIRECTORY)
        return FailOnFolder(dir, std::string("cannot open the folder (") + PlatformLastFileErrorText() + ")",
                            error);
    PLATFORMPATHINFO top;
    std::string topPath = std::string(dir) + "/" + ARCHIVE_ROOT;
    bool ok;
    if (!PlatformInspect(topPath.c_str(), false, &top))
        ok = FailOnFolder(
            dir, std::string("cannot look at ") + ARCHIVE_ROOT + " (" + PlatformLastFileErrorText() + ")",
            error);
    else if (top.kind != PLATFORM_PATH_MISSING)
        ok = FailOnFolder(dir, std::string(ARCHIVE_ROOT) + " already exists", error);
    else
        ok = RunJob(job, path, error);
    PlatformCloseDirectory(job.base);
    return ok;
}
