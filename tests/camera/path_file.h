// Writes camera path files for the tests.
#ifndef PLM_TESTS_CAMERA_PATH_FILE_H
#define PLM_TESTS_CAMERA_PATH_FILE_H

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <string>

// Writes text to a file below the test temporary directory; returns its path.
inline std::string WriteTestFile(const std::string& name, const std::string& text) {
    std::string path = ::testing::TempDir() + "plm_camera_" + std::to_string(getpid()) + "_" + name;
    FILE* file = std::fopen(path.c_str(), "w");
    EXPECT_NE(file, nullptr);
    if (file != nullptr) {
        std::fputs(text.c_str(), file);
        std::fclose(file);
    }
    return path;
}

// One key line: time, eye and target.
inline std::string Key(unsigned time, float ex, float ey, float ez, float tx, float ty,
                       float tz) {
    char line[256];
    std::snprintf(line, sizeof line, "key %u eye %g %g %g target %g %g %g\n", time, ex, ey, ez,
                  tx, ty, tz);
    return line;
}

// A track header announcing count keys.
inline std::string Track(unsigned count) {
    return "track " + std::to_string(count) + "\n";
}

inline std::string Header(unsigned tracks) {
    return "tracks " + std::to_string(tracks) + "\n";
}

#endif
