// The pipe piece types of the first scene: model geometry, where the next
// piece attaches, and the space each piece fills.
//
// Every piece is a tube of radius kTubeRadius with its inlet ring centred on
// the origin, running along +Y (engine axes). The exit ring is centred on
// exitOffset and faces exitDirection (a unit vector), so that the next
// piece, placed there and turned onto that direction, joins seamlessly.
// Straight pieces span a multiple of kGridStep along +Y; the elbow turns
// onto +X and ends one kGridStep up and one across, so that pipes stay on a
// lattice of kGridStep.
#ifndef PLM_GEN_PIPES_PIECES_CATALOG_H
#define PLM_GEN_PIPES_PIECES_CATALOG_H

#include <string>
#include <vector>

#include "pieces/envelope.h"
#include "pieces/tube_mesh.h"

namespace pipesgen {

constexpr double kTubeRadius = 2.0;
constexpr double kGridStep = 10.0;
constexpr int kTubeSides = 24;

struct PieceType {
    std::string name;      // object name inside the model
    std::string fileName;  // model file under obj3d/
    Vec3 exitOffset;
    Vec3 exitDirection;
    std::vector<Capsule> envelope;  // model coordinates; covers every vertex
    TubeMesh mesh;                  // the piece in full: grown face by face
    TubeMesh farMesh;               // the same piece for when it covers few pixels
};

// Material and texture shared by every piece.
extern const char* const kPieceMaterial;
extern const char* const kPieceTexture;  // a picture under texs/

// The piece types in the order of the types script (type 1 first).
std::vector<PieceType> BuildPieceCatalog();

}  // namespace pipesgen

#endif
