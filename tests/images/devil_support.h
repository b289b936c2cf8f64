// Test support for the picture loader: binds the system's DevIL into
// EntryPoints, gives each test a scratch directory as current directory
// with plumora_data/texs/ inside, and writes PNG files of any layout.
#ifndef PLM_TESTS_DEVIL_SUPPORT_H
#define PLM_TESTS_DEVIL_SUPPORT_H

#include <string>
#include <vector>

// dlopens libIL.so.1, fills the DevIL pointers of EntryPoints and calls
// ilInit. False when the library cannot be bound.
bool BindDevil();
// Clears every DevIL pointer of EntryPoints.
void UnbindDevil();

// Makes a fresh scratch directory with plumora_data/texs/, enters it, and
// on destruction returns to the previous directory and removes it.
class ScratchDataDir {
public:
    ScratchDataDir();
    ~ScratchDataDir();
    const std::string& Path() const { return path; }
    // Path of a file in plumora_data/texs/.
    std::string Texture(const std::string& name) const;

private:
    std::string path;
    std::string previous;
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

// The bytes of a whole file.
std::vector<unsigned char> ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, const std::string& bytes);

#endif
