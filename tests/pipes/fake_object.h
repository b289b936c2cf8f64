// A stand-in for plm_engine in the pipes tests: objects whose mesh 0 the
// test chooses, made by a factory that can be bound into EntryPoints, and a
// log of every engine call in order.
#ifndef PLM_TESTS_PIPES_FAKE_OBJECT_H
#define PLM_TESTS_PIPES_FAKE_OBJECT_H

#include "plm_engine.h"

#include <map>
#include <string>
#include <vector>

// The model a fake object holds after Load: meshCount meshes, mesh 0 built
// from the arrays below (3 floats per vertex in positions and normals).
struct FakeModel {
    int meshCount = 1;
    std::vector<float> positions;
    std::vector<float> normals;
    std::vector<CFACE> faces;
    unsigned texture = 0;
};

// A model of faceCount separate triangles: face f uses vertices 3f, 3f+1,
// 3f+2 at small distinct positions near the origin, normals along +Z.
FakeModel TriangleModel(unsigned faceCount, unsigned texture = 0);

class FakeObject : public COBJECT3D {
public:
    explicit FakeObject(const FakeModel& model);
    ~FakeObject() override;
    int Load(const char* fileName, TEXTURELOADER loader, unsigned char format) override;
    void Draw() override;
    void Unload() override;
    void SetParam(int param, unsigned char value) override;
    void BuildLists() override;
    int GetMeshCount() override;
    void GetMeshData(unsigned short index, unsigned short* vertexCount, unsigned short* faceCount,
                     CVERTEX** vertices, CFACE** faces, unsigned int* texture) override;

private:
    void Fill(const FakeModel& model);
    FakeModel model_;
    std::vector<CVERTEX> vertices_;
    int meshCount_ = 0;
};

// Models that Load finds, by the path passed to it; other paths fail to open.
extern std::map<std::string, FakeModel> fakeModels;
// Every engine call, e.g. "create", "Load plumora_data/obj3d/a.3ds 1 loader",
// "SetParam 1 2", "BuildLists", "GetMeshData 0".
extern std::vector<std::string> engineCalls;
// When false the factory returns null.
extern bool fakeFactoryWorks;
// Pictures Load asked its loader for: one per load of a model whose texture
// is not 0.
extern int fakeTexturesAsked;
// Buffers the test's LoadImageFile handed out and FreePixelBuffer has not
// freed (counting_loader.cpp).
extern int livePixelBuffers;

// The factory: a new FakeObject with no meshes (or null, see above).
COBJECT3D* CreateFakeObject();
// A loaded object holding model, made without logging.
FakeObject* LoadedFakeObject(const FakeModel& model);
// Clears the models, the log and the picture count and makes the factory
// work again.
void ResetFakeEngine();

#endif
