// COBJECT3DIMPL: the only implementation of COBJECT3D.
#ifndef PLM_ENGINE_OBJECT3D_IMPL_H
#define PLM_ENGINE_OBJECT3D_IMPL_H

#include <cstddef>
#include <cstdint>

#include "plm_engine.h"
#include "records.h"

class COBJECT3DIMPL final : public COBJECT3D {
public:
    CRECORDLIST<CMESH> meshes;
    CRECORDLIST<CMATERIAL> materials;
    unsigned char normalMode = NORMALS_FACE;

    COBJECT3DIMPL() = default;
    ~COBJECT3DIMPL() override;

    int Load(const char* fileName, TEXTURELOADER loader, unsigned char format) override;
    void Draw() override;
    void Unload() override;
    void SetParam(int param, unsigned char value) override;
    void BuildLists() override;
    int GetMeshCount() override;
    void GetMeshData(unsigned short index, unsigned short* vertexCount, unsigned short* faceCount,
                     CVERTEX** vertices, CFACE** faces, unsigned int* texture) override;

    // Walks a whole 3D Studio file held in memory and adds its meshes and
    // materials to the lists. Returns 0 when the signature is missing.
    int ReadChunks(const uint8_t* data, size_t size);
    // Prepares what a walk added: drops faces that name missing vertices,
    // binds materials, makes textures, transforms mapping coordinates,
    // computes normals.
    void Prepare(TEXTURELOADER loader);
    void BindMaterials();
};

#endif
