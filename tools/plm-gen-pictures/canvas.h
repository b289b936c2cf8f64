// Float images for the picture generator: an RGB canvas (0..1 per channel)
// and a one-channel layer (coverage or intensity, 0..1). Row 0 is the top
// row, as the picture files store it.
#ifndef PLM_GEN_CANVAS_H
#define PLM_GEN_CANVAS_H

#include <cstddef>
#include <vector>

struct CRGB {
    float r, g, b;
};

CRGB Mix(CRGB a, CRGB b, float t);
CRGB Scale(CRGB c, float k);

class CLayer {
public:
    CLayer(int width, int height);
    int Width() const { return width; }
    int Height() const { return height; }
    float At(int x, int y) const;         // 0 outside
    void Max(int x, int y, float value);  // keeps the larger value; ignores outside
    float* Row(int y) { return &values[static_cast<std::size_t>(y) * width]; }
    const float* Row(int y) const { return &values[static_cast<std::size_t>(y) * width]; }
    // Three passes of a box blur of the given radius in each direction
    // (close to a Gaussian of sigma ~ radius).
    void Blur(int radius);

private:
    int width;
    int height;
    std::vector<float> values;
};

class CCanvas {
public:
    CCanvas(int width, int height, CRGB fill);
    int Width() const { return width; }
    int Height() const { return height; }
    CRGB Get(int x, int y) const;
    void Set(int x, int y, CRGB c);  // ignores outside
    // Adds color * layer value to every pixel.
    void Add(const CLayer& layer, CRGB color);
    // Paints color over the canvas with the layer as opacity; color(x, y)
    // comes from a function so fills can be gradients.
    template <typename F>
    void Paint(const CLayer& layer, F color)
    {
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) {
                const float a = layer.Row(y)[x];
                if (a > 0.0f) Set(x, y, Mix(Get(x, y), color(x, y), a > 1.0f ? 1.0f : a));
            }
    }
    // 8-bit RGB, rows top first, packed; values below floor become exactly 0.
    std::vector<unsigned char> ToBytes(float floor) const;

private:
    int width;
    int height;
    std::vector<CRGB> pixels;
};

#endif
