// The music's length from its MP3 frame headers, also as the archive holds
// it, and also from damaged or hostile files.
#include "archive_music.h"
#include "mp3_length.h"

#include "shell/archive_writer.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>

namespace {

// MPEG-1 layer III, 128 kbit/s, 44100 Hz, stereo: 417 bytes (418 padded),
// 1152 samples.
const std::string MPEG1_HEADER("\xFF\xFB\x90\x00", 4);
const std::string MPEG1_PADDED("\xFF\xFB\x92\x00", 4);
// MPEG-2 layer III, 64 kbit/s, 22050 Hz, mono: 208 bytes, 576 samples.
const std::string MPEG2_MONO("\xFF\xF3\x80\xC0", 4);

// A frame of the given header and length, its body zeros.
std::string Frame(const std::string& header, size_t bytes)
{
    return header + std::string(bytes - 4, '\0');
}

std::string Frames(const std::string& header, size_t bytes, int count)
{
    std::string all;
    for (int i = 0; i < count; ++i) all += Frame(header, bytes);
    return all;
}

bool Length(const std::string& bytes, double* ms, std::string* error)
{
    return Mp3LengthMs(reinterpret_cast<const unsigned char*>(bytes.data()), bytes.size(), ms, error);
}

double LengthOf(const std::string& bytes)
{
    double ms = -1;
    std::string error;
    EXPECT_TRUE(Length(bytes, &ms, &error)) << error;
    return ms;
}

const double MPEG1_FRAME_MS = 1152 * 1000.0 / 44100;

TEST(Mp3Length, HeadersGiveFrameLengthAndDuration)
{
    CMP3FRAME frame;
    ASSERT_TRUE(ReadMp3FrameHeader(reinterpret_cast<const unsigned char*>(MPEG1_HEADER.data()), &frame));
    EXPECT_EQ(frame.bytes, 417);
    EXPECT_EQ(frame.samplesPerFrame, 1152);
    EXPECT_EQ(frame.sampleRate, 44100);
    EXPECT_EQ(frame.channels, 2);
    ASSERT_TRUE(ReadMp3FrameHeader(reinterpret_cast<const unsigned char*>(MPEG1_PADDED.data()), &frame));
    EXPECT_EQ(frame.bytes, 418);
    ASSERT_TRUE(ReadMp3FrameHeader(reinterpret_cast<const unsigned char*>(MPEG2_MONO.data()), &frame));
    EXPECT_EQ(frame.bytes, 208);
    EXPECT_EQ(frame.samplesPerFrame, 576);
    EXPECT_EQ(frame.sampleRate, 22050);
    EXPECT_EQ(frame.channels, 1);
    // Layer I: 384 samples, four-byte slots.
    const unsigned char layer1[4] = {0xFF, 0xFF, 0x90, 0x00};
    ASSERT_TRUE(ReadMp3FrameHeader(layer1, &frame));
    EXPECT_EQ(frame.samplesPerFrame, 384);
    EXPECT_EQ(frame.bytes, 12 * 288000 / 44100 * 4);
    // No sync, reserved version, reserved layer, free and bad bit rate,
    // reserved sample rate.
    const unsigned char bad[][4] = {{0xFE, 0xFB, 0x90, 0x00}, {0xFF, 0xEB, 0x90, 0x00},
                                    {0xFF, 0xF9, 0x90, 0x00}, {0xFF, 0xFB, 0x00, 0x00},
                                    {0xFF, 0xFB, 0xF0, 0x00}, {0xFF, 0xFB, 0x9C, 0x00}};
    for (const auto& header : bad) EXPECT_FALSE(ReadMp3FrameHeader(header, &frame)) << int(header[1]);
}

TEST(Mp3Length, CountsEveryFrameButTheEncodersInformationFrame)
{
    EXPECT_NEAR(LengthOf(Frames(MPEG1_HEADER, 417, 100)), 100 * MPEG1_FRAME_MS, 1e-9);
    EXPECT_NEAR(LengthOf(Frames(MPEG2_MONO, 208, 10)), 10 * 576 * 1000.0 / 22050, 1e-9);
    // Padded and unpadded frames mixed, as a constant bit rate gives them.
    EXPECT_NEAR(LengthOf(Frames(MPEG1_HEADER, 417, 3) + Frame(MPEG1_PADDED, 418) + Frame(MPEG1_HEADER, 417)),
                5 * MPEG1_FRAME_MS, 1e-9);
    // "Info" after the 32 bytes of side information: no sound in it.
    std::string info = Frame(MPEG1_HEADER, 417);
    info.replace(4 + 32, 4, "Info");
    EXPECT_NEAR(LengthOf(info + Frames(MPEG1_HEADER, 417, 10)), 10 * MPEG1_FRAME_MS, 1e-9);
    // Only the first frame can be one.
    EXPECT_NEAR(LengthOf(Frames(MPEG1_HEADER, 417, 10) + info), 11 * MPEG1_FRAME_MS, 1e-9);
}

TEST(Mp3Length, TagsAndJunkAreSteppedOver)
{
    // An ID3v2 tag of 300 bytes (synchsafe size 2, 44) holding a false sync.
    std::string tag = std::string("ID3\x03\x00\x00\x00\x00\x02\x2C", 10) + std::string(300, '\xFF');
    std::string frames = Frames(MPEG1_HEADER, 417, 20);
    EXPECT_NEAR(LengthOf(tag + frames), 20 * MPEG1_FRAME_MS, 1e-9);
    // Junk between frames, an ID3v1 tag and a cut-off frame at the end.
    std::string damaged = Frames(MPEG1_HEADER, 417, 5) + "junk" + Frames(MPEG1_HEADER, 417, 5) + "TAG" +
                          std::string(125, ' ') + Frame(MPEG1_HEADER, 417).substr(0, 100);
    EXPECT_NEAR(LengthOf(damaged), 10 * MPEG1_FRAME_MS, 1e-9);
}

TEST(Mp3Length, NoFramesOrATagPastTheEndIsAnError)
{
    double ms = 0;
    std::string error;
    EXPECT_FALSE(Length("", &ms, &error));
    EXPECT_FALSE(Length(std::string(5000, '\xFF'), &ms, &error));
    EXPECT_NE(error.find("no MPEG audio frames"), std::string::npos) << error;
    EXPECT_FALSE(Length(Frame(MPEG1_HEADER, 417).substr(0, 416), &ms, &error));
    // A tag claiming 2 MB in a file of 20 frames.
    std::string huge = std::string("ID3\x03\x00\x00\x00\x7F\x7F\x7F", 10) + Frames(MPEG1_HEADER, 417, 20);
    EXPECT_FALSE(Length(huge, &ms, &error));
    EXPECT_NE(error.find("runs past its end"), std::string::npos) << error;
}

class ArchiveMusic : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_FALSE(scratch.Path().empty()); }

    // An archive holding a folder and then the files (name, contents) given.
    std::string Archive(const std::vector<std::pair<std::string, std::string>>& files, bool end = true)
    {
        std::string bytes;
        AppendArchiveRecord(&bytes, TAG_DIRECTORY, "plumora_data");
        for (const auto& file : files) {
            AppendArchiveFileHeader(&bytes, file.first, static_cast<uint32_t>(file.second.size()));
            bytes += file.second;
        }
        if (end) AppendArchiveEnd(&bytes);
        return scratch.Write("data.dat", bytes);
    }

    TempFolder scratch{"plm-archive-music"};
};

