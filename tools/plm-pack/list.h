// Listing the records of a data archive.
#ifndef PLM_TOOLS_LIST_H
#define PLM_TOOLS_LIST_H

#include <cstdio>

// Prints one line per record of the archive at path to out: offset, kind
// ("directory", "file", "end" or "tag N"), data size ("-" where there is
// none) and the quoted name. Returns true for an archive the program would
// unpack. A structural fault (truncation, unreadable file) ends the listing;
// a name the program would refuse is reported and the listing goes on. Each
// fault is reported on err as "PATH: what is wrong".
bool ListArchive(const char* path, FILE* out, FILE* err);

#endif
