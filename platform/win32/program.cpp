// Windows implementation of helper programs: CreateProcessA with a pipe on
// standard input and the log on standard output and error. Only those two
// handles are passed on (PROC_THREAD_ATTRIBUTE_HANDLE_LIST; the caller's
// other handles are not inheritable to begin with). The program runs without
// a console (DETACHED_PROCESS), so the interrupt key of the caller's console
// reaches only the caller; a console of its own would be one more process
// (conhost) holding the log open after the program has ended.
//
// Exit statuses: a program's own status 0 to 255 as it is; one outside that
// range (a crash reports an NTSTATUS such as 0xC0000005) is 255, so that it
// can never read as success. A program ended with PlatformEndProgram reports
// 128 + 15, what a POSIX shell shows for SIGTERM.
#include "platform/program.h"

#include "platform/file_info.h"
#include "platform/process.h"
#include "platform/win32/entries.h"
#include "platform/win32/file_error.h"

#include <cctype>
#include <vector>

namespace {

const int SIGNAL_TERMINATE = 15;
const int STATUS_OUT_OF_RANGE = 255;

bool EndsWithIgnoringCase(const std::string& text, const char* suffix)
{
    std::string end(suffix);
    if (text.size() < end.size()) return false;
    for (size_t i = 0; i < end.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[text.size() - end.size() + i])) != end[i])
            return false;
    return true;
}

bool IsProgramFile(const std::string& path)
{
    if (!EndsWithIgnoringCase(path, ".exe") && !EndsWithIgnoringCase(path, ".com")) return false;
    PLATFORMPATHINFO info;
    return PlatformInspect(path.c_str(), true, &info) && info.kind == PLATFORM_PATH_REGULAR;
}

// The program file name stands for: itself when it names a program file,
// else with ".exe" added. Empty when neither is one.
std::string ProgramFileFor(const std::string& name)
{
    if (IsProgramFile(name)) return name;
    std::string withSuffix = name + ".exe";
    return IsProgramFile(withSuffix) ? withSuffix : std::string();
}

// The folders searched when PATH is unset: the system's own.
std::string DefaultSearchPath()
{
    char system[MAX_PATH], windows[MAX_PATH];
    UINT a = GetSystemDirectoryA(system, MAX_PATH), b = GetWindowsDirectoryA(windows, MAX_PATH);
    std::string path = a && a < MAX_PATH ? system : "";
    if (b && b < MAX_PATH) path += std::string(";") + windows;
    return path;
}

// One argument quoted so that the C runtime's command-line parser gives it
// back unchanged.
std::string QuoteArgument(const std::string& arg)
{
    if (!arg.empty() && arg.find_first_of(" \t\n\v\"") == std::string::npos) return arg;
    std::string quoted = "\"";
    for (size_t i = 0;; ++i) {
        size_t backslashes = 0;
        while (i < arg.size() && arg[i] == '\\') ++i, ++backslashes;
        if (i == arg.size()) {
            quoted.append(backslashes * 2, '\\');
            break;
        }
        if (arg[i] == '"')
            quoted.append(backslashes * 2 + 1, '\\');
        else
            quoted.append(backslashes, '\\');
        quoted += arg[i];
    }
    return quoted + "\"";
}

std::string CommandLine(const std::vector<std::string>& args)
{
    std::string line;
    for (const std::string& arg : args) line += (line.empty() ? "" : " ") + QuoteArgument(arg);
    return line;
}

std::string ErrorText(const std::string& what, DWORD code)
{
    return what + ": " + PlatformErrorText(code);
}

