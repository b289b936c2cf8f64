// The playing time of an MP3 file, found from its frame headers alone
// (nothing is decoded), so that a capture knows how long the music lasts
// before anything is rendered.
#ifndef PLM_TOOLS_CAPTURE_MP3_LENGTH_H
#define PLM_TOOLS_CAPTURE_MP3_LENGTH_H

#include <cstddef>
#include <string>

// The header fields of one MPEG audio frame that its length and duration
// follow from.
struct CMP3FRAME {
    int sampleRate;       // samples per second
    int samplesPerFrame;  // 384, 576 or 1152
    int bytes;            // the whole frame, header included
    int channels;         // 1 or 2
    bool mpeg1;           // MPEG-1 (else MPEG-2 or 2.5)
};

// Reads the 4-byte frame header at p (at least 4 bytes there). False for
// anything that is not a usable header: no sync, a reserved version, layer
// or sample rate, the free or bad bit rate.
bool ReadMp3FrameHeader(const unsigned char* p, CMP3FRAME* frame);

// The playing time in ms of the size bytes of an MP3 file: an ID3v2 tag at
// the start is skipped, then the frames are walked header to header (bytes
// that are not a frame, such as a trailing tag, are stepped over); the
// encoder's information frame ("Xing"/"Info") holds no sound and does not
// count. Every offset is checked against size. False with the reason in
// *error when no frame is found.
bool Mp3LengthMs(const unsigned char* data, size_t size, double* ms, std::string* error);

#endif
