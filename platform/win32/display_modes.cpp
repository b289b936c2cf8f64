// The display modes of the desktop through EnumDisplaySettingsA, and the
// full-screen switch through ChangeDisplaySettingsA.
#include "platform/window.h"

#include "platform/win32/win32_display.h"

namespace {

// True while the display is in a mode this backend switched to.
bool switched = false;

DEVMODEA EmptyMode()
{
    DEVMODEA mode;
    ZeroMemory(&mode, sizeof mode);
    mode.dmSize = sizeof mode;
    mode.dmDriverExtra = 0;
    return mode;
}

PLATFORMMODE ModeOf(const DEVMODEA& mode)
{
    return {static_cast<int>(mode.dmPelsWidth), static_cast<int>(mode.dmPelsHeight),
            static_cast<int>(mode.dmBitsPerPel), static_cast<int>(mode.dmDisplayFrequency)};
}

bool SameMode(const PLATFORMMODE& a, const PLATFORMMODE& b)
{
    return a.width == b.width && a.height == b.height && a.bits == b.bits && a.refresh == b.refresh;
}

bool Listed(const PLATFORMMODE& wanted)
{
    DEVMODEA mode = EmptyMode();
    for (DWORD i = 0; EnumDisplaySettingsA(nullptr, i, &mode); ++i) {
        if (SameMode(ModeOf(mode), wanted)) return true;
        mode = EmptyMode();
    }
    return false;
}

}  // namespace

bool PlatformDesktopMode(PLATFORMMODE* mode)
{
    DEVMODEA current = EmptyMode();
    if (!EnumDisplaySettingsA(nullptr, ENUM_CURRENT_SETTINGS, &current)) return false;
    *mode = ModeOf(current);
    return true;
}

int PlatformListModes(PLATFORMMODE* modes, int max)
{
    int written = 0;
    DEVMODEA mode = EmptyMode();
    // Every mode in the driver's order, repeats included.
    for (DWORD i = 0; written < max && EnumDisplaySettingsA(nullptr, i, &mode); ++i) {
        modes[written++] = ModeOf(mode);
        mode = EmptyMode();
    }
    return written;
}

// The display switches at once, as the window that follows covers it; the
// switch lasts until PlatformRestoreDesktopMode or the end of the process
// (CDS_FULLSCREEN is never stored in the registry).
bool PlatformSelectFullscreenMode(const PLATFORMMODE& wanted)
{
    // ChangeDisplaySettingsA may accept a mode it does not list (with
    // another refresh rate, say); only an exact one is taken.
    if (!Listed(wanted)) return false;
    // Off screen the desktop stays as it is.
    if (OffscreenVideo()) return true;
    DEVMODEA mode = EmptyMode();
    mode.dmPelsWidth = static_cast<DWORD>(wanted.width);
    mode.dmPelsHeight = static_cast<DWORD>(wanted.height);
    mode.dmBitsPerPel = static_cast<DWORD>(wanted.bits);
    mode.dmDisplayFrequency = static_cast<DWORD>(wanted.refresh);
    mode.dmFields = DM_BITSPERPEL | DM_PELSWIDTH | DM_PELSHEIGHT | DM_DISPLAYFREQUENCY;
    if (ChangeDisplaySettingsA(&mode, CDS_FULLSCREEN) != DISP_CHANGE_SUCCESSFUL) return false;
    switched = true;
    return true;
}

void PlatformRestoreDesktopMode()
{
    // Only a switch of this backend is undone: a mode someone else set
    // stays.
    if (!switched) return;
    ChangeDisplaySettingsA(nullptr, 0);
    switched = false;
}
