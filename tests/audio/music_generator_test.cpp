// The music generator: repeatable output, a sound master, the musical
// landmarks the demo's scenes follow, and an event script that the
// player's reader accepts and that stays on the beat grid.
#include "arrangement.h"
#include "beat_grid.h"
#include "mixdown.h"
#include "song.h"
#include "song_events.h"
#include "scene/event_track.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>
#include <set>
#include <sstream>
#include <vector>

namespace {

// The first 18 s: intro, groove, build-up and the start of the drop.
const std::vector<int16_t>& Opening()
{
    static const std::vector<int16_t> pcm = music::RenderSong(18.0);
    return pcm;
}

// RMS level in dBFS of both channels between two song times.
double LevelDb(const std::vector<int16_t>& pcm, double fromSeconds, double toSeconds)
{
    const size_t first = 2 * static_cast<size_t>(fromSeconds * music::kSampleRate);
    const size_t last = std::min(pcm.size(), 2 * static_cast<size_t>(toSeconds * music::kSampleRate));
    double sum = 0.0;
    for (size_t i = first; i < last; ++i) {
        sum += (pcm[i] / 32768.0) * (pcm[i] / 32768.0);
    }
    return 10.0 * std::log10(sum / std::max<size_t>(last - first, 1) + 1e-12);
}

// --- Repeatability and encoding --------------------------------------------------

TEST(MusicGenerator, SameBytesOnEveryRender)
{
    std::string error;
    const std::vector<unsigned char> first = music::RenderSongMp3(1.5, error);
    const std::vector<unsigned char> second = music::RenderSongMp3(1.5, error);
    ASSERT_FALSE(first.empty()) << error;
    EXPECT_EQ(first, second);
}

TEST(MusicGenerator, Mp3StartsWithAFrameNotATag)
{
    std::string error;
    const std::vector<unsigned char> mp3 = music::RenderSongMp3(0.5, error);
    ASSERT_GE(mp3.size(), 4u) << error;
    // MPEG-1 layer III sync word; an ID3 tag (which could carry a date) would start with "ID3".
    EXPECT_EQ(mp3[0], 0xFF);
    EXPECT_EQ(mp3[1] & 0xFE, 0xFA);
    // 192 kbit/s for 0.5 s plus the Info frame and encoder delay: roughly 12-16 kB.
    EXPECT_GT(mp3.size(), 11000u);
    EXPECT_LT(mp3.size(), 17000u);
}

// --- Master ----------------------------------------------------------------------

TEST(MusicGenerator, PeakSitsAtTheTargetWithoutClipping)
{
    const std::vector<int16_t>& pcm = Opening();
    ASSERT_EQ(pcm.size(), 2u * 18 * music::kSampleRate);
    int peak = 0;
    for (int16_t s : pcm) {
        peak = std::max(peak, std::abs(static_cast<int>(s)));
    }
    EXPECT_NEAR(peak / 32767.0, music::kTargetPeak, 1.0 / 32767.0 * 2);
}

TEST(MusicGenerator, RenderEndsInSilence)
{
    const std::vector<int16_t>& pcm = Opening();
    EXPECT_EQ(pcm[pcm.size() - 1], 0);
    EXPECT_EQ(pcm[pcm.size() - 2], 0);
    EXPECT_LT(LevelDb(pcm, 17.9, 18.0), -50.0);
}

// --- Landmarks the scenes follow ----------------------------------------------------

TEST(MusicGenerator, BuildUpAt10700MsIsAClearChange)
{
    const double groove = LevelDb(Opening(), 8.7, 10.7);
    const double build = LevelDb(Opening(), 10.7, 12.7);
    EXPECT_GT(groove - build, 4.0) << "groove " << groove << " dB, build-up " << build << " dB";
}

TEST(MusicGenerator, DropAt14750MsIsLoudest)
{
    const double build = LevelDb(Opening(), 12.75, 14.75);
    const double drop = LevelDb(Opening(), 14.75, 16.0);
    EXPECT_GT(drop - build, 4.0) << "build-up " << build << " dB, drop " << drop << " dB";
    EXPECT_GT(drop, LevelDb(Opening(), 2.6, 10.7));
}

TEST(MusicGenerator, IntroIsQuietBeforeTheFirstBeat)
{
    EXPECT_LT(LevelDb(Opening(), 0.0, 2.5), LevelDb(Opening(), 2.6, 10.7) - 8.0);
}

// --- Event script ----------------------------------------------------------------

TEST(SongEvents, SortedBelowTheTimeLimitWithKnownCodes)
{
    const std::vector<music::SongEvent> events = music::SongEvents();
    ASSERT_FALSE(events.empty());
    const std::set<uint32_t> codes = {EVENT_SHAKE, EVENT_FLASH, EVENT_CRASH_FLASH, EVENT_SHAKE_FLASH};
    for (size_t i = 0; i < events.size(); ++i) {
        EXPECT_LT(events[i].timeMs, EVENT_TIME_LIMIT);
        EXPECT_EQ(codes.count(events[i].code), 1u) << events[i].timeMs;
        if (i > 0) {
            EXPECT_LT(events[i - 1].timeMs, events[i].timeMs);
        }
    }
}

TEST(SongEvents, BothSceneChangesShakeAndFlash)
{
    const std::vector<music::SongEvent> events = music::SongEvents();
    for (uint32_t time : {10700u, 14750u}) {
        const auto it = std::find_if(events.begin(), events.end(),
                                     [time](const music::SongEvent& e) { return e.timeMs == time; });
        ASSERT_NE(it, events.end()) << time;
        EXPECT_EQ(it->code, EVENT_SHAKE_FLASH);
    }
}

bool Flashes(uint32_t code)
{
    return code == EVENT_FLASH || code == EVENT_CRASH_FLASH || code == EVENT_SHAKE_FLASH;
}

// In the turntable a flash whitens the credits panel: only the drops and
// the crash cymbals flash there, spaced so that the greetings stay readable
// between them; the kicks, hats and rolls still shake on their beats.
TEST(SongEvents, TurntableFlashesOnlyOnDropsAndCrashesFarApart)
{
    std::set<uint32_t> accents = {static_cast<uint32_t>(music::BarMs(music::kDropBar)),
                                  static_cast<uint32_t>(music::BarMs(music::kDrop2Bar))};
    for (int bar : music::CrashBars()) accents.insert(static_cast<uint32_t>(music::BarMs(bar)));
    std::vector<uint32_t> flashes;
    int shakes = 0;
    for (const music::SongEvent& event : music::SongEvents()) {
        if (event.timeMs < SCENE_TURNTABLE_START) continue;
        if (!Flashes(event.code)) {
            shakes += event.code == EVENT_SHAKE;
            continue;
        }
        EXPECT_EQ(accents.count(event.timeMs), 1u) << event.timeMs << " " << event.label;
        if (!flashes.empty()) {
            EXPECT_GE(event.timeMs - flashes.back(), music::kTurntableFlashSpacingMs) << event.timeMs;
        }
        flashes.push_back(event.timeMs);
    }
    // The drop, the crashes that fall before the time limit and the second drop.
    EXPECT_EQ(flashes, (std::vector<uint32_t>{14750, 30950, 47150, 63350}));
    EXPECT_GE(shakes, 8);
}

// While the pipes grow every groove bar's kick still flashes.
TEST(SongEvents, GrooveKicksFlashBeforeTheFaceFlight)
{
    int kicks = 0;
    for (const music::SongEvent& event : music::SongEvents()) {
        if (event.timeMs > music::BarMs(music::kGrooveBar) && event.timeMs < SCENE_FACE_START) {
            kicks += event.code == EVENT_FLASH;
        }
    }
    EXPECT_EQ(kicks, music::kBuildBar - music::kGrooveBar - 1);
}

TEST(SongEvents, EveryEventSitsOnTheBeatGrid)
{
    for (const music::SongEvent& event : music::SongEvents()) {
        const double eighths = (event.timeMs - music::kGridStartMs) / (music::kBeatMs / 8.0);
        EXPECT_NEAR(eighths, std::round(eighths), 1.0 / (music::kBeatMs / 8.0)) << event.timeMs;
        EXPECT_GE(eighths, -0.01) << event.timeMs;
    }
}

// The player's own reader takes every event; the count, then three words per
// event ("time code label") and nothing after the last.
TEST(SongEvents, ScriptReadsBackWithThePlayersReader)
{
    const std::vector<music::SongEvent> events = music::SongEvents();
    const std::string text = music::FormatEventScript(events);
    TempFolder folder("plm-song-events");
    CEVENTTRACK track;
    ASSERT_EQ(track.ReadEvents(folder.Write("bits.plm", text).c_str()), 1);
    ASSERT_EQ(track.eventCount, events.size());
    for (size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(track.eventList[i].eventTime, events[i].timeMs);
        EXPECT_EQ(track.eventList[i].eventCode, events[i].code);
    }
    std::istringstream words(text);
    EXPECT_EQ(size_t(std::distance(std::istream_iterator<std::string>(words), {})), 1 + 3 * events.size());
}

}  // namespace
