// The records that an engine object owns: meshes, materials and texture maps,
// kept in owning lists that run from the newest record to the oldest.
#ifndef PLM_ENGINE_RECORDS_H
#define PLM_ENGINE_RECORDS_H

#include <cstddef>
#include <cstdint>
#include <deque>
#include <memory>
#include <optional>
#include <string>

#include "plm_engine.h"

class COBJECT3DIMPL;

// A material's texture map, as the file gives it.
struct CTEXMAP {
    std::optional<std::string> fileName;  // exactly as stored in the file
    float vScale = 1.0f;
    float uScale = 1.0f;
    float vOffset = 0.0f;
    float uOffset = 0.0f;
};

struct CMATERIAL {
    unsigned int texture = 0;         // GL texture name, 0 = none
    std::optional<std::string> name;  // a material without a name never matches
    std::unique_ptr<CTEXMAP> texMap;

    CMATERIAL() = default;
    CMATERIAL(const CMATERIAL&) = delete;
    CMATERIAL& operator=(const CMATERIAL&) = delete;
    ~CMATERIAL();  // deletes the texture

    // Uploads width x height RGB pixels as this material's texture.
    void CreateTexture(unsigned short width, unsigned short height, const unsigned char* pixels);
};

// One named object of the model file. The CVERTEX and CFACE records point
// into per-mesh float pools instead of owning a block each.
struct CMESH {
    unsigned int displayList = 0;    // GL list name, 0 = none
    COBJECT3DIMPL* owner = nullptr;  // read for the normal mode
    std::string name;
    std::optional<std::string> materialName;
    uint16_t vertexCount = 0;
    uint16_t faceCount = 0;
    std::unique_ptr<CVERTEX[]> vertices;
    std::unique_ptr<CFACE[]> faces;
    CMATERIAL* material = nullptr;
    int materialBound = 0;
    int hasTexCoords = 0;
    int normalsReady = 0;

    CMESH() = default;
    CMESH(const CMESH&) = delete;
    CMESH& operator=(const CMESH&) = delete;
    ~CMESH();  // deletes the display list

    // Replaces the vertex array with count vertices at the origin, without
    // mapping coordinates or normals.
    void SetVertexCount(uint16_t count);
    // Replaces the face array with count faces (0, 0, 0), flags 0.
    void SetFaceCount(uint16_t count);
    // Gives every vertex a mapping coordinate (0, 0) and sets hasTexCoords.
    void AddTexCoords();
    // Removes the faces that name a vertex outside the vertex array.
    void DropBadFaces();

    void TransformTexCoords();
    void ComputeNormals();
    void BuildList();
    void DrawMesh() const;

private:
    std::unique_ptr<float[]> positions_;    // 3 per vertex
    std::unique_ptr<float[]> normals_;      // 3 per vertex
    std::unique_ptr<float[]> texCoords_;    // 2 per vertex
    std::unique_ptr<float[]> faceNormals_;  // 3 per face
    bool texCoordsTransformed_ = false;
};

// Owning list of records, newest first. Clearing destroys the records from
// the front.
template <typename T>
class CRECORDLIST {
public:
    CRECORDLIST() = default;
    CRECORDLIST(const CRECORDLIST&) = delete;
    CRECORDLIST& operator=(const CRECORDLIST&) = delete;
    ~CRECORDLIST() { Clear(); }

    // A new record, all fields empty, at the front of the list.
    T* Create()
    {
        records_.push_front(std::make_unique<T>());
        return records_.front().get();
    }
    void Clear()
    {
        while (!records_.empty()) records_.pop_front();
    }
    int Count() const { return static_cast<int>(records_.size()); }
    T* At(size_t index) const { return index < records_.size() ? records_[index].get() : nullptr; }

    template <typename F>
    void ForEach(F f) const
    {
        for (const auto& r : records_) f(*r);
    }

private:
    std::deque<std::unique_ptr<T>> records_;
};

#endif
