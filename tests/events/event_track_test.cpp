#include "scene/event_track.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

// Reads text into track; returns ReadEvents' result, stderr into messages.
int Read(CEVENTTRACK& track, const std::string& text, std::string* messages = nullptr)
{
    std::string path = ProcessTempFolder().Write("events.plm", text);
    ::testing::internal::CaptureStderr();
    int result = track.ReadEvents(path.c_str());
    std::string out = ::testing::internal::GetCapturedStderr();
    if (messages != nullptr) {
        *messages = out;
    }
    return result;
}

// A file read, then polls at the given times, each returning the given code
// (0: nothing due).
struct PollCase {
    const char* name;
    const char* text;
    std::vector<std::pair<float, uint32_t>> polls;
};

TEST(EventPoll, DueEventsComeOnePerPollInFileOrder)
{
    const PollCase cases[] = {
        {"events at zero come one per frame",
         "3\n0 1 shake\n0 3 flash\n0 6 both\n",
         {{0.0f, 1}, {0.0f, 3}, {16.0f, 6}, {16.0f, 0}, {60000.0f, 0}}},
        {"two events at one time come in two polls",
         "2 500 4 a 500 1 b",
         {{499.0f, 0}, {520.0f, 4}, {520.0f, 1}, {520.0f, 0}}},
        {"time is truncated toward zero", "1 1000 3 flash", {{999.9f, 0}, {1000.0f, 3}}},
        {"late events are never skipped", "2 100 1 a 200 3 b", {{5000.0f, 1}, {5016.0f, 3}}},
        {"codes without effect are still consumed",
         "3 10 2 x 10 5 y 10 6 z",
         {{10.0f, 2}, {10.0f, 5}, {10.0f, 6}}},
        // 65600 mod 65536 = 64, which is due for the first event only.
        {"time is compared modulo 65536", "2 64 1 a 100 3 b", {{65600.0f, 1}, {65600.0f, 0}, {65636.0f, 3}}},
        // -0.5 truncates to 0; -1 wraps to 65535.
        {"negative times compare safely", "2 0 1 a 65535 3 b", {{-0.5f, 1}, {-1.0f, 3}}},
        {"NaN and infinite times compare safely",
         "1 5 1 a",
         {{__builtin_nanf(""), 0}, {__builtin_inff(), 0}}},
    };
    for (const PollCase& c : cases) {
        SCOPED_TRACE(c.name);
        CEVENTTRACK track;
        ASSERT_EQ(Read(track, c.text), 1);
        for (const auto& [time, code] : c.polls) EXPECT_EQ(track.PollEvent(time), code) << time;
    }
}

TEST(EventPoll, EventAt65536OrLaterBlocksTheRest)
{
    CEVENTTRACK track;
    std::string messages;
    ASSERT_EQ(Read(track, "3 10 1 a 65536 3 b 20 4 c", &messages), 1);
    EXPECT_NE(messages.find("event 2 at 65536 ms is never due"), std::string::npos) << messages;
    EXPECT_EQ(track.PollEvent(10.0f), 1u);
    for (float time : {20.0f, 65535.0f, 65536.0f, 131071.0f, 1e9f}) {
        EXPECT_EQ(track.PollEvent(time), 0u) << time;
    }
}

TEST(EventPoll, EmptyTrackReturnsNothing)
{
    CEVENTTRACK track;
    EXPECT_EQ(track.PollEvent(0.0f), 0u);
    ASSERT_EQ(Read(track, "0\n"), 1);
    EXPECT_EQ(track.PollEvent(100.0f), 0u);
}

TEST(EventRead, MissingFileGivesNoEvents)
{
    CEVENTTRACK track;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(track.ReadEvents("/nonexistent/bits.plm"), 0);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("/nonexistent/bits.plm"), std::string::npos);
    EXPECT_EQ(track.eventCount, 0u);
    EXPECT_EQ(track.PollEvent(1000.0f), 0u);
}

TEST(EventRead, MalformedRecordKeepsTheEventsBeforeIt)
{
    CEVENTTRACK track;
    std::string messages;
    EXPECT_EQ(Read(track, "4 10 1 a 20 x b 30 3 c 40 4 d", &messages), 0);
    EXPECT_NE(messages.find("event 2"), std::string::npos) << messages;
    ASSERT_EQ(track.eventCount, 1u);
    EXPECT_EQ(track.PollEvent(100.0f), 1u);
    EXPECT_EQ(track.PollEvent(100.0f), 0u);
}

TEST(EventRead, ShortFileKeepsWhatItHolds)
{
    CEVENTTRACK track;
    EXPECT_EQ(Read(track, "5 10 1 a 20 3"), 0);
    EXPECT_EQ(track.eventCount, 2u);  // the last word is skipped, never required
    EXPECT_EQ(Read(track, ""), 0);
    EXPECT_EQ(track.eventCount, 0u);
    EXPECT_EQ(Read(track, "many 10 1 a"), 0);
    EXPECT_EQ(track.eventCount, 0u);
}

TEST(EventRead, MoreEventsThanFitAreCut)
{
    std::string text = "70000\n";
    for (int i = 0; i < 70000; ++i) {
        text += "7 2 x\n";
    }
    CEVENTTRACK track;
    std::string messages;
    EXPECT_EQ(Read(track, text, &messages), 0);
    EXPECT_NE(messages.find("65535"), std::string::npos) << messages;
    ASSERT_EQ(track.eventCount, 65535u);
    uint32_t polled = 0;
    while (track.PollEvent(7.0f) != 0) {
        ++polled;
    }
    EXPECT_EQ(polled, 65535u);
    EXPECT_EQ(track.nextEvent, 65535u);
}

TEST(EventRead, HugeCountReadsOnlyWhatIsThere)
{
    CEVENTTRACK track;
    std::string messages;
    EXPECT_EQ(Read(track, "4294967295 1 1 a", &messages), 0);
    EXPECT_EQ(track.eventCount, 1u);
    EXPECT_NE(messages.find("4294967295 events are more than the 65535"), std::string::npos) << messages;
}

// Counts are reported as the file wrote them, never as their unsigned
// 32-bit reading (4294967295 for -1); a negative count gives no events.
TEST(EventRead, NegativeCountIsReportedWithItsSignAndGivesNoEvents)
{
    for (const char* count : {"-1", "-4294967295", "-65536"}) {
        CEVENTTRACK track;
        std::string messages;
        EXPECT_EQ(Read(track, std::string(count) + " 10 1 a 20 3 b", &messages), 0);
        EXPECT_NE(messages.find(std::string(": the event count ") + count + " is negative; no events"),
                  std::string::npos)
            << messages;
        EXPECT_EQ(track.eventCount, 0u);
        EXPECT_EQ(track.PollEvent(100.0f), 0u);
    }
}

}  // namespace
