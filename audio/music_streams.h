// The streams made by BASS_StreamCreateFile. Each stream is one SDL_mixer
// music object; SDL_mixer plays one music at a time, so playing a stream
// replaces whatever stream was playing. Handles are non-zero and never
// reused within a process; 0 means failure, as with BASS.
#ifndef PLM_AUDIO_MUSIC_STREAMS_H
#define PLM_AUDIO_MUSIC_STREAMS_H

#include <cstdint>

// Where a stream's bytes come from, as BASS_StreamCreateFile gives it.
// From a file: `file` is a path; `offset` bytes are skipped and `length`
// bytes are read (0 = to the end). From memory: `file` points at a block
// the caller keeps alive for the stream's life; `length` must be non-zero.
struct MusicSource {
    bool inMemory;
    const void* file;
    uint64_t offset;
    uint64_t length;
};

// BASS flag honoured: play in a loop instead of once.
constexpr uint32_t kBassSampleLoop = 4;

// Opens and decodes the header of a stream; needs an open audio output.
// Returns its handle, or 0 after reporting why it could not be opened.
uint32_t CreateMusicStream(const MusicSource& source, uint32_t flags);

// Starts the stream. With `restart` false a paused or playing stream
// carries on where it is; otherwise it starts from the beginning.
// Returns false for an unknown handle or when SDL_mixer refuses.
bool PlayMusicStream(uint32_t handle, bool restart);

// Stops the stream if it plays and releases it. Returns false, doing
// nothing, for 0 or an unknown handle.
bool FreeMusicStream(uint32_t handle);

// Releases every stream (used when the library unloads).
void FreeAllMusicStreams();

#endif
