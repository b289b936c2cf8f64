// plm-pack pack: a depth-first walk of the tree in byte order of the names,
// writing each directory's record before its contents.
#include "tools/plm_pack/pack.h"

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <sys/stat.h>
#include <vector>

#include "shell/archive_name.h"
#include "shell/archive_reader.h"

namespace {

const uint64_t MAX_NAME = 0xFFFF;
const uint64_t MAX_DATA = 0xFFFFFFFFu;

struct CPACKER {
    std::string dir;      // the folder that holds plumora_data
    std::string outPath;
    FILE* out = nullptr;
    struct stat outStat;  // to keep the archive from packing itself
    std::string error;
};

bool Fail(CPACKER& packer, const std::string& path, const std::string& what)
{
    packer.error = path + ": " + what;
    return false;
}

bool PutBytes(CPACKER& packer, const void* data, size_t size)
{
    if (size == 0 || fwrite(data, 1, size, packer.out) == size)
        return true;
    return Fail(packer, packer.outPath, strerror(errno));
}

bool PutNumber(CPACKER& packer, uint32_t value, size_t bytes)
{
    uint8_t raw[4] = {uint8_t(value), uint8_t(value >> 8), uint8_t(value >> 16),
                      uint8_t(value >> 24)};
    return PutBytes(packer, raw, bytes);
}

bool PutHeader(CPACKER& packer, uint8_t tag, const std::string& name)
{
    if (name.size() > MAX_NAME)
        return Fail(packer, name, "name longer than 65535 bytes");
    return PutBytes(packer, &tag, 1) && PutNumber(packer, uint32_t(name.size()), 2) &&
           PutBytes(packer, name.data(), name.size());
}

bool CopyFile(CPACKER& packer, FILE* in, const std::string& full, uint64_t size)
{
    std::vector<char> buffer(256 * 1024);
    uint64_t copied = 0;
    size_t got;
    while ((got = fread(buffer.data(), 1, buffer.size(), in)) > 0 && copied + got <= size) {
        if (!PutBytes(packer, buffer.data(), got))
            return false;
        copied += got;
    }
    if (ferror(in))
        return Fail(packer, full, strerror(errno));
    if (copied != size || got != 0)
        return Fail(packer, full, "changed size while being packed");
    return true;
}

bool PackFile(CPACKER& packer, const std::string& name, const struct stat& st)
{
    std::string full = packer.dir + "/" + name;
    if (uint64_t(st.st_size) > MAX_DATA)
        return Fail(packer, full, "4 GiB or larger");
    if (st.st_dev == packer.outStat.st_dev && st.st_ino == packer.outStat.st_ino)
        return Fail(packer, full, "is the output archive itself");
    FILE* in = fopen(full.c_str(), "rb");
    if (!in)
        return Fail(packer, full, strerror(errno));
    bool ok = PutHeader(packer, TAG_FILE, name) && PutNumber(packer, uint32_t(st.st_size), 4) &&
              CopyFile(packer, in, full, uint64_t(st.st_size));
    fclose(in);
    return ok;
}

// The entries of a directory (without "." and ".."), sorted by byte order.
bool ListDirectory(CPACKER& packer, const std::string& full, std::vector<std::string>* names)
{
    DIR* listing = opendir(full.c_str());
    if (!listing)
        return Fail(packer, full, strerror(errno));
    while (struct dirent* entry = readdir(listing))
        if (strcmp(entry->d_name, ".") != 0 && strcmp(entry->d_name, "..") != 0)
            names->push_back(entry->d_name);
    closedir(listing);
    std::sort(names->begin(), names->end());
    return true;
}

bool PackEntry(CPACKER& packer, const std::string& name);

bool PackDirectory(CPACKER& packer, const std::string& name)
{
    std::vector<std::string> names;
    if (!PutHeader(packer, TAG_DIRECTORY, name) ||
        !ListDirectory(packer, packer.dir + "/" + name, &names))
        return false;
    for (const std::string& entry : names)
        if (!PackEntry(packer, name + "/" + entry))
            return false;
    return true;
}

bool PackEntry(CPACKER& packer, const std::string& name)
{
    std::string full = packer.dir + "/" + name;
    struct stat st;
    if (lstat(full.c_str(), &st) != 0)
        return Fail(packer, full, strerror(errno));
    if (S_ISDIR(st.st_mode))
        return PackDirectory(packer, name);
    if (S_ISREG(st.st_mode))
        return PackFile(packer, name, st);
    if (S_ISLNK(st.st_mode))
        return Fail(packer, full, "symbolic link (only directories and regular files are packed)");
    return Fail(packer, full, "special file (only directories and regular files are packed)");
}

bool OpenOutput(CPACKER& packer, const std::string& out)
{
    packer.outPath = out;
    packer.out = fopen(out.c_str(), "wb");
    if (!packer.out)
        return Fail(packer, out, strerror(errno));
    if (fstat(fileno(packer.out), &packer.outStat) != 0)
        return Fail(packer, out, strerror(errno));
    return true;
}

bool FinishOutput(CPACKER& packer, const std::string& out)
{
    uint8_t end = TAG_END;
    bool ok = PutBytes(packer, &end, 1);
    if (fclose(packer.out) != 0 && ok)
        ok = Fail(packer, out, strerror(errno));
    packer.out = nullptr;
    return ok;
}

}  // namespace

bool PackTree(const std::string& dir, const std::string& out, std::string* error)
{
    CPACKER packer;
    packer.dir = dir.empty() ? "." : dir;
    struct stat st;
    std::string root = packer.dir + "/" + ARCHIVE_ROOT;
    bool ok = OpenOutput(packer, out);
    if (ok && (lstat(root.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)))
        ok = Fail(packer, root, "not a directory");
    ok = ok && PackDirectory(packer, ARCHIVE_ROOT);
    if (packer.out)
        ok = FinishOutput(packer, out) && ok;
    if (!ok) {
        remove(out.c_str());
        *error = packer.error;
    }
    return ok;
}