TEST_F(ArchiveMusic, IsReadStraightFromItsRecord)
{
    std::string archive = Archive(
        {{"plumora_data/script/bits.plm", "0\n"}, {ARCHIVE_MUSIC_PATH, Frames(MPEG1_HEADER, 417, 50)}});
    double ms = 0;
    std::string error;
    ASSERT_TRUE(ReadArchiveMusicLength(archive, &ms, &error)) << error;
    EXPECT_NEAR(ms, 50 * MPEG1_FRAME_MS, 1e-9);
}

TEST_F(ArchiveMusic, MissingBrokenOrCutOffMusicSaysWhy)
{
    double ms = 0;
    std::string error;
    EXPECT_FALSE(ReadArchiveMusicLength(Archive({{"plumora_data/other.mp3", "x"}}), &ms, &error));
    EXPECT_NE(error.find("holds no plumora_data/msx/msx.mp3"), std::string::npos) << error;
    EXPECT_FALSE(ReadArchiveMusicLength(Archive({{ARCHIVE_MUSIC_PATH, "not music at all"}}), &ms, &error));
    EXPECT_NE(error.find("no MPEG audio frames"), std::string::npos) << error;
    // The record claims more bytes than the archive has.
    std::string bytes;
    AppendArchiveFileHeader(&bytes, ARCHIVE_MUSIC_PATH, 100000);
    bytes += Frames(MPEG1_HEADER, 417, 3);
    EXPECT_FALSE(ReadArchiveMusicLength(scratch.Write("cut.dat", bytes), &ms, &error));
    EXPECT_NE(error.find("truncated"), std::string::npos) << error;
    EXPECT_FALSE(ReadArchiveMusicLength(scratch.File("missing.dat"), &ms, &error));
    EXPECT_FALSE(error.empty());
}

}  // namespace
