// Reads the pipe types and pipes map scripts back with the formatted input
// the scene uses (any white space separates fields, labels are skipped), so
// that tests see what the scene will see.
#ifndef PLM_TESTS_PIPES_CONTENT_SCRIPT_READER_H
#define PLM_TESTS_PIPES_CONTENT_SCRIPT_READER_H

#include <string>
#include <vector>

#include "network/network.h"

struct ReadType {
    std::string file;
    float offset[3];
    float direction[3];
};

// False when a field is missing or something follows the last record.
bool ReadTypesScript(const std::string& path, std::vector<ReadType>* types);
// Type numbers are stored 1-based in the file and returned 0-based.
bool ReadMapScript(const std::string& path, pipesgen::Network* network);

#endif
