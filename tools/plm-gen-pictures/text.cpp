#include "text.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstdio>

namespace {

FT_Library Lib(void* p)
{
    return static_cast<FT_Library>(p);
}
FT_Face Face(void* p)
{
    return static_cast<FT_Face>(p);
}

// Next code point of UTF-8 text (invalid bytes are taken as Latin-1).
unsigned long NextCodePoint(const std::string& text, size_t& i)
{
    const unsigned char c = static_cast<unsigned char>(text[i++]);
    if (c < 0x80 || i >= text.size()) return c;
    int extra = (c >= 0xF0) ? 3 : (c >= 0xE0) ? 2 : (c >= 0xC0) ? 1 : 0;
    unsigned long cp = c & (0x3F >> extra);
    while (extra-- > 0 && i < text.size()) cp = (cp << 6) | (text[i++] & 0x3F);
    return cp;
}

}  // namespace

CFONT::CFONT() : library(nullptr), face(nullptr) {}

CFONT::~CFONT()
{
    if (face) FT_Done_Face(Face(face));
    if (library) FT_Done_FreeType(Lib(library));
}

bool CFONT::Open(const char* path)
{
    FT_Library lib = nullptr;
    FT_Face f = nullptr;
    if (FT_Init_FreeType(&lib) != 0) return false;
    library = lib;
    if (FT_New_Face(lib, path, 0, &f) != 0) {
        std::fprintf(stderr, "plm-gen-pictures: cannot open font %s\n", path);
        return false;
    }
    face = f;
    return true;
}

void CFONT::Blit(CLayer& layer, int left, int top)
{
    const FT_Bitmap& bitmap = Face(face)->glyph->bitmap;
    for (unsigned row = 0; row < bitmap.rows; ++row)
        for (unsigned col = 0; col < bitmap.width; ++col) {
            const unsigned char v = bitmap.buffer[row * bitmap.pitch + col];
            if (v) layer.Max(left + static_cast<int>(col), top + static_cast<int>(row), v / 255.0f);
        }
}

float CFONT::Walk(CLayer* layer, float x, float y, const std::string& text, const CTEXTSTYLE& style)
{
    FT_Face f = Face(face);
    FT_Set_Char_Size(f, 0, static_cast<FT_F26Dot6>(std::lround(style.pixelSize * 64.0f)), 72, 72);
    FT_UInt previous = 0;
    for (size_t i = 0; i < text.size();) {
        const FT_UInt glyph = FT_Get_Char_Index(f, NextCodePoint(text, i));
        FT_Vector kern = {0, 0};
        if (previous && glyph) FT_Get_Kerning(f, previous, glyph, FT_KERNING_DEFAULT, &kern);
        x += kern.x / 64.0f * style.stretchX;
        const float whole = std::floor(x);
        FT_Matrix m = {static_cast<FT_Fixed>(std::lround(style.stretchX * 65536.0f)), 0, 0, 0x10000};
        FT_Vector delta = {static_cast<FT_Pos>(std::lround((x - whole) * 64.0f)), 0};
        FT_Set_Transform(f, &m, &delta);
        if (FT_Load_Glyph(f, glyph, FT_LOAD_RENDER | FT_LOAD_NO_HINTING) != 0) continue;
        if (layer)
            Blit(*layer, static_cast<int>(whole) + f->glyph->bitmap_left,
                 static_cast<int>(std::lround(y)) - f->glyph->bitmap_top);
        x = whole + f->glyph->advance.x / 64.0f + style.tracking;
        previous = glyph;
    }
    return x - style.tracking;
}

float CFONT::Measure(const std::string& text, const CTEXTSTYLE& style)
{
    return Walk(nullptr, 0.0f, 0.0f, text, style);
}

float CFONT::Draw(CLayer& layer, float x, float y, const std::string& text, const CTEXTSTYLE& style)
{
    return Walk(&layer, x, y, text, style);
}

void CFONT::DrawCentred(CLayer& layer, float cx, float y, const std::string& text, const CTEXTSTYLE& style)
{
    Draw(layer, cx - Measure(text, style) * 0.5f, y, text, style);
}
