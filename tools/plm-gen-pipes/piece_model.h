// A piece type as a 3D Studio model: one triangle mesh object (the piece,
// in the file's z-up axes), with mapping coordinates, all faces in one
// material whose texture map names the pieces' picture under texs/.
#ifndef PLM_GEN_PIPES_PIECE_MODEL_H
#define PLM_GEN_PIPES_PIECE_MODEL_H

#include "piece_catalog.h"
#include "tds_writer.h"

namespace pipesgen {

tds::Model PieceModel(const PieceType& type);

}  // namespace pipesgen

#endif
