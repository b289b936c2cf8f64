#include "mp3_frames.h"

#include <cstring>

namespace {

// Layer III bit rates in kbit/s by bit-rate index 1 to 14.
const int kKbpsMpeg1[14] = {32, 40, 48, 56, 64, 80, 96, 112, 128, 160, 192, 224, 256, 320};
const int kKbpsMpeg2[14] = {8, 16, 24, 32, 40, 48, 56, 64, 80, 96, 112, 128, 144, 160};
const int kRatesMpeg1[3] = {44100, 48000, 32000};

const size_t kId3Header = 10;

// The size of an ID3v2 tag starting at p (header and footer included), or
// 0 when none starts there.
size_t Id3TagSize(const uint8_t* p, size_t left)
{
    if (left < kId3Header || std::memcmp(p, "ID3", 3) != 0) return 0;
    size_t body = 0;
    for (int i = 6; i < 10; ++i) {
        if (p[i] & 0x80) return 0;  // not a synchsafe number
        body = (body << 7) | p[i];
    }
    const bool footer = (p[5] & 0x10) != 0;
    return kId3Header + body + (footer ? kId3Header : 0);
}

bool SameStream(const CMP3HEADER& a, const CMP3HEADER& b)
{
    return a.sampleRate == b.sampleRate && a.channels == b.channels;
}

}  // namespace

bool ReadMp3Header(const uint8_t* p, CMP3HEADER* header)
{
    if (p[0] != 0xFF || (p[1] & 0xE0) != 0xE0) return false;
    const int version = (p[1] >> 3) & 3;  // 0: 2.5, 1: reserved, 2: 2, 3: 1
    const int layer = (p[1] >> 1) & 3;    // 1: layer III
    const int bitrateIndex = p[2] >> 4;
    const int rateIndex = (p[2] >> 2) & 3;
    if (version == 1 || layer != 1 || bitrateIndex == 0 || bitrateIndex == 15 || rateIndex == 3) return false;
    const bool mpeg1 = version == 3;
    const int kbps = (mpeg1 ? kKbpsMpeg1 : kKbpsMpeg2)[bitrateIndex - 1];
    const int rate = kRatesMpeg1[rateIndex] >> (mpeg1 ? 0 : version == 2 ? 1 : 2);
    const int padding = (p[2] >> 1) & 1;
    header->sampleRate = rate;
    header->channels = (p[3] >> 6) == 3 ? 1 : 2;
    header->kbps = kbps;
    header->samplesPerFrame = mpeg1 ? 1152 : 576;
    header->bytes = (mpeg1 ? 144 : 72) * kbps * 1000 / rate + padding;
    return header->bytes >= 4;
}

bool FindFirstMp3Frame(const uint8_t* data, size_t size, size_t* offset, CMP3HEADER* header)
{
    if (!data) return false;
    size_t at = 0;
    while (size_t tag = Id3TagSize(data + at, size - at)) {
        if (tag > size - at) return false;  // the tag runs past the end
        at += tag;
    }
    for (; size - at >= 4; ++at) {
        CMP3HEADER first;
        if (!ReadMp3Header(data + at, &first) || static_cast<size_t>(first.bytes) > size - at) continue;
        const size_t next = at + static_cast<size_t>(first.bytes);
        CMP3HEADER second;
        const bool last = size - next < 4;
        if (last || (ReadMp3Header(data + next, &second) && SameStream(first, second))) {
            *offset = at;
            *header = first;
            return true;
        }
    }
    return false;
}
