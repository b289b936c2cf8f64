// The definitions of stb_image_write, for builds where no system library
// (Debian's libstb) provides them: the Windows build compiles the header
// once here with its implementation switched on.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb/stb_image_write.h>
