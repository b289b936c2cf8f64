// bass.dll as the program uses it: loaded by path, bound by name, the
// demo's sequence on the data set's music, and the calls that must fail
// without effect. Under Wine there is usually no sound device, so these
// runs exercise the silent output; the decoding itself is tested in
// acm_decoder_test.cpp.
#include "win_test_files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;
typedef int(__stdcall* BASS_INIT)(int, uint32_t, uint32_t, void*, const void*);
typedef int(__stdcall* BASS_START)(void);
typedef uint32_t(__stdcall* BASS_STREAMCREATEFILE)(int, const void*, uint64_t, uint64_t, uint32_t);
typedef int(__stdcall* BASS_CHANNELPLAY)(uint32_t, int);
typedef int(__stdcall* BASS_STREAMFREE)(uint32_t);

class BassDll : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(folder_.Path().empty());
        library_ = wintest::LoadBeside("bass.dll");
        ASSERT_NE(library_, nullptr);
        ASSERT_TRUE(Bind(init_, "BASS_Init") && Bind(start_, "BASS_Start") &&
                    Bind(create_, "BASS_StreamCreateFile") && Bind(play_, "BASS_ChannelPlay") &&
                    Bind(free_, "BASS_StreamFree"));
    }
    void TearDown() override
    {
        if (library_) FreeLibrary(library_);
    }

    template <typename F>
    bool Bind(F& slot, const char* name)
    {
        slot = reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(library_, name)));
        return slot != nullptr;
    }
    int InitLikeTheDemo() { return init_(1, 44100, 0, nullptr, nullptr); }
    uint32_t OpenFile(const std::string& path) { return create_(0, path.c_str(), 0, 0, 0); }
    std::string Music() const { return wintest::DataSetFile("msx/msx.mp3"); }

    wintest::TempFolder folder_{"plm-bass"};
    HMODULE library_ = nullptr;
    BASS_INIT init_ = nullptr;
    BASS_START start_ = nullptr;
    BASS_STREAMCREATEFILE create_ = nullptr;
    BASS_CHANNELPLAY play_ = nullptr;
    BASS_STREAMFREE free_ = nullptr;
};

}  // namespace

TEST_F(BassDll, TheDemoSequenceSucceedsWithOrWithoutADevice)
{
    EXPECT_EQ(free_(0), 0);  // as when the window never opened
    ASSERT_EQ(InitLikeTheDemo(), 1);
    EXPECT_EQ(start_(), 1);
    const uint32_t stream = OpenFile(Music());
    ASSERT_NE(stream, 0u);
    EXPECT_EQ(play_(stream, 1), 1);
    EXPECT_EQ(play_(stream, 0), 1);
    EXPECT_EQ(free_(stream), 1);
    EXPECT_EQ(free_(stream), 0);  // a second free does nothing
    EXPECT_EQ(play_(stream, 1), 0);
}

TEST_F(BassDll, StreamsBeforeInitAreRefused)
{
    EXPECT_EQ(start_(), 0);
    EXPECT_EQ(OpenFile(Music()), 0u);
    EXPECT_EQ(InitLikeTheDemo(), 1);
    EXPECT_EQ(InitLikeTheDemo(), 1);  // again: nothing changes
}

// Without a device the output is silent and says so once; with one (the
// run that gives Wine a sound device sets PLM_EXPECT_SOUND_DEVICE) it
// says nothing.
TEST_F(BassDll, AMissingDeviceIsReportedOnce)
{
    testing::internal::CaptureStderr();
    ASSERT_EQ(InitLikeTheDemo(), 1);
    ASSERT_EQ(InitLikeTheDemo(), 1);
    const std::string messages = testing::internal::GetCapturedStderr();
    const size_t report = messages.find("bass: no sound device");
    if (std::getenv("PLM_EXPECT_SOUND_DEVICE")) {
        EXPECT_EQ(report, std::string::npos) << messages;
    } else if (report != std::string::npos) {
        EXPECT_EQ(messages.find("bass:", report + 1), std::string::npos) << messages;
    }
}

