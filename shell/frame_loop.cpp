#include "shell/frame_loop.h"

#include "platform/events.h"
#include "platform/window.h"
#include "shell/demo_window.h"

void RunFrameLoop(void (*drawFrame)(), PLATFORMMSG* last)
{
    for (;;) {
        PLATFORMMSG message;
        if (PlatformPeekMessage(&message)) {
            if (message.message == WM_QUIT) {
                *last = message;
                return;
            }
            *last = message;
            DemoWindowProc(message.message, message.wParam, message.lParam);
            continue;
        }
        if (!active)
            continue;
        if (keys[VK_ESCAPE])
            return;
        drawFrame();
        PlatformSwapBuffers();
    }
}
