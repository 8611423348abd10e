// CPlayState: the state in which a level is played. Enter brings the game singletons up in a
// fixed order, loads the in-game screen "gamehud.xml" and the level, makes the sky and the score
// texts; Update drives the singletons, the wave and flying texts, its sub-state machine ("start",
// "running", "endgame", "ended": banner, play, score screen, end) and the sky; Exit shuts all of it
// down again. Owns its key listener, sub-state machine and texts; the screen's elements are
// destroyed through the GUI manager and the sky nodes belong to the scene graph.
//
// One play step, in order. The frame loop first resolves the physics contacts, then runs Update:
//   1. live attacks (CAttackPool)          2. the game master: music and statistics
//   3. controllers                         4. entities, particles, 3D sprites
//   5. pending entity destroys             6. the cursor
//   7. waves, the wave text, flying texts  8. the sub-state machine (banner, play, score screen)
//   9. the sky, the editor's light, the debug lines
// and afterwards game triggers, the physics step, animations and the camera.
#pragma once

#include "core/CFiniteStateMachine.h"
#include "core/IGameState.h"
#include "game/fx/SkyDome.h"

#include <array>
#include <cstdint>
#include <list>
#include <memory>
#include <string>
#include <vector>

namespace Vesk {
class CDisplayObject2D;
class CTransformNode;
} // namespace Vesk

namespace Game {

class CEntity;
class CGUIListener;
class CSpriteText;
class CWaveHud;

class CPlayState : public Vesk::IGameState {
public:
    // A score text flying off the screen after the score screen, in screen fractions per second.
    struct FlyingText {
        CSpriteText* text = nullptr;
        float speedX = 0.0f;
        float speedY = 0.0f;
    };
    // The score screen's rows: score, kills, damage taken, deaths, max combo, final score.
    enum ScoreRow { RowScore, RowKills, RowDamage, RowDeaths, RowCombo, RowFinal, kScoreRows };

    CPlayState(std::string name, int level);
    ~CPlayState() override;

    void Init() override;
    void Cleanup() override;
    void Enter() override;
    void Exit() override;
    void Pause() override;
    void Resume() override;
    void Update(float dt) override;

    int GetLevel() const { return m_Level; }
    // The file the level number names under "assets/levels/" (1 to 3); empty for other numbers.
    static std::string LevelFileFor(int level);
    // What Enter loads: nothing (the empty level) after the editor's New, else the level
    // manager's next-level path when one is set, else the file of the level number.
    std::string GetLevelPath() const;

    // prefix + value + suffix into the text; the value in decimal, as given, or in the stream's
    // default float format. A null text is ignored.
    static void SetLabelNumber(CSpriteText* text, int value, const std::string& prefix, const std::string& suffix);
    static void SetLabelCString(CSpriteText* text, const char* body, const std::string& prefix,
                                const std::string& suffix);
    static void SetLabelText(CSpriteText* text, const std::string& body, const std::string& prefix,
                             const std::string& suffix);
    static void SetLabelFloat(CSpriteText* text, float value, const std::string& prefix, const std::string& suffix);

    // The final score as the score screen shows it and the highscore table compares it: the game
    // master's score of the player, a negative total counting as 0; 0 without a player.
    static uint32_t FinalScore(CEntity* player);

    // Sub-state callbacks.
    void StartEnter();
    void StartUpdate(float dt);
    void StartExit();
    void RunningEnter();
    void RunningUpdate(float dt);
    void EndgameEnter();
    void UpdateScoreScreen(float dt);
    void EndgameExit();
    void EndedEnter();
    void EndedUpdate(float dt);
    bool IsRunning();
    bool IsLevelCleared();
    bool IsPlayOver();
    bool IsPhaseReset();

    // For tests and tools.
    const Vesk::CFiniteStateMachine<CPlayState>* GetSubStates() const { return m_pSubStates.get(); }
    // The name of the current sub-state; empty outside Enter and Exit.
    // Where the waves' banner and text show while the play runs.
    CWaveHud* GetWaveHud() const { return m_pWaveHud.get(); }
    std::string GetSubStateName() const;
    const std::vector<Vesk::CDisplayObject2D*>& GetScreenElements() const { return m_ScreenElements; }
    CSpriteText* GetWaveText() const { return m_pWaveText.get(); }
    CSpriteText* GetValueText(int row) const;
    CSpriteText* GetLabelText(int row) const;
    // The points texts of the rows damage taken, deaths and max combo; null for other rows.
    CSpriteText* GetPointsText(int row) const;
    Vesk::CTransformNode* GetSkyTransform() const { return m_Sky.GetTransform(); }
    int GetScorePhase() const { return m_ScorePhase; }
    float GetTimer() const { return m_Timer; }
    static const std::list<FlyingText>& GetFlyingTexts() { return s_FlyingTexts; }
    static float GetSkyAngle() { return s_SkyAngle; }

private:
    void CreateScoreTexts();
    void DestroyTexts();
    void BuildSubStates();
    void UpdateWaveText();
    void UpdateFlyingTexts(float dt);
    void UpdateSky(float dt);
    void UpdateDebugLines() const;

    // Sub-state helpers.
    Vesk::CDisplayObject2D* Banner() const;
    // The screen element counted from the end (1: the last); null when the screen is shorter.
    Vesk::CDisplayObject2D* FromLast(size_t n) const;
    // The player's HUD, the wave HUD, the wave element and the wave text shown or hidden.
    void ShowPlayHud(bool visible);
    void LayOutScoreTexts();
    // One row revealed: its label and value shown, and the "score_impact" sound.
    void RevealRow(int row, const char* label);
    // The points text of the row, shown: count x points per unit (the score's weight, negative
    // for a penalty) with its sign, "-0" for a penalty of nothing, and " pts".
    void ShowRowPoints(int row, int count, int pointsPerUnit);
    bool ConfirmPressed() const;
    bool PauseRequested() const;

    std::unique_ptr<CGUIListener> m_pListener;
    std::unique_ptr<CWaveHud> m_pWaveHud;
    std::unique_ptr<Vesk::CFiniteStateMachine<CPlayState>> m_pSubStates;
    std::vector<Vesk::CDisplayObject2D*> m_ScreenElements;
    std::vector<int> m_ScreenLayers;
    SkyDome m_Sky;
    float m_Timer = 0.0f;
    int m_IntroPhase = 0;
    float m_BannerScaleY = 0.0f;
    float m_BannerScaleX = 1.0f;
    std::unique_ptr<CSpriteText> m_pWaveText;
    Vesk::CDisplayObject2D* m_pWaveElement = nullptr;
    int m_ScorePhase = 0;
    std::array<std::unique_ptr<CSpriteText>, kScoreRows> m_ValueTexts;
    std::array<std::unique_ptr<CSpriteText>, kScoreRows> m_LabelTexts;
    // Damage taken, deaths, max combo.
    std::array<std::unique_ptr<CSpriteText>, 3> m_PointsTexts;
    int m_Level;

    static std::list<FlyingText> s_FlyingTexts;
    static float s_SkyAngle;
};

} // namespace Game
