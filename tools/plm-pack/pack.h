// Packing a directory tree into the data archive format.
#ifndef PLM_TOOLS_PACK_H
#define PLM_TOOLS_PACK_H

#include <cstdio>
#include <string>

// Checks, before anything is written, that dir is a directory holding the
// directory plumora_data, and that out is a regular file, a symbolic link to
// one, or a new name in an existing folder. On failure *error says which
// path and why ("nowhere: does not exist", "/dev/null: not a regular file
// (device, FIFO or socket)").
bool CheckPackPaths(const std::string& dir, const std::string& out, std::string* error);

// Writes the tree dir/plumora_data to the archive file out. Names in the
// archive are relative to dir ("plumora_data/gfx/setup.jpg"). Every directory
// comes before its contents, and the entries of a directory are taken in
// byte order of their names, so the same tree always gives the same bytes;
// the archive ends with the end record. Only directories and regular files
// can be packed: a symbolic link or any other kind of file, a name longer
// than 65,535 bytes or a file of 4 GiB or more is an error.
//
// The archive is written to a temporary file in out's folder and renamed
// over out only once complete (for a link, over the file it leads to). On
// failure, and when a termination request is caught (platform/termination.h),
// the temporary file is removed, out is left exactly as it was, and *error
// says which path and why. With progress not null, each record's name is
// printed there as it is written.
bool PackTree(const std::string& dir, const std::string& out, FILE* progress, std::string* error);

#endif
