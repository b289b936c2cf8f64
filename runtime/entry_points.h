// The three run-time libraries and every entry point bound from them.
// BindLibraries fills this from plumora_data/dll/ after the archive is
// unpacked; a pointer that could not be bound stays null and callers check
// it before every call (a missing library never crashes the program).
#ifndef PLM_RUNTIME_ENTRY_POINTS_H
#define PLM_RUNTIME_ENTRY_POINTS_H

#include <cstdint>

class COBJECT3D;

// DevIL (libIL), declared here by signature because it is bound by name.
typedef void (*IL_INIT)(void);
typedef void (*IL_GENIMAGES)(int count, unsigned int* images);
typedef void (*IL_BINDIMAGE)(unsigned int image);
typedef unsigned char (*IL_LOADIMAGE)(const char* fileName);
typedef unsigned char* (*IL_GETDATA)(void);
typedef void (*IL_DELETEIMAGES)(int count, const unsigned int* images);
typedef int (*IL_GETINTEGER)(unsigned int mode);
typedef unsigned char (*IL_CONVERTIMAGE)(unsigned int format, unsigned int type);

// DevIL constants used by the program.
enum : unsigned int {
    PLM_IL_IMAGE_WIDTH = 0x0DE4,
    PLM_IL_IMAGE_HEIGHT = 0x0DE5,
    PLM_IL_IMAGE_BYTES_PER_PIXEL = 0x0DE8,
    PLM_IL_RGB = 0x1907,
    PLM_IL_UNSIGNED_BYTE = 0x1401,
};

// The audio layer (audio/bass.so): the BASS calls the scene makes.
typedef int (*BASS_INIT)(int device, uint32_t freq, uint32_t flags, void* window, const void* clsid);
typedef int (*BASS_START)(void);
typedef uint32_t (*BASS_STREAMCREATEFILE)(int mem, const void* file, uint64_t offset, uint64_t length,
                                          uint32_t flags);
typedef int (*BASS_CHANNELPLAY)(uint32_t handle, int restart);
typedef int (*BASS_STREAMFREE)(uint32_t handle);

// plm_engine's factory.
typedef COBJECT3D* (*CREATEOBJECT3D)(void);

struct CENTRYPOINTS {
    void* devil;
    void* bass;
    void* engine;

    IL_INIT ilInit;
    IL_GENIMAGES ilGenImages;
    IL_BINDIMAGE ilBindImage;
    IL_LOADIMAGE ilLoadImage;
    IL_GETDATA ilGetData;
    IL_DELETEIMAGES ilDeleteImages;
    IL_GETINTEGER ilGetInteger;
    IL_CONVERTIMAGE ilConvertImage;

    BASS_INIT BASS_Init;
    BASS_START BASS_Start;
    BASS_STREAMCREATEFILE BASS_StreamCreateFile;
    BASS_CHANNELPLAY BASS_ChannelPlay;
    BASS_STREAMFREE BASS_StreamFree;

    CREATEOBJECT3D CreateObject3d;
};

extern CENTRYPOINTS EntryPoints;

#endif
