#include "tests/pipes/fake_object.h"

std::map<std::string, FakeModel> fakeModels;
std::vector<std::string> engineCalls;
bool fakeFactoryWorks = true;
int fakeTexturesAsked = 0;

// The interface class's own members normally come from plm_engine.
COBJECT3D::COBJECT3D() {}
COBJECT3D::COBJECT3D(const COBJECT3D&) {}
COBJECT3D& COBJECT3D::operator=(const COBJECT3D&)
{
    return *this;
}
COBJECT3D::~COBJECT3D() {}

FakeModel TriangleModel(unsigned faceCount, unsigned texture)
{
    FakeModel model;
    model.texture = texture;
    for (unsigned f = 0; f < faceCount; ++f) {
        float base = static_cast<float>(f) * 0.01f;
        float corners[9] = {base, 0.0f, 0.0f, base + 0.1f, 0.0f, 0.0f, base, 0.1f, 0.0f};
        model.positions.insert(model.positions.end(), corners, corners + 9);
        for (int c = 0; c < 3; ++c) {
            model.normals.insert(model.normals.end(), {0.0f, 0.0f, 1.0f});
        }
        unsigned short v = static_cast<unsigned short>(3 * f);
        model.faces.push_back(
            CFACE{v, static_cast<unsigned short>(v + 1), static_cast<unsigned short>(v + 2), 0, nullptr});
    }
    return model;
}

FakeObject::FakeObject(const FakeModel& model)
{
    Fill(model);
}

FakeObject::~FakeObject() {}

void FakeObject::Fill(const FakeModel& model)
{
    model_ = model;
    meshCount_ = model.meshCount;
    vertices_.clear();
    for (size_t v = 0; 3 * v + 2 < model_.positions.size(); ++v) {
        vertices_.push_back(CVERTEX{&model_.positions[3 * v], &model_.normals[3 * v], nullptr});
    }
}

int FakeObject::Load(const char* fileName, TEXTURELOADER loader, unsigned char format)
{
    engineCalls.push_back(std::string("Load ") + fileName + " " + std::to_string(format) +
                          (loader ? " loader" : " no-loader"));
    auto found = fakeModels.find(fileName);
    if (found == fakeModels.end()) {
        return 0;
    }
    Fill(found->second);
    // Like the engine: one picture per textured material, read during Load
    // only and never freed here.
    if (loader && found->second.texture != 0) {
        int width = 0, height = 0, components = 0;
        unsigned char* pixels = nullptr;
        loader("piece.jpg", &width, &height, &components, &pixels);
        ++fakeTexturesAsked;
    }
    return 1;
}

void FakeObject::Draw()
{
    engineCalls.push_back("Draw");
}

void FakeObject::Unload()
{
    engineCalls.push_back("Unload");
}

void FakeObject::SetParam(int param, unsigned char value)
{
    engineCalls.push_back("SetParam " + std::to_string(param) + " " + std::to_string(value));
}

void FakeObject::BuildLists()
{
    engineCalls.push_back("BuildLists");
}

int FakeObject::GetMeshCount()
{
    return meshCount_;
}

void FakeObject::GetMeshData(unsigned short index, unsigned short* vertexCount, unsigned short* faceCount,
                             CVERTEX** vertices, CFACE** faces, unsigned int* texture)
{
    engineCalls.push_back("GetMeshData " + std::to_string(index));
    if (vertexCount) *vertexCount = static_cast<unsigned short>(vertices_.size());
    if (faceCount) *faceCount = static_cast<unsigned short>(model_.faces.size());
    if (vertices) *vertices = vertices_.empty() ? nullptr : vertices_.data();
    if (faces) *faces = model_.faces.empty() ? nullptr : model_.faces.data();
    if (texture) *texture = model_.texture;
}

COBJECT3D* CreateFakeObject()
{
    if (!fakeFactoryWorks) {
        return nullptr;
    }
    engineCalls.push_back("create");
    FakeModel none;
    none.meshCount = 0;
    return new FakeObject(none);
}

FakeObject* LoadedFakeObject(const FakeModel& model)
{
    return new FakeObject(model);
}

void ResetFakeEngine()
{
    fakeModels.clear();
    engineCalls.clear();
    fakeFactoryWorks = true;
    fakeTexturesAsked = 0;
}
