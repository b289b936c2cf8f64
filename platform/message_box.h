// Modal message box with an OK button (the stand-in for MessageBoxA without
// owner). The same text always goes to stderr as "caption: text", so a run
// without a display still says what went wrong. A termination request
// (platform/termination.h) closes a box that is showing, and no box is
// shown once one has arrived.
#ifndef PLM_PLATFORM_MESSAGE_BOX_H
#define PLM_PLATFORM_MESSAGE_BOX_H

void PlatformMessageBox(const char* caption, const char* text);

#endif
