// CGUIListener: the keys of one GUI screen. Each virtual key keeps two bits (bit 0 released,
// bit 1 down), recorded only while the screen's state is on top of the state stack; a released
// key stays released until it is pressed again or the keys are cleared.
#pragma once

#include "input/IKeyboardListener.h"

#include <cstdint>
#include <string>

namespace Game {

class CGUIListener : public Vesk::IKeyboardListener {
public:
    static constexpr unsigned kKeyCount = 256;

    explicit CGUIListener(const std::string& ownerName) : m_OwnerName(ownerName) {}

    void OnKeyDown(const Vesk::KeyEvent& event) override;
    void OnKeyUp(const Vesk::KeyEvent& event) override;

    // Released and not held; codes beyond the table are never released.
    bool IsKeyReleased(uint32_t code) const;
    void ClearKeys();

    const std::string& GetOwnerName() const { return m_OwnerName; }

private:
    enum : uint8_t { kReleased = 1, kDown = 2 };

    bool OwnerOnTop() const;

    uint8_t m_Keys[kKeyCount] = {};
    std::string m_OwnerName;
};

} // namespace Game
