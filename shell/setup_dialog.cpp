#include "shell/setup_dialog.h"

#include "platform/dialog.h"
#include "platform/window.h"
#include "shell/picture_file.h"

#include <cctype>
#include <cstdio>

namespace {

const char* const SETUP_PICTURE = "plumora_data/gfx/setup.jpg";

// Dialog units of the template converted for its 8-point font (one
// horizontal unit 1.5 pixels, one vertical unit 1.625 pixels).
PLATFORMRECT FromDialogUnits(int x, int y, int width, int height)
{
    return {x * 3 / 2, y * 13 / 8, width * 3 / 2, height * 13 / 8};
}

std::vector<std::string> modeTexts;

bool AcceptOk(int selected)
{
    // Nothing selected: OK is ignored rather than reading an unfilled text.
    if (selected < 0 || selected >= static_cast<int>(modeTexts.size())) return false;
    CDISPLAYMODE mode;
    if (!ParseModeText(modeTexts[static_cast<size_t>(selected)].c_str(), &mode)) return false;
    DisplayMode = mode;
    return true;
}

void FillModeList(std::vector<std::string>* list)
{
    PLATFORMMODE modes[512];
    int count = PlatformListModes(modes, 512);
    for (int i = 0; i < count; ++i)
        AddSortedText(list, ModeText(modes[i].width, modes[i].height, modes[i].bits, modes[i].refresh));
}

int CurrentModeIndex(const std::vector<std::string>& list)
{
    PLATFORMMODE desktop;
    if (!PlatformDesktopMode(&desktop)) return -1;
    return FindListText(list, ModeText(desktop.width, desktop.height, desktop.bits, desktop.refresh), 0);
}

int RunDialog(const CPICTUREFILE& picture)
{
    PLATFORMMODE desktop = {};
    PlatformDesktopMode(&desktop);
    PLATFORMDIALOG d = {};
    d.frame = {0, 0, static_cast<int>(SETUP_DIALOG_WIDTH), static_cast<int>(SETUP_DIALOG_HEIGHT)};
    SetupDialogPosition(static_cast<uint32_t>(desktop.width), static_cast<uint32_t>(desktop.height),
                        &d.frame.x, &d.frame.y);
    d.picture = picture.pixels.empty() ? nullptr : picture.pixels.data();
    d.pictureWidth = picture.width;
    d.pictureHeight = picture.height;
    d.pictureArea = {0, 0, static_cast<int>(SETUP_DIALOG_WIDTH), SETUP_PICTURE_HEIGHT};
    std::vector<const char*> items;
    for (const std::string& text : modeTexts) items.push_back(text.c_str());
    d.items = items.data();
    d.itemCount = static_cast<int>(items.size());
    d.selected = CurrentModeIndex(modeTexts);
    d.list = FromDialogUnits(8, 83, 123, 13);
    d.cancel = FromDialogUnits(140, 83, 50, 13);
    d.ok = FromDialogUnits(194, 83, 50, 13);
    return PlatformRunDialog(&d, AcceptOk);
}

// Compares the first n bytes of a and b ignoring ASCII case (n = -1: all).
int CompareIgnoringCase(const char* a, const char* b, long n)
{
    for (long i = 0; n < 0 || i < n; ++i) {
        int ca = std::tolower(static_cast<unsigned char>(a[i]));
        int cb = std::tolower(static_cast<unsigned char>(b[i]));
        if (ca != cb || ca == 0) return ca - cb;
    }
    return 0;
}

}  // namespace

std::string ModeText(int width, int height, int bits, int refresh)
{
    char text[64];
    std::snprintf(text, sizeof text, "%dx%dx%dbpp %dHz", width, height, bits, refresh);
    return std::string(text);
}

void AddSortedText(std::vector<std::string>* list, const std::string& text)
{
    auto at = list->begin();
    while (at != list->end() && CompareIgnoringCase(at->c_str(), text.c_str(), -1) <= 0) ++at;
    list->insert(at, text);
}

int FindListText(const std::vector<std::string>& list, const std::string& text, int start)
{
    int count = static_cast<int>(list.size());
    for (int step = 1; step <= count; ++step) {
        int i = ((start < 0 ? -1 : start) + step) % count;
        if (CompareIgnoringCase(list[static_cast<size_t>(i)].c_str(), text.c_str(),
                                static_cast<long>(text.size())) == 0)
            return i;
    }
    return -1;
}

bool ParseModeText(const char* text, CDISPLAYMODE* mode)
{
    CDISPLAYMODE parsed = {};
    if (std::sscanf(text, "%d%*c%d%*c%d%*s %d%*s", &parsed.screenWidth, &parsed.screenHeight,
                    &parsed.screenBits, &parsed.screenRefresh) != 4)
        return false;
    *mode = parsed;
    return true;
}

void SetupDialogPosition(uint32_t screenWidth, uint32_t screenHeight, int32_t* x, int32_t* y)
{
    *x = screenWidth >= SETUP_DIALOG_WIDTH ? static_cast<int32_t>((screenWidth - SETUP_DIALOG_WIDTH) / 2) : 0;
    *y = screenHeight >= SETUP_DIALOG_HEIGHT ? static_cast<int32_t>((screenHeight - SETUP_DIALOG_HEIGHT) / 2)
                                             : 0;
}

int ShowSetupDialog()
{
    if (!PlatformStartVideo()) return -1;
    CPICTUREFILE picture;
    LoadSetupPicture(SETUP_PICTURE, &picture);
    modeTexts.clear();
    FillModeList(&modeTexts);
    int result = RunDialog(picture);
    // After OK the demo window opens on this same display connection: were
    // it closed, an X server without other clients could reset in between.
    if (result != 1) PlatformStopVideo();
    return result;
}