// A stream left playing when the library is unloaded keeps the library
// loaded until its sound has ended (the music lasts far longer than this
// test), so that its worker never runs unmapped code; loading it again
// still works. Without a device nothing plays and the library unloads.
TEST_F(BassDll, UnloadingWhilePlayingKeepsTheLibraryUntilTheSoundEnds)
{
    ASSERT_EQ(InitLikeTheDemo(), 1);
    const uint32_t stream = OpenFile(Music());
    ASSERT_NE(stream, 0u);
    ASSERT_EQ(play_(stream, 1), 1);
    EXPECT_EQ(play_(stream, 1), 1);  // restart while playing
    char path[MAX_PATH] = {};
    GetModuleFileNameA(library_, path, MAX_PATH);
    FreeLibrary(library_);
    library_ = nullptr;
    if (std::getenv("PLM_EXPECT_SOUND_DEVICE")) {
        EXPECT_NE(GetModuleHandleA(path), nullptr);
    }
    SetUp();
    ASSERT_EQ(InitLikeTheDemo(), 1);
    const uint32_t again = OpenFile(Music());
    ASSERT_NE(again, 0u);
    EXPECT_EQ(play_(again, 1), 1);
    EXPECT_EQ(free_(again), 1);
}

TEST_F(BassDll, DeviceZeroIsSilentAndStillPlays)
{
    ASSERT_EQ(init_(0, 44100, 0, nullptr, nullptr), 1);
    const uint32_t stream = OpenFile(Music());
    ASSERT_NE(stream, 0u);
    EXPECT_EQ(play_(stream, 1), 1);
    EXPECT_EQ(free_(stream), 1);
}

TEST_F(BassDll, MissingGarbageAndEmptySourcesGiveHandleZero)
{
    ASSERT_EQ(InitLikeTheDemo(), 1);
    EXPECT_EQ(OpenFile(folder_.File("none.mp3")), 0u);
    EXPECT_EQ(OpenFile(folder_.Write("text.mp3", Bytes(4000, 'x'))), 0u);
    EXPECT_EQ(OpenFile(folder_.Write("empty.mp3", {})), 0u);
    EXPECT_EQ(OpenFile(folder_.Path()), 0u);  // a folder
    EXPECT_EQ(create_(0, nullptr, 0, 0, 0), 0u);
    EXPECT_EQ(play_(0, 1), 0);
    EXPECT_EQ(free_(12345), 0);
}

TEST_F(BassDll, FileRangesAndMemoryBlocks)
{
    ASSERT_EQ(InitLikeTheDemo(), 1);
    const Bytes mp3 = wintest::ReadBytes(Music());
    ASSERT_GT(mp3.size(), 10000u);
    const std::string path = Music();
    const uint32_t whole = create_(0, path.c_str(), 0, mp3.size(), 0);
    EXPECT_NE(whole, 0u);
    EXPECT_NE(create_(0, path.c_str(), 5000, 0, 0), 0u);  // from the middle: resynchronises
    EXPECT_EQ(create_(0, path.c_str(), mp3.size(), 0, 0), 0u);
    EXPECT_EQ(create_(0, path.c_str(), 1, mp3.size(), 0), 0u);
    EXPECT_EQ(create_(0, path.c_str(), UINT64_MAX, 1, 0), 0u);

    Bytes block = mp3;
    const uint32_t fromMemory = create_(1, block.data(), 0, block.size(), 0);
    ASSERT_NE(fromMemory, 0u);
    Bytes().swap(block);  // the stream keeps its own copy
    EXPECT_EQ(play_(fromMemory, 1), 1);
    EXPECT_EQ(free_(fromMemory), 1);
    EXPECT_EQ(create_(1, mp3.data(), 0, 0, 0), 0u);                  // a memory block needs its length
    EXPECT_EQ(create_(1, mp3.data(), UINT64_MAX - 10, 100, 0), 0u);  // past the end of memory
    EXPECT_NE(whole, fromMemory);
}
