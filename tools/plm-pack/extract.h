// Taking the tree out of a data archive, with the program's own unpacker.
#ifndef PLM_TOOLS_EXTRACT_H
#define PLM_TOOLS_EXTRACT_H

#include <string>

// Unpacks the archive into dir/plumora_data. dir must be an existing folder
// and must not hold a plumora_data already (a tree of the user's own is
// never merged with, written into or removed). Before anything is written
// the whole archive is read through once: a truncated archive or a name the
// program would refuse stops it with nothing created. A failure after that
// (a full disk, a termination request) removes the tree made so far. On
// failure *error says which path and why.
bool ExtractArchive(const std::string& archive, const std::string& dir, std::string* error);

#endif
