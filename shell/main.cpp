// plumora: the process entry. The command line is ignored.
#include "shell/demo_main.h"

int main()
{
    return DemoMain();
}
