// Binding the run-time libraries from the unpacked tree into EntryPoints.
#ifndef PLM_SHELL_LIBRARIES_H
#define PLM_SHELL_LIBRARIES_H

#include <string>

// Loads the libraries devil, bass and plm_engine from plumora_data/dll/ (in
// this order; devil.so and so on, on POSIX) and looks up their names in
// table order. Whatever cannot be bound stays null and is reported on stderr. Returns false, with the reason in
// *error, when a library the demo cannot run without (DevIL or the engine)
// or one of its entry points is missing; a missing audio library only
// silences the demo.
bool BindLibraries(std::string* error);
// Frees DevIL, then the engine, then the audio library, and clears
// EntryPoints.
void FreeLibraries();

#endif
