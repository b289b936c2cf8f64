// The window messages the program has messages for.
#include "platform/win32/window_messages.h"

#include "platform/win32/key_codes.h"

namespace {

WINDOWMESSAGEACTION Queue(PLATFORMMSG* translated, uint32_t message, uintptr_t wParam, intptr_t lParam)
{
    *translated = {message, wParam, lParam};
    return WINDOW_MESSAGE_QUEUE;
}

WINDOWMESSAGEACTION TranslateKey(UINT message, WPARAM wParam, PLATFORMMSG* translated)
{
    uint32_t key = KeyCodeOfVirtualKey(wParam);
    // A code without a key-table entry is dropped, not passed on.
    if (key == 0) return WINDOW_MESSAGE_SWALLOW;
    return Queue(translated, message, key, 0);
}

WINDOWMESSAGEACTION TranslateSystemCommand(WPARAM wParam)
{
    if (wParam == SC_SCREENSAVE || wParam == SC_MONITORPOWER) return WINDOW_MESSAGE_SWALLOW;
    return WINDOW_MESSAGE_DEFAULT;
}

}  // namespace

WINDOWMESSAGEACTION TranslateWindowMessage(UINT message, WPARAM wParam, LPARAM lParam,
                                           PLATFORMMSG* translated)
{
    switch (message) {
        case WM_ACTIVATE:
            return Queue(translated, WM_ACTIVATE, wParam & 0xFFFFFFFFu, 0);
        case WM_CLOSE:
            return Queue(translated, WM_CLOSE, 0, 0);
        case WM_KEYDOWN:
        case WM_KEYUP:
            return TranslateKey(message, wParam, translated);
        case WM_SIZE:
            return Queue(translated, WM_SIZE, wParam, lParam & 0xFFFFFFFF);
        case WM_SYSCOMMAND:
            return TranslateSystemCommand(wParam);
        default:
            return WINDOW_MESSAGE_DEFAULT;
    }
}
