// bass.so as the program uses it: loaded by path, bound by name, driven
// on SDL's dummy driver (or a bogus one, standing in for a machine without
// sound), and unloaded while music may still be playing.
#include "song.h"

#include "../../runtime/entry_points.h"
#include "../support/temp_folder.h"

#include <SDL.h>
#include <dlfcn.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char* const kMixerSoname = "libSDL2_mixer-2.0.so.0";

// A two-second excerpt of the demo's music, written once per test run.
const std::string& TestMp3Path()
{
    static const std::string path = [] {
        std::string error;
        const std::vector<unsigned char> mp3 = music::RenderSongMp3(2.0, error);
        return ProcessTempFolder().Write("song.mp3", std::string(mp3.begin(), mp3.end()));
    }();
    return path;
}

// Asks the SDL_mixer instance bass.so loaded whether music plays, without
// keeping it loaded afterwards.
int MixerPlayingMusic()
{
    void* mixer = dlopen(kMixerSoname, RTLD_NOW | RTLD_NOLOAD);
    if (!mixer) {
        return -1;
    }
    auto playing = reinterpret_cast<int (*)(void)>(dlsym(mixer, "Mix_PlayingMusic"));
    const int result = playing ? playing() : -1;
    dlclose(mixer);
    return result;
}

// SDL2_mixer pulls in fluidsynth and with it libgomp, whose constructor
// allocates a few bytes that are lost whenever it is unloaded. Keeping
// libgomp resident lets the leak checker judge this library alone.
void PinLibgomp()
{
    static void* const gomp = dlopen("libgomp.so.1", RTLD_NOW | RTLD_NODELETE);
    (void)gomp;
}

bool MixerLoaded()
{
    void* mixer = dlopen(kMixerSoname, RTLD_NOW | RTLD_NOLOAD);
    if (mixer) {
        dlclose(mixer);
    }
    return mixer != nullptr;
}

class BassLibrary : public testing::Test {
protected:
    void SetUp() override
    {
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        PinLibgomp();
        TestMp3Path();
        Load();
    }
    void TearDown() override { Unload(); }

    void Load()
    {
        library_ = dlopen(PLM_BASS_PATH, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library_, nullptr) << dlerror();
        init_ = reinterpret_cast<BASS_INIT>(dlsym(library_, "BASS_Init"));
        start_ = reinterpret_cast<BASS_START>(dlsym(library_, "BASS_Start"));
        create_ = reinterpret_cast<BASS_STREAMCREATEFILE>(dlsym(library_, "BASS_StreamCreateFile"));
        play_ = reinterpret_cast<BASS_CHANNELPLAY>(dlsym(library_, "BASS_ChannelPlay"));
        free_ = reinterpret_cast<BASS_STREAMFREE>(dlsym(library_, "BASS_StreamFree"));
        ASSERT_TRUE(init_ && start_ && create_ && play_ && free_);
    }
    void Unload()
    {
        if (library_) {
            dlclose(library_);
            library_ = nullptr;
        }
    }
    int InitLikeTheDemo() { return init_(1, 44100, 0, nullptr, nullptr); }
    uint32_t OpenFile(const char* path) { return create_(0, path, 0, 0, 0); }

    void* library_ = nullptr;
    BASS_INIT init_ = nullptr;
    BASS_START start_ = nullptr;
    BASS_STREAMCREATEFILE create_ = nullptr;
    BASS_CHANNELPLAY play_ = nullptr;
    BASS_STREAMFREE free_ = nullptr;
};

// --- The demo's sequence -------------------------------------------------

TEST_F(BassLibrary, PlaysAFileOnItsOwnUntilFreed)
{
    ASSERT_EQ(InitLikeTheDemo(), 1);
    EXPECT_EQ(start_(), 1);
    const uint32_t stream = OpenFile(TestMp3Path().c_str());
    ASSERT_NE(stream, 0u);
    EXPECT_EQ(play_(stream, 1), 1);
    SDL_Delay(300);
    EXPECT_EQ(MixerPlayingMusic(), 1);
    EXPECT_EQ(free_(stream), 1);
    EXPECT_EQ(MixerPlayingMusic(), 0);
}

TEST_F(BassLibrary, InitTwiceKeepsTheOutput)
{
    ASSERT_EQ(InitLikeTheDemo(), 1);
    EXPECT_EQ(InitLikeTheDemo(), 1);
    EXPECT_NE(OpenFile(TestMp3Path().c_str()), 0u);
}

TEST_F(BassLibrary, PlayWithoutRestartCarriesOn)
{
    ASSERT_EQ(InitLikeTheDemo(), 1);
    const uint32_t stream = OpenFile(TestMp3Path().c_str());
    ASSERT_EQ(play_(stream, 1), 1);
    EXPECT_EQ(play_(stream, 0), 1);
    EXPECT_EQ(MixerPlayingMusic(), 1);
}

// --- Handles ---------------------------------------------------------------

TEST_F(BassLibrary, FreeingHandleZeroOrAnUnknownHandleFailsWithoutEffect)
{
    EXPECT_EQ(free_(0), 0);  // before BASS_Init, as when the window never opened
    ASSERT_EQ(InitLikeTheDemo(), 1);
    const uint32_t stream = OpenFile(TestMp3Path().c_str());
    ASSERT_EQ(play_(stream, 1), 1);
    EXPECT_EQ(free_(0), 0);
    EXPECT_EQ(free_(stream + 1000), 0);
    EXPECT_EQ(MixerPlayingMusic(), 1);
    EXPECT_EQ(free_(stream), 1);
    EXPECT_EQ(free_(stream), 0);
    EXPECT_EQ(play_(stream, 1), 0);
}

