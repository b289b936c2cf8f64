#include "scene/face_load.h"

#include <cstdint>
#include <cstdio>

namespace {

// The main chunk's header: a 16-bit signature and a 32-bit length, both
// little-endian, the length counting the whole file.
const uint16_t MODEL_SIGNATURE = 0x4D4D;
const size_t HEADER_BYTES = 6;

uint32_t LittleEndian(const unsigned char* bytes, size_t count)
{
    uint32_t value = 0;
    for (size_t i = count; i > 0; --i) {
        value = (value << 8) | bytes[i - 1];
    }
    return value;
}

// Size of the open file in bytes; -1 when it cannot be told.
long FileSize(FILE* file)
{
    if (std::fseek(file, 0, SEEK_END) != 0) {
        return -1;
    }
    long size = std::ftell(file);
    std::rewind(file);
    return size;
}

// The problem with a header of got bytes (at most HEADER_BYTES) in a file
// of fileSize bytes, as a phrase in why; false when there is one.
bool HeaderSound(const unsigned char* header, size_t got, long fileSize, char* why, size_t size)
{
    if (fileSize == 0) {
        std::snprintf(why, size, "the file is empty");
        return false;
    }
    if (got >= 2 && LittleEndian(header, 2) != MODEL_SIGNATURE) {
        std::snprintf(why, size, "the file is not a 3D Studio model (no 4D4D signature)");
        return false;
    }
    if (got < HEADER_BYTES) {
        std::snprintf(why, size, "the file is truncated (%ld bytes, shorter than a model header)", fileSize);
        return false;
    }
    uint32_t announced = LittleEndian(header + 2, 4);
    if (fileSize >= 0 && announced > static_cast<unsigned long>(fileSize)) {
        std::snprintf(why, size,
                      "the file is truncated (the model announces %lu bytes, the file "
                      "holds %ld)",
                      static_cast<unsigned long>(announced), fileSize);
        return false;
    }
    return true;
}

// Triangles in all meshCount meshes of object.
unsigned long TriangleCount(COBJECT3D* object, int meshCount)
{
    unsigned long total = 0;
    for (int m = 0; m < meshCount && m <= 0xFFFF; ++m) {
        unsigned short faces = 0;
        object->GetMeshData(static_cast<unsigned short>(m), nullptr, &faces, nullptr, nullptr, nullptr);
        total += faces;
    }
    return total;
}

}  // namespace

bool ModelHeaderSound(const char* path, char* why, size_t size)
{
    if (size > 0) {
        why[0] = '\0';
    }
    FILE* file = std::fopen(path, "rb");
    if (file == nullptr) {
        return true;
    }
    long fileSize = FileSize(file);
    unsigned char header[HEADER_BYTES];
    size_t got = std::fread(header, 1, sizeof header, file);
    std::fclose(file);
    return HeaderSound(header, got, fileSize, why, size);
}

int LoadFaceModel(COBJECT3D* object, const char* path, TEXTURELOADER loader)
{
    if (!object->Load(path, loader, FORMAT_3DS)) {
        std::fprintf(stderr, "%s: cannot open the model; the face is not shown\n", path);
        return 0;
    }
    char why[160];
    bool headerSound = ModelHeaderSound(path, why, sizeof why);
    int meshCount = object->GetMeshCount();
    if (meshCount <= 0) {
        if (headerSound) {
            std::fprintf(stderr, "%s: the model has no mesh; the face is not shown\n", path);
        } else {
            std::fprintf(stderr, "%s: %s; the model has no mesh and the face is not shown\n", path, why);
        }
        return 0;
    }
    if (TriangleCount(object, meshCount) == 0) {
        std::fprintf(stderr, "%s: the model's meshes hold no triangles; the face is not shown\n", path);
        return 0;
    }
    if (!headerSound) {
        std::fprintf(stderr, "%s: %s; the face may be incomplete\n", path, why);
    }
    return 1;
}
