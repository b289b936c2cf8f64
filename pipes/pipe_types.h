// Pipe piece types: the prefabricated pieces that pipes are chained from,
// read from plumora_data/script/pipes_type.plm during scene loading.
//
// Script: the number of types ("%d"), then per type one record
// "name ox oy oz dx dy dz": the model file below plumora_data/obj3d/ (one
// word of at most 63 characters), the exit offset and the unit exit
// direction in the model's own coordinates. White space of any kind
// separates fields. The first record is type 1, the n-th type n.
//
// Every piece model has its inlet at its origin, running along its own +Y
// axis; the next piece's origin goes to exitOffset and its +Y axis along
// exitDirection.
#ifndef PLM_PIPES_PIPE_TYPES_H
#define PLM_PIPES_PIPE_TYPES_H

#include "math/vector.h"
#include "pipes/piece_geometry.h"

#include <cstdint>

class COBJECT3D;

struct CPIPETYPE {
    uint16_t number;          // 1-based position in the script (and the table)
    COBJECT3D* object;        // the piece's model; null when it could not be made
    CVECTOR exitOffset;       // where the next piece starts, model coordinates
    CVECTOR exitDirection;    // where the next piece points, model coordinates
    bool drawable;            // mesh 0 exists and every face names real vertices
    CPIECEGEOMETRY geometry;  // bounds and compiled triangles of a drawable type
    CPIECEGEOMETRY far;       // compiled far piece (mesh 1); list 0 = none
};

// The table: pipeTypeCount records, entry n - 1 is type n. Both are set by
// LoadPipeTypes and live until the program ends; the engine objects are
// never destroyed by the program (the engine library is released before
// static destructors run).
extern CPIPETYPE* pipeTypes;
extern uint16_t pipeTypeCount;

// Largest number of types a script may announce.
enum { MAX_PIPE_TYPES = 65535 };
// Longest model file name of a record, in characters.
enum { PIPE_TYPE_NAME_MAX = 63 };

// Reads plumora_data/script/pipes_type.plm through LoadPipeTypesFile.
void LoadPipeTypes();

// Reads the script at scriptPath into a new table, replacing the old one
// (whose engine objects are left alone). For each type, in order:
// EntryPoints.CreateObject3d(), Load("plumora_data/obj3d/<name>",
// EngineTextureLoader, FORMAT_3DS) followed by FreeEngineTextures(),
// SetParam(PARAM_NORMALMODE, NORMALS_VERTEX), BuildLists(); then, for a
// drawable type, its bounds and display list (CompilePiece), and the list
// of its far piece when the model has a usable mesh 1. Needs the GL
// context current; the old table's display lists are deleted.
//
// Problems are reported on stderr with the script name and record number:
// a missing script or an unreadable or impossible count gives an empty
// table (counts are reported as written, sign included); a short record
// ends the table before it; a name longer than 63 characters, a name that
// is not a plain file name (it holds '/' or '\\', or is "." or ".."; it is
// never opened), a model that cannot be opened, has no mesh or has faces
// that name missing vertices keeps its place in the table (so later numbers
// stay right) but is not drawable. Exits that are not finite numbers or lie
// beyond MAX_SCRIPT_COORDINATE (scene_bounds.h) are replaced by a straight
// exit of no length ((0, 0, 0) along +Y) and the type is not drawable. An exit direction that is not of unit length is
// reported and kept. No bound engine factory gives an empty table.
// Returns 1 when every type loaded and is drawable, else 0.
int LoadPipeTypesFile(const char* scriptPath);

#endif
