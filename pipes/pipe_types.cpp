#include "pipes/pipe_types.h"

#include "pipes/piece_mesh.h"
#include "pipes/scene_bounds.h"
#include "plm_engine.h"
#include "runtime/engine_textures.h"
#include "runtime/entry_points.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <new>

CPIPETYPE* pipeTypes = nullptr;
uint16_t pipeTypeCount = 0;

namespace {

const char* const TYPES_SCRIPT = "plumora_data/script/pipes_type.plm";
const char* const MODEL_FOLDER = "plumora_data/obj3d/";
// Folder, longest name and terminator fit with room to spare.
enum { MODEL_PATH_SIZE = 128 };
// How far an exit direction's length may stray from 1 before it is reported.
const float UNIT_TOLERANCE = 1e-3f;

// Where a record came from, for messages.
struct CRECORDPLACE {
    const char* script;
    unsigned record;  // 1-based, equal to the type number
};

// Reads one word into name; tooLong tells whether the word went on past
// PIPE_TYPE_NAME_MAX characters (the rest of it is skipped). False at the
// end of the file.
bool ReadName(FILE* file, char (&name)[PIPE_TYPE_NAME_MAX + 1], bool& tooLong)
{
    static_assert(PIPE_TYPE_NAME_MAX == 63, "the scan width below is the name limit");
    if (std::fscanf(file, "%63s", name) != 1) {
        return false;
    }
    int next = std::fgetc(file);
    tooLong = next != EOF && !std::isspace(next);
    if (tooLong) {
        std::ungetc(next, file);
        std::fscanf(file, "%*s");
    }
    return true;
}

bool ReadVectors(FILE* file, CPIPETYPE& type)
{
    CVECTOR& o = type.exitOffset;
    CVECTOR& d = type.exitDirection;
    return std::fscanf(file, "%f %f %f %f %f %f", &o.x, &o.y, &o.z, &d.x, &d.y, &d.z) == 6;
}

// False (reported) when a number is not finite or lies beyond the scene's
// bounds: the exits then become a straight piece of no length so that the
// pieces after it stay finite.
bool CheckExits(CPIPETYPE& type, const CRECORDPLACE& place)
{
    if (!WithinSceneBounds(type.exitOffset) || !WithinSceneBounds(type.exitDirection)) {
        std::fprintf(stderr,
                     "%s: record %u: the exit offset or direction is not a number or "
                     "lies beyond +-%g; type %u is not drawn\n",
                     place.script, place.record, MAX_SCRIPT_COORDINATE, place.record);
        type.exitOffset.Set(0.0f, 0.0f, 0.0f);
        type.exitDirection.Set(0.0f, 1.0f, 0.0f);
        return false;
    }
    const CVECTOR& d = type.exitDirection;
    if (std::fabs(std::sqrt(d.Dot(d)) - 1.0f) > UNIT_TOLERANCE) {
        std::fprintf(stderr, "%s: record %u: exit direction (%g, %g, %g) is not a unit vector\n",
                     place.script, place.record, d.x, d.y, d.z);
    }
    return true;
}

// True when name is one file inside the model folder: no folder separator
// of any platform, and not "." or ".." (which name folders).
bool PlainFileName(const char* name)
{
    if (std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0) {
        return false;
    }
    return std::strpbrk(name, "/\\") == nullptr;
}

// The three engine calls after creation; true when the model is drawable.
bool LoadModel(COBJECT3D* object, const char* path, const CRECORDPLACE& place)
{
    int opened = object->Load(path, EngineTextureLoader, FORMAT_3DS);
    FreeEngineTextures();  // the engine has made its textures from them
    object->SetParam(PARAM_NORMALMODE, NORMALS_VERTEX);
    object->BuildLists();
    if (!opened) {
        std::fprintf(stderr, "%s: record %u: cannot open the model %s; type %u is not drawn\n", place.script,
                     place.record, path, place.record);
        return false;
    }
    const char* why = "";
    if (!CheckPieceMesh(object, &why)) {
        std::fprintf(stderr, "%s: record %u: %s: %s; type %u is not drawn\n", place.script, place.record,
                     path, why, place.record);
        return false;
    }
    return true;
}

// Forgets the table, deleting the display lists it made (the engine objects
// stay: the program never destroys them).
void ReleaseTable()
{
    for (uint16_t i = 0; i < pipeTypeCount; ++i) {
        ReleasePiece(pipeTypes[i].geometry);
        ReleasePiece(pipeTypes[i].far);
    }
    delete[] pipeTypes;
    pipeTypes = nullptr;
    pipeTypeCount = 0;
}

// Creates and loads the engine object of one type; true when drawable.
bool MakeModel(CPIPETYPE& type, const char* name, const CRECORDPLACE& place)
{
    char path[MODEL_PATH_SIZE];
    std::snprintf(path, sizeof path, "%s%s", MODEL_FOLDER, name);
    type.object = EntryPoints.CreateObject3d();
    if (type.object == nullptr) {
        std::fprintf(stderr, "%s: record %u: the engine could not create a model for %s\n", place.script,
                     place.record, path);
        return false;
    }
    return LoadModel(type.object, path, place);
}

// Reads record i into type; false when the record is short (the table ends
// before it). good turns false when the type is not drawable.
bool ReadRecord(FILE* file, CPIPETYPE& type, const CRECORDPLACE& place, bool& good)
{
    char name[PIPE_TYPE_NAME_MAX + 1];
    bool tooLong = false;
    if (!ReadName(file, name, tooLong) || !ReadVectors(file, type)) {
        std::fprintf(stderr,
                     "%s: record %u is missing or short (a name and six numbers); "
                     "the table holds the %u types before it\n",
                     place.script, place.record, place.record - 1);
        return false;
    }
    type.number = static_cast<uint16_t>(place.record);
    if (!CheckExits(type, place)) {
        good = false;
        return true;
    }
    if (tooLong) {
        std::fprintf(stderr,
                     "%s: record %u: model file name \"%s...\" is longer than %d "
                     "characters; type %u is not drawn\n",
                     place.script, place.record, name, PIPE_TYPE_NAME_MAX, place.record);
        good = false;
        return true;
    }
    if (!PlainFileName(name)) {
        std::fprintf(stderr,
                     "%s: record %u: model file name \"%s\" is not a plain file name "
                     "in %s (it holds '/' or '\\', or is '.' or '..'); it is not "
                     "opened and type %u is not drawn\n",
                     place.script, place.record, name, MODEL_FOLDER, place.record);
        good = false;
        return true;
    }
    type.drawable = MakeModel(type, name, place);
    if (type.drawable) {
        type.geometry = CompilePiece(GetPieceMesh(&type));
        CPIECEMESH far = GetFarPieceMesh(type.object);
        if (far.faceCount > 0) {
            type.far = CompilePiece(far);
        }
    }
    good = good && type.drawable;
    return true;
}

// Reads the count; false (reported) when it is missing or out of range.
bool ReadCount(FILE* file, const char* script, uint16_t& count)
{
    long long announced = 0;  // signed and wide: reported as the script wrote it
    if (std::fscanf(file, "%lld", &announced) != 1) {
        std::fprintf(stderr, "%s: the number of pipe types is missing; no pipe types\n", script);
        return false;
    }
    if (announced < 0 || announced > MAX_PIPE_TYPES) {
        std::fprintf(stderr, "%s: %lld pipe types is outside 0 to %d; no pipe types\n", script, announced,
                     MAX_PIPE_TYPES);
        return false;
    }
    count = static_cast<uint16_t>(announced);
    return true;
}

// Reads up to count records into table; returns how many were read.
uint16_t ReadRecords(FILE* file, const char* script, CPIPETYPE* table, uint16_t count, bool& good)
{
    for (uint16_t i = 0; i < count; ++i) {
        CRECORDPLACE place{script, i + 1u};
        if (!ReadRecord(file, table[i], place, good)) {
            good = false;
            return i;
        }
    }
    return count;
}

// Fills the table from the open script; true when every type is drawable.
bool ReadTable(FILE* file, const char* script)
{
    uint16_t count = 0;
    if (!ReadCount(file, script, count)) {
        return false;
    }
    pipeTypes = new (std::nothrow) CPIPETYPE[count]();
    if (pipeTypes == nullptr) {
        std::fprintf(stderr, "%s: out of memory for %u pipe types\n", script, count);
        return false;
    }
    bool good = true;
    pipeTypeCount = ReadRecords(file, script, pipeTypes, count, good);
    return good;
}

}  // namespace

void LoadPipeTypes()
{
    LoadPipeTypesFile(TYPES_SCRIPT);
}

int LoadPipeTypesFile(const char* scriptPath)
{
    ReleaseTable();
    if (EntryPoints.CreateObject3d == nullptr) {
        std::fprintf(stderr, "%s: no model engine; no pipe types\n", scriptPath);
        return 0;
    }
    FILE* file = std::fopen(scriptPath, "r");
    if (file == nullptr) {
        std::fprintf(stderr, "%s: cannot open the pipe types script; no pipe types\n", scriptPath);
        return 0;
    }
    bool good = ReadTable(file, scriptPath);
    std::fclose(file);
    return good ? 1 : 0;
}
