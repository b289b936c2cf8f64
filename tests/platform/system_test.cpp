// The clock, run-time libraries and process facts of the system part.
#include "platform/clock.h"
#include "platform/dynlib.h"
#include "platform/process.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "tests/support/temp_folder.h"

namespace {

int64_t FixedCounter()
{
    return 42;
}

TEST(Clock, CountsMicrosecondsAndCanBeSubstituted)
{
    EXPECT_EQ(PlatformCounterFrequency(), 1000000);
    int64_t before = PlatformCounter();
    auto start = std::chrono::steady_clock::now();
    PlatformSleep(20);
    auto slept = std::chrono::steady_clock::now() - start;
    EXPECT_GE(slept, std::chrono::milliseconds(20));
    EXPECT_GE(PlatformCounter() - before, 20000);
    PlatformSetCounter(FixedCounter);
    EXPECT_EQ(PlatformCounter(), 42);
    PlatformSetCounter(nullptr);
    EXPECT_GE(PlatformCounter(), before + 20000);
}

TEST(Libraries, NamesGetTheSystemSuffixAndFailuresSayWhy)
{
    EXPECT_EQ(PlatformLibraryFile("plumora_data/dll/devil"), "plumora_data/dll/devil.so");
    EXPECT_EQ(PlatformLoadLibrary("no/such/library.so"), nullptr);
    EXPECT_NE(std::string(PlatformLibraryError()).find("no/such/library.so"), std::string::npos);
    EXPECT_EQ(PlatformGetSymbol(nullptr, "cos"), nullptr);
    EXPECT_STREQ(PlatformLibraryError(), "library not loaded");
    PlatformFreeLibrary(nullptr);
}

TEST(Libraries, BindsExportedNamesOnly)
{
    void* math = PlatformLoadLibrary("libm.so.6");
    ASSERT_NE(math, nullptr) << PlatformLibraryError();
    auto cosine = reinterpret_cast<double (*)(double)>(PlatformGetSymbol(math, "cos"));
    ASSERT_NE(cosine, nullptr);
    EXPECT_DOUBLE_EQ(cosine(0.0), 1.0);
    EXPECT_EQ(PlatformGetSymbol(math, "no_such_name"), nullptr);
    EXPECT_NE(std::string(PlatformLibraryError()).find("no_such_name"), std::string::npos);
    PlatformFreeLibrary(math);
}

TEST(Process, PrivateFoldersAndTheirFailures)
{
    TempFolder temp("plm-platform");
    std::string error;
    std::string made = PlatformMakeTempDirectoryIn(temp.Path().c_str(), "run-", &error);
    ASSERT_FALSE(made.empty()) << error;
    EXPECT_EQ(made.rfind(temp.Path() + "/run-", 0), 0u);
    struct stat st;
    ASSERT_EQ(stat(made.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 0777, 0700u);
    EXPECT_TRUE(PlatformMakeTempDirectoryIn(temp.File("missing").c_str(), "run-", &error).empty());
    EXPECT_EQ(error, "No such file or directory");
    EXPECT_TRUE(PlatformCanCreateIn(made.c_str(), nullptr));
    std::string reason;
    EXPECT_FALSE(PlatformCanCreateIn(temp.File("missing").c_str(), &reason));
    EXPECT_EQ(reason, "No such file or directory");
}

TEST(Process, PathKindsAndResolvedPaths)
{
    TempFolder temp("plm-platform");
    std::FILE* file = std::fopen(temp.File("file").c_str(), "w");
    ASSERT_NE(file, nullptr);
    std::fclose(file);
    ASSERT_EQ(symlink("file", temp.File("link").c_str()), 0);
    ASSERT_EQ(symlink("nowhere", temp.File("dangling").c_str()), 0);
    EXPECT_EQ(PlatformPathKind(temp.Path().c_str()), PLATFORM_PATH_DIRECTORY);
    EXPECT_EQ(PlatformPathKind(temp.File("link").c_str()), PLATFORM_PATH_REGULAR);
    EXPECT_EQ(PlatformPathKind(temp.File("dangling").c_str()), PLATFORM_PATH_MISSING);
    EXPECT_EQ(PlatformPathKind(temp.File("file/below").c_str()), PLATFORM_PATH_MISSING);
    EXPECT_EQ(PlatformPathKind("/dev/null"), PLATFORM_PATH_OTHER);
    std::string real = PlatformResolvePath(temp.Path().c_str());
    EXPECT_EQ(PlatformResolvePath(temp.File("link").c_str()), real + "/file");
    EXPECT_EQ(PlatformResolvePath(temp.File("missing/x").c_str()), real + "/missing/x");
    EXPECT_EQ(PlatformAbsolutePath("rel"), PlatformCurrentDirectory() + "/rel");
    EXPECT_TRUE(PlatformIsAbsolutePath("/x"));
    EXPECT_FALSE(PlatformIsAbsolutePath("x/y"));
    EXPECT_EQ(PlatformTemporaryFolder(), "/tmp");
    EXPECT_EQ(PlatformProgramDirectory(), PlatformResolvePath(PLM_TEST_BINARY_DIR));
}

}  // namespace
