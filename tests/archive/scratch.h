// Test helpers for the archive tests: a fresh scratch folder per test, an
// archive builder and on-disk snapshots.
//
// Layout of the scratch folder:
//   ROOT/work/               the current directory while the test runs
//   ROOT/outside/canary.txt  must never change
//   ROOT/outside/elsewhere/keep.txt  target for planted links
#ifndef PLM_TESTS_ARCHIVE_SCRATCH_H
#define PLM_TESTS_ARCHIVE_SCRATCH_H

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <map>
#include <string>

#include "shell/archive_writer.h"
#include "tests/support/temp_folder.h"

namespace fs = std::filesystem;

typedef std::map<std::string, std::string> Tree;

// Everything below dir, without following links: relative path (names
// joined by "/" on every system) -> "dir", "link:TARGET", "file:CONTENTS" or
// "special". Empty if dir does not exist.
inline Tree Snapshot(const fs::path& dir)
{
    Tree entries;
    std::error_code ec;
    if (!fs::exists(fs::symlink_status(dir, ec))) return entries;
    for (auto it = fs::recursive_directory_iterator(dir); it != fs::recursive_directory_iterator(); ++it) {
        std::string name = fs::relative(it->path(), dir).generic_string();
        if (it->is_symlink())
            entries[name] = "link:" + fs::read_symlink(it->path()).string();
        else if (it->is_directory())
            entries[name] = "dir";
        else if (it->is_regular_file())
            entries[name] = "file:" + ReadWholeFile(it->path());
        else
            entries[name] = "special";  // FIFO, device or socket: never opened
    }
    return entries;
}

// Builds an archive record by record through the archive writer; malformed
// archives come from raw records and numbers and from editing bytes.
struct ArchiveBuilder {
    std::string bytes;

    ArchiveBuilder& Number(uint32_t value, int count)
    {
        AppendArchiveNumber(&bytes, value, static_cast<size_t>(count));
        return *this;
    }
    ArchiveBuilder& Record(uint8_t tag, const std::string& name)
    {
        AppendArchiveRecord(&bytes, tag, name);
        return *this;
    }
    ArchiveBuilder& Dir(const std::string& name) { return Record(TAG_DIRECTORY, name); }
    ArchiveBuilder& File(const std::string& name, const std::string& data)
    {
        AppendArchiveFileHeader(&bytes, name, static_cast<uint32_t>(data.size()));
        bytes += data;
        return *this;
    }
    ArchiveBuilder& End()
    {
        AppendArchiveEnd(&bytes);
        return *this;
    }
    void Save(const fs::path& path = "data.dat") const { WriteWholeFile(path, bytes); }
};

class ScratchTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = MakeTempFolder("plm-archive");
        ASSERT_FALSE(root.empty());
        fs::create_directories(root / "work");
        fs::create_directories(root / "outside" / "elsewhere");
        WriteWholeFile(root / "outside" / "canary.txt", "canary");
        WriteWholeFile(root / "outside" / "elsewhere" / "keep.txt", "keep");
        outsideBefore = Outside();
        saved = fs::current_path();
        fs::current_path(root / "work");
    }
    void TearDown() override
    {
        fs::current_path(saved);
        fs::remove_all(root);
    }
    // Everything in the scratch folder but the work folder's contents.
    Tree Outside() const
    {
        auto entries = Snapshot(root / "outside");
        for (const auto& entry : fs::directory_iterator(root))
            entries["/" + entry.path().filename().string()] = "top";
        return entries;
    }
    void ExpectOutsideUnchanged() const { EXPECT_EQ(Outside(), outsideBefore); }

    fs::path root;
    fs::path saved;
    Tree outsideBefore;
};

#endif
