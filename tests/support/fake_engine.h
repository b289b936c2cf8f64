// A stand-in for plm_engine: objects whose meshes the test chooses, made by
// a factory that can be bound into EntryPoints, and a log of every engine
// call in order.
#ifndef PLM_TESTS_SUPPORT_FAKE_ENGINE_H
#define PLM_TESTS_SUPPORT_FAKE_ENGINE_H

#include "plm_engine.h"

#include <map>
#include <string>
#include <vector>

// One mesh: 3 floats per vertex in positions and normals.
struct FakeMesh {
    std::vector<float> positions;
    std::vector<float> normals;
    std::vector<CFACE> faces;
    unsigned texture = 0;
    bool nullArrays = false;  // GetMeshData hands out no vertex and face arrays

    // Appends a vertex and returns its index.
    unsigned short AddVertex(const float position[3], const float normal[3]);
};

// The meshes a fake object holds after Load, mesh 0 first.
struct FakeModel {
    std::vector<FakeMesh> meshes;
};

// A model of one mesh of faceCount separate triangles: face f uses vertices
// 3f, 3f+1, 3f+2 at small distinct positions near the origin, normals +Z.
FakeModel TriangleModel(unsigned faceCount, unsigned texture = 0);

class FakeObject : public COBJECT3D {
public:
    explicit FakeObject(const FakeModel& model = FakeModel()) : model(model) {}
    int Load(const char* fileName, TEXTURELOADER loader, unsigned char format) override;
    void Draw() override;
    void Unload() override;
    void SetParam(int param, unsigned char value) override;
    void BuildLists() override;
    int GetMeshCount() override;
    // Hands out the arrays of model.meshes[index] as they are at the call
    // (null and zero counts for an index beyond the meshes).
    void GetMeshData(unsigned short index, unsigned short* vertexCount, unsigned short* faceCount,
                     CVERTEX** vertices, CFACE** faces, unsigned int* texture) override;

    FakeModel model;  // the test may change it between calls

private:
    std::vector<CVERTEX> vertices_;
};

// Models that Load finds, by the path passed to it; other paths fail to open.
extern std::map<std::string, FakeModel> fakeModels;
// Every engine call, e.g. "create", "Load plumora_data/obj3d/a.3ds 1 loader",
// "SetParam 1 2", "BuildLists", "GetMeshData 0".
extern std::vector<std::string> engineCalls;
// When false the factory returns null.
extern bool fakeFactoryWorks;
// Pictures Load asked its loader for: one per load of a model whose mesh 0
// has a texture.
extern int fakeTexturesAsked;

// The factory: a new FakeObject with no meshes (or null, see above).
COBJECT3D* CreateFakeObject();
// Clears the models, the log and the picture count and makes the factory
// work again.
void ResetFakeEngine();

#endif
