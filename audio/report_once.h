// One line on stderr per kind of audio problem, so that a demo without a
// sound card or without its music file says so once and then stays quiet.
#ifndef PLM_AUDIO_REPORT_ONCE_H
#define PLM_AUDIO_REPORT_ONCE_H

enum class AudioProblem {
    NoDevice,       // the configured driver or device could not be opened
    NoOutput,       // even the silent fallback driver failed
    NoDecoder,      // SDL_mixer offers no MP3 decoder
    MissingStream,  // a music file or memory block could not be opened
    BadCall,        // a call with arguments this layer refuses
    Count
};

// Prints "bass: <formatted message>" on stderr the first time `problem`
// is reported in this process; later reports of the same kind are dropped.
void ReportOnce(AudioProblem problem, const char* format, ...) __attribute__((format(printf, 2, 3)));

#endif
