// Window messages in the shape the demo's window procedure handles: the
// Windows message numbers and parameter packing, so the procedure keeps its
// classic form on every platform. Keys come as the platform's own key codes,
// whose values are the Windows virtual-key codes (letters and digits are
// their upper-case ASCII codes); every backend translates its system's key
// codes into them.
#ifndef PLM_PLATFORM_MESSAGES_H
#define PLM_PLATFORM_MESSAGES_H

#include <cstdint>

enum : uint32_t {
    WM_DESTROY = 0x0002,   // the window is gone: destroyed from outside or display lost
    WM_SIZE = 0x0005,      // lParam: client width (low word), height (high word)
    WM_ACTIVATE = 0x0006,  // wParam: low word WA_*, high word 1 when minimised
    WM_CLOSE = 0x0010,     // a close request (window manager, signal)
    WM_QUIT = 0x0012,      // wParam: exit code; ends the message loop
    WM_KEYDOWN = 0x0100,   // wParam: PLATFORM_KEY_* code
    WM_KEYUP = 0x0101,     // wParam: PLATFORM_KEY_* code
};

enum : uint32_t { WA_INACTIVE = 0, WA_ACTIVE = 1 };

// Key codes besides letters and digits.
enum : uint32_t {
    PLATFORM_KEY_BACKSPACE = 0x08,
    PLATFORM_KEY_TAB = 0x09,
    PLATFORM_KEY_RETURN = 0x0D,
    PLATFORM_KEY_SHIFT = 0x10,
    PLATFORM_KEY_CONTROL = 0x11,
    PLATFORM_KEY_ALT = 0x12,
    PLATFORM_KEY_PAUSE = 0x13,
    PLATFORM_KEY_ESCAPE = 0x1B,
    PLATFORM_KEY_SPACE = 0x20,
    PLATFORM_KEY_PAGE_UP = 0x21,
    PLATFORM_KEY_PAGE_DOWN = 0x22,
    PLATFORM_KEY_END = 0x23,
    PLATFORM_KEY_HOME = 0x24,
    PLATFORM_KEY_LEFT = 0x25,
    PLATFORM_KEY_UP = 0x26,
    PLATFORM_KEY_RIGHT = 0x27,
    PLATFORM_KEY_DOWN = 0x28,
    PLATFORM_KEY_INSERT = 0x2D,
    PLATFORM_KEY_DELETE = 0x2E,
    PLATFORM_KEY_F1 = 0x70,  // F2 to F12 follow
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
