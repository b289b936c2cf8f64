// Files for the picture tests: a scratch data tree entered as the current
// folder, as the program runs inside its unpacked tree, and PNG files of any
// layout.
#ifndef PLM_TESTS_IMAGES_PICTURE_FILES_H
#define PLM_TESTS_IMAGES_PICTURE_FILES_H

#include <filesystem>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

// A fresh temporary folder with plumora_data/texs/ inside, current for the
// object's lifetime and removed afterwards.
class ScratchDataDir {
public:
    ScratchDataDir() : entered_(Prepared(folder_)) {}
    const std::string& Path() const { return folder_.Path(); }
    // Path of a file in plumora_data/texs/.
    std::string Texture(const std::string& name) const { return folder_.File("plumora_data/texs/" + name); }

private:
    static std::string Prepared(const TempFolder& folder)
    {
        std::filesystem::create_directories(folder.File("plumora_data/texs"));
        return folder.Path();
    }
    TempFolder folder_{"plm-images"};
    CurrentFolder entered_;
};

// PNG colour types and depths as libpng names them.
struct PngLayout {
    int colorType;  // PNG_COLOR_TYPE_*
    int bitDepth;   // 8 or 16
};

// Writes a PNG of width x height with the rows given top first (each row
// packed to the layout's size); palette entries are RGB triples.
void WritePng(const std::string& path, int width, int height, PngLayout layout,
              const std::vector<unsigned char>& rows, const std::vector<unsigned char>& palette = {});

#endif
