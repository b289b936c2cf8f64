// Without a window system the setup dialog cannot open.
#include "platform/dialog.h"

#include "platform/null/record_calls.h"

int PlatformRunDialog(PLATFORMDIALOG*, bool (*)(int))
{
    NullDisplayCountDialog();
    return -1;
}
