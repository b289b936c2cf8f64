// GL scaffolding for the face tests: the test GL context at screen size with
// the scene's own light, sphere-map, perspective and turntable set-up, test
// textures and pixel read-back.
#ifndef PLM_TESTS_FACE_FACE_GL_H
#define PLM_TESTS_FACE_FACE_GL_H

#include <cstdint>
#include <string>
#include <vector>

namespace facetest {

const int SCREEN_WIDTH = 1024;
const int SCREEN_HEIGHT = 768;
// The letterboxed band of a 1024 x 768 screen.
const int BAND_Y = 38;
const int BAND_HEIGHT = 691;

// Creates the context once per process (SCREEN_WIDTH x SCREEN_HEIGHT).
bool MakeContext();

// The scene's light and sphere-map mode, set with an identity model-view;
// black clear colour, blending off.
void SetupSceneState();

// The scene's perspective view of the screen, buffers cleared.
void BeginPerspectiveFrame();

// A 256 x 256 RGB texture (linear filtering, one level) filled by pattern.
enum class Pattern { Chrome, White, Red, LeftBlackRightWhite };
unsigned int MakeTexture(Pattern pattern);

struct Picture {
    int width = 0, height = 0;
    std::vector<uint8_t> rgb;  // rows bottom first, as glReadPixels gives them
    const uint8_t* At(int x, int y) const { return &rgb[(static_cast<size_t>(y) * width + x) * 3]; }
};

Picture ReadScreen();
// Writes a binary PPM (rows top first); false on an I/O error.
bool WritePpm(const Picture& picture, const std::string& path);

}  // namespace facetest

#endif
