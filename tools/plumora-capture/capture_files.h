// The files a capture reads and writes: the archive it is given, the folder
// the frames go to and the frames themselves. Every check here runs before
// the first frame is rendered, so a bad path fails at once.
#ifndef PLM_TOOLS_CAPTURE_FILES_H
#define PLM_TOOLS_CAPTURE_FILES_H

#include <string>

// True when path is a regular file this process can open for reading;
// otherwise *error says why, naming the path.
bool CheckReadableFile(const std::string& path, std::string* error);

// Checks, changing nothing, that out may name a frame folder: false (with
// the reason, naming out) when a file or anything but a folder is there.
bool CheckOutputPath(const std::string& out, std::string* error);

// Makes the frame folder ready (CheckOutputPath first): resolves links in what exists of it,
// creates whatever of it is missing (parents too), and checks that entries
// can be created in it by making and removing a probe. On success *folder is
// the resolved absolute path to write to. Fails, naming the path and the
// reason, when it or a parent is a file or anything but a folder, or cannot
// be created or written. Folders created before a failure stay.
bool PrepareOutputFolder(const std::string& out, std::string* folder, std::string* error);

// Writes a width x height RGB picture, rows bottom first as OpenGL reads
// them, as the PNG file `name` in folder (replacing a regular file of that
// name). On failure a partly written file is removed and *error names it.
bool WritePng(const std::string& folder, const std::string& name, int width, int height,
              const unsigned char* rgb, std::string* error);

#endif
