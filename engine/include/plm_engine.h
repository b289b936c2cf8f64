// plm_engine: 3D Studio models prepared for OpenGL.
//
// The whole interface of the shared library: the abstract class COBJECT3D,
// the records CVERTEX and CFACE that GetMeshData hands out, the image-loader
// callback TEXTURELOADER and the factory CreateObject3d. The program binds
// the factory at run time by its mangled name "_Z14CreateObject3dv" and
// reaches everything else through the virtual table, so the order of the
// virtual operations and the layout of the two records must never change.
#ifndef PLM_ENGINE_H
#define PLM_ENGINE_H

#define PLM_ENGINE_API __attribute__((visibility("default")))

// One vertex of a mesh: three separately owned blocks.
struct CVERTEX {
    float* position;  // x, y, z in the engine's axes (file x, z, -y)
    float* normal;    // unit vertex normal or the zero vector; null until computed
    float* texCoord;  // u, v; null when the mesh has no mapping coordinates
};

// One triangle of a mesh.
struct CFACE {
    unsigned short a, b, c;  // indices into the mesh's vertex array, file order
    unsigned short flags;    // the file's face flags, not interpreted
    float* normal;           // unit face normal or the zero vector
};

// The caller's image loader. Fills width, height, components (bytes per
// pixel) and pixels (width * height * 3 bytes RGB, rows bottom first,
// allocated by the caller and never freed by the engine). The engine reads
// the buffer only during the Load call that asked for it.
typedef void (*TEXTURELOADER)(const char* fileName, int* width, int* height, int* components,
                              unsigned char** pixels);

enum { FORMAT_3DS = 1 };
enum { PARAM_NORMALMODE = 1 };
enum { NORMALS_FACE = 1, NORMALS_VERTEX = 2 };

class PLM_ENGINE_API COBJECT3D {
public:
    COBJECT3D();
    COBJECT3D(const COBJECT3D&);
    COBJECT3D& operator=(const COBJECT3D&);

    // Slot 1. Unloads everything and frees the object in the library's heap.
    virtual ~COBJECT3D();
    // Slot 2. Opens and reads fileName (format FORMAT_3DS), binds materials,
    // creates textures through loader (may be null), prepares texture
    // coordinates and normals. Needs a current GL context. Returns 1 when the
    // file was opened, 0 (nothing changed) when it could not be.
    virtual int Load(const char* fileName, TEXTURELOADER loader, unsigned char format) = 0;
    // Slot 3. Calls every mesh's display list, newest mesh first.
    virtual void Draw() = 0;
    // Slot 4. Frees meshes, materials, textures and lists; can be loaded again.
    virtual void Unload() = 0;
    // Slot 5. PARAM_NORMALMODE sets the normal mode of the next BuildLists;
    // other parameters are ignored.
    virtual void SetParam(int param, unsigned char value) = 0;
    // Slot 6. Compiles one display list per mesh, replacing older ones.
    virtual void BuildLists() = 0;
    // Slot 7. Number of meshes.
    virtual int GetMeshCount() = 0;
    // Slot 8. Mesh index (0 = last object of the file); each out pointer may
    // be null. The arrays stay owned by the object until Unload.
    virtual void GetMeshData(unsigned short index, unsigned short* vertexCount, unsigned short* faceCount,
                             CVERTEX** vertices, CFACE** faces, unsigned int* texture) = 0;
};

// A new, empty object (normal mode NORMALS_FACE), or null without memory.
PLM_ENGINE_API COBJECT3D* CreateObject3d();

#endif
