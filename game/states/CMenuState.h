// CMenuState ("MenuState"): the title page and main menu over a small voxel scene (windmill,
// island, swordsman and the title) under the turning sky, seen through the menu camera. The
// title page waits for any key, click or pad button; the camera then flies its title path and
// the vertical menu of "menu.xml" appears. Created with a start level (1 to 3) it shows no
// title: the camera flies the level path and starts that level through a transition.
// Owns its scene sprites (made in Init, removed in Cleanup) and its any-key listener.
#pragma once

#include "audio/CSoundChannel.h"
#include "game/fx/SkyDome.h"
#include "game/gui/CGuiScreenState.h"
#include "input/IKeyboardListener.h"

#include <memory>
#include <string>

namespace Vesk {
class CDisplayObject2D;
}

namespace Game {

class CMenuCamera;
class CSprite3D;

// Remembers that any key was let go since it was made.
class CKeyListener : public Vesk::IKeyboardListener {
public:
    void OnKeyDown(const Vesk::KeyEvent&) override {}
    void OnKeyUp(const Vesk::KeyEvent&) override { m_KeyReleased = true; }
    bool WasKeyReleased() const { return m_KeyReleased; }

private:
    bool m_KeyReleased = false;
};

class CMenuState : public CGuiScreenState {
public:
    static constexpr float kSkyDegreesPerSecond = 5.0f;
    static constexpr float kMusicVolume = 0.5f;

    // startLevel 0: title page and menu; 1 to 3: start that level at once.
    CMenuState(const std::string& name, int startLevel);
    ~CMenuState() override;

    // The highscores, the sound list, the cursor, the scene sprites, the camera's waypoints, the sky.
    void Init() override;
    // The scene sprites and the sky taken down.
    void Cleanup() override;
    void Enter() override;
    void Exit() override;
    void Update(float dt) override;
    // A screen over the menu page hides its buttons until the menu is on top again.
    void Pause() override;
    void Resume() override;
    // The title scene lives under its own menu: its models keep moving.
    bool HoldsWorldStill() const override { return false; }

    // The menu page: every element shown but the title objects, and the cursor.
    void ShowMenu();
    // Clicks made before the menu showed do not reach its buttons.
    void ResetButtonMouse();

    int GetLevel() const { return m_StartLevel; }
    bool IsMenuShown() const { return m_MenuShown; }
    bool IsLevelStartPending() const { return m_LevelStartPending; }
    static float GetSkyAngle() { return s_SkyAngle; }
    static bool TitleSoundPlayed() { return s_TitleSoundPlayed; }

private:
    static CMenuCamera* Camera();
    void CreateScene();
    void PlaceCamera();
    bool TitleLeft() const;
    void SetAllVisible(bool visible);
    void ShowTitleObjects(bool visible);
    void UpdateMusicAndSky(float dt);

    std::unique_ptr<CKeyListener> m_pKeyListener;
    Vesk::CDisplayObject2D* m_pPressTitle = nullptr;
    Vesk::CDisplayObject2D* m_pWhiteout = nullptr;
    Vesk::CDisplayObject2D* m_pBlackout = nullptr;
    CSprite3D* m_pWindmill = nullptr;
    CSprite3D* m_pIsland = nullptr;
    CSprite3D* m_pSwordman = nullptr;
    CSprite3D* m_pTitle = nullptr;
    SkyDome m_Sky;
    int m_StartLevel;
    bool m_MenuShown = false;
    // A level start is flying: the title page's inputs wait until it has begun the level.
    bool m_LevelStartPending = false;
    bool m_MusicRequested = false;

    // One set for the program's run: the sky keeps turning across visits and the title sound
    // plays once.
    static float s_SkyAngle;
    static bool s_TitleSoundPlayed;
    static Vesk::CSoundChannel s_TitleChannel;
};

} // namespace Game
