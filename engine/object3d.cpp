// The engine object: factory, loading, preparation, queries and drawing.
#include <new>
#include <vector>

#include "model_file.h"
#include "object3d_impl.h"

COBJECT3D::COBJECT3D() = default;
COBJECT3D::COBJECT3D(const COBJECT3D&) = default;
COBJECT3D& COBJECT3D::operator=(const COBJECT3D&) = default;
COBJECT3D::~COBJECT3D() = default;

COBJECT3D* CreateObject3d()
{
    return new (std::nothrow) COBJECT3DIMPL();
}

COBJECT3DIMPL::~COBJECT3DIMPL()
{
    Unload();
}

int COBJECT3DIMPL::Load(const char* fileName, TEXTURELOADER loader, unsigned char format)
{
    if (!fileName) return 0;
    CMODELFILE file;
    if (!file.Open(fileName)) return 0;
    // Running out of memory ends reading or preparing where it happened; the
    // records are whole at every step, so what was done so far stays usable.
    try {
        if (format == FORMAT_3DS) {
            std::vector<uint8_t> data = file.ReadAll();
            file.Close();
            ReadChunks(data.data(), data.size());
        }
    } catch (const std::bad_alloc&) {
    }
    file.Close();
    try {
        Prepare(loader);
    } catch (const std::bad_alloc&) {
    }
    return 1;
}

// A material is bound by name; a later match in list order overwrites an
// earlier one. A mesh or material without a name matches nothing.
void COBJECT3DIMPL::BindMaterials()
{
    materials.ForEach([this](CMATERIAL& mat) {
        if (!mat.name) return;
        meshes.ForEach([&mat](CMESH& mesh) {
            if (mesh.materialName && *mesh.materialName == *mat.name) {
                mesh.material = &mat;
                mesh.materialBound = 1;
            }
        });
    });
}

// Safe to run again after a further Load: textures are made once per
// material and mapping coordinates transformed once per mesh.
void COBJECT3DIMPL::Prepare(TEXTURELOADER loader)
{
    // Faces that name a vertex outside the array would make normals, display
    // lists and the caller's drawing index out of bounds.
    meshes.ForEach([](CMESH& mesh) { mesh.DropBadFaces(); });
    BindMaterials();
    if (loader) {
        materials.ForEach([loader](CMATERIAL& mat) {
            if (!mat.texMap || !mat.texMap->fileName || mat.texture != 0) return;
            int width = 0, height = 0, components = 0;
            unsigned char* pixels = nullptr;
            loader(mat.texMap->fileName->c_str(), &width, &height, &components, &pixels);
            if (!pixels || width <= 0 || height <= 0) return;
            mat.CreateTexture(static_cast<unsigned short>(width), static_cast<unsigned short>(height),
                              pixels);
        });
    }
    meshes.ForEach([](CMESH& mesh) {
        mesh.TransformTexCoords();
        mesh.ComputeNormals();
    });
}

void COBJECT3DIMPL::Draw()
{
    meshes.ForEach([](CMESH& mesh) { mesh.DrawMesh(); });
}

void COBJECT3DIMPL::Unload()
{
    meshes.Clear();
    materials.Clear();
}

void COBJECT3DIMPL::SetParam(int param, unsigned char value)
{
    if (param == PARAM_NORMALMODE) normalMode = value;
}

void COBJECT3DIMPL::BuildLists()
{
    meshes.ForEach([](CMESH& mesh) { mesh.BuildList(); });
}

int COBJECT3DIMPL::GetMeshCount()
{
    return meshes.Count();
}

// An index past the last mesh writes zeros and nulls.
void COBJECT3DIMPL::GetMeshData(unsigned short index, unsigned short* vertexCount, unsigned short* faceCount,
                                CVERTEX** vertices, CFACE** faces, unsigned int* texture)
{
    const CMESH* mesh = meshes.At(index);
    if (vertexCount) *vertexCount = mesh ? mesh->vertexCount : 0;
    if (faceCount) *faceCount = mesh ? mesh->faceCount : 0;
    if (vertices) *vertices = mesh ? mesh->vertices.get() : nullptr;
    if (faces) *faces = mesh ? mesh->faces.get() : nullptr;
    if (texture) *texture = (mesh && mesh->material) ? mesh->material->texture : 0;
}