TEST_F(BassLibrary, HandlesAreDistinctAndNonZero)
{
    ASSERT_EQ(InitLikeTheDemo(), 1);
    const uint32_t first = OpenFile(TestMp3Path().c_str());
    const uint32_t second = OpenFile(TestMp3Path().c_str());
    EXPECT_NE(first, 0u);
    EXPECT_NE(second, 0u);
    EXPECT_NE(first, second);
    EXPECT_EQ(free_(first), 1);
    EXPECT_EQ(play_(second, 1), 1);
}

// --- Sources -----------------------------------------------------------------

TEST_F(BassLibrary, MissingFileGivesHandleZeroAndIsReportedOnce)
{
    ASSERT_EQ(InitLikeTheDemo(), 1);
    testing::internal::CaptureStderr();
    EXPECT_EQ(OpenFile("plumora_data/msx/no_such.mp3"), 0u);
    EXPECT_EQ(OpenFile("plumora_data/msx/no_such.mp3"), 0u);
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("bass: cannot open plumora_data/msx/no_such.mp3"), std::string::npos) << messages;
    EXPECT_EQ(messages.find("bass:"), messages.rfind("bass:")) << messages;
    EXPECT_EQ(play_(0, 1), 0);
}

TEST_F(BassLibrary, FileThatIsNoMusicGivesHandleZero)
{
    ASSERT_EQ(InitLikeTheDemo(), 1);
    const std::string path = ProcessTempFolder().Write("not_music.mp3", "plain text, not an MP3 stream\n");
    EXPECT_EQ(OpenFile(path.c_str()), 0u);
    EXPECT_EQ(OpenFile(nullptr), 0u);
}

TEST_F(BassLibrary, StreamBeforeInitIsRefused)
{
    EXPECT_EQ(OpenFile(TestMp3Path().c_str()), 0u);
    EXPECT_EQ(start_(), 0);
}

TEST_F(BassLibrary, MemoryStreamPlays)
{
    ASSERT_EQ(InitLikeTheDemo(), 1);
    const std::string bytes = ReadWholeFile(TestMp3Path());
    const uint32_t stream = create_(1, bytes.data(), 0, bytes.size(), 0);
    ASSERT_NE(stream, 0u);
    EXPECT_EQ(play_(stream, 1), 1);
    EXPECT_EQ(free_(stream), 1);
    EXPECT_EQ(create_(1, bytes.data(), 0, 0, 0), 0u);  // a memory block needs its length
}

TEST_F(BassLibrary, FileRangesInsideTheFileOpenAndOthersFail)
{
    ASSERT_EQ(InitLikeTheDemo(), 1);
    const uint64_t size = ReadWholeFile(TestMp3Path()).size();
    const char* path = TestMp3Path().c_str();
    EXPECT_NE(create_(0, path, 0, size, 0), 0u);
    EXPECT_EQ(create_(0, path, size, 0, 0), 0u);
    EXPECT_EQ(create_(0, path, 1, size, 0), 0u);
    EXPECT_EQ(create_(0, path, UINT64_MAX, 1, 0), 0u);
}

// --- Devices -------------------------------------------------------------------

TEST_F(BassLibrary, UnusableDriverFallsBackToSilentOutput)
{
    Unload();
    setenv("SDL_AUDIODRIVER", "nonexistent", 1);
    Load();
    testing::internal::CaptureStderr();
    ASSERT_EQ(InitLikeTheDemo(), 1);
    const std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("no sound device"), std::string::npos) << messages;
    EXPECT_STREQ(SDL_GetCurrentAudioDriver(), "dummy");
    EXPECT_STREQ(SDL_GetHint(SDL_HINT_AUDIODRIVER), "nonexistent");  // override lifted again
    const uint32_t stream = OpenFile(TestMp3Path().c_str());
    ASSERT_NE(stream, 0u);
    EXPECT_EQ(play_(stream, 1), 1);
}

TEST_F(BassLibrary, DeviceZeroIsSilentWithoutComplaint)
{
    Unload();
    setenv("SDL_AUDIODRIVER", "nonexistent", 1);
    Load();
    testing::internal::CaptureStderr();
    ASSERT_EQ(init_(0, 44100, 0, nullptr, nullptr), 1);
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
    EXPECT_STREQ(SDL_GetCurrentAudioDriver(), "dummy");
}

// --- Unloading -------------------------------------------------------------------

TEST_F(BassLibrary, UnloadWhilePlayingStopsTheMixerAndLeavesOtherSdlAlone)
{
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_EVENTS), 0);
    ASSERT_EQ(InitLikeTheDemo(), 1);
    ASSERT_EQ(play_(OpenFile(TestMp3Path().c_str()), 1), 1);
    SDL_Delay(100);
    Unload();
    SDL_Delay(200);  // a mixer callback left behind would now run unmapped code
    EXPECT_FALSE(MixerLoaded());
    EXPECT_EQ(SDL_WasInit(SDL_INIT_AUDIO), 0u);
    EXPECT_NE(SDL_WasInit(SDL_INIT_EVENTS), 0u);
    SDL_QuitSubSystem(SDL_INIT_EVENTS);
}

TEST_F(BassLibrary, ReloadAfterUnloadWorksAgain)
{
    ASSERT_EQ(InitLikeTheDemo(), 1);
    ASSERT_EQ(play_(OpenFile(TestMp3Path().c_str()), 1), 1);
    Unload();
    Load();
    ASSERT_EQ(InitLikeTheDemo(), 1);
    const uint32_t stream = OpenFile(TestMp3Path().c_str());
    ASSERT_NE(stream, 0u);
    EXPECT_EQ(play_(stream, 1), 1);
}

}  // namespace
