// Packing a directory tree into the data archive format.
#ifndef PLM_TOOLS_PACK_H
#define PLM_TOOLS_PACK_H

#include <string>

// Writes the tree dir/plumora_data to the archive file out. Names in the
// archive are relative to dir ("plumora_data/gfx/setup.jpg"). Every directory
// comes before its contents, and the entries of a directory are taken in
// byte order of their names, so the same tree always gives the same bytes;
// the archive ends with the end record. Only directories and regular files
// can be packed: a symbolic link or any other kind of file, a name longer
// than 65,535 bytes or a file of 4 GiB or more is an error. On failure
// *error says which path and why, and out is removed.
bool PackTree(const std::string& dir, const std::string& out, std::string* error);

#endif
