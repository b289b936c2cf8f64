// Geometry of each pipe piece type, built into a TubeMesh (engine axes, inlet
// ring on the origin along +Y, see catalog.h). Each function adds the
// main tube first, from inlet to exit, then the parts mounted on it.
//
// Two levels of detail: the full piece, and a far piece for when the piece
// covers few pixels: half the sides around every ring (at most a third of a
// pixel off the circle where it is used), one band where a wall is
// straight, fewer bands along curves, flattened weld beads, and no parts
// smaller than about a pixel there (bolts, hand-wheel spokes).
#ifndef PLM_GEN_PIPES_PIECES_SHAPES_H
#define PLM_GEN_PIPES_PIECES_SHAPES_H

#include "pieces/tube_mesh.h"

namespace pipesgen {

enum class Detail { Full, Far };

void BuildStraight(TubeMesh& mesh, Detail detail);  // 10 long, weld beads at both ends
void BuildElbow(TubeMesh& mesh, Detail detail);     // 90 degrees onto +X, exit at (10, 10, 0)
void BuildFlanges(TubeMesh& mesh, Detail detail);   // 10 long, bolted flange pair in the middle
void BuildValve(TubeMesh& mesh, Detail detail);     // 20 long, body, stem and hand wheel on +X
void BuildBellows(TubeMesh& mesh, Detail detail);   // 10 long, corrugated expansion joint
void BuildTee(TubeMesh& mesh, Detail detail);       // 10 long, blind-flanged branch on +X

}  // namespace pipesgen

#endif
