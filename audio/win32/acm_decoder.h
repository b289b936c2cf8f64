// MP3 to 16-bit PCM through the Audio Compression Manager: an ACM stream
// from an MPEGLAYER3WAVEFORMAT source to PCM of the same rate and channels,
// fed from an MP3 held in memory. Decoding goes chunk by chunk, so a caller
// can keep a sound buffer filled without holding the whole sound.
#ifndef PLM_AUDIO_WIN32_ACM_DECODER_H
#define PLM_AUDIO_WIN32_ACM_DECODER_H

#include "mp3_frames.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class CACMDECODER {
public:
    CACMDECODER() = default;
    CACMDECODER(const CACMDECODER&) = delete;
    CACMDECODER& operator=(const CACMDECODER&) = delete;
    ~CACMDECODER();

    // Opens a decoder for the MP3 at [data, data + size), whose first frame
    // is at `first` with the header `format`. The bytes must stay valid
    // while the decoder is open. False when no installed codec decodes it.
    bool Open(const uint8_t* data, size_t size, size_t first, const CMP3HEADER& format);
    // Appends decoded PCM (interleaved signed 16-bit samples) to pcm until
    // at least `wanted` bytes were added or the input ends. Returns the
    // number of bytes added; 0 once everything is decoded.
    size_t Decode(size_t wanted, std::vector<uint8_t>& pcm);
    // Starts decoding again from the first frame.
    void Rewind();
    void Close();

    int SampleRate() const { return format_.sampleRate; }
    int Channels() const { return format_.channels; }

private:
    bool ConvertChunk(std::vector<uint8_t>& pcm, size_t* added);

    void* stream_ = nullptr;  // the HACMSTREAM
    const uint8_t* data_ = nullptr;
    size_t size_ = 0;
    size_t first_ = 0;
    size_t next_ = 0;  // the next input byte not yet handed to the codec
    bool started_ = false;
    bool flushed_ = false;
    CMP3HEADER format_{};
    std::vector<uint8_t> input_;   // input the codec has not yet used
    std::vector<uint8_t> output_;  // the codec's output buffer
};

#endif
