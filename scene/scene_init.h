// Loading the scene and starting the music, and releasing both again.
#ifndef PLM_SCENE_SCENE_INIT_H
#define PLM_SCENE_SCENE_INIT_H

#include <cstdint>

extern uint32_t musicStream;  // audio stream handle; 0 = none

// Loads every texture, model and script in a fixed order, starts the music
// and, last, the demo clock, so that demo time 0 is the music's start.
// Needs the GL context current. Missing assets are reported on stderr by
// their loaders; the demo then runs without them.
void InitScene();
// Makes the next of InitScene's loads (textures, face, pipe types and
// scripts, in InitScene's order) ahead of it, so that InitScene only makes
// those still left; true while more are left. Needs the GL context current;
// the GL state it leaves differs only in the bound 2D texture, which
// InitScene sets as its own loads would have left it.
bool LoadNextSceneAsset();
// Deletes the metal texture and frees the music stream. Harmless when
// InitScene never ran.
void ShutdownScene();
// Sphere-map generation mode for s and t (enabled where it is drawn).
void SetupSphereMap();
// Light 0 at the eye (ambient 0.5, diffuse 1) and lighting, normalisation on.
void SetupLight();
// Initialises audio output and starts the music stream (silent when the
// audio library or the file is missing).
void StartMusic();
// Stops and releases the music stream.
void StopMusic();

#endif
