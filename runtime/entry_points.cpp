#include "runtime/entry_points.h"

// Every pointer null until BindLibraries fills them.
CENTRYPOINTS EntryPoints;
