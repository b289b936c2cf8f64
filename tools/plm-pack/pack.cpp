// plm-pack pack: a depth-first walk of the tree in byte order of the names,
// writing each directory's record before its contents, into a replacement
// file that only becomes the archive once it is complete.
#include "tools/plm-pack/pack.h"

#include <algorithm>
#include <cstdint>
#include <string>
#include <vector>

#include "platform/file_info.h"
#include "platform/files.h"
#include "platform/replace_file.h"
#include "platform/termination.h"
#include "shell/archive_name.h"
#include "shell/archive_writer.h"

namespace {

// Output is gathered up to this many bytes before each write, and file
// contents are read in pieces of this size.
const size_t CHUNK = 256 * 1024;

struct CFILEID {
    uint64_t device, inode;
};

struct CPACKER {
    std::string dir;  // the folder that holds plumora_data
    std::string outPath;
    PLATFORMREPLACEMENT out;
    std::string pending;  // encoded bytes not yet handed to the file
    std::vector<uint8_t> chunk;
    // The temporary file and the archive it replaces: neither may be packed.
    std::vector<CFILEID> outputs;
    FILE* progress = nullptr;
    std::string error;
};

bool Fail(CPACKER& packer, const std::string& path, const std::string& what)
{
    packer.error = path + ": " + what;
    return false;
}

bool Interrupted(CPACKER& packer)
{
    int signal = PlatformTerminationRequested();
    if (signal == 0) return false;
    packer.error = "interrupted by signal " + std::to_string(signal);
    return true;
}

bool Flush(CPACKER& packer)
{
    bool ok = PlatformWrite(packer.out.file, packer.pending.data(), packer.pending.size());
    packer.pending.clear();
    return ok ||
           Fail(packer, packer.outPath, std::string("cannot write (") + PlatformLastFileErrorText() + ")");
}

// Hands the pending bytes to the file once they fill a chunk.
bool PassOn(CPACKER& packer)
{
    return packer.pending.size() < CHUNK || Flush(packer);
}

bool PutBytes(CPACKER& packer, const void* data, size_t size)
{
    packer.pending.append(static_cast<const char*>(data), size);
    return PassOn(packer);
}

// Checks that a record's name can be stored and prints it as progress.
bool PutName(CPACKER& packer, const std::string& name)
{
    if (name.size() > ARCHIVE_MAX_NAME) return Fail(packer, name, "name longer than 65535 bytes");
    if (packer.progress) fprintf(packer.progress, "%s\n", name.c_str());
    return true;
}

bool PutDirectoryRecord(CPACKER& packer, const std::string& name)
{
    return PutName(packer, name) && AppendArchiveRecord(&packer.pending, TAG_DIRECTORY, name) &&
           PassOn(packer);
}

// A file record up to its contents, which follow.
bool PutFileHeader(CPACKER& packer, const std::string& name, uint64_t size)
{
    return PutName(packer, name) && AppendArchiveFileHeader(&packer.pending, name, uint32_t(size)) &&
           PassOn(packer);
}

bool CopyFile(CPACKER& packer, PLATFORMFILE in, const std::string& full, uint64_t size)
{
    packer.chunk.resize(CHUNK);
    for (uint64_t left = size; left > 0;) {
        if (Interrupted(packer)) return false;
        size_t want = size_t(std::min<uint64_t>(left, packer.chunk.size()));
        int64_t got = PlatformRead(in, packer.chunk.data(), want);
        if (got < 0) return Fail(packer, full, PlatformLastFileErrorText());
        if (uint64_t(got) < want) return Fail(packer, full, "changed size while being packed");
        if (!PutBytes(packer, packer.chunk.data(), want)) return false;
        left -= want;
    }
    uint8_t extra;
    int64_t more = PlatformRead(in, &extra, 1);
    if (more < 0) return Fail(packer, full, PlatformLastFileErrorText());
    return more == 0 || Fail(packer, full, "changed size while being packed");
}

bool IsOutput(const CPACKER& packer, const PLATFORMPATHINFO& info)
{
    for (const CFILEID& id : packer.outputs)
        if (id.device == info.device && id.inode == info.inode) return true;
    return false;
}

bool PackFile(CPACKER& packer, const std::string& name, const PLATFORMPATHINFO& info)
{
    std::string full = packer.dir + "/" + name;
    if (info.size > ARCHIVE_MAX_DATA) return Fail(packer, full, "4 GiB or larger");
    if (IsOutput(packer, info)) return Fail(packer, full, "is the output archive itself");
    PLATFORMFILE in = PlatformOpenRead(full.c_str());
    if (in == PLATFORM_NO_FILE) return Fail(packer, full, PlatformLastFileErrorText());
    bool ok = PutFileHeader(packer, name, info.size) && CopyFile(packer, in, full, info.size);
    PlatformClose(in);
    return ok;
}

// The entries of a directory (without "." and ".."), sorted by byte order.
bool ListDirectory(CPACKER& packer, const std::string& full, std::vector<std::string>* names)
{
    if (!PlatformListDirectory(full.c_str(), names)) return Fail(packer, full, PlatformLastFileErrorText());
    std::sort(names->begin(), names->end());
    return true;
}

bool PackEntry(CPACKER& packer, const std::string& name);

bool PackDirectory(CPACKER& packer, const std::string& name)
{
    std::vector<std::string> names;
    if (!PutDirectoryRecord(packer, name) || !ListDirectory(packer, packer.dir + "/" + name, &names))
        return false;
    for (const std::string& entry : names)
        if (!PackEntry(packer, name + "/" + entry)) return false;
    return true;
}

bool PackEntry(CPACKER& packer, const std::string& name)
{
    if (Interrupted(packer)) return false;
    std::string full = packer.dir + "/" + name;
    PLATFORMPATHINFO info;
    if (!PlatformInspect(full.c_str(), false, &info)) return Fail(packer, full, PlatformLastFileErrorText());
    switch (info.kind) {
        case PLATFORM_PATH_DIRECTORY:
            return PackDirectory(packer, name);
        case PLATFORM_PATH_REGULAR:
            return PackFile(packer, name, info);
        case PLATFORM_PATH_LINK:
            return Fail(packer, full, "symbolic link (only directories and regular files are packed)");
        case PLATFORM_PATH_MISSING:
            return Fail(packer, full, "disappeared while being packed");
        default:
            return Fail(packer, full, "special file (only directories and regular files are packed)");
    }
}

// Starts the replacement file and notes which files are the output.
bool OpenOutput(CPACKER& packer)
{
    PLATFORMPATHINFO info;
    if (PlatformInspect(packer.outPath.c_str(), true, &info) && info.kind == PLATFORM_PATH_REGULAR)
        packer.outputs.push_back(CFILEID{info.device, info.inode});
    if (!PlatformBeginReplacement(packer.outPath.c_str(), &packer.out))
        return Fail(packer, packer.outPath, PlatformLastFileErrorText());
    if (!PlatformInspectFile(packer.out.file, &info))
        return Fail(packer, packer.out.temporaryPath, PlatformLastFileErrorText());
    packer.outputs.push_back(CFILEID{info.device, info.inode});
    return true;
}

bool FinishOutput(CPACKER& packer)
{
    AppendArchiveEnd(&packer.pending);
    if (!Flush(packer)) return false;
    if (Interrupted(packer)) return false;
    return PlatformCommitReplacement(&packer.out) ||
           Fail(packer, packer.outPath, std::string("cannot replace (") + PlatformLastFileErrorText() + ")");
}

// "does not exist" or "not a directory" for path, as the case is; empty if
// it is a directory.
std::string DirectoryFault(const std::string& path, bool followLinks)
{
    PLATFORMPATHINFO info;
    if (!PlatformInspect(path.c_str(), followLinks, &info)) return path + ": " + PlatformLastFileErrorText();
    if (info.kind == PLATFORM_PATH_MISSING) return path + ": does not exist";
    if (info.kind != PLATFORM_PATH_DIRECTORY) return path + ": not a directory";
    return std::string();
}

// Why the file at out cannot be replaced; empty if it can.
std::string OutputFault(const std::string& out)
{
    PLATFORMPATHINFO info, target;
    if (!PlatformInspect(out.c_str(), false, &info)) return out + ": " + PlatformLastFileErrorText();
    if (info.kind == PLATFORM_PATH_MISSING) {
        size_t slash = out.find_last_of('/');
        if (slash == std::string::npos) return std::string();
        std::string folder = slash == 0 ? "/" : out.substr(0, slash);
        std::string fault = DirectoryFault(folder, true);
        return fault.empty() ? fault : out + ": its folder " + fault;
    }
    if (info.kind == PLATFORM_PATH_DIRECTORY) return out + ": is a directory";
    if (info.kind == PLATFORM_PATH_OTHER) return out + ": not a regular file (device, FIFO or socket)";
    if (info.kind != PLATFORM_PATH_LINK) return std::string();
    if (!PlatformInspect(out.c_str(), true, &target)) return out + ": " + PlatformLastFileErrorText();
    if (target.kind == PLATFORM_PATH_MISSING) return out + ": symbolic link that leads nowhere";
    if (target.kind == PLATFORM_PATH_DIRECTORY) return out + ": symbolic link to a directory";
    if (target.kind == PLATFORM_PATH_OTHER) return out + ": symbolic link to a device, FIFO or socket";
    return std::string();
}

}  // namespace

bool CheckPackPaths(const std::string& dir, const std::string& out, std::string* error)
{
    std::string base = dir.empty() ? "." : dir;
    std::string fault = DirectoryFault(base, true);
    if (fault.empty()) fault = DirectoryFault(base + "/" + ARCHIVE_ROOT, false);
    if (fault.empty()) fault = out.empty() ? "empty output path" : OutputFault(out);
    *error = fault;
    return fault.empty();
}

bool PackTree(const std::string& dir, const std::string& out, FILE* progress, std::string* error)
{
    if (!CheckPackPaths(dir, out, error)) return false;
    CPACKER packer;
    packer.dir = dir.empty() ? "." : dir;
    packer.outPath = out;
    packer.progress = progress;
    bool ok = OpenOutput(packer) && PackDirectory(packer, ARCHIVE_ROOT) && FinishOutput(packer);
    if (!ok) {
        PlatformAbandonReplacement(&packer.out);
        *error = packer.error;
    }
    return ok;
}
