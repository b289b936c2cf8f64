// MPEG audio layer III frame headers, read with a bounded cursor: enough to
// describe a file's sound to the Audio Compression Manager (sample rate,
// channels, bit rate, frame size) and to find where its frames start.
#ifndef PLM_AUDIO_WIN32_MP3_FRAMES_H
#define PLM_AUDIO_WIN32_MP3_FRAMES_H

#include <cstddef>
#include <cstdint>

// One layer III frame header.
struct CMP3HEADER {
    int sampleRate;       // samples per second per channel
    int channels;         // 1 or 2
    int kbps;             // bit rate in kbit/s
    int bytes;            // the whole frame, header included (at least 4)
    int samplesPerFrame;  // 1152 (MPEG-1) or 576 (MPEG-2 and 2.5)
};

// Reads the 4 bytes at p (the caller guarantees them). False for anything
// but a layer III header with a valid version, bit rate and sample rate.
bool ReadMp3Header(const uint8_t* p, CMP3HEADER* header);

// Finds the first frame of the size bytes at data: ID3v2 tags at the start
// are stepped over, then the first header that is followed by another of
// the same rate and channels (or by the end of the data) counts. *offset
// receives its position. False when there is none; no byte outside
// [data, data + size) is read.
bool FindFirstMp3Frame(const uint8_t* data, size_t size, size_t* offset, CMP3HEADER* header);

#endif
