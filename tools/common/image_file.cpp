#include "tools/common/image_file.h"

#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>
#include <png.h>

namespace tools {

namespace {

bool Fits(int width, int height, const std::vector<unsigned char>& rgb)
{
    return width > 0 && height > 0 && rgb.size() == static_cast<size_t>(width) * height * 3;
}

void AppendPngBytes(png_structp png, png_bytep data, png_size_t size)
{
    auto* out = static_cast<std::vector<unsigned char>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

void FlushNothing(png_structp) {}

}  // namespace

std::vector<unsigned char> EncodeJpeg(int width, int height, const std::vector<unsigned char>& rgb,
                                      const JpegSettings& settings)
{
    if (!Fits(width, height, rgb)) return {};
    jpeg_compress_struct info;
    jpeg_error_mgr error;
    info.err = jpeg_std_error(&error);
    jpeg_create_compress(&info);
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = width;
    info.image_height = height;
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, settings.quality, TRUE);
    info.write_JFIF_header = TRUE;
    if (settings.fullChroma)
        for (int c = 0; c < 3; ++c) info.comp_info[c].h_samp_factor = info.comp_info[c].v_samp_factor = 1;
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        const size_t row = settings.bottomRowFirst ? height - 1 - info.next_scanline : info.next_scanline;
        JSAMPROW pixels = const_cast<JSAMPROW>(&rgb[row * width * 3]);
        jpeg_write_scanlines(&info, &pixels, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<unsigned char> out(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return out;
}

// The classic libpng interface, so that no gamma or colour-space chunk is
// written.
std::vector<unsigned char> EncodePng(int width, int height, const std::vector<unsigned char>& rgb)
{
    if (!Fits(width, height, rgb)) return {};
    std::vector<unsigned char> out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, AppendPngBytes, FlushNothing);
    png_set_IHDR(png, info, width, height, 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < height; ++y) png_write_row(png, &rgb[static_cast<size_t>(y) * width * 3]);
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

}  // namespace tools
