// The setup dialog as a real dialog box: DialogBoxIndirectParamA on a
// template built in memory, the picture painted from a device-independent
// bitmap, the list in a combo box.
#include "platform/dialog.h"

#include "platform/termination.h"
#include "platform/win32/dialog_template.h"
#include "platform/win32/win32_display.h"

#include <cstring>

namespace {

const UINT_PTR WATCH_TIMER = 1;
const UINT WATCH_INTERVAL_MS = 50;
const int DIALOG_LOST = -1;

struct DIALOGRUN {
    PLATFORMDIALOG* d;
    bool (*acceptOk)(int selected);
    int listHeightUnits;  // the list with its dropped-down part, dialog units
    HBITMAP picture = nullptr;
    bool ended = false;
};

// A bottom-up 24-bit bitmap of the caller's packed BGR rows; bitmap rows
// are padded to 4 bytes.
HBITMAP MakePicture(const PLATFORMDIALOG& d)
{
    if (!d.picture || d.pictureWidth <= 0 || d.pictureHeight <= 0) return nullptr;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = d.pictureWidth;
    info.bmiHeader.biHeight = d.pictureHeight;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (!bitmap) return nullptr;
    size_t row = static_cast<size_t>(d.pictureWidth) * 3;
    size_t stride = (row + 3) & ~static_cast<size_t>(3);
    for (int y = 0; y < d.pictureHeight; ++y)
        std::memcpy(static_cast<uint8_t*>(bits) + stride * static_cast<size_t>(y),
                    d.picture + row * static_cast<size_t>(y), row);
    return bitmap;
}

void PaintPicture(HWND dialog, const DIALOGRUN& run)
{
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(dialog, &paint);
    if (run.picture) {
        const PLATFORMDIALOG& d = *run.d;
        HDC memory = CreateCompatibleDC(dc);
        HGDIOBJ old = SelectObject(memory, run.picture);
        const PLATFORMRECT& a = d.pictureArea;
        if (a.width == d.pictureWidth && a.height == d.pictureHeight) {
            BitBlt(dc, a.x, a.y, a.width, a.height, memory, 0, 0, SRCCOPY);
        } else {
            SetStretchBltMode(dc, COLORONCOLOR);
            StretchBlt(dc, a.x, a.y, a.width, a.height, memory, 0, 0, d.pictureWidth, d.pictureHeight,
                       SRCCOPY);
        }
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    EndPaint(dialog, &paint);
}

void Place(HWND control, const PLATFORMRECT& r, int height)
{
    MoveWindow(control, r.x, r.y, r.width, height, TRUE);
}

// The template places the controls in dialog units; the caller's pixels
// win where the font's real units differ. The list's height counts its
// dropped-down part (the closed box takes the height of its font), which
// keeps the template's dialog units.
void PlaceControls(HWND dialog, const DIALOGRUN& run)
{
    const PLATFORMDIALOG& d = *run.d;
    const PLATFORMRECT& f = d.frame;
    MoveWindow(dialog, f.x, f.y, f.width, f.height, TRUE);
    Place(GetDlgItem(dialog, SETUP_OK_ID), d.ok, d.ok.height);
    Place(GetDlgItem(dialog, SETUP_CANCEL_ID), d.cancel, d.cancel.height);
    RECT dropped = {0, 0, 0, run.listHeightUnits};
    MapDialogRect(dialog, &dropped);
    Place(GetDlgItem(dialog, SETUP_LIST_ID), d.list, dropped.bottom);
}

// The combo box sorts its entries; each keeps the caller's index as its
// data, so the selection is always told in the caller's order.
void FillList(HWND list, const PLATFORMDIALOG& d)
{
    for (int i = 0; i < d.itemCount; ++i) {
        LRESULT at = SendMessageA(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(d.items[i]));
        if (at >= 0) SendMessageA(list, CB_SETITEMDATA, static_cast<WPARAM>(at), i);
    }
    LRESULT count = SendMessageA(list, CB_GETCOUNT, 0, 0);
    for (LRESULT at = 0; at < count; ++at) {
        if (SendMessageA(list, CB_GETITEMDATA, static_cast<WPARAM>(at), 0) == d.selected) {
            SendMessageA(list, CB_SETCURSEL, static_cast<WPARAM>(at), 0);
            return;
        }
    }
}

int Selected(HWND dialog)
{
    HWND list = GetDlgItem(dialog, SETUP_LIST_ID);
    LRESULT at = SendMessageA(list, CB_GETCURSEL, 0, 0);
    if (at == CB_ERR) return -1;
    return static_cast<int>(SendMessageA(list, CB_GETITEMDATA, static_cast<WPARAM>(at), 0));
}

void End(HWND dialog, DIALOGRUN* run, int result)
{
    run->ended = true;
    EndDialog(dialog, result);
}

BOOL Initialise(HWND dialog, DIALOGRUN* run)
{
    SetWindowLongPtrA(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(run));
    run->picture = MakePicture(*run->d);
    PlaceControls(dialog, *run);
    HWND list = GetDlgItem(dialog, SETUP_LIST_ID);
    FillList(list, *run->d);
    SetTimer(dialog, WATCH_TIMER, WATCH_INTERVAL_MS, nullptr);
    // Up and Down move the selection of the focused list; Return and Escape
    // still reach the buttons through the dialog manager.
    SetFocus(list);
    return FALSE;
}

BOOL Command(HWND dialog, DIALOGRUN* run, WPARAM wParam)
{
    switch (LOWORD(wParam)) {
        case SETUP_OK_ID:
            run->d->selected = Selected(dialog);
            if (run->acceptOk(run->d->selected)) End(dialog, run, 1);
            break;
        case SETUP_CANCEL_ID:
            End(dialog, run, 0);
            break;
        case SETUP_LIST_ID:
            if (HIWORD(wParam) == CBN_SELCHANGE) run->d->selected = Selected(dialog);
            break;
        default:
            break;
    }
    return TRUE;
}

INT_PTR CALLBACK SetupDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_INITDIALOG) return Initialise(dialog, reinterpret_cast<DIALOGRUN*>(lParam));
    DIALOGRUN* run = reinterpret_cast<DIALOGRUN*>(GetWindowLongPtrA(dialog, DWLP_USER));
    if (!run) return FALSE;
    switch (message) {
        case WM_PAINT:
            PaintPicture(dialog, *run);
            return TRUE;
        case WM_COMMAND:
            return Command(dialog, run, wParam);
        case WM_TIMER:
            if (wParam == WATCH_TIMER && PlatformTerminationRequested() != 0) End(dialog, run, 0);
            return TRUE;
        case WM_DESTROY:
            KillTimer(dialog, WATCH_TIMER);
            if (run->picture) DeleteObject(run->picture);
            run->picture = nullptr;
            return FALSE;
        default:
            return FALSE;
    }
}

}  // namespace

int PlatformRunDialog(PLATFORMDIALOG* d, bool (*acceptOk)(int selected))
{
    if (PlatformTerminationRequested() != 0) return 0;
    SETUPLAYOUT layout = SetupLayoutOf(*d);
    std::vector<uint8_t> bytes = BuildSetupTemplate(layout);
    DIALOGRUN run = {d, acceptOk, layout.list.height};
    INT_PTR result =
        DialogBoxIndirectParamA(GetModuleHandleA(nullptr), reinterpret_cast<LPCDLGTEMPLATEA>(bytes.data()),
                                nullptr, SetupDialogProc, reinterpret_cast<LPARAM>(&run));
    // Destroyed without an answer: by someone else, or its display is gone.
    if (result == -1 || !run.ended) return DIALOG_LOST;
    return static_cast<int>(result);
}
