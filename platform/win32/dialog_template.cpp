// The setup dialog's extended template, written field by field.
#include "platform/win32/dialog_template.h"

#include "platform/win32/win32_display.h"

namespace {

const int DROPPED_LIST_UNITS = 95;
// Atoms of the predefined window classes, as resource compilers write them.
const uint16_t BUTTON_CLASS_ATOM = 0x0080;
const uint16_t COMBOBOX_CLASS_ATOM = 0x0085;

class CTEMPLATEWRITER {
public:
    void Word(uint16_t value)
    {
        bytes.push_back(static_cast<uint8_t>(value & 0xFF));
        bytes.push_back(static_cast<uint8_t>(value >> 8));
    }
    void Dword(uint32_t value)
    {
        Word(static_cast<uint16_t>(value & 0xFFFF));
        Word(static_cast<uint16_t>(value >> 16));
    }
    void Byte(uint8_t value) { bytes.push_back(value); }
    void Rect(const DIALOGUNITRECT& r)
    {
        Word(static_cast<uint16_t>(r.x));
        Word(static_cast<uint16_t>(r.y));
        Word(static_cast<uint16_t>(r.width));
        Word(static_cast<uint16_t>(r.height));
    }
    // A UTF-16 text of ASCII characters with its terminating zero.
    void Text(const char* text)
    {
        for (; *text; ++text) Word(static_cast<uint8_t>(*text));
        Word(0);
    }
    void AlignDword()
    {
        while (bytes.size() % 4 != 0) bytes.push_back(0);
    }
    std::vector<uint8_t> bytes;
};

struct CONTROL {
    uint32_t exStyle;
    uint32_t style;
    DIALOGUNITRECT rect;
    uint16_t id;
    uint16_t classAtom;
    const char* text;
};

void WriteHeader(CTEMPLATEWRITER* w, const DIALOGUNITRECT& frame, uint16_t controls)
{
    w->Word(1);       // dlgVer
    w->Word(0xFFFF);  // signature: extended template
    w->Dword(0);      // helpID
    w->Dword(0);      // exStyle
    w->Dword(WS_POPUP | DS_CENTER | DS_SETFONT | DS_FIXEDSYS);
    w->Word(controls);
    w->Rect(frame);
    w->Word(0);  // no menu
    w->Word(0);  // the predefined dialog class
    w->Word(0);  // empty title
    w->Word(8);  // point size
    w->Word(FW_NORMAL);
    w->Byte(0);  // not italic
    w->Byte(DEFAULT_CHARSET);
    w->Text("MS Shell Dlg");
}

void WriteControl(CTEMPLATEWRITER* w, const CONTROL& c)
{
    w->AlignDword();
    w->Dword(0);  // helpID
    w->Dword(c.exStyle);
    w->Dword(c.style);
    w->Rect(c.rect);
    w->Dword(c.id);
    w->Word(0xFFFF);
    w->Word(c.classAtom);
    w->Text(c.text);
    w->Word(0);  // no creation data
}

int16_t UnitsCovering(int pixels, int pixelsPerStep, int unitsPerStep)
{
    // Rounded up; negative values do not occur in a dialog's layout.
    int value = pixels <= 0 ? 0 : (pixels * unitsPerStep + pixelsPerStep - 1) / pixelsPerStep;
    return static_cast<int16_t>(value > 0x7FFF ? 0x7FFF : value);
}

}  // namespace

DIALOGUNITRECT DialogUnitsOfPixels(const PLATFORMRECT& r)
{
    return {UnitsCovering(r.x, 6, 4), UnitsCovering(r.y, 13, 8), UnitsCovering(r.width, 6, 4),
            UnitsCovering(r.height, 13, 8)};
}

SETUPLAYOUT SetupLayoutOf(const PLATFORMDIALOG& d)
{
    SETUPLAYOUT layout;
    layout.frame = DialogUnitsOfPixels({0, 0, d.frame.width, d.frame.height});
    layout.ok = DialogUnitsOfPixels(d.ok);
    layout.cancel = DialogUnitsOfPixels(d.cancel);
    layout.list = DialogUnitsOfPixels(d.list);
    layout.list.height = static_cast<int16_t>(layout.list.height + DROPPED_LIST_UNITS);
    return layout;
}

std::vector<uint8_t> BuildSetupTemplate(const SETUPLAYOUT& layout)
{
    const uint32_t child = WS_CHILD | WS_VISIBLE | WS_TABSTOP;
    const CONTROL controls[] = {
        {WS_EX_STATICEDGE, child | BS_DEFPUSHBUTTON, layout.ok, SETUP_OK_ID, BUTTON_CLASS_ATOM, "OK"},
        {WS_EX_STATICEDGE, child | BS_PUSHBUTTON, layout.cancel, SETUP_CANCEL_ID, BUTTON_CLASS_ATOM,
         "Cancel"},
        {0, child | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT, layout.list, SETUP_LIST_ID, COMBOBOX_CLASS_ATOM,
         ""},
    };
    CTEMPLATEWRITER w;
    WriteHeader(&w, layout.frame, 3);
    for (const CONTROL& c : controls) WriteControl(&w, c);
    return w.bytes;
}
