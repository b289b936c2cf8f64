#include "image_writer.h"

#include <cstdio>

#include <jpeglib.h>
#include <png.h>

namespace {

bool Fail(const std::string& path)
{
    std::fprintf(stderr, "plm-gen-pictures: cannot write %s\n", path.c_str());
    return false;
}

void EncodeJpeg(FILE* file, int width, int height, const std::vector<unsigned char>& rgb)
{
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    jpeg_stdio_dest(&info, file);
    info.image_width = width;
    info.image_height = height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, 95, TRUE);
    info.write_JFIF_header = TRUE;
    for (int c = 0; c < 3; ++c) info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row = const_cast<JSAMPROW>(&rgb[static_cast<size_t>(info.next_scanline) * width * 3]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    jpeg_destroy_compress(&info);
}

}  // namespace

bool WriteJpeg(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb)
{
    if (rgb.size() != static_cast<size_t>(width) * height * 3) return Fail(path);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return Fail(path);
    EncodeJpeg(file, width, height, rgb);
    return std::fclose(file) == 0 ? true : Fail(path);
}

// The classic libpng interface, so that no gamma or colour-space chunk is
// written: decoders then deliver the stored values unchanged.
bool WritePng(const std::string& path, int width, int height, const std::vector<unsigned char>& rgb)
{
    if (rgb.size() != static_cast<size_t>(width) * height * 3) return Fail(path);
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return Fail(path);
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        std::fclose(file);
        return Fail(path);
    }
    png_init_io(png, file);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) png_write_row(png, &rgb[static_cast<size_t>(y) * width * 3]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fclose(file) == 0 ? true : Fail(path);
}
