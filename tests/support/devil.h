// DevIL for the picture tests: the system's libIL, as the build found it
// (the library staged as plumora_data/dll/devil.so), bound through the
// platform layer into EntryPoints with the names the program binds.
#ifndef PLM_TESTS_SUPPORT_DEVIL_H
#define PLM_TESTS_SUPPORT_DEVIL_H

namespace plmtest {

// Loads the library once per process, fills the DevIL pointers of
// EntryPoints and calls ilInit. False when the library cannot be bound.
bool BindDevil();
// Clears every DevIL pointer of EntryPoints.
void UnbindDevil();

}  // namespace plmtest

#endif
