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

// Runs `show` with stderr going into a pipe; returns what was written
// (a few lines, well within the pipe's buffer, so the writer never blocks).
// A pipe rather than a file: nothing is left on disk whatever handles the
// C library keeps.
std::string CaptureStderr(void (*show)())
{
    HANDLE readEnd = nullptr;
    HANDLE writeEnd = nullptr;
    if (!CreatePipe(&readEnd, &writeEnd, nullptr, 1 << 16)) return "(no pipe)";
    std::fflush(stderr);
    int saved = _dup(2);
    int file = _open_osfhandle(reinterpret_cast<intptr_t>(writeEnd), _O_WRONLY | _O_BINARY);
    _dup2(file, 2);
    show();
    std::fflush(stderr);
    _dup2(saved, 2);
    _close(saved);
    _close(file);  // closes writeEnd
    // Only what is in the pipe now: the end of the pipe is not waited for,
    // since the system may keep a copy of the standard-error handle open.
    std::string text;
    char buffer[256];
    DWORD ready = 0;
    DWORD n = 0;
    while (PeekNamedPipe(readEnd, nullptr, 0, nullptr, &ready, nullptr) && ready > 0 &&
           ReadFile(readEnd, buffer, sizeof buffer, &n, nullptr) && n > 0)
        text.append(buffer, n);
    CloseHandle(readEnd);
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
