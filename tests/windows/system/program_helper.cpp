// A small program the system tests start, so that they know exactly what the
// started program does. The first argument picks the behaviour:
//   cat          copies standard input to standard output until its end
//   fail N       writes "failing" to standard error and exits with status N
//   wait         runs until it is ended, whatever its input does
//   end-by N     ends itself as termination request N would
//   catch        makes a console of its own, catches termination requests,
//                raises Ctrl-C there and exits with the request it saw (0:
//                none, 100: no console events on this system)
#include "platform/termination.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

namespace {

int Cat()
{
    HANDLE in = GetStdHandle(STD_INPUT_HANDLE), out = GetStdHandle(STD_OUTPUT_HANDLE);
    char buffer[65536];
    DWORD got = 0, written = 0;
    while (ReadFile(in, buffer, sizeof buffer, &got, nullptr) && got > 0)
        if (!WriteFile(out, buffer, got, &written, nullptr) || written != got) return 1;
    return 0;
}

int Fail(int status)
{
    static const char TEXT[] = "failing\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), TEXT, sizeof TEXT - 1, &written, nullptr);
    return status;
}

int Catch()
{
    // The console's own process must not keep the log open.
    SetHandleInformation(GetStdHandle(STD_OUTPUT_HANDLE), HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(GetStdHandle(STD_ERROR_HANDLE), HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(GetStdHandle(STD_INPUT_HANDLE), HANDLE_FLAG_INHERIT, 0);
    if (!AllocConsole()) return 100;
    PlatformCatchTermination(PLATFORM_CATCH_IGNORED);
    if (!GenerateConsoleCtrlEvent(CTRL_C_EVENT, 0)) return 100;
    for (int i = 0; i < 5000 && PlatformTerminationRequested() == 0; ++i) Sleep(1);
    return PlatformTerminationRequested();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 2) return 99;
    const char* mode = argv[1];
    int number = argc > 2 ? std::atoi(argv[2]) : 0;
    if (std::strcmp(mode, "cat") == 0) return Cat();
    if (std::strcmp(mode, "fail") == 0) return Fail(number);
    if (std::strcmp(mode, "end-by") == 0) PlatformEndByTermination(number);
    if (std::strcmp(mode, "catch") == 0) return Catch();
    if (std::strcmp(mode, "wait") == 0)
        for (;;) Sleep(1000);
    return 99;
}
