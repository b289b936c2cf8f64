// The five BASS entry points the program binds by name, with BASS's
// arguments and its 1/0 results (a stream handle of 0 means failure).
// Only what the demo relies on is offered: one output, file or memory
// streams, play, free. Problems are reported once on stderr and the demo
// carries on silently.
#include "audio_output.h"
#include "music_streams.h"

#include <cstdint>

#define PLM_BASS_EXPORT extern "C" __attribute__((visibility("default")))

// `device` 0 asks for no sound (the silent driver); any other value means
// the default output. The window, class identifier and flags of the
// Windows library have no meaning here.
PLM_BASS_EXPORT int BASS_Init(int device, uint32_t freq, uint32_t flags, void* window, const void* clsid)
{
    return OpenAudioOutput(freq, device == 0) ? 1 : 0;
}

// The output runs from BASS_Init on; this only confirms that it is open.
PLM_BASS_EXPORT int BASS_Start(void)
{
    return AudioOutputIsOpen() ? 1 : 0;
}

// `mem` 0: `file` is a path; otherwise a memory block of `length` bytes
// starting `offset` bytes after `file`. Flag 4 (BASS_SAMPLE_LOOP) loops.
PLM_BASS_EXPORT uint32_t BASS_StreamCreateFile(int mem, const void* file, uint64_t offset, uint64_t length,
                                               uint32_t flags)
{
    return CreateMusicStream(MusicSource{mem != 0, file, offset, length}, flags);
}

// Playback then runs on SDL's audio thread until the stream ends or is freed.
PLM_BASS_EXPORT int BASS_ChannelPlay(uint32_t handle, int restart)
{
    return PlayMusicStream(handle, restart != 0) ? 1 : 0;
}

PLM_BASS_EXPORT int BASS_StreamFree(uint32_t handle)
{
    return FreeMusicStream(handle) ? 1 : 0;
}

// The program unloads this library after freeing its stream, while the
// mixer is still open. SDL_mixer (loaded with this library) must not be
// called from SDL's audio thread after the unload, so the output is
// closed here, which joins that thread.
__attribute__((destructor)) static void CloseOutputOnUnload()
{
    FreeAllMusicStreams();
    CloseAudioOutput();
}
