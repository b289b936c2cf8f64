// A small windowed Windows program that the Wine helper scripts are checked
// with. It is built like plumora.exe (GUI subsystem), so the checks also show
// that such a program's standard streams reach the script that runs it.
//
//   wine_probe status N       writes "probe out" to stdout and "probe err" to
//                             stderr, then exits with status N
//   wine_probe env NAME       writes NAME's value (or "<unset>") to stdout
//   wine_probe leave NAME     creates the file NAME in Windows' temporary
//                             folder and leaves it there
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

int Status(const char* text)
{
    std::fputs("probe out\n", stdout);
    std::fputs("probe err\n", stderr);
    return std::atoi(text);
}

int Environment(const char* name)
{
    const char* value = std::getenv(name);
    std::printf("%s\n", value ? value : "<unset>");
    return 0;
}

int Leave(const char* name)
{
    char folder[MAX_PATH];
    DWORD length = GetTempPathA(sizeof folder, folder);
    if (length == 0 || length >= sizeof folder) return 1;
    std::string path = std::string(folder) + name;
    HANDLE file =
        CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    CloseHandle(file);
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "status") == 0) return Status(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "env") == 0) return Environment(argv[2]);
    if (argc == 3 && std::strcmp(argv[1], "leave") == 0) return Leave(argv[2]);
    std::fputs("usage: wine_probe status N | env NAME | leave NAME\n", stderr);
    return 64;
}
