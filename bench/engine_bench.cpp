// Model loading through plm_engine: read, bind, normals, for a grid mesh of
// the given number of faces (the face model has about 32 000).
#include "plm_engine.h"
#include "tds_writer.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <string>

namespace {

// A (side x side) grid of quads, two triangles each, written once per size.
std::string GridModel(int side)
{
    std::string path =
        "/tmp/plumora_bench_grid_" + std::to_string(getpid()) + "_" + std::to_string(side) + ".3ds";
    tds::Model model;
    tds::Object& object = model.objects.emplace_back();
    object.name = "grid";
    for (int y = 0; y <= side; ++y)
        for (int x = 0; x <= side; ++x)
            object.mesh.vertices.push_back({float(x), float(y), float((x * y) % 7)});
    for (int y = 0; y < side; ++y)
        for (int x = 0; x < side; ++x) {
            uint16_t a = uint16_t(y * (side + 1) + x), b = uint16_t(a + 1);
            uint16_t c = uint16_t(a + side + 1), d = uint16_t(c + 1);
            object.mesh.faces.push_back({a, b, d});
            object.mesh.faces.push_back({a, d, c});
        }
    std::string error;
    tds::WriteFile(model, path, &error);
    return path;
}

void LoadModel(benchmark::State& state)
{
    std::string path = GridModel(static_cast<int>(state.range(0)));
    COBJECT3D* object = CreateObject3d();
    for (auto _ : state) {
        object->Load(path.c_str(), nullptr, FORMAT_3DS);
        object->Unload();
    }
    // A load that read nothing would make the numbers meaningless.
    object->Load(path.c_str(), nullptr, FORMAT_3DS);
    unsigned short faces = 0;
    if (object->GetMeshCount() == 1) object->GetMeshData(0, nullptr, &faces, nullptr, nullptr, nullptr);
    if (faces != 2 * state.range(0) * state.range(0)) state.SkipWithError("the model did not load whole");
    delete object;
    unlink(path.c_str());
    state.SetItemsProcessed(state.iterations() * 2 * state.range(0) * state.range(0));
}
BENCHMARK(LoadModel)->Arg(40)->Arg(126)->Arg(173)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
