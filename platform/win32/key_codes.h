// Inside the Win32 backend only: Windows virtual-key codes at the edge of
// the platform layer.
#ifndef PLM_PLATFORM_WIN32_KEY_CODES_H
#define PLM_PLATFORM_WIN32_KEY_CODES_H

#include <cstdint>

// The PLATFORM_KEY_* code (platform/messages.h) of a virtual-key code. The
// platform's codes are the virtual-key codes themselves; only the left and
// right variants of Shift, Control and Alt count as the key itself, as on
// every backend. 0 for a value of 256 or more (a key message posted by
// another program can carry any number), which has no entry in a key table.
uint32_t KeyCodeOfVirtualKey(uintptr_t virtualKey);

#endif
