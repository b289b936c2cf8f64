// Pictures the shell shows itself (setup banner, loading screen), decoded
// through the bound DevIL entry points into BGR rows, bottom row first, the
// layout of a bottom-up 24-bit bitmap.
#ifndef PLM_SHELL_PICTURE_FILE_H
#define PLM_SHELL_PICTURE_FILE_H

#include <cstdint>
#include <vector>

struct CPICTUREFILE {
    std::vector<uint8_t> pixels;  // width * height * 3 bytes, empty when none
    int width = 0;
    int height = 0;
};

// Decodes path (DevIL initialised by the caller). Pictures of any pixel
// format are converted to 3 bytes per pixel; exactly the decoded pixels are
// copied. False, with the picture empty and the reason on stderr, when the
// file is missing, fails to decode, DevIL is not bound, or a row would be
// 65536 bytes or longer (or the picture 65536 rows or higher).
bool LoadPictureFile(const char* path, CPICTUREFILE* picture);

// ilInit, then LoadPictureFile: the setup dialog's banner.
bool LoadSetupPicture(const char* path, CPICTUREFILE* picture);

#endif
