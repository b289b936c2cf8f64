// plm-pack extract: round trips byte for byte, refuses hostile archives with
// the program's own rules, and never touches what the user already has.
#include "tests/archive/plm_pack_fixture.h"

namespace {

class ExtractTest : public PlmPackTest {
protected:
    void SetUp() override
    {
        PlmPackTest::SetUp();
        fs::create_directory("dest");
        WriteWholeFile("dest/mine.txt", "the user's own file");
    }
};

TEST_F(ExtractTest, RoundTripsAPackedTreeByteForByte)
{
    MakeSource();
    std::string big(700 * 1024, '\0');
    for (size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 13 + i / 509);
    WriteWholeFile("src/plumora_data/gfx/big.bin", big);
    ASSERT_EQ(Run("pack src data.dat"), 0) << err;
    ASSERT_EQ(Run("extract data.dat dest"), 0) << err;
    EXPECT_TRUE(out.empty() && err.empty()) << out << err;
    EXPECT_EQ(Snapshot("dest/plumora_data"), Snapshot("src/plumora_data"));
    EXPECT_EQ(ReadWholeFile("dest/mine.txt"), "the user's own file");
    EXPECT_FALSE(fs::exists("plumora_data"));  // nothing in the current folder

    // A folder reached through a link of the user's own, by absolute path.
    fs::create_directory(root / "outside" / "target");
    fs::create_directory_symlink(root / "outside" / "target", "via");
    ASSERT_EQ(Run("extract " + (root / "work" / "data.dat").string() + " via"), 0) << err;
    EXPECT_EQ(Snapshot(root / "outside" / "target" / "plumora_data"), Snapshot("src/plumora_data"));
}

TEST_F(ExtractTest, HostileArchivesAreRefusedAndTheFolderStaysAsItWas)
{
    const fs::path corpus = PLM_ARCHIVE_CORPUS;
    struct Case {
        fs::path archive;
        const char* why;
    };
    ArchiveBuilder truncated;
    truncated.Dir("plumora_data").File("plumora_data/a", "12345").bytes.resize(25);
    truncated.Save("truncated.dat");
    ArchiveBuilder().Dir("plumora_data").File("/etc/evil", "x").End().Save("absolute.dat");
    const Case cases[] = {
        {corpus / "dotdot", "refused name \"plumora_data/../x\" (contains a '..' component)"},
        {corpus / "huge_length", "truncated archive"},
        {corpus / "no_end", "no end record"},
        {"truncated.dat", "truncated archive"},
        {"absolute.dat", "absolute path"},
        {"missing.dat", "cannot open the archive"},
    };
    Tree before = Snapshot("dest");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.archive.string());
        EXPECT_EQ(Run("extract '" + c.archive.string() + "' dest"), 1);
        EXPECT_NE(err.find(c.why), std::string::npos) << err;
        EXPECT_EQ(Snapshot("dest"), before);
    }
    ExpectOutsideUnchanged();
}

TEST_F(ExtractTest, APlumoraDataOfTheUsersOwnIsNeverTouched)
{
    ArchiveBuilder().Dir("plumora_data").File("plumora_data/keep.txt", "evil").End().Save();
    fs::create_directory("dest/plumora_data");
    WriteWholeFile("dest/plumora_data/keep.txt", "keep me");
    fs::create_directory("linked");
    fs::create_directory_symlink(root / "outside" / "elsewhere", "linked/plumora_data");
    fs::create_directory("file");
    WriteWholeFile("file/plumora_data", "a file");
    for (const char* dir : {"dest", "linked", "file"}) {
        SCOPED_TRACE(dir);
        Tree before = Snapshot(dir);
        EXPECT_EQ(Run(std::string("extract data.dat ") + dir), 1);
        EXPECT_EQ(err.find(std::string("plm-pack: ") + dir + "/plumora_data: already exists"), 0u) << err;
        EXPECT_EQ(Snapshot(dir), before);
    }
    ExpectOutsideUnchanged();
}

TEST_F(ExtractTest, TheFolderMustExistAndIsNotCreated)
{
    ArchiveBuilder().Dir("plumora_data").End().Save();
    EXPECT_EQ(Run("extract data.dat absent"), 1);
    EXPECT_EQ(err, "plm-pack: absent: does not exist\n");
    EXPECT_FALSE(fs::exists("absent"));
    EXPECT_EQ(Run("extract data.dat dest/mine.txt"), 1);
    EXPECT_EQ(err, "plm-pack: dest/mine.txt: not a directory\n");
}

}  // namespace