// Opens the log for appending (created if missing, with the access list its
// folder passes on: Windows has no mode bits), inheritable; refuses a link,
// a folder or a device in its place.
HANDLE OpenLog(const char* log, std::string* error)
{
    PLATFORMPATHINFO info;
    if (!PlatformInspect(log, false, &info)) {
        *error = std::string(log) + ": " + PlatformLastFileErrorText();
        return INVALID_HANDLE_VALUE;
    }
    if (info.kind != PLATFORM_PATH_MISSING && info.kind != PLATFORM_PATH_REGULAR) {
        *error = ErrorText(
            log, info.kind == PLATFORM_PATH_LINK ? PLATFORM_ERROR_LINK : PLATFORM_ERROR_NOT_REGULAR);
        return INVALID_HANDLE_VALUE;
    }
    SECURITY_ATTRIBUTES inheritable = {sizeof inheritable, nullptr, TRUE};
    HANDLE h = CreateFileA(log, FILE_APPEND_DATA | SYNCHRONIZE,
                           FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, &inheritable, OPEN_ALWAYS,
                           FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    if (h == INVALID_HANDLE_VALUE) {
        *error = ErrorText(log, GetLastError());
        return h;
    }
    BY_HANDLE_FILE_INFORMATION details;
    if (!GetFileInformationByHandle(h, &details) ||
        (details.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
        *error = ErrorText(log, PLATFORM_ERROR_LINK);
        CloseHandle(h);
        return INVALID_HANDLE_VALUE;
    }
    return h;
}

// The list of handles the program may inherit, or null when the system has
// no such list (then every inheritable handle goes, and only the two given
// are made inheritable here).
LPPROC_THREAD_ATTRIBUTE_LIST HandleList(HANDLE* handles, size_t count)
{
    SIZE_T size = 0;
    InitializeProcThreadAttributeList(nullptr, 1, 0, &size);
    if (size == 0) return nullptr;
    auto* list = static_cast<LPPROC_THREAD_ATTRIBUTE_LIST>(HeapAlloc(GetProcessHeap(), 0, size));
    if (!list) return nullptr;
    if (!InitializeProcThreadAttributeList(list, 1, 0, &size)) {
        HeapFree(GetProcessHeap(), 0, list);
        return nullptr;
    }
    if (!UpdateProcThreadAttribute(list, 0, PROC_THREAD_ATTRIBUTE_HANDLE_LIST, handles,
                                   count * sizeof(HANDLE), nullptr, nullptr)) {
        DeleteProcThreadAttributeList(list);
        HeapFree(GetProcessHeap(), 0, list);
        return nullptr;
    }
    return list;
}

void FreeHandleList(LPPROC_THREAD_ATTRIBUTE_LIST list)
{
    if (!list) return;
    DeleteProcThreadAttributeList(list);
    HeapFree(GetProcessHeap(), 0, list);
}

// Starts the program with input and log as its standard handles; returns
// the process handle or null with the system's code in *code.
HANDLE Spawn(const std::string& path, const std::vector<std::string>& args, HANDLE input, HANDLE log,
             DWORD* code)
{
    HANDLE inherited[2] = {input, log};
    LPPROC_THREAD_ATTRIBUTE_LIST list = HandleList(inherited, 2);
    STARTUPINFOEXA startup = {};
    startup.StartupInfo.cb = list ? sizeof startup : sizeof startup.StartupInfo;
    startup.StartupInfo.dwFlags = STARTF_USESTDHANDLES;
    startup.StartupInfo.hStdInput = input;
    startup.StartupInfo.hStdOutput = log;
    startup.StartupInfo.hStdError = log;
    startup.lpAttributeList = list;
    std::string line = CommandLine(args);
    std::vector<char> writable(line.begin(), line.end());
    writable.push_back('\0');
    PROCESS_INFORMATION process = {};
    DWORD flags = DETACHED_PROCESS | (list ? EXTENDED_STARTUPINFO_PRESENT : 0);
    BOOL started = CreateProcessA(path.c_str(), writable.data(), nullptr, nullptr, TRUE, flags, nullptr,
                                  nullptr, &startup.StartupInfo, &process);
    *code = started ? NO_ERROR : GetLastError();
    FreeHandleList(list);
    if (!started) return nullptr;
    CloseHandle(process.hThread);
    return process.hProcess;
}

HANDLE ProcessOf(const PLATFORMPROGRAM* program)
{
    return reinterpret_cast<HANDLE>(program->id);
}

}  // namespace

std::string PlatformFindProgram(const char* name)
{
    std::string wanted(name);
    if (wanted.empty()) return std::string();
    if (wanted.find_first_of("/\\:") != std::string::npos) return ProgramFileFor(wanted);
    std::string search = PlatformEnvironment("PATH");
    if (search.empty()) search = DefaultSearchPath();
    size_t start = 0;
    for (;;) {
        size_t semicolon = search.find(';', start);
        std::string folder =
            search.substr(start, semicolon == std::string::npos ? std::string::npos : semicolon - start);
        if (folder.size() >= 2 && folder.front() == '"' && folder.back() == '"')
            folder = folder.substr(1, folder.size() - 2);
        if (!folder.empty()) {
            std::string found = ProgramFileFor(folder + (IsSeparator(folder.back()) ? "" : "\\") + wanted);
            if (!found.empty()) return found;
        }
        if (semicolon == std::string::npos) return std::string();
        start = semicolon + 1;
    }
}

bool PlatformStartProgram(const std::string& path, const std::vector<std::string>& args, const char* log,
                          PLATFORMPROGRAM* program, std::string* error)
{
    *program = PLATFORMPROGRAM();
    if (args.empty()) {
        *error = "no program name given";
        return false;
    }
    HANDLE logFile = OpenLog(log, error);
    if (logFile == INVALID_HANDLE_VALUE) return false;
    HANDLE readEnd, writeEnd;
    if (!CreatePipe(&readEnd, &writeEnd, nullptr, 0)) {
        *error = ErrorText("cannot make a pipe", GetLastError());
        CloseHandle(logFile);
        return false;
    }
    // Only the program's end is inheritable; the caller's end stays private,
    // so that closing it is the end of the program's input.
    DWORD code = NO_ERROR;
    HANDLE process = nullptr;
    if (SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT))
        process = Spawn(path, args, readEnd, logFile, &code);
    else
        code = GetLastError();
    CloseHandle(readEnd);
    CloseHandle(logFile);
    if (!process) {
        CloseHandle(writeEnd);
        *error = ErrorText("cannot start " + path, code);
        return false;
    }
    program->id = reinterpret_cast<intptr_t>(process);
    program->input = FileHandle(writeEnd);
    return true;
}

