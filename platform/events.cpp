#include "platform/events.h"

#include "platform/display_watch.h"

#include <SDL.h>
#include <signal.h>

#include <deque>
#include <mutex>

namespace {

// Posted messages; any thread may post (as with PostMessage), so the queue
// is guarded.
std::deque<PLATFORMMSG> posted;
std::mutex postedLock;
volatile sig_atomic_t quitSignalled = 0;
bool quitSignalDelivered = false;
// Longest single wait, so that a signal caught by another thread (which
// does not wake the event wait) is still seen soon.
const uint32_t WAIT_SLICE_MS = 50;

void OnQuitSignal(int)
{
    quitSignalled = 1;
}

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
            uint32_t key = PlatformVirtualKey(event.key.keysym.sym);
            if (key == 0) return false;
            *message = {event.type == SDL_KEYDOWN ? WM_KEYDOWN : WM_KEYUP, key, 0};
            return true;
        }
        default:
            return false;
    }
}

bool QuitSignalPending()
{
    return quitSignalled && !quitSignalDelivered;
}

bool MessageReady()
{
    if (QuitSignalPending() || WindowLossPending()) return true;
    std::lock_guard<std::mutex> hold(postedLock);
    return !posted.empty();
}

// Waits up to `milliseconds` for one system event; one that has a message
// is queued behind the posted messages (the queue was empty when the wait
// began, so only a post from another thread during the wait precedes it).
void WaitForEvent(uint32_t milliseconds)
{
    if (!SDL_WasInit(SDL_INIT_EVENTS)) {
        SDL_Delay(milliseconds);
        return;
    }
    SDL_Event event;
    PLATFORMMSG message;
    if (SDL_WaitEventTimeout(&event, static_cast<int>(milliseconds)) && TranslateEvent(event, &message)) {
        std::lock_guard<std::mutex> hold(postedLock);
        posted.push_back(message);
    }
}

}  // namespace

uint32_t PlatformVirtualKey(int32_t key)
{
    if (key >= SDLK_a && key <= SDLK_z) return 'A' + static_cast<uint32_t>(key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return '0' + static_cast<uint32_t>(key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return VK_F1 + static_cast<uint32_t>(key - SDLK_F1);
    switch (key) {
        case SDLK_ESCAPE:
            return VK_ESCAPE;
        case SDLK_RETURN:
        case SDLK_KP_ENTER:
            return VK_RETURN;
        case SDLK_SPACE:
            return VK_SPACE;
        case SDLK_BACKSPACE:
            return VK_BACK;
        case SDLK_TAB:
            return VK_TAB;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT:
            return VK_SHIFT;
        case SDLK_LCTRL:
        case SDLK_RCTRL:
            return VK_CONTROL;
        case SDLK_LALT:
        case SDLK_RALT:
            return VK_MENU;
        case SDLK_PAUSE:
            return VK_PAUSE;
        case SDLK_PAGEUP:
            return VK_PRIOR;
        case SDLK_PAGEDOWN:
            return VK_NEXT;
        case SDLK_END:
            return VK_END;
        case SDLK_HOME:
            return VK_HOME;
        case SDLK_LEFT:
            return VK_LEFT;
        case SDLK_UP:
            return VK_UP;
        case SDLK_RIGHT:
            return VK_RIGHT;
        case SDLK_DOWN:
            return VK_DOWN;
        case SDLK_INSERT:
            return VK_INSERT;
        case SDLK_DELETE:
            return VK_DELETE;
        default:
            return 0;
    }
}

bool PlatformPeekMessage(PLATFORMMSG* message)
{
    if (QuitSignalPending()) {
        quitSignalDelivered = true;
        *message = {WM_CLOSE, 0, 0};
        return true;
    }
    if (TakeWindowLoss()) {
        *message = {WM_DESTROY, 0, 0};
        return true;
    }
    {
        std::lock_guard<std::mutex> hold(postedLock);
        if (!posted.empty()) {
            *message = posted.front();
            posted.pop_front();
            return true;
        }
    }
    if (!SDL_WasInit(SDL_INIT_EVENTS)) return false;
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        if (TranslateEvent(event, message)) return true;
    }
    return false;
}

bool PlatformWaitMessage(uint32_t milliseconds)
{
    uint64_t start = SDL_GetTicks64();
    for (;;) {
        if (MessageReady()) return true;
        uint64_t waited = SDL_GetTicks64() - start;
        if (waited >= milliseconds) return false;
        uint64_t left = milliseconds - waited;
        WaitForEvent(static_cast<uint32_t>(left < WAIT_SLICE_MS ? left : WAIT_SLICE_MS));
    }
}

void PlatformPostMessage(uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    std::lock_guard<std::mutex> hold(postedLock);
    posted.push_back({message, wParam, lParam});
}

void PlatformPostQuitMessage(int exitCode)
{
    PlatformPostMessage(WM_QUIT, static_cast<uintptr_t>(exitCode), 0);
}

void PlatformCatchQuitSignals()
{
    struct sigaction action = {};
    action.sa_handler = OnQuitSignal;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGHUP, &action, nullptr);
}

bool PlatformQuitSignalled()
{
    return quitSignalled != 0;
}
