// The streams of bass.dll: an MP3 read into memory (a file range or a copy
// of the caller's block), its ACM decoder and its player. Handles are
// non-zero and never reused within a process; 0 means failure, as in BASS.
// Without a sound device (or after BASS_Init with device 0) streams are
// still made and "play" in silence: nothing is decoded or sent anywhere.
#ifndef PLM_AUDIO_WIN32_MUSIC_STREAMS_H
#define PLM_AUDIO_WIN32_MUSIC_STREAMS_H

#include <cstddef>
#include <cstdint>

// The largest MP3 a stream takes (file range or memory block), in bytes.
constexpr uint64_t kMaxStreamBytes = uint64_t(256) << 20;

// BASS flag honoured: play in a loop instead of once.
constexpr uint32_t kBassSampleLoop = 4;

// Where a stream's bytes come from, as BASS_StreamCreateFile gives them:
// a path, or a memory block of `length` bytes (non-zero) at `file` +
// `offset`; a file range of `length` bytes (0 = to the end) from `offset`.
struct CMUSICSOURCE {
    bool inMemory;
    const void* file;
    uint64_t offset;
    uint64_t length;
};

// Opens the output: silent when `silent` or when no device takes 16-bit
// stereo at `frequency` Hz (reported once). Always succeeds; again while
// open it changes nothing.
void OpenMusicOutput(uint32_t frequency, bool silent);
bool MusicOutputIsOpen();

// Reads and checks the MP3 and opens its decoder. Returns the handle, or
// 0 after reporting why (once per kind of problem).
uint32_t CreateMusicStream(const CMUSICSOURCE& source, uint32_t flags);
// Starts playing: from the start when `restart` or when it is not
// playing, else it plays on. False for an unknown handle or when the
// device refuses the stream's format.
bool PlayMusicStream(uint32_t handle, bool restart);
// Stops and releases the stream: its player thread has ended and its
// device, decoder and bytes are freed when this returns. False, doing
// nothing, for 0 or an unknown handle.
bool FreeMusicStream(uint32_t handle);

#endif
