// The sound output behind BASS_Init: SDL's audio subsystem with SDL_mixer
// on top. Only SDL_INIT_AUDIO is initialised and quit here, so the
// program's SDL video stays untouched.
//
// When the configured driver or device cannot be opened (no sound card, a
// bogus SDL_AUDIODRIVER, a busy device), the output is opened on SDL's
// "dummy" driver instead: streams still load and advance, in silence. The
// problem is reported once on stderr.
#ifndef PLM_AUDIO_AUDIO_OUTPUT_H
#define PLM_AUDIO_AUDIO_OUTPUT_H

#include <cstdint>

// Opens the output at `frequency` Hz (0 or absurd values mean 44100),
// stereo. `silent` skips the real device and opens the dummy driver at
// once. Returns true when an output, real or silent, is open; calling it
// again while open changes nothing and returns true.
bool OpenAudioOutput(uint32_t frequency, bool silent);

// True between a successful OpenAudioOutput and CloseAudioOutput.
bool AudioOutputIsOpen();

// Halts the music, closes SDL_mixer and quits the audio subsystem. After
// it returns no mixer callback runs any more. Harmless when not open.
void CloseAudioOutput();

#endif
