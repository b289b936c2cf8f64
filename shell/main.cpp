// plumora: the process entry.
#include "shell/command_line.h"
#include "shell/demo_main.h"

int main(int argc, char** argv)
{
    return RunCommandLine(argc, argv, stdout, stderr, DemoMain);
}
