// The setup dialog: the viewer picks the full-screen display mode from every
// mode the display reports, under the setup picture, or cancels.
#ifndef PLM_SHELL_SETUP_DIALOG_H
#define PLM_SHELL_SETUP_DIALOG_H

#include "runtime/display_mode.h"
#include "shell/picture_layout.h"

#include <cstdint>
#include <string>
#include <vector>

// A mode as the list shows it: "%dx%dx%dbpp %dHz".
std::string ModeText(int width, int height, int bits, int refresh);
// Inserts text where a sorted drop-down list puts it: after every entry that
// does not compare greater, ignoring case (so "1024..." precedes "640...").
void AddSortedText(std::vector<std::string>* list, const std::string& text);
// The drop-down list's search: the first entry, starting after `start` and
// wrapping round, that begins with text (ignoring case); -1 when none does.
int FindListText(const std::vector<std::string>& list, const std::string& text, int start);
// Reads a mode text back ("%d%*c%d%*c%d%*s %d%*s"); false unless all four
// numbers were read.
bool ParseModeText(const char* text, CDISPLAYMODE* mode);
// Top-left corner of the dialog centred on a screen, computed in unsigned
// arithmetic; a screen smaller than the dialog puts that edge at 0.
void SetupDialogPosition(uint32_t screenWidth, uint32_t screenHeight, int32_t* x, int32_t* y);

// Shows the dialog (DevIL must be bound). Returns 1 after OK, with
// DisplayMode filled from the selected entry, 0 after Cancel (or a quit
// signal), and -1 when the dialog could not be shown at all or its window
// was lost. After OK the video system stays started for the demo window
// (CloseDemoWindow stops it); otherwise it is stopped here.
int ShowSetupDialog();

#endif
