#include "devil_support.h"

#include <dlfcn.h>
#include <png.h>
#include <stdlib.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "runtime/entry_points.h"

namespace {

const char kDevilPath[] = "/usr/lib/x86_64-linux-gnu/libIL.so.1";

template <typename F>
void Bind(void* library, F& slot, const char* name)
{
    slot = reinterpret_cast<F>(dlsym(library, name));
}

}  // namespace

bool BindDevil()
{
    static void* library = dlopen(kDevilPath, RTLD_NOW | RTLD_LOCAL);
    if (!library) return false;
    CENTRYPOINTS& e = EntryPoints;
    e.devil = library;
    Bind(library, e.ilInit, "ilInit");
    Bind(library, e.ilGenImages, "ilGenImages");
    Bind(library, e.ilBindImage, "ilBindImage");
    Bind(library, e.ilLoadImage, "ilLoadImage");
    Bind(library, e.ilGetData, "ilGetData");
    Bind(library, e.ilDeleteImages, "ilDeleteImages");
    Bind(library, e.ilGetInteger, "ilGetInteger");
    Bind(library, e.ilConvertImage, "ilConvertImage");
    if (!e.ilInit) return false;
    e.ilInit();
    return true;
}

void UnbindDevil()
{
    CENTRYPOINTS& e = EntryPoints;
    e.ilInit = nullptr;
    e.ilGenImages = nullptr;
    e.ilBindImage = nullptr;
    e.ilLoadImage = nullptr;
    e.ilGetData = nullptr;
    e.ilDeleteImages = nullptr;
    e.ilGetInteger = nullptr;
    e.ilConvertImage = nullptr;
}

ScratchDataDir::ScratchDataDir()
{
    std::string pattern = (std::filesystem::temp_directory_path() / "plm-images-XXXXXX").string();
    path = mkdtemp(pattern.data()) ? pattern : std::string();
    previous = std::filesystem::current_path().string();
    std::filesystem::create_directories(path + "/plumora_data/texs");
    std::filesystem::current_path(path);
}

ScratchDataDir::~ScratchDataDir()
{
    std::filesystem::current_path(previous);
    std::error_code error;
    std::filesystem::remove_all(path, error);
}

std::string ScratchDataDir::Texture(const std::string& name) const
{
    return path + "/plumora_data/texs/" + name;
}

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

std::vector<unsigned char> ReadFileBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return std::vector<unsigned char>(std::istreambuf_iterator<char>(in), {});
}

void WriteFileBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}
