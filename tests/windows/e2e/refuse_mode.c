/* Packed into the data set in place of bass.dll by the end-to-end tests:
   makes the display driver refuse every full-screen mode, so that the
   program's path for a refused mode can be run for real under Wine, whose
   driver accepts every mode it lists.

   The program binds bass.dll before the setup dialog opens. When loaded,
   this library rewrites the program's import table: its calls to
   ChangeDisplaySettingsA/W and ChangeDisplaySettingsExA/W now come here,
   where a request for a mode answers DISP_CHANGE_BADMODE and a request to
   go back to the desktop mode (no mode given) goes on to the real call.
   It says on stderr how many imports it rewrote, so that a test can tell a
   refusal from a program that never asked for a mode.

   The five BASS entry points are there so that binding succeeds; they
   report failure, and the refused mode ends the run before they are used. */
#include <windows.h>

#include <stdint.h>
#include <stdio.h>
#include <string.h>

typedef LONG(WINAPI* CHANGE_A)(DEVMODEA*, DWORD);
typedef LONG(WINAPI* CHANGE_W)(DEVMODEW*, DWORD);
typedef LONG(WINAPI* CHANGE_EX_A)(LPCSTR, DEVMODEA*, HWND, DWORD, LPVOID);
typedef LONG(WINAPI* CHANGE_EX_W)(LPCWSTR, DEVMODEW*, HWND, DWORD, LPVOID);

static CHANGE_A realChangeA;
static CHANGE_W realChangeW;
static CHANGE_EX_A realChangeExA;
static CHANGE_EX_W realChangeExW;

static LONG Refused(const char* call)
{
    fprintf(stderr, "refuse_mode: %s refused a full-screen mode\n", call);
    fflush(stderr);
    return DISP_CHANGE_BADMODE;
}

static LONG WINAPI RefuseChangeA(DEVMODEA* mode, DWORD flags)
{
    return mode ? Refused("ChangeDisplaySettingsA") : realChangeA(mode, flags);
}

static LONG WINAPI RefuseChangeW(DEVMODEW* mode, DWORD flags)
{
    return mode ? Refused("ChangeDisplaySettingsW") : realChangeW(mode, flags);
}

static LONG WINAPI RefuseChangeExA(LPCSTR device, DEVMODEA* mode, HWND window, DWORD flags, LPVOID param)
{
    return mode ? Refused("ChangeDisplaySettingsExA") : realChangeExA(device, mode, window, flags, param);
}

static LONG WINAPI RefuseChangeExW(LPCWSTR device, DEVMODEW* mode, HWND window, DWORD flags, LPVOID param)
{
    return mode ? Refused("ChangeDisplaySettingsExW") : realChangeExW(device, mode, window, flags, param);
}

struct Replacement {
    const char* name;
    void* replacement;
    void** original;
};

static struct Replacement replacements[] = {
    {"ChangeDisplaySettingsA", (void*)RefuseChangeA, (void**)&realChangeA},
    {"ChangeDisplaySettingsW", (void*)RefuseChangeW, (void**)&realChangeW},
    {"ChangeDisplaySettingsExA", (void*)RefuseChangeExA, (void**)&realChangeExA},
    {"ChangeDisplaySettingsExW", (void*)RefuseChangeExW, (void**)&realChangeExW},
};

/* Points one import slot at the replacement for `name`; 1 when it did. */
static int Replace(const char* name, ULONG_PTR* slot)
{
    size_t i;
    for (i = 0; i < sizeof replacements / sizeof replacements[0]; ++i) {
        DWORD old;
        if (strcmp(name, replacements[i].name) != 0) continue;
        if (*slot == (ULONG_PTR)replacements[i].replacement) return 0;  // already done
        if (!VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &old)) return 0;
        *replacements[i].original = (void*)*slot;
        *slot = (ULONG_PTR)replacements[i].replacement;
        VirtualProtect(slot, sizeof *slot, old, &old);
        return 1;
    }
    return 0;
}

/* Rewrites the import slots of user32.dll's mode calls in the program's
   own module; returns how many. Imports by ordinal are left alone. */
static int RewriteImports(void)
{
    BYTE* base = (BYTE*)GetModuleHandleA(NULL);
    IMAGE_DOS_HEADER* dos = (IMAGE_DOS_HEADER*)base;
    IMAGE_NT_HEADERS* nt = (IMAGE_NT_HEADERS*)(base + dos->e_lfanew);
    IMAGE_DATA_DIRECTORY* directory = &nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    IMAGE_IMPORT_DESCRIPTOR* import;
    int rewritten = 0;
    if (directory->Size == 0) return 0;
    for (import = (IMAGE_IMPORT_DESCRIPTOR*)(base + directory->VirtualAddress); import->Name; ++import) {
        IMAGE_THUNK_DATA* names;
        IMAGE_THUNK_DATA* slots;
        if (lstrcmpiA((const char*)(base + import->Name), "user32.dll") != 0) continue;
        names = (IMAGE_THUNK_DATA*)(base + (import->OriginalFirstThunk ? import->OriginalFirstThunk
                                                                       : import->FirstThunk));
        slots = (IMAGE_THUNK_DATA*)(base + import->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            IMAGE_IMPORT_BY_NAME* byName;
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal)) continue;
            byName = (IMAGE_IMPORT_BY_NAME*)(base + names->u1.AddressOfData);
            rewritten += Replace((const char*)byName->Name, (ULONG_PTR*)&slots->u1.Function);
        }
    }
    return rewritten;
}

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved)
{
    if (reason == DLL_PROCESS_ATTACH) {
        fprintf(stderr, "refuse_mode: %d import(s) of the mode calls rewritten\n", RewriteImports());
        fflush(stderr);
    }
    return TRUE;
}

__declspec(dllexport) int BASS_Init(int device, uint32_t freq, uint32_t flags, void* window,
                                    const void* clsid)
{
    return 0;
}

__declspec(dllexport) int BASS_Start(void)
{
    return 0;
}

__declspec(dllexport) uint32_t
    BASS_StreamCreateFile(int mem, const void* file, uint64_t offset, uint64_t length, uint32_t flags)
{
    return 0;
}

__declspec(dllexport) int BASS_ChannelPlay(uint32_t handle, int restart)
{
    return 0;
}

__declspec(dllexport) int BASS_StreamFree(uint32_t handle)
{
    return 0;
}
