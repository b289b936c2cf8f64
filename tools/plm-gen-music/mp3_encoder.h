// MP3 encoding of 16-bit stereo PCM with libmp3lame: constant bit rate,
// joint stereo, an "Info" header frame (length for players) and no ID3
// tag, so that the same samples always give the same bytes.
#ifndef PLM_GEN_MUSIC_MP3_ENCODER_H
#define PLM_GEN_MUSIC_MP3_ENCODER_H

#include <cstdint>
#include <string>
#include <vector>

namespace music {

// `interleaved` holds left/right pairs at `sampleRate` Hz. Returns the
// complete file, or an empty vector with `error` set.
std::vector<unsigned char> EncodeMp3(const std::vector<int16_t>& interleaved, int sampleRate,
                                     int kilobitsPerSecond, std::string& error);

}  // namespace music

#endif
