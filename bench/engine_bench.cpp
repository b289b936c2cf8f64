// Model loading through plm_engine: read, bind, normals, for a grid mesh of
// the given number of faces (the face model has about 32 000; 200 x 150 gives
// 30 351 vertices and 60 000 faces, the size engine/README.md quotes).
#include "plm_engine.h"
#include "tds_writer.h"

#include <benchmark/benchmark.h>
#include <unistd.h>

#include <string>

namespace {

// A (cols x rows) grid of quads, two triangles each, written once per size.
std::string GridModel(int cols, int rows)
{
    std::string path = "/tmp/plumora_bench_grid_" + std::to_string(getpid()) + "_" + std::to_string(cols) +
                       "x" + std::to_string(rows) + ".3ds";
    tds::Model model;
    tds::Object& object = model.objects.emplace_back();
    object.name = "grid";
    for (int y = 0; y <= rows; ++y)
        for (int x = 0; x <= cols; ++x)
            object.mesh.vertices.push_back({float(x), float(y), float((x * y) % 7)});
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < cols; ++x) {
            uint16_t a = uint16_t(y * (cols + 1) + x), b = uint16_t(a + 1);
            uint16_t c = uint16_t(a + cols + 1), d = uint16_t(c + 1);
            object.mesh.faces.push_back({a, b, d});
            object.mesh.faces.push_back({a, d, c});
        }
    std::string error;
    tds::WriteFile(model, path, &error);
    return path;
}

void LoadModel(benchmark::State& state)
{
    int64_t faceCount = 2 * state.range(0) * state.range(1);
    std::string path = GridModel(static_cast<int>(state.range(0)), static_cast<int>(state.range(1)));
    COBJECT3D* object = CreateObject3d();
    for (auto _ : state) {
        object->Load(path.c_str(), nullptr, FORMAT_3DS);
        object->Unload();
    }
    // A load that read nothing would make the numbers meaningless.
    object->Load(path.c_str(), nullptr, FORMAT_3DS);
    unsigned short faces = 0;
    if (object->GetMeshCount() == 1) object->GetMeshData(0, nullptr, &faces, nullptr, nullptr, nullptr);
    if (faces != faceCount) state.SkipWithError("the model did not load whole");
    delete object;
    unlink(path.c_str());
    state.SetItemsProcessed(state.iterations() * faceCount);
}
BENCHMARK(LoadModel)
    ->Args({40, 40})
    ->Args({126, 126})
    ->Args({173, 173})
    ->Args({200, 150})
    ->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
