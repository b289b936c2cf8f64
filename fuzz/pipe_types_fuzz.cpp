// Fuzz target for the pipe types reader: any bytes as pipes_type.plm, read
// with a fake engine whose models exist only in memory (no model file is
// opened). Reading must never crash, touch memory out of bounds or leak, and
// the table must hold its contract: entry n is type n, a drawable type has a
// model whose mesh 0 is safe to draw, and every exit is finite.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "fuzz_input_file.h"
#include "pipes/piece_mesh.h"
#include "pipes/pipe_types.h"
#include "runtime/entry_points.h"
#include "tests/support/fake_engine.h"
#include "tests/pipes/release_types.h"

namespace {

void Check(bool ok, const char* what)
{
    if (!ok) {
        std::fprintf(stderr, "pipe types fuzz: %s\n", what);
        std::abort();
    }
}

// A model whose only face names a vertex it does not have.
FakeModel BrokenModel()
{
    FakeModel model = TriangleModel(1);
    model.meshes[0].faces[0].c = 7;
    return model;
}

// The models the fake engine finds: the pieces the generated script names,
// and two bad models for hand-made seeds. Any other name fails to open, as
// a missing file would.
void SetUpEngine()
{
    static bool done = false;
    if (done) {
        return;
    }
    done = true;
    const char* const pieces[] = {"pipe_straight.3ds", "pipe_elbow.3ds",   "pipe_flanges.3ds",
                                  "pipe_valve.3ds",    "pipe_bellows.3ds", "pipe_tee.3ds"};
    unsigned faces = 1;
    for (const char* piece : pieces) {
        fakeModels[std::string("plumora_data/obj3d/") + piece] = TriangleModel(faces, 10 + faces);
        ++faces;
    }
    fakeModels["plumora_data/obj3d/empty.3ds"] = FakeModel();
    fakeModels["plumora_data/obj3d/broken.3ds"] = BrokenModel();
    EntryPoints.CreateObject3d = CreateFakeObject;
}

bool Finite(const CVECTOR& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

void CheckType(const CPIPETYPE& type, unsigned number)
{
    Check(type.number == number, "entry n is not type n");
    Check(Finite(type.exitOffset) && Finite(type.exitDirection), "an exit that is not finite");
    if (type.drawable) {
        const char* why = "";
        Check(type.object != nullptr && CheckPieceMesh(type.object, &why),
              "a drawable type whose mesh is unsafe");
    }
    CPIECEMESH mesh = GetPieceMesh(&type);
    Check(type.drawable || (mesh.faceCount == 0 && mesh.faces == nullptr),
          "a type that is not drawable still shows a mesh");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    SetUpEngine();
    FuzzInputFile input(data, size);
    LoadPipeTypesFile(input.path());
    Check(pipeTypeCount == 0 || pipeTypes != nullptr, "types without a table");
    for (uint16_t i = 0; i < pipeTypeCount; ++i) {
        CheckType(pipeTypes[i], i + 1u);
    }
    ReleasePipeTypes();
    engineCalls.clear();
    return 0;
}
