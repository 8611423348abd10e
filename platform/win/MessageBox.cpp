#include "platform/win/MessageBox.h"

#include "platform/win/Video.h"
#include "platform/win/Window.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>

namespace win {

void MessageBox(const Window* owner, const std::string& text, const char* caption)
{
    // Without a caption the box is titled "Error", as the platform's message boxes are.
    const char* title = caption ? caption : "Error";
    std::fprintf(stderr, "%s: %s\n", title, text.c_str());
    std::fflush(stderr);
    if (!HasRealDisplay() || std::getenv("THRUMMOCK_NO_MESSAGEBOX"))
        return;
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_INFORMATION, title, text.c_str(), owner ? owner->NativeHandle() : nullptr);
}

} // namespace win
