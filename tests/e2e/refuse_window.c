/* Preloaded into the program by the end-to-end tests: refuses to create the
   demo's full-screen window (and only that window), so that the failure path
   of opening it can be run for real. Every other window is created by SDL. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <stdint.h>
#include <string.h>

typedef void* (*CreateWindowFunction)(const char*, int, int, int, int, uint32_t);

void* SDL_CreateWindow(const char* title, int x, int y, int w, int h, uint32_t flags)
{
    if (title && strcmp(title, "plumora / kelvoth / dravine") == 0) return NULL;
    CreateWindowFunction real = (CreateWindowFunction)dlsym(RTLD_NEXT, "SDL_CreateWindow");
    return real ? real(title, x, y, w, h, flags) : NULL;
}
