// Inside the SDL backend only: the translation of SDL's key codes at the
// edge of the platform layer.
#ifndef PLM_PLATFORM_SDL_KEY_CODES_H
#define PLM_PLATFORM_SDL_KEY_CODES_H

#include <cstdint>

// The PLATFORM_KEY_* code (platform/messages.h) of an SDL key code: letters
// as 'A' to 'Z' from either case, digits as '0' to '9', F1 to F12, and the
// named keys, both sides of a modifier alike and keypad Enter as Return.
// 0 for a key the program has no code for.
uint32_t KeyCodeOfSDLKey(int32_t sdlKeycode);

#endif
