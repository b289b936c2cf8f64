// Fuzz target for the pipes map reader: any bytes as pipes_map.plm, read
// against a fixed table of fake pipe types (no model file is opened), then
// grown. Reading and growing must never crash, touch memory out of bounds or
// leak, and every pipe kept must hold the map's contract: segments that all
// name a type of the table, placed and ready to grow from the first.
#include <cstdint>
#include <cstdio>
#include <cstdlib>

#include "fuzz_input_file.h"
#include "pipes/piece_mesh.h"
#include "pipes/pipe.h"
#include "pipes/pipe_map.h"
#include "tests/pipes/type_table.h"

namespace {

// Updates that are each long enough for one growth step of any piece.
const int GROWTH_STEPS = 12;
const float LONG_FRAME_MS = 1000.0f;

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "pipe map fuzz: %s\n", what);
        std::abort();
    }
}

// Types 1 and 2 straight and elbow pieces (see TypeTable), 3 a piece whose
// model has no mesh, 4 a piece whose model could not be loaded, 5 a piece
// that turns back on itself, and types up to 8 repeating them, so that type
// numbers the generated map uses are all known.
TypeTable& Types()
{
    static TypeTable* table = [] {
        TypeTable* made = new TypeTable();
        made->Add(FakeModel(), {0, 2, 0}, {0, 1, 0});
        made->AddUndrawable({0, 3, 0}, {0, 0, 1});
        made->Add(TriangleModel(3, 13), {0, -4, 1}, {0, -1, 0});
        made->Add(TriangleModel(5, 14), {2, 8, -1}, {0, 0, -1});
        made->Add(TriangleModel(1, 15), {-3, 3, 0}, {-1, 0, 0});
        made->Add(TriangleModel(2, 16), {0, 6, 0}, {0, 0.6f, 0.8f});
        return made;
    }();
    return *table;
}

void CheckPipe(const CPIPE& pipe, TypeTable& types)
{
    Check(pipe.segmentCount > 0 && pipe.segments != nullptr, "a kept pipe without segments");
    for (uint16_t s = 0; s < pipe.segmentCount; ++s) {
        const CPIPETYPE* type = pipe.segments[s].type;
        Check(type >= types.data() && type < types.data() + types.size(), "a segment outside the type table");
    }
    Check(pipe.grownCount == 0 && pipe.phase == 0 && pipe.progress == 0.0f,
          "a kept pipe is not ready to grow");
}

// Growth must stay within the pipe's segments and view only the growing
// segment's mesh.
void CheckGrowth(const CPIPE& pipe)
{
    Check(pipe.grownCount <= pipe.segmentCount, "grown past the last segment");
    Check(pipe.phase < 2, "a growth phase past filling");
    if (pipe.grownCount < pipe.segmentCount) {
        CPIECEMESH mesh = GetPieceMesh(pipe.segments[pipe.grownCount].type);
        Check(pipe.faceCount == mesh.faceCount && pipe.faces == mesh.faces,
              "the mesh view is not the growing segment's");
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInputFile input(data, size);
    TypeTable& types = Types();
    CPIPEMAP map;
    map.Load(input.path(), types.data(), types.size());
    Check(map.pipeCount == 0 || map.pipes != nullptr, "pipes without a list");
    for (uint16_t i = 0; i < map.pipeCount; ++i) {
        CheckPipe(*map.pipes[i], types);
    }
    for (int step = 0; step < GROWTH_STEPS; ++step) {
        map.Update(LONG_FRAME_MS);
        for (uint16_t i = 0; i < map.pipeCount; ++i) {
            CheckGrowth(*map.pipes[i]);
        }
    }
    // The fake engine logs every mesh query; the log must not grow from one
    // input to the next.
    engineCalls.clear();
    return 0;
}
