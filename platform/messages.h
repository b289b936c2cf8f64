// Window messages in the shape the demo's window procedure handles: the
// Windows message numbers, virtual-key codes and parameter packing, so the
// procedure keeps its classic form on every platform.
#ifndef PLM_PLATFORM_MESSAGES_H
#define PLM_PLATFORM_MESSAGES_H

#include <cstdint>

enum : uint32_t {
    WM_DESTROY = 0x0002,     // the window is gone: destroyed from outside or display lost
    WM_SIZE = 0x0005,        // lParam: client width (low word), height (high word)
    WM_ACTIVATE = 0x0006,    // wParam: low word WA_*, high word 1 when minimised
    WM_CLOSE = 0x0010,       // a close request (window manager, signal)
    WM_QUIT = 0x0012,        // wParam: exit code; ends the message loop
    WM_KEYDOWN = 0x0100,     // wParam: virtual-key code
    WM_KEYUP = 0x0101,       // wParam: virtual-key code
    WM_SYSCOMMAND = 0x0112,  // wParam: SC_* command
};

enum : uint32_t { WA_INACTIVE = 0, WA_ACTIVE = 1 };
enum : uint32_t { SC_SCREENSAVE = 0xF140, SC_MONITORPOWER = 0xF170 };

enum : uint32_t {
    VK_BACK = 0x08,
    VK_TAB = 0x09,
    VK_RETURN = 0x0D,
    VK_SHIFT = 0x10,
    VK_CONTROL = 0x11,
    VK_MENU = 0x12,
    VK_PAUSE = 0x13,
    VK_ESCAPE = 0x1B,
    VK_SPACE = 0x20,
    VK_PRIOR = 0x21,
    VK_NEXT = 0x22,
    VK_END = 0x23,
    VK_HOME = 0x24,
    VK_LEFT = 0x25,
    VK_UP = 0x26,
    VK_RIGHT = 0x27,
    VK_DOWN = 0x28,
    VK_INSERT = 0x2D,
    VK_DELETE = 0x2E,
    VK_F1 = 0x70,
};

struct PLATFORMMSG {
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
};

inline uint32_t LowWord(uintptr_t value)
{
    return static_cast<uint32_t>(value & 0xFFFF);
}
inline uint32_t HighWord(uintptr_t value)
{
    return static_cast<uint32_t>((value >> 16) & 0xFFFF);
}

#endif
