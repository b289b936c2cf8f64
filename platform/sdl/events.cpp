// SDL's events as the queue's system events: window events, close requests
// and keys translated into messages.
#include "platform/common/display_events.h"
#include "platform/sdl/display_watch.h"
#include "platform/sdl/key_codes.h"

#include <SDL.h>

namespace {

uintptr_t ActivateParam(bool minimised, uint32_t state)
{
    return (static_cast<uintptr_t>(minimised ? 1 : 0) << 16) | state;
}

bool TranslateWindowEvent(const SDL_WindowEvent& event, PLATFORMMSG* message)
{
    switch (event.event) {
        case SDL_WINDOWEVENT_MINIMIZED:
            *message = {WM_ACTIVATE, ActivateParam(true, WA_INACTIVE), 0};
            return true;
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_FOCUS_GAINED:
            *message = {WM_ACTIVATE, ActivateParam(false, WA_ACTIVE), 0};
            return true;
        case SDL_WINDOWEVENT_FOCUS_LOST:
            *message = {WM_ACTIVATE, ActivateParam(false, WA_INACTIVE), 0};
            return true;
        case SDL_WINDOWEVENT_SIZE_CHANGED: {
            uint32_t packed = (static_cast<uint32_t>(event.data2) & 0xFFFF) << 16 |
                              (static_cast<uint32_t>(event.data1) & 0xFFFF);
            *message = {WM_SIZE, 0, static_cast<intptr_t>(packed)};
            return true;
        }
        case SDL_WINDOWEVENT_CLOSE:
            *message = {WM_CLOSE, 0, 0};
            return true;
        default:
            return false;
    }
}

bool TranslateEvent(const SDL_Event& event, PLATFORMMSG* message)
{
    switch (event.type) {
        case SDL_QUIT:
            *message = {WM_CLOSE, 0, 0};
            return true;
        case SDL_WINDOWEVENT:
            return TranslateWindowEvent(event.window, message);
        case SDL_KEYDOWN:
        case SDL_KEYUP: {
            uint32_t key = KeyCodeOfSDLKey(event.key.keysym.sym);
            if (key == 0) return false;
            *message = {event.type == SDL_KEYDOWN ? WM_KEYDOWN : WM_KEYUP, key, 0};
            return true;
        }
        default:
            return false;
    }
}

}  // namespace

bool DisplayPollMessage(PLATFORMMSG* message)
{
    if (!SDL_WasInit(SDL_INIT_EVENTS)) return false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (TranslateEvent(event, message)) return true;
    }
    return false;
}

bool DisplayWaitMessage(uint32_t milliseconds, PLATFORMMSG* message)
{
    if (!SDL_WasInit(SDL_INIT_EVENTS)) {
        SDL_Delay(milliseconds);
        return false;
    }
    SDL_Event event;
    return SDL_WaitEventTimeout(&event, static_cast<int>(milliseconds)) && TranslateEvent(event, message);
}

bool DisplayWindowLossPending()
{
    return WindowLossPending();
}

bool DisplayTakeWindowLoss()
{
    return TakeWindowLoss();
}
