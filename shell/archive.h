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
// message is shown here: reporting is the caller's. A termination request
// caught through platform/termination.h ends the unpacking as a failure.
bool UnpackArchive(const char* path, std::string* error);

// Unpacks the archive at path into folder dir (an existing folder; links on
// its own path are followed) with the same rules, for a tree that must not
// mix with one already there: dir/plumora_data must not exist beforehand,
// the unpacker makes it itself, and a record is written only into the tree it
// made. So on failure it removes that tree and nothing else, and nothing
// outside dir/plumora_data is ever written. A termination request caught
// through platform/termination.h ends the unpacking as a failure
// ("interrupted by signal N"). Messages as for UnpackArchive; one about dir
// itself starts with dir, e.g. "out: plumora_data already exists".
bool UnpackArchiveInto(const char* path, const char* dir, std::string* error);

#endif
