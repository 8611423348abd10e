// CMeterBar: a GUI bar whose width shows a value out of a maximum (a health or mana bar), which
// can blink. The GUI manager registers it under its key name.
#pragma once

#include "game/gui/CUIDisplay2D.h"

#include <cstdint>
#include <string>

namespace Game {

class CMeterBar : public CUIDisplay2D {
public:
    static constexpr float kBlinkPeriod = 0.25f;

    // The full width is the bar's horizontal scale now.
    CMeterBar(const std::string& spriteName, const std::string& keyName);

    void Update(float dt) override;

    // Saturate at the maximum and at 0.
    void Increase(uint32_t amount);
    void Decrease(uint32_t amount);
    // Stopping shows the bar again.
    void SetBlinking(bool blinking);

    // The horizontal scale of a full bar.
    void SetFullWidth(float width) { m_FullWidth = width; }
    void SetMaximum(uint32_t maximum) { m_Maximum = maximum; }
    void SetValue(uint32_t value) { m_Value = value; }
    uint32_t GetMaximum() const { return m_Maximum; }
    uint32_t GetValue() const { return m_Value; }
    uint32_t GetPreviousValue() const { return m_PreviousValue; }
    bool IsBlinking() const { return m_Blinking; }
    std::string GetKeyName() const { return m_KeyName; }

private:
    uint32_t m_Maximum = 100;
    uint32_t m_Value = 100;
    uint32_t m_PreviousValue = 100;
    std::string m_KeyName;
    bool m_Blinking = false;
    // Set while a blink has the bar hidden.
    bool m_BlinkHidden = false;
    float m_BlinkTimer = 0.0f;
    float m_FullWidth = 1.0f;
};

} // namespace Game
