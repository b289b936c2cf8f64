// The setup dialog's template read back as data: the header, the font, and
// each control's styles, place in dialog units, id, class and text.
#include "platform/win32/dialog_template.h"

#include <windows.h>
#include <gtest/gtest.h>

#include <string>

namespace {

// Reads the template's little-endian fields in order.
class CTEMPLATEREADER {
public:
    explicit CTEMPLATEREADER(const std::vector<uint8_t>& bytes) : bytes(bytes) {}
    uint16_t Word()
    {
        if (at + 2 > bytes.size()) {
            overrun = true;
            return 0;
        }
        uint16_t value = static_cast<uint16_t>(bytes[at] | bytes[at + 1] << 8);
        at += 2;
        return value;
    }
    uint32_t Dword()
    {
        uint32_t low = Word();
        return low | static_cast<uint32_t>(Word()) << 16;
    }
    uint8_t Byte()
    {
        if (at >= bytes.size()) {
            overrun = true;
            return 0;
        }
        return bytes[at++];
    }
    std::string Text()
    {
        std::string text;
        for (uint16_t c = Word(); c != 0 && !overrun; c = Word()) text += static_cast<char>(c);
        return text;
    }
    void AlignDword()
    {
        while (at % 4 != 0) ++at;
    }
    size_t at = 0;
    bool overrun = false;

private:
    const std::vector<uint8_t>& bytes;
};

struct ITEM {
    uint32_t exStyle, style;
    int16_t x, y, width, height;
    uint32_t id;
    uint16_t classAtom;
    std::string text;
};

ITEM ReadItem(CTEMPLATEREADER* r)
{
    ITEM item;
    r->AlignDword();
    EXPECT_EQ(r->Dword(), 0u);  // help id
    item.exStyle = r->Dword();
    item.style = r->Dword();
    item.x = static_cast<int16_t>(r->Word());
    item.y = static_cast<int16_t>(r->Word());
    item.width = static_cast<int16_t>(r->Word());
    item.height = static_cast<int16_t>(r->Word());
    item.id = r->Dword();
    EXPECT_EQ(r->Word(), 0xFFFF);  // class given as an atom
    item.classAtom = r->Word();
    item.text = r->Text();
    EXPECT_EQ(r->Word(), 0);  // no creation data
    return item;
}

// The setup dialog's pixel layout as the program gives it: 380 x 160, the
// controls on row 83 of the template converted at 1.5 x 1.625 pixels per unit.
PLATFORMDIALOG SetupDialog()
{
    PLATFORMDIALOG d = {};
    d.frame = {322, 304, 380, 160};
    d.list = {12, 134, 184, 21};
    d.cancel = {210, 134, 75, 21};
    d.ok = {291, 134, 75, 21};
    return d;
}

TEST(Win32DialogTemplate, PixelsBecomeTheDialogUnitsThatCoverThem)
{
    DIALOGUNITRECT list = DialogUnitsOfPixels({12, 134, 184, 21});
    EXPECT_EQ(list.x, 8);
    EXPECT_EQ(list.y, 83);
    EXPECT_EQ(list.width, 123);
    EXPECT_EQ(list.height, 13);
    DIALOGUNITRECT exact = DialogUnitsOfPixels({6, 13, 60, 26});
    EXPECT_EQ(exact.x, 4);
    EXPECT_EQ(exact.y, 8);
    EXPECT_EQ(exact.width, 40);
    EXPECT_EQ(exact.height, 16);
    DIALOGUNITRECT tiny = DialogUnitsOfPixels({1, 1, 0, -5});
    EXPECT_EQ(tiny.x, 1);
    EXPECT_EQ(tiny.y, 1);
    EXPECT_EQ(tiny.width, 0);
    EXPECT_EQ(tiny.height, 0);
    DIALOGUNITRECT huge = DialogUnitsOfPixels({0, 0, 1000000, 1000000});
    EXPECT_EQ(huge.width, 0x7FFF);  // clamped, not wrapped
    EXPECT_EQ(huge.height, 0x7FFF);
}

TEST(Win32DialogTemplate, HeaderIsABorderlessPopupInEightPointShellFont)
{
    std::vector<uint8_t> bytes = BuildSetupTemplate(SetupLayoutOf(SetupDialog()));
    ASSERT_EQ(reinterpret_cast<uintptr_t>(bytes.data()) % 4, 0u);
    CTEMPLATEREADER r(bytes);
    EXPECT_EQ(r.Word(), 1);       // version
    EXPECT_EQ(r.Word(), 0xFFFF);  // extended
    EXPECT_EQ(r.Dword(), 0u);     // help id
    EXPECT_EQ(r.Dword(), 0u);     // extended style
    uint32_t style = r.Dword();
    EXPECT_EQ(style, uint32_t(WS_POPUP | DS_CENTER | DS_SETFONT | DS_FIXEDSYS));
    EXPECT_EQ(style & (WS_CAPTION | WS_BORDER | WS_SYSMENU | WS_THICKFRAME), 0u);
    EXPECT_EQ(r.Word(), 3);  // controls
    EXPECT_EQ(r.Word(), 0);  // x
    EXPECT_EQ(r.Word(), 0);  // y
    EXPECT_EQ(r.Word(), 254);
    EXPECT_EQ(r.Word(), 99);
    EXPECT_EQ(r.Word(), 0);  // menu
    EXPECT_EQ(r.Word(), 0);  // class
    EXPECT_EQ(r.Text(), "");
    EXPECT_EQ(r.Word(), 8);  // points
    EXPECT_EQ(r.Word(), 400);
    EXPECT_EQ(r.Byte(), 0);  // italic
    EXPECT_EQ(r.Byte(), 1);  // DEFAULT_CHARSET
    EXPECT_EQ(r.Text(), "MS Shell Dlg");
    EXPECT_FALSE(r.overrun);
}

TEST(Win32DialogTemplate, ControlsAreOkCancelAndTheSortedList)
{
    std::vector<uint8_t> bytes = BuildSetupTemplate(SetupLayoutOf(SetupDialog()));
    CTEMPLATEREADER r(bytes);
    r.at = 30;  // past the header's fixed fields, the menu and the class
    r.Text();   // title
    r.at += 6;  // point size, weight, italic, character set
    EXPECT_EQ(r.Text(), "MS Shell Dlg");
    const uint32_t child = WS_CHILD | WS_VISIBLE | WS_TABSTOP;

    ITEM ok = ReadItem(&r);
    EXPECT_EQ(ok.id, 1u);
    EXPECT_EQ(ok.classAtom, 0x0080);  // BUTTON
    EXPECT_EQ(ok.text, "OK");
    EXPECT_EQ(ok.style, child | BS_DEFPUSHBUTTON);
    EXPECT_EQ(ok.exStyle, uint32_t(WS_EX_STATICEDGE));
    EXPECT_EQ(ok.x, 194);
    EXPECT_EQ(ok.y, 83);
    EXPECT_EQ(ok.width, 50);
    EXPECT_EQ(ok.height, 13);

    ITEM cancel = ReadItem(&r);
    EXPECT_EQ(cancel.id, 2u);
    EXPECT_EQ(cancel.classAtom, 0x0080);
    EXPECT_EQ(cancel.text, "Cancel");
    EXPECT_EQ(cancel.style, child | BS_PUSHBUTTON);
    EXPECT_EQ(cancel.exStyle, uint32_t(WS_EX_STATICEDGE));
    EXPECT_EQ(cancel.x, 140);
    EXPECT_EQ(cancel.y, 83);
    EXPECT_EQ(cancel.width, 50);
    EXPECT_EQ(cancel.height, 13);

    ITEM list = ReadItem(&r);
    EXPECT_EQ(list.id, 1002u);
    EXPECT_EQ(list.classAtom, 0x0085);  // COMBOBOX
    EXPECT_EQ(list.text, "");
    EXPECT_EQ(list.style, child | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_SORT);
    EXPECT_EQ(list.exStyle, 0u);
    EXPECT_EQ(list.x, 8);
    EXPECT_EQ(list.y, 83);
    EXPECT_EQ(list.width, 123);
    EXPECT_EQ(list.height, 108);  // with the dropped-down list
    EXPECT_FALSE(r.overrun);
    EXPECT_EQ(r.at, bytes.size());
}

}  // namespace
