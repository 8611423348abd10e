#include "platform/pad/SdlPadSource.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <iterator>

namespace pad {

namespace {

struct ButtonMap {
    SDL_GameControllerButton sdl;
    uint16_t bit;
};

const ButtonMap kButtons[] = {
    {SDL_CONTROLLER_BUTTON_A, BUTTON_A},
    {SDL_CONTROLLER_BUTTON_B, BUTTON_B},
    {SDL_CONTROLLER_BUTTON_X, BUTTON_X},
    {SDL_CONTROLLER_BUTTON_Y, BUTTON_Y},
    {SDL_CONTROLLER_BUTTON_BACK, BUTTON_BACK},
    {SDL_CONTROLLER_BUTTON_START, BUTTON_START},
    {SDL_CONTROLLER_BUTTON_LEFTSTICK, BUTTON_LEFT_THUMB},
    {SDL_CONTROLLER_BUTTON_RIGHTSTICK, BUTTON_RIGHT_THUMB},
    {SDL_CONTROLLER_BUTTON_LEFTSHOULDER, BUTTON_LEFT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, BUTTON_RIGHT_SHOULDER},
    {SDL_CONTROLLER_BUTTON_DPAD_UP, BUTTON_DPAD_UP},
    {SDL_CONTROLLER_BUTTON_DPAD_DOWN, BUTTON_DPAD_DOWN},
    {SDL_CONTROLLER_BUTTON_DPAD_LEFT, BUTTON_DPAD_LEFT},
    {SDL_CONTROLLER_BUTTON_DPAD_RIGHT, BUTTON_DPAD_RIGHT},
};

// SDL's triggers run 0..32767; XInput's 0..255.
uint8_t Trigger(Sint16 value)
{
    const int v = std::max<int>(value, 0);
    return static_cast<uint8_t>((v * 255 + 16383) / 32767);
}

// SDL's stick Y grows downwards; XInput's upwards.
int16_t FlipY(Sint16 value) { return static_cast<int16_t>(std::min(-static_cast<int>(value), 32767)); }

class SdlPadSource : public Source {
public:
    bool Read(uint32_t index, Gamepad& out) override
    {
        if (index >= kMaxPads || !Start())
            return false;
        Refresh();
        SDL_GameController* controller = m_Slots[index];
        if (!controller)
            return false;
        out = Gamepad{};
        for (const ButtonMap& button : kButtons)
            if (SDL_GameControllerGetButton(controller, button.sdl))
                out.buttons |= button.bit;
        out.leftTrigger = Trigger(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_TRIGGERLEFT));
        out.rightTrigger = Trigger(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_TRIGGERRIGHT));
        out.thumbLX = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTX);
        out.thumbLY = FlipY(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_LEFTY));
        out.thumbRX = SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_RIGHTX);
        out.thumbRY = FlipY(SDL_GameControllerGetAxis(controller, SDL_CONTROLLER_AXIS_RIGHTY));
        return true;
    }

    void Stop()
    {
        if (m_Started && SDL_WasInit(SDL_INIT_GAMECONTROLLER)) {
            for (SDL_GameController*& controller : m_Slots)
                if (controller)
                    SDL_GameControllerClose(controller);
            SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
        }
        std::fill(std::begin(m_Slots), std::end(m_Slots), nullptr);
        m_Started = false;
    }

private:
    bool Start()
    {
        if (m_Started && SDL_WasInit(SDL_INIT_GAMECONTROLLER))
            return true;
        // SDL was shut down under us: its controllers are gone with it.
        std::fill(std::begin(m_Slots), std::end(m_Slots), nullptr);
        m_Started = false;
        if (m_Failed)
            return false;
        if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
            std::fprintf(stderr, "Pad: no gamepads, SDL's game-controller subsystem failed: %s\n", SDL_GetError());
            m_Failed = true;
            return false;
        }
        // Readings are taken on demand; SDL's controller events would only fill the event queue.
        SDL_GameControllerEventState(SDL_IGNORE);
        SDL_JoystickEventState(SDL_IGNORE);
        m_Started = true;
        return true;
    }

    // Brings SDL's readings up to date, empties the slots of pads that went and opens new pads
    // in the first free slots.
    void Refresh()
    {
        SDL_GameControllerUpdate();
        for (SDL_GameController*& controller : m_Slots) {
            if (controller && !SDL_GameControllerGetAttached(controller)) {
                SDL_GameControllerClose(controller);
                controller = nullptr;
            }
        }
        const int count = SDL_NumJoysticks();
        for (int device = 0; device < count; ++device) {
            if (!SDL_IsGameController(device) || IsOpen(SDL_JoystickGetDeviceInstanceID(device)))
                continue;
            SDL_GameController** free = std::find(std::begin(m_Slots), std::end(m_Slots), nullptr);
            if (free == std::end(m_Slots))
                return;
            *free = SDL_GameControllerOpen(device);
        }
    }

    bool IsOpen(SDL_JoystickID id) const
    {
        for (SDL_GameController* controller : m_Slots)
            if (controller && SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(controller)) == id)
                return true;
        return false;
    }

    SDL_GameController* m_Slots[kMaxPads] = {};
    bool m_Started = false;
    bool m_Failed = false;
};

SdlPadSource g_Sdl;

} // namespace

Source& SdlSource() { return g_Sdl; }

void ShutdownSdlSource() { g_Sdl.Stop(); }

} // namespace pad
