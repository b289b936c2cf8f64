// Writes camera path files for the tests.
#ifndef PLM_TESTS_CAMERA_PATH_FILE_H
#define PLM_TESTS_CAMERA_PATH_FILE_H

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/support/temp_folder.h"

// Writes text to a file in the process's temporary folder; returns its path.
inline std::string WriteTestFile(const std::string& name, const std::string& text)
{
    std::string path = ProcessTempFolder().Write(name, text);
    EXPECT_EQ(ReadWholeFile(path), text);
    return path;
}

// One key line: time, eye and target.
inline std::string Key(unsigned time, float ex, float ey, float ez, float tx, float ty, float tz)
{
    char line[256];
    std::snprintf(line, sizeof line, "key %u eye %g %g %g target %g %g %g\n", time, ex, ey, ez, tx, ty, tz);
    return line;
}

// A track header announcing count keys.
inline std::string Track(unsigned count)
{
    return "track " + std::to_string(count) + "\n";
}

inline std::string Header(unsigned tracks)
{
    return "tracks " + std::to_string(tracks) + "\n";
}

#endif
