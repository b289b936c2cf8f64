// The five BASS entry points the program binds from bass.dll by name, with
// BASS's arguments and its 1/0 results (a stream handle of 0 means
// failure). MP3 is decoded through the Audio Compression Manager and played
// with waveOut; without a sound device the demo runs silent, which is
// reported once on stderr.
#include "music_streams.h"

#include <cstdint>

#define PLM_BASS_CALL __stdcall

// `device` 0 asks for no sound; any other value means the default output.
// The window, class identifier and flags have no meaning here.
extern "C" int PLM_BASS_CALL BASS_Init(int device, uint32_t freq, uint32_t flags, void* window,
                                       const void* clsid)
{
    OpenMusicOutput(freq, device == 0);
    return 1;
}

// The output runs from BASS_Init on; this only confirms that it is open.
extern "C" int PLM_BASS_CALL BASS_Start(void)
{
    return MusicOutputIsOpen() ? 1 : 0;
}

// `mem` 0: `file` is a path; otherwise a memory block of `length` bytes
// starting `offset` bytes after `file` (copied: the caller may free it).
// Flag 4 (BASS_SAMPLE_LOOP) loops.
extern "C" uint32_t PLM_BASS_CALL BASS_StreamCreateFile(int mem, const void* file, uint64_t offset,
                                                        uint64_t length, uint32_t flags)
{
    return CreateMusicStream(CMUSICSOURCE{mem != 0, file, offset, length}, flags);
}

// Playback then runs on a worker thread of the stream's own until the
// stream ends or is freed.
extern "C" int PLM_BASS_CALL BASS_ChannelPlay(uint32_t handle, int restart)
{
    return PlayMusicStream(handle, restart != 0) ? 1 : 0;
}

extern "C" int PLM_BASS_CALL BASS_StreamFree(uint32_t handle)
{
    return FreeMusicStream(handle) ? 1 : 0;
}
