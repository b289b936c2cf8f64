// A piece type as a 3D Studio model: one triangle mesh object (the piece,
// in the file's z-up axes), with mapping coordinates, all faces in one
// material whose texture map names the pieces' picture under texs/.
#ifndef PLM_GEN_PIPES_PIECES_MODEL_FILE_H
#define PLM_GEN_PIPES_PIECES_MODEL_FILE_H

#include "pieces/catalog.h"
#include "tds_writer.h"

namespace pipesgen {

tds::Model PieceModel(const PieceType& type);

}  // namespace pipesgen

#endif
