// Finding this test thread's own windows: tests of several processes may
// share one display, and FindWindow would see their windows too.
#ifndef PLM_TESTS_WINDOWS_DISPLAY_OWN_WINDOWS_H
#define PLM_TESTS_WINDOWS_DISPLAY_OWN_WINDOWS_H

#include <windows.h>

#include <cstring>

struct OWNWINDOWQUERY {
    const char* className;
    const char* title;  // null: any
    HWND found;
};

inline BOOL CALLBACK MatchOwnWindow(HWND window, LPARAM parameter)
{
    OWNWINDOWQUERY* query = reinterpret_cast<OWNWINDOWQUERY*>(parameter);
    char className[64] = {}, title[128] = {};
    GetClassNameA(window, className, sizeof className);
    GetWindowTextA(window, title, sizeof title);
    if (std::strcmp(className, query->className) != 0) return TRUE;
    if (query->title && std::strcmp(title, query->title) != 0) return TRUE;
    query->found = window;
    return FALSE;
}

// The calling thread's top-level window of that class (and title), or null.
inline HWND OwnWindow(const char* className, const char* title = nullptr)
{
    OWNWINDOWQUERY query = {className, title, nullptr};
    EnumThreadWindows(GetCurrentThreadId(), MatchOwnWindow, reinterpret_cast<LPARAM>(&query));
    return query.found;
}

#endif
