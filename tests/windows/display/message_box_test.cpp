// The message box: a real MessageBoxA without owner, checked and answered
// from a timer of the box's own message loop, and its line on stderr.
#include "platform/message_box.h"

#include <windows.h>
#include <fcntl.h>
#include <io.h>
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string seenCaption, seenText;
HWND seenOwner = reinterpret_cast<HWND>(1);
int seenButtons = 0;

BOOL CALLBACK CountChild(HWND child, LPARAM)
{
    char className[16] = {};
    GetClassNameA(child, className, sizeof className);
    char text[128] = {};
    GetWindowTextA(child, text, sizeof text);
    if (lstrcmpiA(className, "Button") == 0) ++seenButtons;
    if (lstrcmpiA(className, "Static") == 0 && text[0]) seenText = text;
    return TRUE;
}

BOOL CALLBACK AnswerBox(HWND window, LPARAM)
{
    char className[16] = {};
    GetClassNameA(window, className, sizeof className);
    if (lstrcmpA(className, "#32770") != 0 || !IsWindowVisible(window)) return TRUE;
    char caption[64] = {};
    GetWindowTextA(window, caption, sizeof caption);
    seenCaption = caption;
    seenOwner = GetWindow(window, GW_OWNER);
    EnumChildWindows(window, CountChild, 0);
    PostMessageA(window, WM_COMMAND, IDOK, 0);
    return FALSE;
}

void CALLBACK FindBox(HWND, UINT, UINT_PTR, DWORD)
{
    if (seenCaption.empty()) EnumThreadWindows(GetCurrentThreadId(), AnswerBox, 0);
}

// Runs `show` with stderr going to a file of its own folder; returns what
// was written.
std::string CaptureStderr(void (*show)())
{
    char base[MAX_PATH];
    GetTempPathA(MAX_PATH, base);
    std::string folder = std::string(base) + "plm-box-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    std::string path = folder + "\\stderr.txt";
    std::fflush(stderr);
    int saved = _dup(2);
    int file = _open(path.c_str(), _O_CREAT | _O_TRUNC | _O_WRONLY | _O_BINARY, 0600);
    _dup2(file, 2);
    show();
    std::fflush(stderr);
    _dup2(saved, 2);
    _close(saved);
    _close(file);
    std::string text;
    if (FILE* in = std::fopen(path.c_str(), "rb")) {
        char buffer[256];
        size_t n;
        while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0) text.append(buffer, n);
        std::fclose(in);
    }
    DeleteFileA(path.c_str());
    RemoveDirectoryA(folder.c_str());
    return text;
}

TEST(Win32MessageBox, ShowsAnOwnerlessBoxWithOneButtonAndSaysTheSameOnStderr)
{
    seenCaption.clear();
    seenText.clear();
    seenOwner = reinterpret_cast<HWND>(1);
    seenButtons = 0;
    UINT_PTR timer = SetTimer(nullptr, 0, 40, FindBox);
    std::string said =
        CaptureStderr([] { PlatformMessageBox("SHUTDOWN EROR", "Release Device Contxt Falied"); });
    KillTimer(nullptr, timer);
    EXPECT_EQ(said, "SHUTDOWN EROR: Release Device Contxt Falied\n");
    EXPECT_EQ(seenCaption, "SHUTDOWN EROR");
    EXPECT_EQ(seenText, "Release Device Contxt Falied");
    EXPECT_EQ(seenOwner, nullptr);
    EXPECT_EQ(seenButtons, 1);
}

}  // namespace
