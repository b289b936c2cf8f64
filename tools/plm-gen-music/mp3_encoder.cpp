#include "mp3_encoder.h"

#include <lame/lame.h>

#include <algorithm>
#include <cstring>
#include <memory>

namespace music {

namespace {

using LamePtr = std::unique_ptr<lame_global_flags, decltype(&lame_close)>;

constexpr int kChunkFrames = 8192;

LamePtr OpenEncoder(int sampleRate, int kilobitsPerSecond)
{
    LamePtr lame(lame_init(), &lame_close);
    if (!lame) {
        return lame;
    }
    lame_set_in_samplerate(lame.get(), sampleRate);
    lame_set_out_samplerate(lame.get(), sampleRate);
    lame_set_num_channels(lame.get(), 2);
    lame_set_mode(lame.get(), JOINT_STEREO);
    lame_set_VBR(lame.get(), vbr_off);
    lame_set_brate(lame.get(), kilobitsPerSecond);
    lame_set_quality(lame.get(), 3);
    lame_set_bWriteVbrTag(lame.get(), 1);
    lame_set_write_id3tag_automatic(lame.get(), 0);
    if (lame_init_params(lame.get()) < 0) {
        lame.reset();
    }
    return lame;
}

// Encodes the frames and flushes; appends to `out`. False on an encoder error.
bool EncodeFrames(lame_global_flags* lame, const std::vector<int16_t>& pcm, std::vector<unsigned char>& out)
{
    std::vector<unsigned char> buffer(kChunkFrames * 5 / 4 + 7200);
    const size_t frames = pcm.size() / 2;
    for (size_t first = 0; first < frames; first += kChunkFrames) {
        const int count = static_cast<int>(std::min<size_t>(kChunkFrames, frames - first));
        // lame_encode_buffer_interleaved takes a non-const pointer but only reads.
        short* samples = const_cast<short*>(pcm.data() + 2 * first);
        const int written = lame_encode_buffer_interleaved(lame, samples, count, buffer.data(),
                                                           static_cast<int>(buffer.size()));
        if (written < 0) {
            return false;
        }
        out.insert(out.end(), buffer.begin(), buffer.begin() + written);
    }
    const int flushed = lame_encode_flush(lame, buffer.data(), static_cast<int>(buffer.size()));
    if (flushed < 0) {
        return false;
    }
    out.insert(out.end(), buffer.begin(), buffer.begin() + flushed);
    return true;
}

// The first frame was a placeholder; now that the length is known it
// becomes the real Info frame.
void WriteInfoFrame(lame_global_flags* lame, std::vector<unsigned char>& out)
{
    unsigned char frame[2880];
    const size_t size = lame_get_lametag_frame(lame, frame, sizeof frame);
    if (size > 0 && size <= sizeof frame && size <= out.size()) {
        std::memcpy(out.data(), frame, size);
    }
}

}  // namespace

std::vector<unsigned char> EncodeMp3(const std::vector<int16_t>& interleaved, int sampleRate,
                                     int kilobitsPerSecond, std::string& error)
{
    std::vector<unsigned char> out;
    LamePtr lame = OpenEncoder(sampleRate, kilobitsPerSecond);
    if (!lame) {
        error = "LAME refused the encoding parameters";
        return out;
    }
    if (!EncodeFrames(lame.get(), interleaved, out)) {
        error = "LAME failed while encoding";
        out.clear();
        return out;
    }
    WriteInfoFrame(lame.get(), out);
    return out;
}

}  // namespace music
