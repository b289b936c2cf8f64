// The generator as a build step: exactly the declared outputs, the same
// bytes on every run, a texture the engine's loader can take, and a clear
// failure when the staging tree cannot be written.
#include <gtest/gtest.h>

#include <IL/il.h>

#include <dirent.h>

#include <set>

#include "generator.h"
#include "pieces/catalog.h"
#include "stage.h"

using namespace pipesgen;

namespace {

void ListFiles(const std::string& root, const std::string& rel, std::set<std::string>* out)
{
    DIR* dir = opendir((root + "/" + rel).c_str());
    if (!dir) return;
    while (dirent* e = readdir(dir)) {
        std::string name = e->d_name;
        if (name == "." || name == "..") continue;
        std::string path = rel.empty() ? name : rel + "/" + name;
        if (e->d_type == DT_DIR)
            ListFiles(root, path, out);
        else
            out->insert(path);
    }
    closedir(dir);
}

}  // namespace

TEST(Generator, WritesExactlyTheDeclaredOutputs)
{
    ASSERT_FALSE(StagedData().empty());
    std::set<std::string> written;
    ListFiles(StagedData() + "/..", "", &written);
    std::vector<std::string> declared = OutputPaths();
    EXPECT_EQ(written, std::set<std::string>(declared.begin(), declared.end()));
}

TEST(Generator, SameBytesOnEveryRun)
{
    ASSERT_FALSE(StagedData().empty());
    const TempFolder folder("plm-pipes-content");
    const std::string& again = folder.Path();
    ASSERT_FALSE(again.empty());
    ASSERT_TRUE(GenerateDataSet(again));
    ASSERT_TRUE(GenerateDataSet(again));  // over an existing tree as well
    for (const std::string& path : OutputPaths()) {
        std::string a = ReadWholeFile(StagedData() + "/../" + path);
        EXPECT_FALSE(a.empty()) << path;
        EXPECT_EQ(a, ReadWholeFile(again + "/" + path)) << path;
    }
}

TEST(Generator, TextureIsAPowerOfTwoRgbPicture)
{
    ASSERT_FALSE(StagedData().empty());
    ilInit();
    ILuint image = 0;
    ilGenImages(1, &image);
    ilBindImage(image);
    ASSERT_TRUE(ilLoadImage((StagedData() + "/texs/" + kPieceTexture).c_str()));
    int w = ilGetInteger(IL_IMAGE_WIDTH), h = ilGetInteger(IL_IMAGE_HEIGHT);
    EXPECT_EQ(ilGetInteger(IL_IMAGE_BYTES_PER_PIXEL), 3);
    EXPECT_GT(w, 0);
    EXPECT_EQ(w & (w - 1), 0);
    EXPECT_EQ(h & (h - 1), 0);
    ilDeleteImages(1, &image);
}

TEST(Generator, ReportsAStagingTreeItCannotWrite)
{
    EXPECT_FALSE(GenerateDataSet("/proc/plm-no-such-dir"));
}
