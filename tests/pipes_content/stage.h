// A staging tree written once per test run by the generator, shared by the
// tests that read its files.
#ifndef PLM_TESTS_PIPES_CONTENT_STAGE_H
#define PLM_TESTS_PIPES_CONTENT_STAGE_H

#include <cstdlib>
#include <string>

#include "generator.h"

inline std::string MakeTempDir() {
    char pattern[] = "/tmp/plm-pipes-content-XXXXXX";
    const char* dir = mkdtemp(pattern);
    return dir ? dir : "";
}

// The generated tree's plumora_data folder (empty string if generation failed).
inline const std::string& StagedData() {
    static const std::string root = [] {
        std::string dir = MakeTempDir();
        return !dir.empty() && pipesgen::GenerateDataSet(dir) ? dir + "/plumora_data" : std::string();
    }();
    return root;
}

#endif
