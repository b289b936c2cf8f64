// Virtual-key codes to the platform's key codes.
#include "platform/win32/key_codes.h"

#include "platform/messages.h"

namespace {

// Left and right variants of the modifiers (VK_LSHIFT to VK_RMENU).
const uintptr_t VK_LEFT_SHIFT = 0xA0;
const uintptr_t VK_RIGHT_ALT = 0xA5;
const uintptr_t KEY_TABLE_SIZE = 256;

}  // namespace

uint32_t KeyCodeOfVirtualKey(uintptr_t key)
{
    if (key >= KEY_TABLE_SIZE) return 0;
    if (key >= VK_LEFT_SHIFT && key <= VK_RIGHT_ALT) {
        static const uint32_t modifiers[] = {PLATFORM_KEY_SHIFT, PLATFORM_KEY_CONTROL, PLATFORM_KEY_ALT};
        return modifiers[(key - VK_LEFT_SHIFT) / 2];
    }
    return static_cast<uint32_t>(key);
}
