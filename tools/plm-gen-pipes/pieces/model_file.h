// A piece type as a 3D Studio model: two triangle mesh objects in the
// file's z-up axes, with mapping coordinates, all faces in one material
// whose texture map names the pieces' picture under texs/. The far piece
// comes first and the full piece last, so that a reader that lists meshes
// newest first (as the scene's engine does) has the full piece as mesh 0 and
// the far piece as mesh 1.
#ifndef PLM_GEN_PIPES_PIECES_MODEL_FILE_H
#define PLM_GEN_PIPES_PIECES_MODEL_FILE_H

#include "pieces/catalog.h"
#include "tds_writer.h"

namespace pipesgen {

tds::Model PieceModel(const PieceType& type);

// The name of the far piece's object ("far_" and the type's name).
std::string FarObjectName(const PieceType& type);

}  // namespace pipesgen

#endif
