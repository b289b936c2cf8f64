#include "scene/scene_init.h"

#include "pipes/pipe_types.h"
#include "plm_engine.h"
#include "runtime/engine_textures.h"
#include "runtime/entry_points.h"
#include "runtime/image_loader.h"
#include "runtime/metal_texture.h"
#include "scene/camera.h"
#include "scene/event_track.h"
#include "scene/face.h"
#include "scene/face_load.h"
#include "scene/overlays.h"
#include "scene/process_objects.h"
#include "scene/texture.h"

#include <GL/gl.h>

#include <cstdio>

uint32_t musicStream = 0;

namespace {

const char* const FACE_PATH = "plumora_data/obj3d/face.3ds";
const char* const MUSIC_PATH = "plumora_data/msx/msx.mp3";

bool AudioBound()
{
    const CENTRYPOINTS& e = EntryPoints;
    return e.BASS_Init && e.BASS_Start && e.BASS_StreamCreateFile && e.BASS_ChannelPlay && e.BASS_StreamFree;
}

void ZeroCamera()
{
    camera.eye = CVECTOR();
    camera.yaw = 0.0f;
    camera.pitch = 0.0f;
    camera.roll = 0.0f;
}

void LoadFace()
{
    if (!EntryPoints.CreateObject3d) {
        std::fprintf(stderr, "%s: no model engine; the face is not shown\n", FACE_PATH);
        return;
    }
    faceObject = EntryPoints.CreateObject3d();
    if (!faceObject) {
        std::fprintf(stderr, "%s: the engine could not create a model; the face is not shown\n", FACE_PATH);
        return;
    }
    LoadFaceModel(faceObject, FACE_PATH, EngineTextureLoader);
    FreeEngineTextures();  // the engine has made its textures from them
}

// InitScene's loads, in their order; each reports its own failures.
void LoadLineTexture()
{
    lineTexture.Create("line_01.jpg", 0, LoadImageFile);
}

void LoadGreetingsTexture()
{
    greetingsTexture.Create("greetings.jpg", 0, LoadImageFile);
}

void LoadCreditsTexture()
{
    creditsTexture.Create("credits.png", 1, LoadImageFile);
}

void LoadScripts()
{
    pipeMap.Load("plumora_data/script/pipes_map.plm");
    events.ReadEvents("plumora_data/script/bits.plm");
    camera.ReadPath("plumora_data/script/cam_pos.plm");
}

void LoadMetalTexture()
{
    LoadPlainTexture("metalic.jpg", &metalTexture);
}

void (*const LOADS[])() = {LoadLineTexture, LoadGreetingsTexture, LoadCreditsTexture, LoadFace,
                           LoadPipeTypes,   LoadScripts,          LoadMetalTexture};
const size_t LOAD_COUNT = sizeof LOADS / sizeof LOADS[0];
// Loads done since the last InitScene.
size_t loadsDone = 0;

}  // namespace

bool LoadNextSceneAsset()
{
    if (loadsDone < LOAD_COUNT) LOADS[loadsDone++]();
    return loadsDone < LOAD_COUNT;
}

void SetupSphereMap()
{
    glTexGeni(GL_S, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
    glTexGeni(GL_T, GL_TEXTURE_GEN_MODE, GL_SPHERE_MAP);
}

void SetupLight()
{
    const GLfloat position[] = {0.0f, 0.0f, 0.0f, 1.0f};
    const GLfloat ambient[] = {0.5f, 0.5f, 0.5f, 1.0f};
    const GLfloat diffuse[] = {1.0f, 1.0f, 1.0f, 1.0f};
    glLightfv(GL_LIGHT0, GL_POSITION, position);
    glLightfv(GL_LIGHT0, GL_AMBIENT, ambient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glEnable(GL_LIGHTING);
    glEnable(GL_LIGHT0);
    glEnable(GL_NORMALIZE);
}

void StartMusic()
{
    if (!AudioBound()) {
        std::fprintf(stderr, "%s: no audio library; the demo runs silent\n", MUSIC_PATH);
        return;
    }
    EntryPoints.BASS_Init(1, 44100, 0, nullptr, nullptr);
    EntryPoints.BASS_Start();
    musicStream = EntryPoints.BASS_StreamCreateFile(0, MUSIC_PATH, 0, 0, 0);
    EntryPoints.BASS_ChannelPlay(musicStream, 1);
}

void StopMusic()
{
    if (AudioBound()) EntryPoints.BASS_StreamFree(musicStream);
    musicStream = 0;
}

void InitScene()
{
    SetupSphereMap();
    SetupLight();
    ZeroCamera();
    while (LoadNextSceneAsset()) {
    }
    loadsDone = 0;  // a later InitScene loads everything again
    // The metal texture, the last one made, stays bound, also when it was
    // made ahead (the loading screen binds and deletes its own meanwhile).
    glBindTexture(GL_TEXTURE_2D, metalTexture);
    StartMusic();
    demoClock.Start();
}

void ShutdownScene()
{
    glDeleteTextures(1, &metalTexture);
    metalTexture = 0;
    StopMusic();
}
