// CPlayerHud: the player's heads-up display - health bar with its red damage trail, skull counter,
// score, wave progress, the combo column (count, "HIT COMBO", multiplier, timer bar), the three
// power slots with the charge in progress and the charge and revive prompts. The GUI elements
// belong to the GUI manager and are looked up by name (a missing one is skipped); the six text
// lines are owned here. The player controller feeds it one HudInputs a frame.
#pragma once

#include <memory>
#include <string>
#include <vector>

namespace Vesk {
class CDisplayObject2D;
}

namespace Game {

class CSpriteText;
class ISkillPocket;

// What the HUD shows, gathered by the player controller each frame.
struct HudInputs {
    int health = 0;
    int maxHealth = 0;
    int deathCount = 0;
    // The player's statistics.
    int shownPoints = 0;
    int combo = 0;
    float comboMultiplier = 1.0f;
    float comboTimer = 0.0f;
    // The wave manager's progress.
    bool hasWaves = false;
    int remainingEnemies = 0;
    int waveTotal = 0;
    // Collected skills (0..3) and how long the special button has been held.
    int collectedSkills = 0;
    float specialHoldTime = 0.0f;
    // Shown and hidden with the HUD; may be null.
    ISkillPocket* skillPocket = nullptr;
};

class CPlayerHud {
public:
    static constexpr float kTrailDelay = 0.7f;
    static constexpr float kTrailSpeed = 5.0f;
    static constexpr float kFullHealthScale = 2.25f;
    static constexpr float kBarY = 0.94f;
    static constexpr float kComboTimerFull = 5.0f;

    CPlayerHud();
    ~CPlayerHud();
    CPlayerHud(const CPlayerHud&) = delete;
    CPlayerHud& operator=(const CPlayerHud&) = delete;

    // Creates the text lines, looks the elements up in the GUI manager and takes the layout from
    // them: the frame's position, the current bar's x from its sprite width and the back-buffer
    // width, the power slots' position and full scale from the first blank slot.
    void Build();
    // Forgets the elements and deletes the text lines.
    void Release();

    void SetVisible(bool visible, const HudInputs& in);
    bool IsVisible() const { return m_Visible; }
    void Update(float dt, const HudInputs& in);
    void UpdateHealthBar(float dt, const HudInputs& in);
    void UpdatePowerSlots(float dt, const HudInputs& in);

    // A hit: the red trail waits kTrailDelay before it follows the health down.
    void StartDamageTrail() { m_TrailTimer = kTrailDelay; }

    // Keyboard ("idle") or pad ("idleController") glyphs on the two prompts.
    void ShowPadPrompts(bool pad);
    // A charge level reached: the slot of that level (1..3) blinks and the slots up to it restart
    // their animations.
    void BlinkSlot(int level);
    // Every fill back to "idle".
    void ResetSlots();

    // The fraction of the full scale each power-slot fill shows for a hold time and skill count.
    static float SlotFill(int slot, int collectedSkills, float holdTime);
    // The multiplier as the combo column prints it: "1.5X MULTIPLIER", "1X MULTIPLIER".
    static std::string MultiplierText(float multiplier);

    Vesk::CDisplayObject2D* GetRevivePrompt() const { return m_pRevivePrompt; }
    Vesk::CDisplayObject2D* GetChargePrompt() const { return m_pChargePrompt; }
    Vesk::CDisplayObject2D* GetCurrentBar() const { return m_pCurrent; }
    Vesk::CDisplayObject2D* GetTrailBar() const { return m_pCurrentRed; }
    Vesk::CDisplayObject2D* GetComboBar() const { return m_pComboBar; }
    const std::vector<Vesk::CDisplayObject2D*>& GetActiveSlots() const { return m_ActiveSlots; }
    const std::vector<Vesk::CDisplayObject2D*>& GetBlankSlots() const { return m_BlankSlots; }
    CSpriteText* GetSkullText() const { return m_SkullText.get(); }
    CSpriteText* GetScoreText() const { return m_ScoreText.get(); }
    CSpriteText* GetWaveText() const { return m_WaveText.get(); }
    CSpriteText* GetHitComboText() const { return m_HitComboText.get(); }
    CSpriteText* GetComboNumberText() const { return m_ComboNumberText.get(); }
    CSpriteText* GetMultiplierText() const { return m_MultiplierText.get(); }

private:
    Vesk::CDisplayObject2D* m_pFrame = nullptr;
    Vesk::CDisplayObject2D* m_pCurrent = nullptr;
    Vesk::CDisplayObject2D* m_pCurrentRed = nullptr;
    Vesk::CDisplayObject2D* m_pBacking = nullptr;
    Vesk::CDisplayObject2D* m_pComboBar = nullptr;
    Vesk::CDisplayObject2D* m_pSkullCounter = nullptr;
    Vesk::CDisplayObject2D* m_pManaFrame = nullptr;
    Vesk::CDisplayObject2D* m_pManaBacking = nullptr;
    Vesk::CDisplayObject2D* m_pRevivePrompt = nullptr;
    Vesk::CDisplayObject2D* m_pChargePrompt = nullptr;
    std::vector<Vesk::CDisplayObject2D*> m_BlankSlots;
    std::vector<Vesk::CDisplayObject2D*> m_ActiveSlots;

    std::unique_ptr<CSpriteText> m_SkullText;
    std::unique_ptr<CSpriteText> m_ScoreText;
    std::unique_ptr<CSpriteText> m_WaveText;
    std::unique_ptr<CSpriteText> m_HitComboText;
    std::unique_ptr<CSpriteText> m_ComboNumberText;
    std::unique_ptr<CSpriteText> m_MultiplierText;

    float m_FrameX = 0.0f;
    float m_FrameY = 0.0f;
    float m_CurrentX = 0.0f;
    float m_TrailTimer = 0.0f;
    float m_SlotX = 0.0f;
    float m_SlotY = 0.0f;
    float m_SlotScaleX = 1.0f;
    float m_SlotScaleY = 1.0f;
    bool m_Visible = true;
};

} // namespace Game
