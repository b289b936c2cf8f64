// The demo's music as the archive holds it, looked at before the demo runs:
// how long it plays, which decides where a video ends by default.
#ifndef PLM_TOOLS_CAPTURE_ARCHIVE_MUSIC_H
#define PLM_TOOLS_CAPTURE_ARCHIVE_MUSIC_H

#include <string>

// Where the demo's music lies in the archive and, once it is unpacked,
// below the folder it was unpacked into.
extern const char* const ARCHIVE_MUSIC_PATH;

// The largest music file read, in bytes.
const unsigned long MAX_MUSIC_BYTES = 256ul << 20;

// The playing time in ms of the music in the archive at path, read straight
// from its record (nothing is unpacked). False with the reason in *error
// when the archive cannot be read up to it, holds no such file, the file is
// larger than MAX_MUSIC_BYTES or holds no MPEG audio frames.
bool ReadArchiveMusicLength(const std::string& archive, double* ms, std::string* error);

#endif
