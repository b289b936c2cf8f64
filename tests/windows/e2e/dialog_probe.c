/* Looks at the windows of a running plumora.exe from outside, for the
   end-to-end tests under Wine: another process of the same Wine session
   sees its windows and can ask its controls for their contents.

   usage: dialog_probe.exe setup | boxes | mode
   setup: finds the visible top-level dialog (class "#32770") that holds a
     combo box with id 1002 and prints, one fact a line:
       rect LEFT TOP WIDTH HEIGHT   the dialog's frame on the screen, pixels
       x11 ID                       the X window id Wine gives it (0 if none)
       items N                      the number of entries in the list
       item TEXT                    each entry, in list order
       selected TEXT                the selected entry, or "(none)"
     Status 1 when there is no such dialog (yet).
   boxes: one line "box X11 CAPTION|TEXT" for each visible message box (a
     dialog with a static text of id 0xFFFF); status 1 when there is none.
   mode: "current TEXT", the desktop's display mode in the list's format
     ("%dx%dx%dbpp %dHz").
   Status 2 for a command line it does not know. */
#include <windows.h>

#include <stdio.h>
#include <string.h>

#define MODE_LIST_ID 1002
#define BOX_TEXT_ID 0xFFFF
#define TEXT_SIZE 512

static int IsDialog(HWND window)
{
    char className[16];
    if (!IsWindowVisible(window)) return 0;
    if (!GetClassNameA(window, className, sizeof className)) return 0;
    return lstrcmpA(className, "#32770") == 0;
}

static BOOL CALLBACK FindSetupDialog(HWND window, LPARAM found)
{
    if (!IsDialog(window) || !GetDlgItem(window, MODE_LIST_ID)) return TRUE;
    *(HWND*)found = window;
    return FALSE;
}

/* UTF-16 text to UTF-8 in text (TEXT_SIZE bytes). */
static void Narrow(const WCHAR* wide, char* text)
{
    if (!WideCharToMultiByte(CP_UTF8, 0, wide, -1, text, TEXT_SIZE, NULL, NULL))
        lstrcpyA(text, "(unreadable)");
}

/* Entry `index` of the list, asked for in UTF-16 (Wine carries the text of
   another process's list back only in that form); the length is asked
   first so that the text always fits the buffer. */
static void EntryText(HWND list, LRESULT index, char* text)
{
    WCHAR wide[TEXT_SIZE];
    LRESULT length = SendMessageW(list, CB_GETLBTEXTLEN, (WPARAM)index, 0);
    lstrcpyA(text, "(unreadable)");
    if (length == CB_ERR || length >= TEXT_SIZE) return;
    if (SendMessageW(list, CB_GETLBTEXT, (WPARAM)index, (LPARAM)wide) == CB_ERR) return;
    wide[length] = 0;
    Narrow(wide, text);
}

static unsigned long X11Window(HWND window)
{
    return (unsigned long)(ULONG_PTR)GetPropA(window, "__wine_x11_whole_window");
}

static int PrintSetupDialog(void)
{
    HWND dialog = NULL;
    HWND list;
    RECT frame;
    LRESULT count, selected, i;
    char text[TEXT_SIZE];

    EnumWindows(FindSetupDialog, (LPARAM)&dialog);
    if (!dialog) {
        printf("no dialog\n");
        return 1;
    }
    list = GetDlgItem(dialog, MODE_LIST_ID);
    GetWindowRect(dialog, &frame);
    printf("rect %ld %ld %ld %ld\n", frame.left, frame.top, frame.right - frame.left,
           frame.bottom - frame.top);
    printf("x11 %lu\n", X11Window(dialog));
    count = SendMessageW(list, CB_GETCOUNT, 0, 0);
    if (count == CB_ERR) count = 0;
    printf("items %ld\n", (long)count);
    for (i = 0; i < count; ++i) {
        EntryText(list, i, text);
        printf("item %s\n", text);
    }
    selected = SendMessageW(list, CB_GETCURSEL, 0, 0);
    if (selected == CB_ERR) {
        printf("selected (none)\n");
    } else {
        EntryText(list, selected, text);
        printf("selected %s\n", text);
    }
    return 0;
}

static BOOL CALLBACK PrintBox(HWND window, LPARAM found)
{
    WCHAR wide[TEXT_SIZE];
    char caption[TEXT_SIZE], text[TEXT_SIZE];
    HWND body;
    if (!IsDialog(window) || GetDlgItem(window, MODE_LIST_ID)) return TRUE;
    body = GetDlgItem(window, BOX_TEXT_ID);
    if (!body) return TRUE;
    wide[0] = 0;
    GetWindowTextW(window, wide, TEXT_SIZE);
    Narrow(wide, caption);
    wide[0] = 0;
    GetWindowTextW(body, wide, TEXT_SIZE);
    Narrow(wide, text);
    printf("box %lu %s|%s\n", X11Window(window), caption, text);
    ++*(int*)found;
    return TRUE;
}

static int PrintBoxes(void)
{
    int found = 0;
    EnumWindows(PrintBox, (LPARAM)&found);
    return found ? 0 : 1;
}

static int PrintCurrentMode(void)
{
    DEVMODEA mode;
    ZeroMemory(&mode, sizeof mode);
    mode.dmSize = sizeof mode;
    if (!EnumDisplaySettingsA(NULL, ENUM_CURRENT_SETTINGS, &mode)) {
        printf("current (unknown)\n");
        return 1;
    }
    printf("current %lux%lux%lubpp %luHz\n", mode.dmPelsWidth, mode.dmPelsHeight, mode.dmBitsPerPel,
           mode.dmDisplayFrequency);
    return 0;
}

int main(int argc, char** argv)
{
    int status = 2;
    if (argc == 2 && strcmp(argv[1], "setup") == 0) status = PrintSetupDialog();
    if (argc == 2 && strcmp(argv[1], "boxes") == 0) status = PrintBoxes();
    if (argc == 2 && strcmp(argv[1], "mode") == 0) status = PrintCurrentMode();
    if (status == 2) fprintf(stderr, "usage: dialog_probe.exe setup | boxes | mode\n");
    fflush(stdout);
    return status;
}
