// A staging tree written once per test process by the generator, shared by
// the tests that read its files, and removed when the process exits.
#ifndef PLM_TESTS_PIPES_CONTENT_STAGE_H
#define PLM_TESTS_PIPES_CONTENT_STAGE_H

#include <string>

#include "generator.h"
#include "tests/support/temp_folder.h"

// The generated tree's plumora_data folder (empty string if generation failed).
inline const std::string& StagedData()
{
    static const TempFolder folder("plm-pipes-content");
    static const std::string root = !folder.Path().empty() && pipesgen::GenerateDataSet(folder.Path())
                                        ? folder.File("plumora_data")
                                        : std::string();
    return root;
}

#endif
