// GL scaffolding for the face tests: a real Mesa context through SDL's
// off-screen driver, the scene's light and sphere-map set-up, the demo's
// letterboxed perspective, test textures and pixel read-back.
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

// Light 0 at the eye (ambient 0.5, diffuse 1), lighting and normalisation
// on, sphere-map generation mode for s and t, black clear colour.
void SetupSceneState();

// Band viewport, gluPerspective(45, W / H, 0.1, 1000), identity model-view,
// depth test on, buffers cleared.
void BeginPerspectiveFrame();

// Model-view of the turntable: 0.01 scale, (0, -400, -1400), 30 degrees
// about x, turnAngle degrees about y.
void LoadTurntable(float turnAngle);

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
