#include "picture_files.h"

#include <png.h>

#include <cstdio>

void WritePng(const std::string& path, int width, int height, PngLayout layout,
              const std::vector<unsigned char>& rows, const std::vector<unsigned char>& palette)
{
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, layout.bitDepth, layout.colorType, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> entries;
    for (size_t i = 0; i + 2 < palette.size(); i += 3)
        entries.push_back(png_color{palette[i], palette[i + 1], palette[i + 2]});
    if (!entries.empty()) png_set_PLTE(png, info, entries.data(), static_cast<int>(entries.size()));
    png_write_info(png, info);
    const size_t rowBytes = rows.size() / height;
    for (int y = 0; y < height; ++y) png_write_row(png, &rows[y * rowBytes]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    std::fclose(file);
}
