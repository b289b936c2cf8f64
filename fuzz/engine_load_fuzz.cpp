// Fuzz target: any bytes as a model file. Loading, querying, compiling and
// drawing must never crash or touch memory out of bounds, and what the engine
// hands out must stay safe to index. GL calls go to the test recorder.
#include <sys/mman.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "gl_recorder.h"
#include "plm_engine.h"

namespace {

void Loader(const char*, int* width, int* height, int* components, unsigned char** pixels)
{
    static unsigned char image[4 * 4 * 3];
    *width = *height = 4;
    *components = 3;
    *pixels = image;
}

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "engine fuzz: %s\n", what);
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    int fd = memfd_create("model.3ds", MFD_CLOEXEC);
    if (fd < 0) return 0;
    size_t done = 0;
    while (done < size) {
        ssize_t n = write(fd, data + done, size - done);
        if (n <= 0) break;
        done += static_cast<size_t>(n);
    }
    std::string path = "/proc/self/fd/" + std::to_string(fd);

    glrec::Reset();
    COBJECT3D* obj = CreateObject3d();
    Check(obj->Load(path.c_str(), &Loader, FORMAT_3DS) == 1, "Load refused an open file");
    for (int i = 0; i < obj->GetMeshCount(); ++i) {
        unsigned short vertexCount = 0, faceCount = 0;
        CVERTEX* vertices = nullptr;
        CFACE* faces = nullptr;
        obj->GetMeshData(static_cast<unsigned short>(i), &vertexCount, &faceCount, &vertices, &faces,
                         nullptr);
        for (unsigned v = 0; v < vertexCount; ++v)
            Check(vertices[v].position && vertices[v].normal, "vertex without position or normal");
        for (unsigned f = 0; f < faceCount; ++f) {
            const CFACE& face = faces[f];
            Check(face.a < vertexCount && face.b < vertexCount && face.c < vertexCount,
                  "face outside the vertices");
            Check(face.normal != nullptr, "face without normal");
        }
    }
    for (unsigned char mode : {0, 1, 2}) {
        obj->SetParam(PARAM_NORMALMODE, mode);
        obj->BuildLists();
        obj->Draw();
    }
    obj->Unload();
    delete obj;
    close(fd);
    return 0;
}
