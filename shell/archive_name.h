// Which names an archive may create. The unpacker writes only below the
// tree plumora_data/ of the current directory, so every file and directory
// record is checked before anything touches the disk.
#ifndef PLM_SHELL_ARCHIVE_NAME_H
#define PLM_SHELL_ARCHIVE_NAME_H

#include <string>

// The top directory of the unpacked tree, relative to the current directory.
extern const char* const ARCHIVE_ROOT;

// Checks the stored name of a file or directory record. Accepted: a relative
// path whose first component is "plumora_data" (and, for a file, that lies
// below it), with no ".." component and no NUL byte. Empty and "."
// components carry no meaning and are dropped. On success *path is the
// cleaned path to hand to the file layer; otherwise *why says what is wrong
// ("empty name", "absolute path", "contains a '..' component", ...).
bool CheckArchiveName(const std::string& name, bool isFile, std::string* path, const char** why);

// The name in quotes for messages: bytes outside printable ASCII (and the
// quote and backslash) as \xNN escapes, cut after 120 bytes.
std::string QuotedName(const std::string& name);

#endif
