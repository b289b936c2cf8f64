// Where the program finds its data archive: in the current folder first, so
// that a data set of one's own can be run with an installed program, then
// next to the program, so that it can be started from any folder.
#ifndef PLM_SHELL_ARCHIVE_LOCATION_H
#define PLM_SHELL_ARCHIVE_LOCATION_H

#include <string>

// The absolute path of the archive called name in currentDir, else in
// programDir: the first folder in which something of that name exists (an
// unreadable or broken file there is reported when it is unpacked, not
// passed over). An empty folder argument (unknown) is skipped. Returns empty
// when neither holds it, with *error naming the folders searched, e.g.
// "data.dat: not found in /home/me nor next to the program in /opt/plumora".
std::string FindArchive(const char* name, const std::string& currentDir, const std::string& programDir,
                        std::string* error);

#endif
