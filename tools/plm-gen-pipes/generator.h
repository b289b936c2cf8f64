// plm-gen-pipes: writes the first scene's data into a staging tree: the
// piece models (obj3d/), their texture (texs/), and the piece types, pipes
// map and camera path scripts (script/), all under plumora_data/. The same
// bytes on every run.
#ifndef PLM_GEN_PIPES_GENERATOR_H
#define PLM_GEN_PIPES_GENERATOR_H

#include <string>
#include <vector>

#include "network/network.h"
#include "pieces/catalog.h"

namespace pipesgen {

// Every file written, relative to the staging tree.
std::vector<std::string> OutputPaths();

// The planned network; false in *complete when a pipe stopped short.
Network PlannedNetwork(const std::vector<PieceType>& catalog, bool* complete);

// Writes everything under stageDir; false (with a line on stderr) on any
// failure, including a network that could not be laid out in full.
bool GenerateDataSet(const std::string& stageDir);

}  // namespace pipesgen

#endif
