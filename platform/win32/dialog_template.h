// Inside the Win32 backend only: the setup dialog's template, built in
// memory as an extended dialog template (DLGTEMPLATEEX) for
// DialogBoxIndirectParamA.
#ifndef PLM_PLATFORM_WIN32_DIALOG_TEMPLATE_H
#define PLM_PLATFORM_WIN32_DIALOG_TEMPLATE_H

#include "platform/dialog.h"

#include <cstdint>
#include <vector>

// A rectangle in dialog units: for the template's 8-point "MS Shell Dlg",
// 4 horizontal units are 6 pixels and 8 vertical units 13 pixels on a
// 96-dpi screen.
struct DIALOGUNITRECT {
    int16_t x, y, width, height;
};

// Control ids: the buttons answer as IDOK and IDCANCEL, so that Return
// (the default button) and Escape work through the dialog manager.
enum : uint16_t { SETUP_OK_ID = 1, SETUP_CANCEL_ID = 2, SETUP_LIST_ID = 1002 };

// The dialog and its three controls in dialog units. The list's height
// includes its dropped-down part.
struct SETUPLAYOUT {
    DIALOGUNITRECT frame, ok, cancel, list;
};

// The smallest dialog-unit rectangle that covers a rectangle of pixels.
DIALOGUNITRECT DialogUnitsOfPixels(const PLATFORMRECT& pixels);
// The layout of a dialog whose frame and controls are placed in pixels;
// the list's dropped-down part adds room for about ten entries.
SETUPLAYOUT SetupLayoutOf(const PLATFORMDIALOG& dialog);

// The template: a borderless popup without caption or system menu, centred
// until it is moved, in 8-point "MS Shell Dlg" (weight 400, not italic,
// default character set), no menu, no class, an empty title; then the
// controls OK (default push button), Cancel (push button), both with a
// static edge, and a sorted drop-down list with a vertical scroll bar, all
// visible tab stops. The bytes start on a 4-byte boundary of the vector's
// storage.
std::vector<uint8_t> BuildSetupTemplate(const SETUPLAYOUT& layout);

#endif
