// Text set with FreeType into a coverage layer.
#ifndef PLM_GEN_TEXT_H
#define PLM_GEN_TEXT_H

#include <string>

#include "canvas.h"

// How a line of text is set: pixel size, horizontal stretch (1 = the font's
// own proportions; pictures that the demo draws squeezed or widened are
// pre-distorted with it) and extra space after each character, in pixels.
struct CTEXTSTYLE {
    float pixelSize;
    float stretchX;
    float tracking;
};

class CFONT {
public:
    CFONT();
    ~CFONT();
    CFONT(const CFONT&) = delete;
    CFONT& operator=(const CFONT&) = delete;

    // Opens a font file; false (with a message on stderr) when it cannot.
    bool Open(const char* path);
    // Advance width of text in pixels.
    float Measure(const std::string& text, const CTEXTSTYLE& style);
    // Sets text with its baseline at y, starting at x; returns the end x.
    float Draw(CLayer& layer, float x, float y, const std::string& text, const CTEXTSTYLE& style);
    // Draws text centred on cx.
    void DrawCentred(CLayer& layer, float cx, float y, const std::string& text, const CTEXTSTYLE& style);

private:
    float Walk(CLayer* layer, float x, float y, const std::string& text, const CTEXTSTYLE& style);
    void Blit(CLayer& layer, int left, int top);

    void* library;  // FT_Library
    void* face;     // FT_Face
};

#endif
