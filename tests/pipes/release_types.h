// Clean-up between loads of the pipe type table. The program loads the table
// once and never releases it (its engine objects go with the engine
// library); tests and the fuzz target load it again and again.
#ifndef PLM_TESTS_PIPES_RELEASE_TYPES_H
#define PLM_TESTS_PIPES_RELEASE_TYPES_H

#include "pipes/pipe_types.h"
#include "plm_engine.h"

// Destroys the table's engine objects and frees the table, leaving it empty.
// Only while the engine that made the objects is bound.
inline void ReleasePipeTypes()
{
    for (uint16_t i = 0; i < pipeTypeCount; ++i) delete pipeTypes[i].object;
    delete[] pipeTypes;
    pipeTypes = nullptr;
    pipeTypeCount = 0;
}

#endif
