// A staging tree written once per test process by the generator, shared by
// the tests that read its files, and removed when the process exits; and
// its scripts read back by the scene's own readers.
#ifndef PLM_TESTS_PIPES_CONTENT_STAGE_H
#define PLM_TESTS_PIPES_CONTENT_STAGE_H

#include <gtest/gtest.h>

#include <string>

#include "generator.h"
#include "network/network.h"
#include "pieces/catalog.h"
#include "pipes/pipe_map.h"
#include "pipes/pipe_types.h"
#include "runtime/entry_points.h"
#include "tests/support/fake_engine.h"
#include "tests/support/temp_folder.h"

// The generated tree's plumora_data folder (empty string if generation failed).
inline const std::string& StagedData()
{
    static const TempFolder folder("plm-pipes-content");
    static const std::string root = !folder.Path().empty() && pipesgen::GenerateDataSet(folder.Path())
                                        ? folder.File("plumora_data")
                                        : std::string();
    return root;
}

// The staged pipe types script read once per process into pipeTypes by the
// scene's reader, with fake models of one triangle for every catalog piece;
// the engine log (fake_engine.h) keeps the calls of that read. Returns what
// the reader returned (1: every type loaded and drawable).
inline int StagedTypes()
{
    static const int loaded = [] {
        ResetFakeEngine();
        for (const pipesgen::PieceType& piece : pipesgen::BuildPieceCatalog())
            fakeModels["plumora_data/obj3d/" + piece.fileName] = TriangleModel(1);
        EntryPoints.CreateObject3d = CreateFakeObject;
        int result = LoadPipeTypesFile((StagedData() + "/script/pipes_type.plm").c_str());
        EntryPoints.CreateObject3d = nullptr;
        return result;
    }();
    return loaded;
}

// The staged map read by CPIPEMAP against the staged types, as the network
// it describes (type numbers 0-based); a map that does not load whole fails
// the test.
inline pipesgen::Network StagedNetwork()
{
    StagedTypes();
    CPIPEMAP map;
    EXPECT_EQ(map.Load((StagedData() + "/script/pipes_map.plm").c_str(), pipeTypes, pipeTypeCount), 1);
    pipesgen::Network network;
    for (uint16_t p = 0; p < map.pipeCount; ++p) {
        const CPIPE& pipe = *map.pipes[p];
        pipesgen::PipeRecord& record = network.pipes.emplace_back();
        record = {{pipe.position.x, pipe.position.y, pipe.position.z},
                  {pipe.rotation.x, pipe.rotation.y, pipe.rotation.z},
                  {}};
        for (uint16_t s = 0; s < pipe.segmentCount; ++s)
            record.segments.push_back({pipe.segments[s].type->number - 1, pipe.segments[s].twist});
    }
    return network;
}

#endif
