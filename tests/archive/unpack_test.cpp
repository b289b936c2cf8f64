// UnpackArchive: the format's edges, then faults and hostile archives, each
// checked on disk.
#include "shell/archive.h"

#include <unistd.h>

#include "tests/archive/scratch.h"

namespace {

class UnpackTest : public ScratchTest {
protected:
    bool Unpack() { return UnpackArchive("data.dat", &error); }
    Tree Unpacked() const { return Snapshot("plumora_data"); }
    // A refused archive leaves no tree and nothing changed outside.
    void ExpectRejected(const std::string& words)
    {
        EXPECT_FALSE(Unpack());
        EXPECT_NE(error.find("data.dat: "), std::string::npos) << error;
        EXPECT_NE(error.find(words), std::string::npos) << error;
        EXPECT_FALSE(fs::exists(fs::symlink_status("plumora_data")));
        ExpectOutsideUnchanged();
    }
    std::string error;
};

// --- The format ---------------------------------------------------------

TEST_F(UnpackTest, SingleEndByteCreatesNothing)
{
    ArchiveBuilder().End().Save();
    EXPECT_TRUE(Unpack()) << error;
    EXPECT_EQ(Snapshot("."), (Tree{{"data.dat", "file:\3"}}));
}

TEST_F(UnpackTest, UnpacksDirectoriesAndFiles)
{
    std::string big(600 * 1024, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7 + i / 251);
    ArchiveBuilder()
        .Dir("plumora_data")
        .Dir("plumora_data/gfx")
        .File("plumora_data/gfx/a.jpg", "abc")
        .File("plumora_data/big.bin", big)
        .File("plumora_data/empty", "")
        .End()
        .Save();
    EXPECT_TRUE(Unpack()) << error;
    EXPECT_EQ(
        Unpacked(),
        (Tree{{"gfx", "dir"}, {"gfx/a.jpg", "file:abc"}, {"big.bin", "file:" + big}, {"empty", "file:"}}));
}

TEST_F(UnpackTest, BytesAfterEndAreNeverRead)
{
    ArchiveBuilder archive;
    archive.Dir("plumora_data").End().Dir("plumora_data/late").Record(1, "plumora_data/x");
    archive.bytes += "\xff\xff";  // a data length cut short: only reading it would fail
    archive.Save();
    EXPECT_TRUE(Unpack()) << error;
    EXPECT_EQ(Unpacked(), Tree{});
    EXPECT_TRUE(fs::is_directory("plumora_data"));
}

TEST_F(UnpackTest, OtherTagsConsumeOnlyTagLengthAndName)
{
    ArchiveBuilder archive;
    archive.Dir("plumora_data");
    for (int tag = 0; tag < 256; ++tag)
        if (tag < 1 || tag > 3)
            archive.Record(static_cast<uint8_t>(tag), "plumora_data/ghost" + std::to_string(tag));
    archive.File("plumora_data/after", "ok").End().Save();
    EXPECT_TRUE(Unpack()) << error;
    EXPECT_EQ(Unpacked(), (Tree{{"after", "file:ok"}}));
}

TEST_F(UnpackTest, OverExistingTreeTruncatesFilesAndKeepsTheRest)
{
    fs::create_directories("plumora_data/gfx");
    WriteWholeFile("plumora_data/gfx/a.jpg", "a much longer old content");
    WriteWholeFile("plumora_data/stale.txt", "stale");
    ArchiveBuilder()
        .Dir("plumora_data")
        .Dir("plumora_data/gfx")
        .File("plumora_data/gfx/a.jpg", "new")
        .End()
        .Save();
    EXPECT_TRUE(Unpack()) << error;
    EXPECT_EQ(Unpacked(), (Tree{{"gfx", "dir"}, {"gfx/a.jpg", "file:new"}, {"stale.txt", "file:stale"}}));
}

TEST_F(UnpackTest, RecordWithoutItsDirectoryIsSkippedAndTheRestUnpacks)
{
    ArchiveBuilder()
        .Dir("plumora_data")
        .File("plumora_data/nodir/a.txt", "lost")
        .Dir("plumora_data/nodir/sub")
        .Dir("plumora_data/gfx")
        .File("plumora_data/gfx/b.txt", "kept")
        .End()
        .Save();
    EXPECT_TRUE(Unpack()) << error;
    EXPECT_EQ(Unpacked(), (Tree{{"gfx", "dir"}, {"gfx/b.txt", "file:kept"}}));
}

TEST_F(UnpackTest, EmptyAndDotComponentsAreDropped)
{
    ArchiveBuilder()
        .Dir("plumora_data/")
        .Dir("./plumora_data//gfx")
        .File("plumora_data/./gfx//a", "x")
        .End()
        .Save();
    EXPECT_TRUE(Unpack()) << error;
    EXPECT_EQ(Unpacked(), (Tree{{"gfx", "dir"}, {"gfx/a", "file:x"}}));
}

// --- Missing, unreadable and truncated archives -------------------------

TEST_F(UnpackTest, MissingArchiveIsReported)
{
    ExpectRejected("cannot open the archive (No such file or directory)");
}

TEST_F(UnpackTest, DirectoryInPlaceOfArchiveIsReported)
{
    fs::create_directory("data.dat");
    ExpectRejected("cannot open the archive");
}

TEST_F(UnpackTest, EveryTruncationFailsAndLeavesNoTree)
{
    ArchiveBuilder archive;
    archive.Dir("plumora_data")
        .Dir("plumora_data/gfx")
        .File("plumora_data/gfx/a.jpg", "abcdef")
        .Record(9, "note")
        .File("plumora_data/b", "")
        .End();
    for (size_t length = 0; length < archive.bytes.size(); ++length) {
        SCOPED_TRACE("prefix of " + std::to_string(length) + " bytes");
        WriteWholeFile("data.dat", archive.bytes.substr(0, length));
        ExpectRejected("truncated archive");
    }
}

TEST_F(UnpackTest, TruncationMessageNamesRecordAndField)
{
    ArchiveBuilder archive;
    archive.Dir("plumora_data").Record(1, "plumora_data/0123456789abcdef");
    archive.bytes.resize(archive.bytes.size() - 12);
    archive.Save();
    ExpectRejected("data.dat: truncated archive (record at offset 15: name needs 29 bytes, 17 left)");
}

TEST_F(UnpackTest, HugeDataLengthIsRejectedBeforeAnyAllocation)
{
    ArchiveBuilder archive;
    archive.Dir("plumora_data").Record(1, "plumora_data/huge").Number(0xFFFFFFFFu, 4);
    archive.bytes += "0123456789";
    archive.Save();
    ExpectRejected("data needs 4294967295 bytes, 10 left");
}

TEST_F(UnpackTest, MissingEndRecordIsATruncation)
{
    ArchiveBuilder().Dir("plumora_data").Save();
    ExpectRejected("truncated archive (no end record: it ends at offset 15)");
}

// --- Hostile names and planted links ------------------------------------

TEST_F(UnpackTest, NamesOutsideTheTreeAreRefused)
{
    struct Case {
        uint8_t tag;
        std::string name;
        std::string why;
    };
    const Case cases[] = {
        {1, "", "empty name"},
        {2, "", "empty name"},
        {1, (root / "outside" / "canary.txt").string(), "absolute path"},
        {2, "/plumora_data", "absolute path"},
        {1, "../outside/canary.txt", "contains a '..' component"},
        {1, "plumora_data/../../outside/canary.txt", "contains a '..' component"},
        {2, "plumora_data/gfx/..", "contains a '..' component"},
        {2, "other", "not below plumora_data/"},
        {1, "plumora_dataX/a", "not below plumora_data/"},
        {1, "plumora_data", "not below plumora_data/"},
        {1, "./plumora_data/.", "not below plumora_data/"},
        {1, std::string("plumora_data/a\0b", 16), "contains a NUL byte"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ArchiveBuilder archive;
        archive.Dir("plumora_data").Dir("plumora_data/gfx");
        if (c.tag == 1)
            archive.File(c.name, "evil");
        else
            archive.Dir(c.name);
        archive.End().Save();
        ExpectRejected("record at offset 34: refused name");
        EXPECT_NE(error.find(c.why), std::string::npos) << error;
        EXPECT_EQ(Snapshot("."), (Tree{{"data.dat", "file:" + archive.bytes}}));
    }
}

TEST_F(UnpackTest, NothingIsWrittenThroughAPlantedDirectoryLink)
{
    for (bool withDirectoryRecord : {true, false}) {
        SCOPED_TRACE(withDirectoryRecord ? "with its directory record" : "file records only");
        fs::create_directory("plumora_data");
        fs::create_directory_symlink(root / "outside" / "elsewhere", "plumora_data/gfx");
        ArchiveBuilder archive;
        archive.Dir("plumora_data");
        if (withDirectoryRecord) archive.Dir("plumora_data/gfx");
        archive.File("plumora_data/gfx/keep.txt", "evil")
            .File("plumora_data/gfx/new.txt", "evil")
            .End()
            .Save();
        ExpectRejected("plumora_data/gfx");
        EXPECT_NE(error.find("symbolic link"), std::string::npos) << error;
    }
}

TEST_F(UnpackTest, NothingIsWrittenThroughAPlantedFileLink)
{
    fs::create_directory("plumora_data");
    fs::create_symlink(root / "outside" / "canary.txt", "plumora_data/a.txt");
    ArchiveBuilder().Dir("plumora_data").File("plumora_data/a.txt", "evil").End().Save();
    ExpectRejected("cannot create plumora_data/a.txt (symbolic link in the way)");
}

TEST_F(UnpackTest, TopDirectoryAsLinkIsRefused)
{
    fs::create_directory_symlink(root / "outside" / "elsewhere", "plumora_data");
    ArchiveBuilder().Dir("plumora_data").File("plumora_data/keep.txt", "evil").End().Save();
    ExpectRejected("symbolic link in the way");
}

TEST_F(UnpackTest, FileRecordOverADirectoryIsRejected)
{
    ArchiveBuilder().Dir("plumora_data").Dir("plumora_data/x").File("plumora_data/x", "data").End().Save();
    ExpectRejected("cannot create plumora_data/x");
}

}  // namespace
