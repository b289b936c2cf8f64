// The engine fixture of the tests that record the engine's GL calls: every
// test starts with an empty recording.
#ifndef PLM_TESTS_ENGINE_RECORDING_FIXTURE_H
#define PLM_TESTS_ENGINE_RECORDING_FIXTURE_H

#include "engine_fixture.h"
#include "gl_recorder.h"

namespace enginetest {

class RecordingTest : public EngineTest {
protected:
    void SetUp() override
    {
        EngineTest::SetUp();
        glrec::Reset();
    }
};

}  // namespace enginetest

#endif
