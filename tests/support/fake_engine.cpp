#include "tests/support/fake_engine.h"

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

unsigned short FakeMesh::AddVertex(const float position[3], const float normal[3])
{
    positions.insert(positions.end(), position, position + 3);
    normals.insert(normals.end(), normal, normal + 3);
    return static_cast<unsigned short>(positions.size() / 3 - 1);
}

FakeModel TriangleModel(unsigned faceCount, unsigned texture)
{
    FakeMesh mesh;
    mesh.texture = texture;
    const float normal[3] = {0.0f, 0.0f, 1.0f};
    for (unsigned f = 0; f < faceCount; ++f) {
        float base = static_cast<float>(f) * 0.01f;
        float corners[3][3] = {{base, 0.0f, 0.0f}, {base + 0.1f, 0.0f, 0.0f}, {base, 0.1f, 0.0f}};
        unsigned short v = mesh.AddVertex(corners[0], normal);
        mesh.AddVertex(corners[1], normal);
        mesh.AddVertex(corners[2], normal);
        mesh.faces.push_back(
            CFACE{v, static_cast<unsigned short>(v + 1), static_cast<unsigned short>(v + 2), 0, nullptr});
    }
    FakeModel model;
    model.meshes.push_back(mesh);
    return model;
}

int FakeObject::Load(const char* fileName, TEXTURELOADER loader, unsigned char format)
{
    engineCalls.push_back(std::string("Load ") + fileName + " " + std::to_string(format) +
                          (loader ? " loader" : " no-loader"));
    auto found = fakeModels.find(fileName);
    if (found == fakeModels.end()) return 0;
    model = found->second;
    // Like the engine: one picture per textured material, read during Load
    // only and never freed here.
    if (loader && !model.meshes.empty() && model.meshes[0].texture != 0) {
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
    return static_cast<int>(model.meshes.size());
}

void FakeObject::GetMeshData(unsigned short index, unsigned short* vertexCount, unsigned short* faceCount,
                             CVERTEX** vertices, CFACE** faces, unsigned int* texture)
{
    engineCalls.push_back("GetMeshData " + std::to_string(index));
    static FakeMesh none;
    FakeMesh& mesh = index < model.meshes.size() ? model.meshes[index] : none;
    vertices_.clear();
    for (size_t v = 0; 3 * v + 2 < mesh.positions.size(); ++v)
        vertices_.push_back(CVERTEX{&mesh.positions[3 * v], &mesh.normals[3 * v], nullptr});
    const bool arrays = !mesh.nullArrays;
    if (vertexCount) *vertexCount = static_cast<unsigned short>(vertices_.size());
    if (faceCount) *faceCount = static_cast<unsigned short>(mesh.faces.size());
    if (vertices) *vertices = arrays && !vertices_.empty() ? vertices_.data() : nullptr;
    if (faces) *faces = arrays && !mesh.faces.empty() ? mesh.faces.data() : nullptr;
    if (texture) *texture = mesh.texture;
}

COBJECT3D* CreateFakeObject()
{
    if (!fakeFactoryWorks) return nullptr;
    engineCalls.push_back("create");
    return new FakeObject();
}

void ResetFakeEngine()
{
    fakeModels.clear();
    engineCalls.clear();
    fakeFactoryWorks = true;
    fakeTexturesAsked = 0;
}
