// The setup dialog's window: a borderless box at a given place, a picture
// across its top, a drop-down list and the buttons Cancel and OK (the
// stand-in for a dialog template run by DialogBoxParam). The caller decides
// what the list holds and what OK means.
#ifndef PLM_PLATFORM_DIALOG_H
#define PLM_PLATFORM_DIALOG_H

struct PLATFORMRECT {
    int x, y, width, height;  // pixels, relative to the dialog's top left
};

struct PLATFORMDIALOG {
    PLATFORMRECT frame;            // the dialog on the screen
    const unsigned char* picture;  // BGR pixels, rows bottom-up; null: none
    int pictureWidth;
    int pictureHeight;
    PLATFORMRECT pictureArea;  // where the picture is stretched to
    const char* const* items;  // the list's entries, in list order
    int itemCount;
    int selected;  // in and out: the selected entry, -1 none
    PLATFORMRECT list;
    PLATFORMRECT cancel;
    PLATFORMRECT ok;
};

// Runs the dialog until OK is accepted or it is cancelled; returns 1 for OK
// and 0 for Cancel. OK (button or Return) asks acceptOk(selected) first and
// keeps the dialog open when it says no. Escape, closing the window and a
// termination request cancel. Up and Down move the selection. -1 when no window
// could be opened, or when another client destroyed it or its display
// connection was lost.
int PlatformRunDialog(PLATFORMDIALOG* dialog, bool (*acceptOk)(int selected));

#endif
