#include "mp3_length.h"

#include <cstring>

namespace {

// Bit rates in kbit/s by bit-rate index 1 to 14 (0 is "free", 15 is bad).
const int BITRATES_V1[3][14] = {
    {32, 64, 96, 128, 160, 192, 224, 256, 288, 320, 352, 384, 416, 448},  // layer I
    {32, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320, 384},     // layer II
    {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320},      // layer III
};
const int BITRATES_V2[3][14] = {
    {32, 48, 56, 64, 80, 96, 112, 128, 144, 160, 176, 192, 224, 256},  // layer I
    {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},       // layer II
    {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160},       // layer III
};
const int SAMPLE_RATES_V1[3] = {44100, 48000, 32000};

const size_t ID3_HEADER = 10;

// Size of an ID3v2 tag at p (header and footer included), or 0 when none
// starts there.
size_t Id3TagSize(const unsigned char* p, size_t left)
{
    if (left < ID3_HEADER || std::memcmp(p, "ID3", 3) != 0) return 0;
    size_t body = 0;
    for (int i = 6; i < 10; ++i) {
        if (p[i] & 0x80) return 0;  // not a synchsafe number
        body = (body << 7) | p[i];
    }
    bool footer = (p[5] & 0x10) != 0;
    return ID3_HEADER + body + (footer ? ID3_HEADER : 0);
}

// True when the frame at p is the encoder's information frame: its side
// information is followed by "Xing" or "Info" instead of sound.
bool IsInformationFrame(const unsigned char* p, const CMP3FRAME& frame)
{
    size_t sideInfo = frame.mpeg1 ? (frame.channels == 1 ? 17 : 32) : (frame.channels == 1 ? 9 : 17);
    size_t at = 4 + sideInfo;
    if (at + 4 > static_cast<size_t>(frame.bytes)) return false;
    return std::memcmp(p + at, "Xing", 4) == 0 || std::memcmp(p + at, "Info", 4) == 0;
}

}  // namespace

bool ReadMp3FrameHeader(const unsigned char* p, CMP3FRAME* frame)
{
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0) return false;
    int version = (p[1] >> 3) & 3;    // 0: 2.5, 1: reserved, 2: 2, 3: 1
    int layerBits = (p[1] >> 1) & 3;  // 1: III, 2: II, 3: I
    int bitrateIndex = p[2] >> 4;
    int rateIndex = (p[2] >> 2) & 3;
    if (version == 1 || layerBits == 0 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3)
        return false;
    int layer = 4 - layerBits;  // 1, 2 or 3
    bool mpeg1 = version == 3;
    int kbps = (mpeg1 ? BITRATES_V1 : BITRATES_V2)[layer - 1][bitrateIndex - 1];
    int rate = SAMPLE_RATES_V1[rateIndex] >> (version == 3 ? 0 : version == 2 ? 1 : 2);
    int padding = (p[2] >> 1) & 1;
    frame->sampleRate = rate;
    frame->mpeg1 = mpeg1;
    frame->channels = (p[3] >> 6) == 3 ? 1 : 2;
    if (layer == 1) {
        frame->samplesPerFrame = 384;
        frame->bytes = (12 * kbps * 1000 / rate + padding) * 4;
    } else {
        bool half = layer == 3 && !mpeg1;
        frame->samplesPerFrame = half ? 576 : 1152;
        frame->bytes = (half ? 72 : 144) * kbps * 1000 / rate + padding;
    }
    return frame->bytes >= 4;
}

bool Mp3LengthMs(const unsigned char* data, size_t size, double* ms, std::string* error)
{
    size_t at = 0;
    // Tags may follow one another at the start.
    while (size_t tag = Id3TagSize(data + at, size - at)) {
        if (tag > size - at) {
            *error = "its ID3 tag runs past its end";
            return false;
        }
        at += tag;
    }
    double seconds = 0.0;
    long frames = 0;
    while (at + 4 <= size) {
        CMP3FRAME frame;
        if (!ReadMp3FrameHeader(data + at, &frame) || static_cast<size_t>(frame.bytes) > size - at) {
            ++at;  // not a frame here: look at the next byte
            continue;
        }
        if (!(frames == 0 && IsInformationFrame(data + at, frame)))
            seconds += static_cast<double>(frame.samplesPerFrame) / frame.sampleRate;
        ++frames;
        at += static_cast<size_t>(frame.bytes);
    }
    if (seconds <= 0.0) {
        *error = "no MPEG audio frames found";
        return false;
    }
    *ms = seconds * 1000.0;
    return true;
}
