// A real OpenGL context for tests: Mesa through SDL's off-screen driver, so
// it needs no display. One per test process; created on first use.
#ifndef PLM_TESTS_SHELL_GL_CONTEXT_H
#define PLM_TESTS_SHELL_GL_CONTEXT_H

#include <SDL.h>
#include <gtest/gtest.h>

inline bool MakeTestGLContext(int width = 256, int height = 192)
{
    static SDL_Window* window = nullptr;
    if (window) return true;
    SDL_SetHint(SDL_HINT_VIDEODRIVER, "offscreen");
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) return false;
    window = SDL_CreateWindow("test", 0, 0, width, height, SDL_WINDOW_OPENGL | SDL_WINDOW_HIDDEN);
    return window && SDL_GL_CreateContext(window) != nullptr;
}

#endif
