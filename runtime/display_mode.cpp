#include "runtime/display_mode.h"

// Zero until the setup dialog has chosen a mode.
CDISPLAYMODE DisplayMode;
