#include "platform/win/Video.h"

#include <SDL.h>
#include <dlfcn.h>
#include <link.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace win {

namespace {

int g_VideoUsers = 0;

bool IsHeadlessDriver(const char* name)
{
    return name && (std::strcmp(name, "offscreen") == 0 || std::strcmp(name, "dummy") == 0);
}

} // namespace

bool AcquireVideo()
{
    if (g_VideoUsers == 0) {
        // The window system minimises a full-screen window itself when focus goes.
        SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
        if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
            std::fprintf(stderr, "Video: unable to start SDL video: %s\n", SDL_GetError());
            return false;
        }
    }
    ++g_VideoUsers;
    return true;
}

void ReleaseVideo()
{
    if (g_VideoUsers == 0)
        return;
    if (--g_VideoUsers == 0)
        SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS);
}

bool HasRealDisplay()
{
    if (SDL_WasInit(SDL_INIT_VIDEO))
        return !IsHeadlessDriver(SDL_GetCurrentVideoDriver());
    // Not started yet: judge by the requested driver and the display variables.
    const char* requested = std::getenv("SDL_VIDEODRIVER");
    if (requested && *requested)
        return !IsHeadlessDriver(requested);
    return std::getenv("DISPLAY") || std::getenv("WAYLAND_DISPLAY");
}

void KeepLoadedLibraries()
{
    dl_iterate_phdr(
        [](dl_phdr_info* info, size_t, void*) {
            if (info->dlpi_name && info->dlpi_name[0] != '\0')
                dlopen(info->dlpi_name, RTLD_NOW | RTLD_NOLOAD | RTLD_NODELETE);
            return 0;
        },
        nullptr);
}

} // namespace win
