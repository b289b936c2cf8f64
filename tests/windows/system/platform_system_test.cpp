// The system part of the platform on Windows, at the edges where Windows
// differs from POSIX: binary files, both separators, links and junctions in
// trees being removed, exclusive moves, replacement, the loader, the
// counter, started programs and their statuses. Runs under Wine too, where
// links are the host's own symbolic links.
#include "platform/child_process.h"
#include "platform/clock.h"
#include "platform/dynlib.h"
#include "platform/file_info.h"
#include "platform/files.h"
#include "platform/move_file.h"
#include "platform/process.h"
#include "platform/program.h"
#include "platform/replace_file.h"
#include "platform/standard_streams.h"
#include "platform/termination.h"

#include <windows.h>
#include <aclapi.h>
#include <winioctl.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <string>
#include <vector>

namespace {

// Under Wine: starts a program of the host system (e.g. /bin/ln) with the
// arguments given as host paths. Wine cannot wait for such a program: the
// caller polls for its effect. False elsewhere.
bool RunHostProgram(const std::vector<std::string>& args)
{
    typedef WCHAR*(CDECL * TODOS)(const char*);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto toDos =
        reinterpret_cast<TODOS>(reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_dos_file_name")));
    if (!toDos) return false;
    WCHAR* program = toDos(args[0].c_str());
    if (!program) return false;
    std::wstring line;
    for (const std::string& arg : args) line += L"\"" + std::wstring(arg.begin(), arg.end()) + L"\" ";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    BOOL started =
        CreateProcessW(program, &line[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process);
    HeapFree(GetProcessHeap(), 0, program);
    if (!started) return false;
    CloseHandle(process.hProcess);
    CloseHandle(process.hThread);
    return true;
}

// The host path of a Windows path under Wine; "" elsewhere.
std::string HostPath(const std::string& path)
{
    typedef char*(CDECL * TOHOST)(LPCWSTR);
    HMODULE kernel = GetModuleHandleA("kernel32.dll");
    auto toHost =
        reinterpret_cast<TOHOST>(reinterpret_cast<void*>(GetProcAddress(kernel, "wine_get_unix_file_name")));
    if (!toHost) return std::string();
    std::wstring wide(path.begin(), path.end());
    char* host = toHost(wide.c_str());
    if (!host) return std::string();
    std::string result = host;
    HeapFree(GetProcessHeap(), 0, host);
    return result;
}

bool Exists(const std::string& path)
{
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Waits up to ten seconds for path to exist (or, with gone, not to).
bool AwaitPath(const std::string& path, bool gone = false)
{
    for (int i = 0; i < 1000 && Exists(path) == gone; ++i) Sleep(10);
    return Exists(path) != gone;
}

// A junction at link (an empty folder made here) that leads to target.
bool MakeJunction(const std::string& link, const std::string& target)
{
    char full[MAX_PATH];
    if (!GetFullPathNameA(target.c_str(), MAX_PATH, full, nullptr) ||
        !CreateDirectoryA(link.c_str(), nullptr))
        return false;
    std::wstring substitute = L"\\??\\" + std::wstring(full, full + strlen(full));
    struct {
        DWORD tag;
        WORD length, reserved, substituteOffset, substituteLength, printOffset, printLength;
        WCHAR path[MAX_PATH + 8];
    } data = {};
    data.tag = IO_REPARSE_TAG_MOUNT_POINT;
    data.substituteLength = WORD(substitute.size() * sizeof(WCHAR));
    data.printOffset = WORD(data.substituteLength + sizeof(WCHAR));
    std::copy(substitute.begin(), substitute.end(), data.path);
    data.length = WORD(8 + data.substituteLength + 2 * sizeof(WCHAR));
    HANDLE h = CreateFileA(link.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                           FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT, nullptr);
    DWORD got = 0;
    bool made = h != INVALID_HANDLE_VALUE && DeviceIoControl(h, FSCTL_SET_REPARSE_POINT, &data,
                                                             8 + data.length, nullptr, 0, &got, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    if (!made) RemoveDirectoryA(link.c_str());
    return made;
}

// A link at link that leads to target (a folder when folder is set): a
// symbolic link, else for a folder a junction, else under Wine the host's
// symbolic link. Checked to exist, since Wine's CreateSymbolicLink reports
// success without making anything. False when no kind can be made.
bool MakeLink(const std::string& link, const std::string& target, bool folder)
{
    DWORD flags = (folder ? SYMBOLIC_LINK_FLAG_DIRECTORY : 0) | 0x2;  // unprivileged create
    if (CreateSymbolicLinkA(link.c_str(), target.c_str(), flags) && Exists(link)) return true;
    if (folder && MakeJunction(link, target) && Exists(link)) return true;
    std::string hostLink = HostPath(link), hostTarget = HostPath(target);
    return !hostLink.empty() && RunHostProgram({"/bin/ln", "-s", hostTarget, hostLink}) && AwaitPath(link);
}

// Removes a link made by MakeLink, never its target.
void RemoveLink(const std::string& link)
{
    std::string host = HostPath(link);
    if (!host.empty() && RunHostProgram({"/bin/rm", "-f", host}) && AwaitPath(link, true)) return;
    if (!RemoveDirectoryA(link.c_str())) DeleteFileA(link.c_str());
}

// The running user's security identifier.
std::vector<BYTE> UserSid()
{
    HANDLE token;
    std::vector<BYTE> user(512), sid;
    DWORD size = 0;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, &token)) return sid;
    if (GetTokenInformation(token, TokenUser, user.data(), DWORD(user.size()), &size)) {
        PSID found = reinterpret_cast<TOKEN_USER*>(user.data())->User.Sid;
        sid.assign(static_cast<BYTE*>(found), static_cast<BYTE*>(found) + GetLengthSid(found));
    }
    CloseHandle(token);
    return sid;
}

class Scratch {
public:
    Scratch()
    {
        path = PlatformMakeTempDirectory("plm-system-");
        EXPECT_FALSE(path.empty());
    }
    ~Scratch()
    {
        for (const std::string& link : links) RemoveLink(link);
        if (!path.empty() && !PlatformRemoveTree(path.c_str()))
            ADD_FAILURE() << "cannot remove " << path << ": " << PlatformLastFileErrorText();
    }
    std::string File(const std::string& name) const { return path + "\\" + name; }
    std::string Write(const std::string& name, const std::string& bytes) const
    {
        PLATFORMFILE file = PlatformCreateFile(File(name).c_str());
        EXPECT_NE(file, PLATFORM_NO_FILE) << name;
        EXPECT_TRUE(PlatformWrite(file, bytes.data(), bytes.size()));
        EXPECT_TRUE(PlatformClose(file));
        return File(name);
    }
    // Makes a link and removes it again at the end (needed under Wine, where
    // the removal refuses links).
    bool Link(const std::string& name, const std::string& target, bool folder)
    {
        if (!MakeLink(File(name), target, folder)) return false;
        links.push_back(File(name));
        return true;
    }

    std::string path;
    std::vector<std::string> links;
};

std::string ReadAll(const std::string& path)
{
    PLATFORMFILE file = PlatformOpenRead(path.c_str());
    if (file == PLATFORM_NO_FILE) return "<unreadable>";
    std::string bytes(size_t(PlatformFileSize(file)) + 16, '\0');
    int64_t got = PlatformRead(file, &bytes[0], bytes.size());
    PlatformClose(file);
    bytes.resize(got < 0 ? 0 : size_t(got));
    return bytes;
}

std::vector<std::string> Listing(const std::string& path)
{
    std::vector<std::string> names;
    EXPECT_TRUE(PlatformListDirectory(path.c_str(), &names)) << PlatformLastFileErrorText();
    std::sort(names.begin(), names.end());
    return names;
}

TEST(Files, KeepEveryByteAsWrittenAndReadInPieces)
{
    Scratch scratch;
    const std::string bytes("\r\n\x1a\n\r\0\xff text\r\n\x1a", 14);
    std::string path = scratch.Write("binary.dat", bytes);
    EXPECT_EQ(ReadAll(path), bytes);  // no CR/LF translation, 0x1A is no end of file
    PLATFORMFILE file = PlatformOpenRead(path.c_str());
    ASSERT_NE(file, PLATFORM_NO_FILE);
    EXPECT_EQ(PlatformFileSize(file), 14);
    char piece[32];
    ASSERT_TRUE(PlatformSeek(file, 9));
    EXPECT_EQ(PlatformRead(file, piece, sizeof piece), 5);  // fewer only at the end
    EXPECT_EQ(std::string(piece, 5), bytes.substr(9));
    EXPECT_EQ(PlatformRead(file, piece, sizeof piece), 0);
    PlatformClose(file);
    // Creating truncates an existing file.
    scratch.Write("binary.dat", "ab");
    EXPECT_EQ(ReadAll(path), "ab");
}

TEST(Files, TakeBothSeparatorsAndRefuseWhatIsNoRegularFile)
{
    Scratch scratch;
    std::string slashed = scratch.path;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    EXPECT_TRUE(PlatformMakeDirectory((slashed + "/a").c_str())) << PlatformLastFileErrorText();
    EXPECT_TRUE(PlatformMakeDirectory((slashed + "/a\\b").c_str()));
    EXPECT_TRUE(PlatformMakeDirectory((slashed + "/a/b/").c_str()));  // already there
    PLATFORMFILE file = PlatformCreateFile((slashed + "/a/b/c.txt").c_str());
    ASSERT_NE(file, PLATFORM_NO_FILE) << PlatformLastFileErrorText();
    PlatformClose(file);
    EXPECT_EQ(Listing(scratch.File("a\\b")), std::vector<std::string>{"c.txt"});
    // A missing folder on the way is "missing"; a folder is not a file.
    EXPECT_EQ(PlatformCreateFile((slashed + "/none/c.txt").c_str()), PLATFORM_NO_FILE);
    EXPECT_EQ(PlatformLastFileError(), PLATFORM_FILE_MISSING);
    EXPECT_EQ(PlatformCreateFile((slashed + "/a/b").c_str()), PLATFORM_NO_FILE);
    EXPECT_STREQ(PlatformLastFileErrorText(), "Is a directory");
    EXPECT_EQ(PlatformOpenRead((slashed + "/a").c_str()), PLATFORM_NO_FILE);
    EXPECT_EQ(PlatformOpenRead("NUL"), PLATFORM_NO_FILE);
    EXPECT_EQ(PlatformCreateFile((slashed + "/a/NUL").c_str()), PLATFORM_NO_FILE);  // the device
    EXPECT_EQ(PlatformCreateFile((slashed + "/a/con.txt").c_str()), PLATFORM_NO_FILE);
    EXPECT_FALSE(PlatformMakeDirectory((slashed + "/a/b/c.txt").c_str()));
    EXPECT_STREQ(PlatformLastFileErrorText(), "Not a directory");
}

TEST(Files, StartRelativePathsAtAHeldFolder)
{
    Scratch scratch;
    PLATFORMDIR base = PlatformOpenDirectory(scratch.path.c_str());
    ASSERT_NE(base, PLATFORM_NO_DIRECTORY);
    EXPECT_TRUE(PlatformMakeDirectoryAt(base, "tree", true));
    EXPECT_FALSE(PlatformMakeDirectoryAt(base, "tree", true));
    EXPECT_STREQ(PlatformLastFileErrorText(), "File exists");
    EXPECT_TRUE(PlatformMakeDirectoryAt(base, "tree/sub", false));
    PLATFORMFILE file = PlatformCreateFileAt(base, "tree/sub/../f.txt");
    ASSERT_NE(file, PLATFORM_NO_FILE) << PlatformLastFileErrorText();
    PlatformClose(file);
    EXPECT_TRUE(Exists(scratch.File("tree\\f.txt")));
    EXPECT_TRUE(PlatformRemoveTreeAt(base, "tree"));
    EXPECT_FALSE(Exists(scratch.File("tree")));
    EXPECT_EQ(PlatformCreateFileAt(PLATFORM_NO_DIRECTORY, "x"), PLATFORM_NO_FILE);
    PlatformCloseDirectory(base);
}

TEST(Files, CreatingOverAHardLinkLeavesTheOtherNameAlone)
{
    Scratch scratch;
    std::string original = scratch.Write("original", "kept");
    ASSERT_TRUE(CreateHardLinkA(scratch.File("second").c_str(), original.c_str(), nullptr));
    scratch.Write("second", "new");
    EXPECT_EQ(ReadAll(original), "kept");
    EXPECT_EQ(ReadAll(scratch.File("second")), "new");
}

TEST(Trees, AreRemovedWhateverTheirDepthAndAttributes)
{
    Scratch scratch;
    std::string path = "tree";
    ASSERT_TRUE(PlatformMakeDirectory(scratch.File(path).c_str()));
    for (int depth = 0; depth < 12; ++depth) {
        path += "\\d";
        ASSERT_TRUE(PlatformMakeDirectory(scratch.File(path).c_str())) << depth;
        scratch.Write(path + "\\f", "x");
    }
    std::string locked = scratch.Write("tree\\read-only", "x");
    ASSERT_TRUE(SetFileAttributesA(locked.c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(PlatformRemoveTree(scratch.File("tree").c_str())) << PlatformLastFileErrorText();
    EXPECT_FALSE(Exists(scratch.File("tree")));
    EXPECT_TRUE(PlatformRemoveTree(scratch.File("tree").c_str()));  // missing is no error
    EXPECT_TRUE(PlatformRemoveTree(scratch.File("none\\below").c_str()));
    EXPECT_FALSE(PlatformRemoveTree((scratch.path + "\\.").c_str()));
    EXPECT_FALSE(PlatformRemoveTree((scratch.path + "/..").c_str()));
    EXPECT_TRUE(Exists(scratch.path));
    std::string file = scratch.Write("single", "x");
    EXPECT_TRUE(PlatformRemoveTree(file.c_str()));
    EXPECT_FALSE(Exists(file));
}

TEST(Trees, LinksInsideAreNeverFollowed)
{
    Scratch scratch;
    ASSERT_TRUE(PlatformMakeDirectory(scratch.File("outside").c_str()));
    std::string kept = scratch.Write("outside\\kept", "precious");
    std::string keptFile = scratch.Write("kept-file", "precious");
    ASSERT_TRUE(PlatformMakeDirectory(scratch.File("tree").c_str()));
    ASSERT_TRUE(PlatformMakeDirectory(scratch.File("tree\\sub").c_str()));
    if (!scratch.Link("tree\\sub\\folder-link", scratch.File("outside"), true))
        GTEST_SKIP() << "this system makes no folder links here (no symbolic link, junction or host link)";
    bool fileLink = scratch.Link("tree\\file-link", keptFile, false);
    // Nothing is made or written through a link on the way or at the path.
    EXPECT_EQ(PlatformCreateFile(scratch.File("tree\\sub\\folder-link\\new").c_str()), PLATFORM_NO_FILE);
    EXPECT_EQ(PlatformLastFileError(), PLATFORM_FILE_SYMLINK);
    EXPECT_FALSE(Exists(scratch.File("outside\\new")));
    EXPECT_FALSE(PlatformMakeDirectory(scratch.File("tree\\sub\\folder-link").c_str()));
    EXPECT_EQ(PlatformLastFileError(), PLATFORM_FILE_SYMLINK);
    if (fileLink) {
        EXPECT_EQ(PlatformCreateFile(scratch.File("tree\\file-link").c_str()), PLATFORM_NO_FILE);
        EXPECT_EQ(PlatformLastFileError(), PLATFORM_FILE_SYMLINK);
        PLATFORMPATHINFO info;
        ASSERT_TRUE(PlatformInspect(scratch.File("tree\\file-link").c_str(), false, &info));
        EXPECT_EQ(info.kind, PLATFORM_PATH_LINK);
        ASSERT_TRUE(PlatformInspect(scratch.File("tree\\file-link").c_str(), true, &info));
        EXPECT_EQ(info.kind, PLATFORM_PATH_REGULAR);
        EXPECT_EQ(info.size, 8u);
    }
    // The removal takes links away as links, or (where the system would
    // follow them) refuses; the targets stay either way.
    bool removed = PlatformRemoveTree(scratch.File("tree").c_str());
    if (removed)
        EXPECT_FALSE(Exists(scratch.File("tree")));
    else
        EXPECT_EQ(PlatformLastFileError(), PLATFORM_FILE_SYMLINK) << PlatformLastFileErrorText();
    EXPECT_EQ(ReadAll(kept), "precious");
    EXPECT_EQ(ReadAll(keptFile), "precious");
    EXPECT_EQ(Listing(scratch.File("outside")), std::vector<std::string>{"kept"});
}

TEST(Inspection, ToldKindsSizesAndIdentities)
{
    Scratch scratch;
    std::string file = scratch.Write("file", "12345");
    PLATFORMPATHINFO a, b;
    ASSERT_TRUE(PlatformInspect(file.c_str(), false, &a));
    EXPECT_EQ(a.kind, PLATFORM_PATH_REGULAR);
    EXPECT_EQ(a.size, 5u);
    PLATFORMFILE open = PlatformOpenRead(file.c_str());
    ASSERT_TRUE(PlatformInspectFile(open, &b));
    PlatformClose(open);
    EXPECT_EQ(a.device, b.device);
    EXPECT_EQ(a.inode, b.inode);
    ASSERT_TRUE(PlatformInspect(scratch.path.c_str(), true, &a));
    EXPECT_EQ(a.kind, PLATFORM_PATH_DIRECTORY);
    ASSERT_TRUE(PlatformInspect(scratch.File("none\\x").c_str(), false, &a));
    EXPECT_EQ(a.kind, PLATFORM_PATH_MISSING);
    ASSERT_TRUE(PlatformInspect(scratch.File("file\\x").c_str(), true, &a));
    EXPECT_EQ(a.kind, PLATFORM_PATH_MISSING);
    EXPECT_EQ(PlatformPathKind("NUL"), PLATFORM_PATH_OTHER);
    std::vector<std::string> names;
    EXPECT_FALSE(PlatformListDirectory(scratch.File("none").c_str(), &names));
}

TEST(Process, TemporaryFoldersAreFreshAndPrivate)
{
    std::string one = PlatformMakeTempDirectory("plm-fresh-"), two = PlatformMakeTempDirectory("plm-fresh-");
    ASSERT_FALSE(one.empty());
    ASSERT_FALSE(two.empty());
    EXPECT_NE(one, two);
    EXPECT_EQ(PlatformPathKind(one.c_str()), PLATFORM_PATH_DIRECTORY);
    EXPECT_NE(one.find("plm-fresh-"), std::string::npos);
    Scratch scratch;
    std::string error;
    std::string made = PlatformMakeTempDirectoryIn(scratch.path.c_str(), "run-", &error);
    EXPECT_EQ(made.rfind(scratch.path + "/run-", 0), 0u) << made;
    EXPECT_EQ(made.size(), scratch.path.size() + 1 + 4 + 6);
    EXPECT_TRUE(PlatformMakeTempDirectoryIn(scratch.File("none").c_str(), "run-", &error).empty());
    EXPECT_EQ(error, "No such file or directory");
    // Only the running user (and the system itself) is let in, whatever the
    // folder above allows.
    PACL list = nullptr;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    ASSERT_EQ(GetNamedSecurityInfoA(made.c_str(), SE_FILE_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                    &list, nullptr, &descriptor),
              DWORD(ERROR_SUCCESS));
    ASSERT_NE(list, nullptr);
    for (WORD i = 0; i < list->AceCount; ++i) {
        ACCESS_ALLOWED_ACE* ace = nullptr;
        ASSERT_TRUE(GetAce(list, i, reinterpret_cast<void**>(&ace)));
        if (ace->Header.AceType != ACCESS_ALLOWED_ACE_TYPE) continue;
        PSID sid = &ace->SidStart;
        EXPECT_TRUE(EqualSid(sid, UserSid().data()) || IsWellKnownSid(sid, WinLocalSystemSid)) << i;
    }
    LocalFree(descriptor);
    EXPECT_TRUE(PlatformCanCreateIn(made.c_str(), nullptr));
    EXPECT_EQ(Listing(made), std::vector<std::string>{});
    std::string reason;
    EXPECT_FALSE(PlatformCanCreateIn(scratch.File("none").c_str(), &reason));
    EXPECT_EQ(reason, "No such file or directory");
    PlatformRemoveTree(one.c_str());
    PlatformRemoveTree(two.c_str());
}

TEST(Process, AbsolutePathsNameADriveOrAShare)
{
    EXPECT_TRUE(PlatformIsAbsolutePath("C:\\x"));
    EXPECT_TRUE(PlatformIsAbsolutePath("c:/x"));
    EXPECT_TRUE(PlatformIsAbsolutePath("\\\\server\\share\\x"));
    // The current drive's root, a drive's current folder, a host path
    // leaked in by Wine and a relative path all depend on where one is.
    EXPECT_FALSE(PlatformIsAbsolutePath("\\x"));
    EXPECT_FALSE(PlatformIsAbsolutePath("C:x"));
    EXPECT_FALSE(PlatformIsAbsolutePath("/run/user/1000"));
    EXPECT_FALSE(PlatformIsAbsolutePath("x/y"));
    EXPECT_FALSE(PlatformIsAbsolutePath(""));
    std::string temp = PlatformTemporaryFolder();
    EXPECT_TRUE(PlatformIsAbsolutePath(temp.c_str())) << temp;
    EXPECT_NE(temp.back(), '\\');
    EXPECT_EQ(PlatformPathKind(temp.c_str()), PLATFORM_PATH_DIRECTORY);
}

TEST(Process, PathsAreMadeAbsoluteAndResolved)
{
    Scratch scratch;
    std::string current = PlatformCurrentDirectory();
    ASSERT_TRUE(PlatformChangeDirectory(scratch.path.c_str()));
    std::string here = PlatformCurrentDirectory();
    EXPECT_EQ(PlatformAbsolutePath("rel/x"), here + "\\rel\\x");
    EXPECT_EQ(PlatformResolvePath("missing/x"), PlatformResolvePath(".") + "\\missing\\x");
    EXPECT_TRUE(PlatformChangeDirectory(current.c_str()));
    EXPECT_FALSE(PlatformChangeDirectory(scratch.File("none").c_str()));
    std::string program = PlatformProgramDirectory();
    EXPECT_EQ(PlatformPathKind((program + "\\platform_program_helper.exe").c_str()), PLATFORM_PATH_REGULAR);
    EXPECT_TRUE(SetEnvironmentVariableA("PLM_SYSTEM_TEST", "value"));
    EXPECT_EQ(PlatformEnvironment("PLM_SYSTEM_TEST"), "value");
    EXPECT_EQ(PlatformEnvironment("PLM_SYSTEM_TEST_UNSET"), "");
}

TEST(Moves, ReplaceOnlyWhenAllowedAndOnlyRegularFiles)
{
    Scratch scratch;
    std::string staged = scratch.Write("staged", "new"), target = scratch.Write("target", "old");
    EXPECT_FALSE(PlatformMoveFile(staged.c_str(), target.c_str(), false));
    EXPECT_STREQ(PlatformLastFileErrorText(), "File exists");
    EXPECT_EQ(ReadAll(target), "old");
    EXPECT_TRUE(PlatformMoveFile(staged.c_str(), target.c_str(), true));
    EXPECT_EQ(ReadAll(target), "new");
    EXPECT_FALSE(PlatformMoveFile(staged.c_str(), target.c_str(), true));  // gone
    EXPECT_TRUE(PlatformMoveFile(target.c_str(), scratch.File("moved").c_str(), false));
    std::string fresh = scratch.Write("fresh", "x");
    ASSERT_TRUE(PlatformMakeDirectory(scratch.File("folder").c_str()));
    EXPECT_FALSE(PlatformMoveFile(fresh.c_str(), scratch.File("folder").c_str(), true));
    EXPECT_FALSE(PlatformMoveFile(scratch.File("folder").c_str(), scratch.File("other").c_str(), true));
    EXPECT_EQ(ReadAll(fresh), "x");
}

TEST(Replacement, IsAllOrNothing)
{
    Scratch scratch;
    std::string path = scratch.Write("data.dat", "old");
    std::string slashed = path;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');
    PLATFORMREPLACEMENT abandoned;
    ASSERT_TRUE(PlatformBeginReplacement(slashed.c_str(), &abandoned)) << PlatformLastFileErrorText();
    EXPECT_TRUE(PlatformWrite(abandoned.file, "half", 4));
    EXPECT_EQ(Listing(scratch.path).size(), 2u);  // the temporary file next to the final one
    PlatformAbandonReplacement(&abandoned);
    EXPECT_EQ(ReadAll(path), "old");
    EXPECT_EQ(Listing(scratch.path), std::vector<std::string>{"data.dat"});
    PLATFORMREPLACEMENT r;
    ASSERT_TRUE(PlatformBeginReplacement(path.c_str(), &r));
    EXPECT_TRUE(PlatformWrite(r.file, "new\r\n", 5));
    EXPECT_TRUE(PlatformCommitReplacement(&r)) << PlatformLastFileErrorText();
    EXPECT_EQ(ReadAll(path), "new\r\n");
    EXPECT_EQ(Listing(scratch.path), std::vector<std::string>{"data.dat"});
    // Nothing is begun over a folder or in a folder that does not exist.
    ASSERT_TRUE(PlatformMakeDirectory(scratch.File("folder").c_str()));
    EXPECT_FALSE(PlatformBeginReplacement(scratch.File("folder").c_str(), &r));
    EXPECT_FALSE(PlatformBeginReplacement(scratch.File("none\\x").c_str(), &r));
    EXPECT_EQ(r.file, PLATFORM_NO_FILE);
}

TEST(Libraries, AreDllsAndFailuresSayWhich)
{
    EXPECT_EQ(PlatformLibraryFile("dll/devil"), "dll/devil.dll");
    EXPECT_EQ(PlatformLoadLibrary("no/such/library.dll"), nullptr);
    std::string error = PlatformLibraryError();
    EXPECT_NE(error.find("no/such/library.dll"), std::string::npos) << error;
    EXPECT_GT(error.size(), std::string("no/such/library.dll: ").size());
    EXPECT_EQ(PlatformGetSymbol(nullptr, "x"), nullptr);
    EXPECT_STREQ(PlatformLibraryError(), "library not loaded");
    void* kernel = PlatformLoadLibrary("kernel32.dll");
    ASSERT_NE(kernel, nullptr) << PlatformLibraryError();
    EXPECT_NE(PlatformGetSymbol(kernel, "GetTickCount"), nullptr);
    EXPECT_EQ(PlatformGetSymbol(kernel, "NoSuchName"), nullptr);
    EXPECT_NE(std::string(PlatformLibraryError()).find("NoSuchName"), std::string::npos);
    PlatformFreeLibrary(kernel);
    PlatformFreeLibrary(nullptr);
}

int64_t FixedCounter()
{
    return 42;
}

TEST(Clock, CountsMicrosecondsForwards)
{
    EXPECT_EQ(PlatformCounterFrequency(), 1000000);
    int64_t previous = PlatformCounter();
    for (int i = 0; i < 100000; ++i) {
        int64_t now = PlatformCounter();
        ASSERT_GE(now, previous);
        previous = now;
    }
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    int64_t before = PlatformCounter();
    PlatformSleep(20);
    int64_t after = PlatformCounter();
    QueryPerformanceCounter(&end);
    EXPECT_GE(after - before, 20000 - 1000);  // Sleep may wake up to a tick early
    // The same span as the raw counter's, in microseconds.
    int64_t raw = (end.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart;
    EXPECT_LE(after - before, raw + 1);
    PlatformSetCounter(FixedCounter);
    EXPECT_EQ(PlatformCounter(), 42);
    PlatformSetCounter(nullptr);
    EXPECT_GE(PlatformCounter(), after);
}

class Programs : public ::testing::Test {
protected:
    void Start(const std::vector<std::string>& args, PLATFORMPROGRAM* started = nullptr)
    {
        std::string error;
        std::vector<std::string> all = {"helper"};
        all.insert(all.end(), args.begin(), args.end());
        ASSERT_TRUE(PlatformStartProgram(helper, all, Log().c_str(), started ? started : &program, &error))
            << error;
    }
    std::string Log() const { return scratch.File("log.txt"); }

    Scratch scratch;
    std::string helper = PlatformProgramDirectory() + "\\platform_program_helper.exe";
    PLATFORMPROGRAM program;
};

TEST_F(Programs, AreFoundOnThePathWithTheirSuffix)
{
    std::string cmd = PlatformFindProgram("cmd");
    EXPECT_NE(cmd.find("cmd.exe"), std::string::npos) << cmd;
    EXPECT_EQ(PlatformFindProgram(helper.substr(0, helper.size() - 4).c_str()), helper);
    EXPECT_EQ(PlatformFindProgram(helper.c_str()), helper);
    EXPECT_EQ(PlatformFindProgram("plm-no-such-program"), "");
    EXPECT_EQ(PlatformFindProgram(""), "");
    EXPECT_EQ(PlatformFindProgram(scratch.path.c_str()), "");
}

TEST_F(Programs, GetTheirInputThroughThePipeAndLogWhatTheySay)
{
    Start({"cat"});
    // More than a pipe holds, with every byte value.
    std::string text(1 << 20, 'x');
    for (size_t i = 0; i < text.size(); ++i) text[i] = char(i * 7);
    ASSERT_TRUE(PlatformWrite(program.input, text.data(), text.size()));
    PlatformCloseProgramInput(&program);
    EXPECT_EQ(PlatformWaitProgram(&program, -1), 0);
    EXPECT_EQ(program.id, -1);
    EXPECT_EQ(ReadAll(Log()), text);
    EXPECT_EQ(PlatformWaitProgram(&program, -1), -1);  // released
}

TEST_F(Programs, KeepNoHandleOfTheCallers)
{
    // The second program must not hold the first one's input open: the
    // first ends at its input's end while the second still runs.
    PLATFORMPROGRAM other;
    Start({"cat"});
    Start({"wait"}, &other);
    PlatformCloseProgramInput(&program);
    EXPECT_EQ(PlatformWaitProgram(&program, 20000), 0);
    EXPECT_EQ(PlatformEndProgram(&other, 5000), 128 + 15);
}

TEST_F(Programs, ReportHowTheyEnded)
{
    Start({"fail", "3"});
    EXPECT_EQ(PlatformWaitProgram(&program, -1), 3);
    EXPECT_EQ(ReadAll(Log()), "failing\n");
    Start({"fail", "256"});  // no status beyond 255 reads as success
    EXPECT_EQ(PlatformWaitProgram(&program, -1), 255);
    Start({"end-by", "2"});
    EXPECT_EQ(PlatformWaitProgram(&program, -1), 128 + 2);
    Start({"wait"});
    EXPECT_EQ(PlatformWaitProgram(&program, 20), -1);
    EXPECT_NE(program.id, -1);
    EXPECT_EQ(PlatformEndProgram(&program, 5000), 128 + 15);
    EXPECT_EQ(program.id, -1);
    EXPECT_EQ(PlatformEndProgram(&program, 5000), -1);
}

TEST_F(Programs, SeeTheirOwnConsoleEvents)
{
    Start({"catch"});
    int status = PlatformWaitProgram(&program, 20000);
    if (status == 100) GTEST_SKIP() << "this system raises no console events";
    EXPECT_EQ(status, 2);
}

TEST_F(Programs, AReaderThatWentAwayFailsTheWrite)
{
    Start({"fail", "0"});
    EXPECT_EQ(PlatformWaitProgram(&program, -1), 0);
    Start({"fail", "0"}, &program);
    std::vector<char> block(65536, 'y');
    bool written = true;
    for (int i = 0; i < 1000 && written; ++i)
        written = PlatformWrite(program.input, block.data(), block.size());
    EXPECT_FALSE(written);
    EXPECT_STREQ(PlatformLastFileErrorText(), "Broken pipe");
    EXPECT_EQ(PlatformWaitProgram(&program, -1), 0);
}

TEST_F(Programs, ThatCannotStartSayWhyAndLeaveNothing)
{
    std::string error;
    EXPECT_FALSE(
        PlatformStartProgram(scratch.File("missing.exe"), {"missing"}, Log().c_str(), &program, &error));
    EXPECT_NE(error.find("No such file"), std::string::npos) << error;
    EXPECT_EQ(program.id, -1);
    EXPECT_EQ(program.input, PLATFORM_NO_FILE);
    EXPECT_FALSE(PlatformStartProgram(helper, {"helper"}, scratch.File("no\\log").c_str(), &program, &error));
    EXPECT_FALSE(PlatformStartProgram(helper, {}, Log().c_str(), &program, &error));
}

TEST(StandardStreams, AreFilesThatMayBeConsoles)
{
    EXPECT_NE(PlatformStandardOutput(), PlatformStandardError());
    EXPECT_FALSE(PlatformIsTerminal(PLATFORM_NO_FILE));
    Scratch scratch;
    PLATFORMFILE file = PlatformCreateFile(scratch.File("plain").c_str());
    EXPECT_FALSE(PlatformIsTerminal(file));
    PlatformClose(file);
}

int CopyWork(void*, PLATFORMFILE)
{
    return 0;
}

TEST(Copies, CannotBeMadeAndSaySo)
{
    std::string received = "stale";
    EXPECT_EQ(PlatformRunInCopy(CopyWork, nullptr, &received), -1);
    EXPECT_EQ(received, "");
}

TEST(Termination, RaisedSignalsAreCaughtAndTheFirstIsKept)
{
    EXPECT_EQ(PlatformTerminationRequested(), 0);
    std::signal(SIGINT, SIG_IGN);
    PlatformCatchTermination();
    std::raise(SIGINT);  // ignored from the start: stays ignored
    EXPECT_EQ(PlatformTerminationRequested(), 0);
    std::raise(SIGTERM);
    std::raise(SIGTERM);  // caught again after the first
    EXPECT_EQ(PlatformTerminationRequested(), SIGTERM);
    PlatformReleaseTermination();
    EXPECT_EQ(PlatformTerminationRequested(), 0);
    PlatformCatchTermination(PLATFORM_CATCH_IGNORED);
    std::raise(SIGINT);
    std::raise(SIGTERM);
    EXPECT_EQ(PlatformTerminationRequested(), SIGINT);
    PlatformReleaseTermination();
    EXPECT_EQ(std::signal(SIGINT, SIG_DFL), SIG_IGN);  // put back as found
    EXPECT_EQ(std::signal(SIGTERM, SIG_DFL), SIG_DFL);
}

}  // namespace
