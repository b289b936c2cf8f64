// The data archive: unpacks "data.dat" into the plumora_data tree below the
// current directory at start-up (the format is described in archive_reader.h).
#ifndef PLM_SHELL_ARCHIVE_H
#define PLM_SHELL_ARCHIVE_H

#include <string>

// Unpacks the archive at path record by record, front to back, up to its end
// record; bytes after it are never read. Directory records create one
// directory (one already there is fine); file records create or truncate the
// file and write its contents. A record whose directory does not exist is
// skipped and the rest still unpacks.
//
// Returns false on the first fault: the archive missing or unreadable,
// truncated (a length larger than what is left is caught before anything is
// allocated), a file or directory name that is empty, absolute, holds ".." or
// a NUL byte or lies outside plumora_data/, a symbolic link on the way to a
// record's path, or a failed create or write. Then *error (if not null) says
// which file and what is wrong, e.g. "data.dat: truncated archive (record at
// offset 1234: name needs 17 bytes, 5 left)", and if the unpacking had
// reached the disk the plumora_data tree has been removed again (links in it
// removed as links). Nothing is ever written outside plumora_data/. No
// message is shown here: reporting is the caller's.
bool UnpackArchive(const char* path, std::string* error);

#endif
