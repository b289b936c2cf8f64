// The MP3 side of bass.dll without a sound device: the frame-header walk
// over hostile bytes, and the data set's music decoded to PCM through the
// Audio Compression Manager at the rate and length its frames promise.
#include "acm_decoder.h"
#include "mp3_frames.h"
#include "win_test_files.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <algorithm>
#include <cstdlib>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// An MPEG-1 layer III frame header: 128 kbit/s, 44100 Hz, stereo, no
// padding, so the frame is 417 bytes; the rest of the frame is zeros.
Bytes Frame()
{
    Bytes frame(417, 0);
    frame[0] = 0xFF;
    frame[1] = 0xFB;
    frame[2] = 0x90;
    frame[3] = 0x00;
    return frame;
}

Bytes Repeat(const Bytes& part, int times)
{
    Bytes out;
    for (int i = 0; i < times; ++i) out.insert(out.end(), part.begin(), part.end());
    return out;
}

}  // namespace

TEST(Mp3Frames, HeaderFieldsOfMpeg1AndMpeg2)
{
    CMP3HEADER h{};
    ASSERT_TRUE(ReadMp3Header(Frame().data(), &h));
    EXPECT_EQ(h.sampleRate, 44100);
    EXPECT_EQ(h.channels, 2);
    EXPECT_EQ(h.kbps, 128);
    EXPECT_EQ(h.bytes, 417);
    EXPECT_EQ(h.samplesPerFrame, 1152);
    const unsigned char mpeg2Mono[4] = {0xFF, 0xF3, 0x82, 0xC0};  // 64 kbit/s, 22050 Hz, padded
    ASSERT_TRUE(ReadMp3Header(mpeg2Mono, &h));
    EXPECT_EQ(h.sampleRate, 22050);
    EXPECT_EQ(h.channels, 1);
    EXPECT_EQ(h.bytes, 72 * 64000 / 22050 + 1);
    EXPECT_EQ(h.samplesPerFrame, 576);
    const unsigned char layer2[4] = {0xFF, 0xFD, 0x90, 0x00};
    const unsigned char badRate[4] = {0xFF, 0xFB, 0x9C, 0x00};
    const unsigned char freeRate[4] = {0xFF, 0xFB, 0x00, 0x00};
    EXPECT_FALSE(ReadMp3Header(layer2, &h));
    EXPECT_FALSE(ReadMp3Header(badRate, &h));
    EXPECT_FALSE(ReadMp3Header(freeRate, &h));
}

TEST(Mp3Frames, FirstFrameAfterTagsAndFalseSyncs)
{
    Bytes tag = {'I', 'D', '3', 4, 0, 0, 0, 0, 0, 5, 0xFF, 0xFB, 0x90, 0, 0};  // 5-byte body holding a sync
    Bytes data = tag;
    data.insert(data.end(), {0xFF, 0xFB, 0x90, 0x00, 1, 2});  // a sync not followed by a frame
    const size_t first = data.size();
    const Bytes frames = Repeat(Frame(), 3);
    data.insert(data.end(), frames.begin(), frames.end());
    size_t offset = 0;
    CMP3HEADER h{};
    ASSERT_TRUE(FindFirstMp3Frame(data.data(), data.size(), &offset, &h));
    EXPECT_EQ(offset, first);

    const Bytes single = Frame();  // one frame up to the end counts
    ASSERT_TRUE(FindFirstMp3Frame(single.data(), single.size(), &offset, &h));
    EXPECT_EQ(offset, 0u);
}

TEST(Mp3Frames, HostileBytesFindNothingAndStayInside)
{
    size_t offset = 0;
    CMP3HEADER h{};
    EXPECT_FALSE(FindFirstMp3Frame(nullptr, 0, &offset, &h));
    const Bytes text(5000, 'x');
    EXPECT_FALSE(FindFirstMp3Frame(text.data(), text.size(), &offset, &h));
    const Bytes longTag = {'I', 'D', '3', 4, 0, 0, 0x7F, 0x7F, 0x7F, 0x7F, 0xFF, 0xFB};
    EXPECT_FALSE(FindFirstMp3Frame(longTag.data(), longTag.size(), &offset, &h));
    // Frames cut short: the header promises more bytes than there are.
    const Bytes frame = Frame();
    for (size_t cut : {size_t(1), size_t(3), size_t(4), size_t(416)}) {
        const Bytes exact(frame.begin(), frame.begin() + cut);
        EXPECT_FALSE(FindFirstMp3Frame(exact.data(), exact.size(), &offset, &h)) << cut;
    }
}

TEST(AcmDecoder, TheMusicDecodesToPcmOfItsOwnLength)
{
    const Bytes mp3 = wintest::ReadBytes(wintest::DataSetFile("msx/msx.mp3"));
    ASSERT_FALSE(mp3.empty());
    size_t first = 0;
    CMP3HEADER h{};
    ASSERT_TRUE(FindFirstMp3Frame(mp3.data(), mp3.size(), &first, &h));
    // The sound the frames hold: count them from header to header.
    size_t frames = 0;
    for (size_t at = first; mp3.size() - at >= 4;) {
        CMP3HEADER f{};
        if (!ReadMp3Header(&mp3[at], &f) || size_t(f.bytes) > mp3.size() - at) break;
        ++frames;
        at += f.bytes;
    }
    CACMDECODER decoder;
    ASSERT_TRUE(decoder.Open(mp3.data(), mp3.size(), first, h));
    EXPECT_EQ(decoder.SampleRate(), h.sampleRate);
    std::vector<uint8_t> pcm;
    size_t calls = 0;
    while (decoder.Decode(44100, pcm) > 0) ++calls;
    EXPECT_GT(calls, 1u);
    const double expected = double(frames) * h.samplesPerFrame * h.channels * 2;
    // Codec delay and the encoder's information frame account for a few
    // frames at most.
    EXPECT_NEAR(double(pcm.size()), expected, 4.0 * h.samplesPerFrame * h.channels * 2);
    EXPECT_EQ(pcm.size() % (h.channels * 2), 0u);
    int loudest = 0;
    for (size_t i = 0; i + 1 < pcm.size(); i += 2) {
        loudest = std::max(loudest, std::abs(int(int16_t(pcm[i] | (pcm[i + 1] << 8)))));
    }
    EXPECT_GT(loudest, 1000);  // music, not silence

    // Rewound, it gives the same start again.
    const std::vector<uint8_t> start(pcm.begin(), pcm.begin() + 8192);
    decoder.Rewind();
    std::vector<uint8_t> again;
    decoder.Decode(8192, again);
    ASSERT_GE(again.size(), 8192u);
    EXPECT_EQ(std::vector<uint8_t>(again.begin(), again.begin() + 8192), start);
}
