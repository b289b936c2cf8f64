// plm-pack: packing is deterministic and round-trips through the unpacker;
// listing reports malformed archives.
#include <cstdlib>

#include "shell/archive.h"
#include "tests/archive/scratch.h"

namespace {

class PlmPackTest : public ScratchTest {
protected:
    // Runs plm-pack with args; its output lands in `out` and `err`.
    int Run(const std::string& args)
    {
        std::string command = std::string(PLM_PACK) + " " + args + " >out.txt 2>err.txt";
        int status = std::system(command.c_str());
        out = ReadBytes("out.txt");
        err = ReadBytes("err.txt");
        fs::remove("out.txt");
        fs::remove("err.txt");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    void MakeSource()
    {
        std::string all;
        for (int byte = 0; byte < 256; ++byte)
            all += static_cast<char>(byte);
        fs::create_directories("src/plumora_data/gfx");
        fs::create_directories("src/plumora_data/empty dir");
        fs::create_directories("src/plumora_data/a/b/c");
        WriteBytes("src/plumora_data/gfx/all.bin", all);
        WriteBytes("src/plumora_data/a/b/c/zero", "");
        WriteBytes("src/plumora_data/top.txt", "top");
        WriteBytes("src/ignored.txt", "not packed");
    }
    std::string out, err;
};

TEST_F(PlmPackTest, PacksInByteOrderWithDirectoriesFirst)
{
    fs::create_directories("src/plumora_data/a");
    WriteBytes("src/plumora_data/b", "x");
    WriteBytes("src/plumora_data/a/c", "");
    WriteBytes("src/plumora_data/B", "y");
    WriteBytes("src/plumora_data/_", "z");
    ASSERT_EQ(Run("pack src data.dat"), 0) << err;
    ArchiveBuilder expected;
    expected.Dir("plumora_data").File("plumora_data/B", "y").File("plumora_data/_", "z")
        .Dir("plumora_data/a").File("plumora_data/a/c", "").File("plumora_data/b", "x").End();
    EXPECT_EQ(ReadBytes("data.dat"), expected.bytes);
}

TEST_F(PlmPackTest, SameTreeGivesSameBytesAndUnpacksToIt)
{
    MakeSource();
    ASSERT_EQ(Run("pack src one.dat"), 0) << err;
    ASSERT_EQ(Run("pack src data.dat"), 0) << err;
    EXPECT_EQ(ReadBytes("one.dat"), ReadBytes("data.dat"));
    std::string error;
    ASSERT_TRUE(UnpackArchive("data.dat", &error)) << error;
    EXPECT_EQ(Snapshot("plumora_data"), Snapshot("src/plumora_data"));
}

TEST_F(PlmPackTest, RefusesLinksAndSpecialFilesAndLeavesNoOutput)
{
    MakeSource();
    fs::create_symlink(root / "outside" / "canary.txt", "src/plumora_data/gfx/link");
    EXPECT_EQ(Run("pack src data.dat"), 1);
    EXPECT_NE(err.find("src/plumora_data/gfx/link: symbolic link"), std::string::npos) << err;
    EXPECT_FALSE(fs::exists("data.dat"));
    EXPECT_EQ(Run("pack nowhere data.dat"), 1);
    EXPECT_NE(err.find("nowhere/plumora_data: not a directory"), std::string::npos) << err;
}

TEST_F(PlmPackTest, ListsRecords)
{
    ArchiveBuilder archive;
    archive.Dir("plumora_data").File("plumora_data/a b", "12345").Record(7, "note").End();
    archive.bytes += "trailing";
    archive.Save();
    EXPECT_EQ(Run("list data.dat"), 0) << err;
    EXPECT_EQ(out,
              "         0  directory          -  \"plumora_data\"\n"
              "        15  file               5  \"plumora_data/a b\"\n"
              "        43  tag 7              -  \"note\"\n"
              "        50  end                -\n"
              "(8 bytes after the end record are not part of the archive)\n");
}

TEST_F(PlmPackTest, ListReportsMalformedArchives)
{
    ArchiveBuilder truncated;
    truncated.Dir("plumora_data").File("plumora_data/a", "12345").bytes.resize(20);
    truncated.Save("bad.dat");
    EXPECT_EQ(Run("list bad.dat"), 1);
    EXPECT_NE(err.find("bad.dat: truncated archive"), std::string::npos) << err;

    ArchiveBuilder().Dir("plumora_data").File("plumora_data/../x", "").End().Save("evil.dat");
    EXPECT_EQ(Run("list evil.dat"), 1);
    EXPECT_NE(err.find("refused name \"plumora_data/../x\""), std::string::npos) << err;

    EXPECT_EQ(Run("list missing.dat"), 1);
    EXPECT_NE(err.find("missing.dat: cannot open the archive"), std::string::npos) << err;
    EXPECT_EQ(Run("--help"), 0);
    EXPECT_EQ(Run("bogus"), 2);
}

}  // namespace
