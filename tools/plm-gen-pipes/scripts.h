// Text of the three scripts the scene reads: the piece types, the pipes map
// and the camera path. Fields are separated by blanks and line ends; every
// label is one word.
#ifndef PLM_GEN_PIPES_SCRIPTS_H
#define PLM_GEN_PIPES_SCRIPTS_H

#include <string>
#include <vector>

#include "camera_path.h"
#include "network/network.h"
#include "pieces/catalog.h"

namespace pipesgen {

// The type count, then per type: model file, exit offset x y z, exit
// direction x y z.
std::string TypesScript(const std::vector<PieceType>& catalog);
// Two labels and the pipe count; per pipe a labelled position, a labelled
// rotation (degrees), two labels and the segment count, then per segment
// the 1-based type number and the twist in radians.
std::string MapScript(const Network& network);
// A label and the track count; per track a label and the key count; per
// key: label, time in ms, label, eye x y z, label, target x y z.
std::string CameraScript(const std::vector<CameraTrack>& tracks);

}  // namespace pipesgen

#endif
