// Geometry of each pipe piece type, built into a TubeMesh (engine axes, inlet
// ring on the origin along +Y, see catalog.h). Each function adds the
// main tube first, from inlet to exit, then the parts mounted on it.
#ifndef PLM_GEN_PIPES_PIECES_SHAPES_H
#define PLM_GEN_PIPES_PIECES_SHAPES_H

#include "pieces/tube_mesh.h"

namespace pipesgen {

void BuildStraight(TubeMesh& mesh);  // 10 long, weld beads at both ends
void BuildElbow(TubeMesh& mesh);     // 90 degrees onto +X, exit at (10, 10, 0)
void BuildFlanges(TubeMesh& mesh);   // 10 long, bolted flange pair in the middle
void BuildValve(TubeMesh& mesh);     // 20 long, body, stem and hand wheel on +X
void BuildBellows(TubeMesh& mesh);   // 10 long, corrugated expansion joint
void BuildTee(TubeMesh& mesh);       // 10 long, blind-flanged branch on +X

}  // namespace pipesgen

#endif
