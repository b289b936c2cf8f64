// SDL key codes to the platform's key codes.
#include "platform/sdl/key_codes.h"

#include "platform/messages.h"

#include <SDL.h>

uint32_t KeyCodeOfSDLKey(int32_t key)
{
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + static_cast<uint32_t>(key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + static_cast<uint32_t>(key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return PLATFORM_KEY_F1 + static_cast<uint32_t>(key - SDLK_F1);
    switch (key) {
        case SDLK_ESCAPE:
            return PLATFORM_KEY_ESCAPE;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return PLATFORM_KEY_RETURN;
        case SDLK_SPACE:
            return PLATFORM_KEY_SPACE;
        case SDLK_BACKSPACE:
            return PLATFORM_KEY_BACKSPACE;
        case SDLK_TAB:
            return PLATFORM_KEY_TAB;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return PLATFORM_KEY_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return PLATFORM_KEY_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT:
            return PLATFORM_KEY_ALT;
        case SDLK_PAUSE:
            return PLATFORM_KEY_PAUSE;
        case SDLK_PAGEUP:
            return PLATFORM_KEY_PAGE_UP;
        case SDLK_PAGEDOWN:
            return PLATFORM_KEY_PAGE_DOWN;
        case SDLK_END:
            return PLATFORM_KEY_END;
        case SDLK_HOME:
            return PLATFORM_KEY_HOME;
        case SDLK_LEFT:
            return PLATFORM_KEY_LEFT;
        case SDLK_UP:
            return PLATFORM_KEY_UP;
        case SDLK_RIGHT:
            return PLATFORM_KEY_RIGHT;
        case SDLK_DOWN:
            return PLATFORM_KEY_DOWN;
        case SDLK_INSERT:
            return PLATFORM_KEY_INSERT;
        case SDLK_DELETE:
            return PLATFORM_KEY_DELETE;
        default:
            return 0;
    }
}
