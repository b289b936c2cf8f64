// Counting the primitives the GL processes in a frame, without changing
// what the demo draws: a GL_PRIMITIVES_GENERATED query runs around the whole
// frame, and every line drawing call the demo makes (glBegin with a line
// mode up to its glEnd, glDrawArrays and glDrawElements with a line mode) is
// moved onto a query of its own, so that lines and filled primitives are
// told apart. The calls are caught at link time (the benchmark is linked
// with -Wl,--wrap for glBegin, glEnd, glDrawArrays and glDrawElements);
// calls from libraries loaded at run time are counted, but all as filled.
// Needs a GL 3.0 context current from PrimitiveCountStart on.
#ifndef PLM_BENCH_PRIMITIVE_COUNT_H
#define PLM_BENCH_PRIMITIVE_COUNT_H

#include <cstdint>

// Makes the query objects (once the context exists); false when the GL has
// no primitive queries.
bool PrimitiveCountStart();
// Starts counting a frame.
void PrimitiveCountBeginFrame();
// Stops counting; call before the frame's glFinish.
void PrimitiveCountEndFrame();
// The frame's counts (after its glFinish): filled primitives and lines.
// Lines beyond the query objects' number are counted as filled.
void PrimitiveCountResults(uint32_t* filled, uint32_t* lines);
// Frees the query objects (context still current).
void PrimitiveCountStop();

#endif
