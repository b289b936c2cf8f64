// ilConvertImage for the pictures devil.dll decodes: between the 8-bit
// formats grey, grey and alpha, RGB and RGBA, as DevIL converts them. Grey
// becomes equal red, green and blue; RGB becomes grey by DevIL's weights
// 0.212671, 0.715160, 0.072169 (truncated); alpha is dropped when the target
// has none and set to 255 when it is added.
#ifndef PLM_IMAGING_CONVERT_H
#define PLM_IMAGING_CONVERT_H

#include "il_image.h"

// Converts image in place to format with channel type `type`. Only
// IL_UNSIGNED_BYTE channels and the four formats above are offered; any
// other request returns false and leaves the image as it was, as does
// running out of memory.
bool ConvertImage(CILIMAGE* image, unsigned int format, unsigned int type);

#endif
