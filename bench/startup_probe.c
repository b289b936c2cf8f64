/* Start-up probe for the real program, preloaded by bench/startup.sh
 * (LD_PRELOAD): writes one line per moment of interest to the file named by
 * PLM_STARTUP_LOG, "EVENT MICROSECONDS [VALUE]" with the wall clock
 * (CLOCK_REALTIME, so that it compares with the shell's $EPOCHREALTIME
 * taken just before exec):
 *   swap dialog T     a frame of the setup dialog presented (after the swap)
 *   swap demo T N     frame N (from 1) of the demo window presented
 *   key_return T      the program took a key-down of Return from SDL
 *   pause T MS        rand() returned a value whose remainder by 500 is MS,
 *                     logged only between the demo window's first and
 *                     PLM_STARTUP_PAUSE_FRAMES-th frame, where the loading
 *                     screen draws its pauses
 * Every call is passed on unchanged to SDL and the C library; the probe only
 * adds a clock read and a write per logged event. */
#define _GNU_SOURCE
#include <SDL.h>
#include <dlfcn.h>
#include <fcntl.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

static int logFile = -1;
static long demoFrames = 0;
static long pauseFrames = 0;

static long long WallMicroseconds(void)
{
    struct timespec now;
    clock_gettime(CLOCK_REALTIME, &now);
    return (long long)now.tv_sec * 1000000LL + now.tv_nsec / 1000;
}

__attribute__((constructor)) static void OpenLog(void)
{
    const char* path = getenv("PLM_STARTUP_LOG");
    const char* frames = getenv("PLM_STARTUP_PAUSE_FRAMES");
    if (path && *path) logFile = open(path, O_WRONLY | O_APPEND | O_CREAT | O_CLOEXEC, 0600);
    pauseFrames = frames ? strtol(frames, NULL, 10) : 0;
}

static void Log(const char* event, long long value, int withValue)
{
    char line[128];
    int n;
    if (logFile < 0) return;
    if (withValue)
        n = snprintf(line, sizeof line, "%s %lld %lld\n", event, WallMicroseconds(), value);
    else
        n = snprintf(line, sizeof line, "%s %lld\n", event, WallMicroseconds());
    if (n > 0 && write(logFile, line, (size_t)n) < 0) {
        /* Nothing to do: a lost line shows as a missing event. */
    }
}

static void* Next(const char* name)
{
    return dlsym(RTLD_NEXT, name);
}

static void NoteEvent(const SDL_Event* event)
{
    if (event->type == SDL_KEYDOWN && event->key.keysym.sym == SDLK_RETURN && !event->key.repeat)
        Log("key_return", 0, 0);
}

void SDL_GL_SwapWindow(SDL_Window* window)
{
    static void (*real)(SDL_Window*) = NULL;
    static const char* (*title)(SDL_Window*) = NULL;
    if (!real) real = (void (*)(SDL_Window*))Next("SDL_GL_SwapWindow");
    if (!title) title = (const char* (*)(SDL_Window*))Next("SDL_GetWindowTitle");
    real(window);
    if (title && strcmp(title(window), "plumora") == 0) {
        Log("swap dialog", 0, 0);
    } else {
        ++demoFrames;
        Log("swap demo", demoFrames, 1);
    }
}

int SDL_PollEvent(SDL_Event* event)
{
    static int (*real)(SDL_Event*) = NULL;
    if (!real) real = (int (*)(SDL_Event*))Next("SDL_PollEvent");
    int got = real(event);
    if (got && event) NoteEvent(event);
    return got;
}

int SDL_WaitEventTimeout(SDL_Event* event, int timeout)
{
    static int (*real)(SDL_Event*, int) = NULL;
    if (!real) real = (int (*)(SDL_Event*, int))Next("SDL_WaitEventTimeout");
    int got = real(event, timeout);
    if (got && event) NoteEvent(event);
    return got;
}

int rand(void)
{
    static int (*real)(void) = NULL;
    if (!real) real = (int (*)(void))Next("rand");
    int value = real();
    if (demoFrames >= 1 && demoFrames < pauseFrames) Log("pause", value % 500, 1);
    return value;
}
