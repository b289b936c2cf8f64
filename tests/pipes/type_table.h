// A pipe type table for the tests, with fake models it owns: type 1 a
// straight piece (exit offset (0, 10, 0), direction (0, 1, 0)), type 2 an
// elbow (exit offset (5, 5, 0), direction (1, 0, 0)), and any types added.
#ifndef PLM_TESTS_PIPES_TYPE_TABLE_H
#define PLM_TESTS_PIPES_TYPE_TABLE_H

#include "pipes/piece_geometry.h"
#include "pipes/pipe.h"
#include "pipes/pipe_types.h"
#include "tests/support/fake_engine.h"

#include <memory>
#include <vector>

class TypeTable {
public:
    explicit TypeTable(unsigned straightFaces = 4, unsigned elbowFaces = 2)
    {
        Add(TriangleModel(straightFaces, 11), {0, 10, 0}, {0, 1, 0});
        Add(TriangleModel(elbowFaces, 12), {5, 5, 0}, {1, 0, 0});
    }
    // Appends a type; its number is its position.
    void Add(const FakeModel& model, CVECTOR offset, CVECTOR direction)
    {
        objects_.emplace_back(new FakeObject(model));
        CPIPETYPE type{};
        type.number = static_cast<uint16_t>(types_.size() + 1);
        type.object = objects_.back().get();
        type.exitOffset = offset;
        type.exitDirection = direction;
        type.drawable = !model.meshes.empty();
        if (type.drawable) type.geometry = MeasurePiece(GetPieceMesh(&type));
        types_.push_back(type);
    }
    // Appends a type whose model could not be loaded.
    void AddUndrawable(CVECTOR offset, CVECTOR direction)
    {
        CPIPETYPE type{};
        type.number = static_cast<uint16_t>(types_.size() + 1);
        type.exitOffset = offset;
        type.exitDirection = direction;
        types_.push_back(type);
    }
    CPIPETYPE* data() { return types_.data(); }
    uint16_t size() const { return static_cast<uint16_t>(types_.size()); }

    // A pipe of the given type numbers and twists, placed and ready to grow.
    std::unique_ptr<CPIPE> Pipe(const std::vector<unsigned>& typeNumbers,
                                const std::vector<float>& twists = {})
    {
        std::unique_ptr<CPIPE> pipe(new CPIPE(data(), size()));
        pipe->AllocateSegments(static_cast<uint16_t>(typeNumbers.size()));
        for (size_t i = 0; i < typeNumbers.size(); ++i) {
            float twist = i < twists.size() ? twists[i] : 0.0f;
            pipe->AddSegment(typeNumbers[i], twist, static_cast<uint16_t>(i));
        }
        pipe->StartGrowth();
        pipe->BuildPaths();
        return pipe;
    }

private:
    std::vector<std::unique_ptr<FakeObject>> objects_;
    std::vector<CPIPETYPE> types_;
};

#endif