void PlatformCloseProgramInput(PLATFORMPROGRAM* program)
{
    if (program->input == PLATFORM_NO_FILE) return;
    CloseHandle(NativeHandle(program->input));
    program->input = PLATFORM_NO_FILE;
}

int PlatformWaitProgram(PLATFORMPROGRAM* program, int timeoutMs)
{
    if (program->id < 0) return -1;
    HANDLE process = ProcessOf(program);
    DWORD waited = WaitForSingleObject(process, timeoutMs < 0 ? INFINITE : DWORD(timeoutMs));
    if (waited == WAIT_TIMEOUT) return -1;
    DWORD code = 0;
    int status = waited == WAIT_OBJECT_0 && GetExitCodeProcess(process, &code)
                     ? int(code <= 255 ? code : STATUS_OUT_OF_RANGE)
                     : -1;
    CloseHandle(process);
    PlatformCloseProgramInput(program);
    program->id = -1;
    return status;
}

int PlatformEndProgram(PLATFORMPROGRAM* program, int graceMs)
{
    if (program->id < 0) return -1;
    PlatformCloseProgramInput(program);
    // A console program cannot be asked to end from outside its console:
    // it is ended at once, with the status of an ended one. One that has
    // ended already keeps its own status.
    TerminateProcess(ProcessOf(program), 128 + SIGNAL_TERMINATE);
    int status = PlatformWaitProgram(program, graceMs);
    if (program->id < 0) return status;
    return PlatformWaitProgram(program, -1);
}
