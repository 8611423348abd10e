// Keyboard shortcuts named in definitions ("F1", "CTRL+z", "Tab", "`", "n", "SHIFT+ALT+x") as
// virtual-key codes with modifiers, and the modifier keys held while key messages arrive.
#pragma once

#include <cstdint>
#include <string>

namespace devgui {

enum Modifier : uint32_t { MOD_NONE = 0, MOD_SHIFT = 1, MOD_CTRL = 2, MOD_ALT = 4 };

struct Shortcut {
    uint32_t vk = 0; // 0: none
    uint32_t modifiers = MOD_NONE;

    bool IsSet() const { return vk != 0; }
    bool operator==(const Shortcut& other) const { return vk == other.vk && modifiers == other.modifiers; }
};

// False for an empty or unknown key name. An upper-case letter means the letter with SHIFT.
bool ParseShortcut(const std::string& text, Shortcut& out);

// Follows key-down and key-up messages of the modifier keys.
class ModifierState {
public:
    void KeyDown(uint32_t vk) { Set(vk, true); }
    void KeyUp(uint32_t vk) { Set(vk, false); }
    uint32_t Current() const { return m_Held; }
    void Clear() { m_Held = MOD_NONE; }

private:
    void Set(uint32_t vk, bool down);
    uint32_t m_Held = MOD_NONE;
};

} // namespace devgui
