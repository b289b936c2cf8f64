// Inside plumora-capture's command-line parser only: the state the options
// fill before they are checked against each other, the helpers the option
// groups share, and the video options' part of the parser.
#ifndef PLM_TOOLS_CAPTURE_OPTION_PARSING_H
#define PLM_TOOLS_CAPTURE_OPTION_PARSING_H

#include "capture_options.h"

#include <string>

// What the options say before they are checked against each other.
struct PARSESTATE {
    CCAPTUREOPTIONS* o;
    double fps = 0.0, from = 0.0, to = 0.0;
    bool haveFps = false, haveFrom = false, haveTo = false;
    bool haveAt = false, haveStepFps = false, haveRaw = false;
    bool haveCrf = false, haveCodec = false, haveFfmpegArgs = false;
};

// A number as the messages write it ("%g").
std::string OptionNumber(double value);
// The whole of text as a finite number.
bool ParseOptionNumber(const char* text, double* value);

// Setters of the video and raw-stream options: false for a value they
// cannot use.
bool SetVideo(PARSESTATE* s, const char* value);
bool SetRaw(PARSESTATE* s, const char* value);
bool SetCrf(PARSESTATE* s, const char* value);
bool SetCodec(PARSESTATE* s, const char* value);
bool SetFfmpegArgs(PARSESTATE* s, const char* value);
bool SetOverwrite(PARSESTATE* s, const char* value);
bool SetKeepPartial(PARSESTATE* s, const char* value);

// Decides the mode from --out, --video and --raw (exactly one) and refuses
// options that do not apply to it.
bool ChooseMode(PARSESTATE* s, std::string* error);
// Checks the frame range and rate of a video or raw stream and stores them.
bool FinishVideo(const PARSESTATE& s, std::string* error);

#endif
