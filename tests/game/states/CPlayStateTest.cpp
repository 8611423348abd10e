// The play state on the headless game with a copy of the project's assets: which level file it
// loads, what Enter shows before the first frame, that Exit leaves no game singleton alive (also
// with grouped enemies, a death move under way and a 3D sprite), the wave text, and light 0
// following the camera while the level editor lies on top.
#include "../gui/GuiScreenFixture.h"

#include "frame/CGameManager.h"
#include "game/base/CSlotHash.h"
#include "game/base/GameEnums.h"
#include "game/cameras/CSideScrollCamera.h"
#include "game/cameras/GameCameras.h"
#include "game/combat/CAttackPool.h"
#include "game/controllers/CControllerManager.h"
#include "game/controllers/CGamePrefabSettings.h"
#include "game/controllers/ISharedCharacterController.h"
#include "game/entities/CCharacter.h"
#include "game/entities/CEntityFactory.h"
#include "game/fx/CSprite3DManager.h"
#include "game/gui/CGuiManager.h"
#include "game/gui/CHighscoreRecord.h"
#include "game/gui/CSpriteText.h"
#include "game/gui/CUIDisplay2D.h"
#include "game/gui/CWaveHud.h"
#include "game/moves/CMoveQueue.h"
#include "game/moves/ExtraFunction.h"
#include "game/skills/CGlobalSkillList.h"
#include "game/states/CHighscoreInputState.h"
#include "game/states/GameStates.h"
#include "game/voxel/CubeMeshCache.h"
#include "game/voxel/CubeRenderer.h"
#include "game/world/CGameMaster.h"
#include "game/world/CLevelManager.h"
#include "game/world/CWaveManager.h"
#include "game/world/GameLifetime.h"
#include "game/world/GameStartup.h"
#include "game/world/TypeRegistration.h"
#include "physics/CRigidBody.h"
#include "platform/pad/Pad.h"
#include "platform/win/VirtualKeys.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "scene/CSceneGraph.h"
#include "scene/CSceneNodes.h"
#include "ui2d/CDisplayObject2D.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <typeinfo>

namespace {

using Game::CPlayState;

class CountingExtra : public Game::ExtraFunction {
public:
    void Run() override { ++m_Runs; }
    int m_Runs = 0;
};

// A state named as the level editor, pushed over the play state, looking through an editor
// camera as the editor does. Updated before the state below, it notes where the camera is when
// the play state runs.
class EditorCover : public Vesk::IGameState {
public:
    EditorCover() : IGameState("LevelEditorState") {}
    void Enter() override
    {
        Vesk::CCameraManager::GetInstance().CreateCamera<Game::CLevelEditorCamera>("editorcamera", false);
        Vesk::CCameraManager::GetInstance().SetCurrentCamera("editorcamera", false);
    }
    void Exit() override { Vesk::CCameraManager::GetInstance().SetCurrentCamera("sidescrolling", true); }
    void Update(float) override { m_Eye = Vesk::CCameraManager::GetInstance().GetCurrentCamera()->GetEye(); }
    CVector3D m_Eye;
};

class CPlayStateTest : public guitest::GuiScreenFixture {
protected:
    void SetUp() override
    {
        GuiScreenFixture::SetUp();
        ASSERT_TRUE(Game::GameManagerTable().Start());
        Levels().SetLevelFileName("");
    }

    void TearDown() override
    {
        while (GameManager().GetStateCount() > 0) {
            GameManager().PopState();
            Frame();
        }
        GuiScreenFixture::TearDown();
    }

    static Vesk::CGameManager& GameManager() { return Vesk::CGameManager::GetInstance(); }
    static Game::CLevelManager& Levels() { return Game::CLevelManager::GetInstance(); }

    // Pushed on the empty stack, the state is entered at once.
    CPlayState* Play(int level)
    {
        auto* play = new CPlayState("CPlayState", level);
        GameManager().PushState(play);
        EXPECT_EQ(play, GameManager().GetCurrentState());
        return play;
    }

    // Frames until the sub-state has the name, at most the seconds given; the seconds it took.
    float RunUntilSubState(const CPlayState& play, const std::string& name, float most)
    {
        float seconds = 0.0f;
        while (play.GetSubStateName() != name && seconds < most) {
            Frame();
            seconds += kFrame;
        }
        EXPECT_EQ(name, play.GetSubStateName());
        return seconds;
    }

    static bool Shows(const Game::CSpriteText* text)
    {
        return text && text->GetCharacter(0) && text->GetCharacter(0)->IsVisible();
    }

    static constexpr float kFrame = 1.0f / 60.0f;

    // Exit runs in the frame's requests.
    void Leave()
    {
        GameManager().PopState();
        Frame();
        ASSERT_EQ(0u, GameManager().GetStateCount());
    }

    // What must be gone once a play has exited.
    static void ExpectNothingLeft()
    {
        EXPECT_TRUE(Game::CEntityFactory::GetInstance().GetLiveEntities().empty());
        Game::CControllerManager& controllers = Game::CControllerManager::GetInstance();
        EXPECT_TRUE(controllers.GetControllers().empty());
        EXPECT_EQ(nullptr, controllers.GetSharedController("globalcollisionavoidance"));
        EXPECT_EQ(nullptr, controllers.GetSharedController("globalattackflock"));
        EXPECT_TRUE(Game::CSprite3DManager::GetInstance().GetSprites().empty());
        EXPECT_TRUE(Game::CAttackPool::GetInstance().GetActiveAttacks().empty());
        EXPECT_EQ(0u, Game::CGlobalSkillList::GetInstance().GetSkillNodeCount());
        EXPECT_EQ(nullptr, Game::CWaveManager::GetInstance().GetGlobalTrigger());
        EXPECT_EQ(nullptr, Game::CGuiManager::GetInstance().FindElement(0, "wave_number"));
        EXPECT_EQ(nullptr, Game::CLevelManager::GetInstance().GetTerrain());
        EXPECT_TRUE(CPlayState::GetFlyingTexts().empty());
    }
};

TEST(CPlayStateLevelTest, TheNextLevelPathWinsElseTheLevelNumberNamesTheFile)
{
    const struct {
        int level;
        const char* next;
        const char* path;
    } cases[] = {
        {1, "", "assets/levels/arena2.xml"},
        {2, "", "assets/levels/emeraldroom.xml"},
        {3, "", "assets/levels/purpleroom.xml"},
        {0, "", ""},
        {4, "", ""},
        {-1, "", ""},
        {2, "assets/levels/mine.xml", "assets/levels/mine.xml"},
    };
    Game::CLevelManager& levels = Game::CLevelManager::GetInstance();
    const std::string kept = levels.GetLevelFileName();
    for (const auto& c : cases) {
        levels.SetLevelFileName(c.next);
        EXPECT_EQ(c.path, CPlayState("CPlayState", c.level).GetLevelPath()) << c.level << " " << c.next;
    }
    levels.SetLevelFileName(kept);
}

TEST_F(CPlayStateTest, EnterLoadsTheLevelAndOpensTheBannerBeforeTheFirstFrame)
{
    CPlayState* play = Play(1);
    EXPECT_EQ("arena2", Levels().GetLevelName());
    EXPECT_NE(nullptr, Levels().GetTerrain());
    EXPECT_EQ("start", play->GetSubStateName());
    ASSERT_FALSE(play->GetScreenElements().empty());
    const Vesk::CDisplayObject2D* banner = play->GetScreenElements().front();
    EXPECT_TRUE(banner->IsVisible());
    EXPECT_EQ(0.0f, banner->GetScale().y);
    // Apart from the wave box, only the player's HUD shows: the player put it up on arriving.
    const std::set<std::string> shown = {"wave_number",           "P1HealthBarFrame",   "P1HealthBarCurrent",
                                         "P1HealthBarCurrentRed", "P1HealthBarBacking", "SkullCounter",
                                         "powerslot_blank",       "powerslot_active"};
    for (size_t i = 1; i < play->GetScreenElements().size(); ++i) {
        const Vesk::CDisplayObject2D* element = play->GetScreenElements()[i];
        EXPECT_EQ(shown.count(element->GetName()) != 0, element->IsVisible()) << element->GetName();
    }
    for (int row = 0; row < CPlayState::kScoreRows; ++row) {
        ASSERT_NE(nullptr, play->GetValueText(row));
        EXPECT_FALSE(play->GetValueText(row)->GetCharacter(0) && play->GetValueText(row)->GetCharacter(0)->IsVisible());
    }
    EXPECT_EQ("sidescrolling", Vesk::CCameraManager::GetInstance().GetCurrentCamera()->GetName());
    ASSERT_NE(nullptr, play->GetSkyTransform());
    EXPECT_EQ(Vesk::CSceneGraph::GetInstance().GetRoot(), play->GetSkyTransform()->GetParent());
}

TEST_F(CPlayStateTest, TheWaveTextShowsOneLessThanTheWaveNumberBesideItsElement)
{
    CPlayState* play = Play(1);
    Frame();
    ASSERT_NE(nullptr, play->GetWaveText());
    const Game::CWaveManager& waves = Game::CWaveManager::GetInstance();
    EXPECT_EQ(std::to_string(waves.GetWaveNumber() - 1), play->GetWaveText()->GetText());
    const Vesk::CDisplayObject2D* element = Game::CGuiManager::GetInstance().FindElement(0, "wave_number");
    ASSERT_NE(nullptr, element);
    EXPECT_FLOAT_EQ(element->GetPosition().x, play->GetWaveText()->GetX());
    EXPECT_FLOAT_EQ(element->GetPosition().y - 0.01f, play->GetWaveText()->GetY());
}

TEST_F(CPlayStateTest, RepeatedPlaysLeaveNothingBehindAndKeepOneLight)
{
    Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    const int lights = std::max(1, renderer.GetLightCount());
    for (int level : {1, 4}) {
        CPlayState* play = Play(level);
        EXPECT_EQ(lights, renderer.GetLightCount());
        EXPECT_NE(nullptr, play->GetValueText(CPlayState::RowFinal));
        if (level == 4) {
            EXPECT_EQ("", Levels().GetLevelName()) << "a number without a level loads the empty level";
        }
        Frame();
        Leave();
        ExpectNothingLeft();
    }
    EXPECT_EQ(lights, renderer.GetLightCount());
}

TEST_F(CPlayStateTest, ExitWithGroupedEnemiesADeathUnderWayAndASpriteFreesEachOnce)
{
    Play(1);
    Game::CEntityFactory& factory = Game::CEntityFactory::GetInstance();
    const Game::EntitySetting setting =
        Game::CGamePrefabSettings::GetInstance().GetEntitySetting(Game::GENERIC_CHARACTER, "koboldminion");
    Game::CControllerManager& controllers = Game::CControllerManager::GetInstance();
    Game::ISharedCharacterController* avoidance = controllers.GetSharedController("globalcollisionavoidance");
    Game::ISharedCharacterController* flock = controllers.GetSharedController("globalattackflock");
    ASSERT_NE(nullptr, avoidance);
    ASSERT_NE(nullptr, flock);
    CountingExtra extra;
    for (int i = 0; i < 3; ++i) {
        auto* enemy = dynamic_cast<Game::CCharacter*>(
            factory.CreateEntity(Game::GENERIC_CHARACTER, "enemy" + std::to_string(i), setting));
        ASSERT_NE(nullptr, enemy);
        enemy->SetPosition(CVector3D(100.0f + 10.0f * float(i), 20.0f, 48.0f));
        if (i == 2) {
            // The death move takes the character out of its groups at once; it is still running.
            ASSERT_NE(nullptr, enemy->GetMoveQueue().PushMove(enemy, Game::CMoveQueue::MOVE_DEATH, 5.0f, &extra));
        } else {
            enemy->JoinSharedController(avoidance);
            enemy->JoinSharedController(flock);
            EXPECT_TRUE(avoidance->IsMember(enemy));
        }
    }
    ASSERT_NE(nullptr, Game::CSprite3DManager::GetInstance().CreateSprite("tombstone"));
    Frame();
    Leave();
    ExpectNothingLeft();
    EXPECT_EQ(0, extra.m_Runs) << "a death cut short by the exit runs no callback";
}

TEST_F(CPlayStateTest, UnderTheLevelEditorLightZeroFollowsTheCamera)
{
    Play(1);
    Frame();
    Vesk::CLight* light = Vesk::CRenderer::GetInstance().GetLight(0);
    ASSERT_NE(nullptr, light);
    auto* editor = new EditorCover;
    GameManager().PushState(editor);
    Frame();
    for (const CVector3D& eye : {CVector3D(12.0f, 34.0f, -56.0f), CVector3D(-7.0f, 3.0f, 90.0f)}) {
        Vesk::CCameraManager::GetInstance().GetCurrentCamera()->SetEye(eye);
        Frame();
        EXPECT_EQ(editor->m_Eye.x, light->m_Position[0]);
        EXPECT_EQ(editor->m_Eye.y, light->m_Position[1]);
        EXPECT_EQ(editor->m_Eye.z, light->m_Position[2]);
    }
    GameManager().PopState();
    Frame();
}

TEST_F(CPlayStateTest, TheBannerOpensHoldsAndClosesBeforeTheWavesAreReleased)
{
    CPlayState* play = Play(1);
    const Vesk::CDisplayObject2D* banner = play->GetScreenElements().front();
    Game::CWaveManager& waves = Game::CWaveManager::GetInstance();
    Game::CGameMaster& master = Game::CGameMaster::GetInstance();
    float seconds = 0.0f, opened = -1.0f, widest = 0.0f;
    while (play->GetSubStateName() == "start" && seconds < 5.0f) {
        ASSERT_TRUE(waves.IsOnHold());
        ASSERT_EQ(Game::PHASE_LEVEL_START, master.GetPhase());
        Frame();
        seconds += kFrame;
        if (opened < 0.0f && banner->GetScale().y >= 1.0f)
            opened = seconds;
        widest = std::max(widest, banner->GetScale().x);
    }
    // Open at 5 a second (0.2 s), hold 1.75 s, close at 7.5 a second (about 0.13 s); each phase
    // change takes a frame, and "running" is entered in the frame after.
    EXPECT_NEAR(0.2f, opened, 2.5f * kFrame);
    EXPECT_NEAR(0.2f + 1.75f + 0.13f + 4.0f * kFrame, seconds, 4.0f * kFrame);
    Frame();
    EXPECT_GT(widest, 2.5f) << "the banner widens at 15 a second while it closes";
    EXPECT_EQ("running", play->GetSubStateName());
    EXPECT_FALSE(waves.IsOnHold());
    EXPECT_EQ(Game::PHASE_RUNNING, master.GetPhase());
    EXPECT_FALSE(banner->IsVisible());
    EXPECT_EQ(1.0f, banner->GetScale().y);

    // Then the first wave's banner slides across its background.
    const Vesk::CDisplayObject2D* background = Game::CGuiManager::GetInstance().FindElement(0, "wavebg");
    ASSERT_NE(nullptr, background);
    ASSERT_NE(nullptr, play->GetWaveHud());
    bool shown = false;
    for (int i = 0; i < 600 && !shown; ++i) {
        Frame();
        shown = background->IsVisible() && Shows(play->GetWaveHud()->GetBannerText());
    }
    EXPECT_TRUE(shown);
    EXPECT_NE(std::string::npos, play->GetWaveHud()->GetBannerText()->GetText().find("WAVE 1"));
}

TEST_F(CPlayStateTest, EscapeDuringTheBannerDoesNotPauseLaterButEscapeStartOrYInPlayDo)
{
    CPlayState* play = Play(1);
    TapKeys({win::VK_ESCAPE});
    RunUntilSubState(*play, "running", 5.0f);
    for (int i = 0; i < 5; ++i)
        Frame();
    EXPECT_EQ(play, GameManager().GetCurrentState());
    EXPECT_TRUE(Shows(play->GetWaveText()));

    const std::pair<const char*, std::function<void()>> inputs[] = {
        {"Escape", [this] { TapKeys({win::VK_ESCAPE}); }},
        {"pad START", [this] { TapPad(pad::BUTTON_START); }},
        {"pad Y", [this] { TapPad(pad::BUTTON_Y); }},
    };
    for (const auto& [input, tap] : inputs) {
        tap();
        ASSERT_EQ(2u, GameManager().GetStateCount()) << input;
        EXPECT_EQ(typeid(Game::CPauseState), typeid(*GameManager().GetCurrentState()));
        EXPECT_EQ("CPauseState", GameManager().GetCurrentState()->GetName());
        EXPECT_FALSE(Shows(play->GetWaveText())) << input;
        EXPECT_TRUE(Game::CWaveManager::GetInstance().IsHudHidden()) << input;

        GameManager().PopState();
        Frame();
        Frame();
        EXPECT_TRUE(Shows(play->GetWaveText())) << input;
        EXPECT_FALSE(Game::CWaveManager::GetInstance().IsHudHidden()) << input;
    }
}

TEST_F(CPlayStateTest, TheScoreScreenReadsTheStatisticsOutAndTheFinalScoreChoosesTheNextState)
{
    // A level with a player and no waves: it is cleared as soon as the banner has gone.
    testsupport::WriteFile(m_Dir.File("assets/levels/tiny.xml"),
                           "<Level><properties levelname=\"tiny\"/><entity name=\"player\" type=\"GENERIC_CHARACTER\""
                           " entitysettingprefabname=\"player\" posX=\"80\" posY=\"10\" posZ=\"48\" dirX=\"1\""
                           " dirY=\"0\" dirZ=\"0\"/></Level>");
    // The lowest score the table keeps for the level (none when 0), and whether the final score
    // opens the name entry: only a score above it does.
    const struct {
        int points, damage, deaths, combo;
        const char *damagePoints, *deathPoints, *comboPoints, *finalScore;
        uint32_t lowestKept;
        bool highscore;
    } cases[] = {
        // 500 + 23 x 4 - 120 x 3 - 31 x 10 = -78: a negative total counts as 0, above nothing.
        {500, 10, 3, 4, "-310 pts", "-360 pts", "+92 pts", "0", 0, false},
        {1000, 0, 0, 0, "-0 pts", "-0 pts", "+0 pts", "1000", 1000, false},
        // 2000 + 23 x 7 - 120 x 2 - 31 x 9 = 1642.
        {2000, 9, 2, 7, "-279 pts", "-240 pts", "+161 pts", "1642", 1641, true},
    };
    Game::CGameMaster& master = Game::CGameMaster::GetInstance();
    for (const auto& c : cases) {
        SCOPED_TRACE(c.finalScore);
        std::string table;
        if (c.lowestKept > 0) {
            table.assign(516, '\0');
            table.replace(0, 4, "tiny");
            for (int i = 0; i < 4; ++i)
                table[512 + i] = static_cast<char>((c.lowestKept >> (8 * i)) & 0xFF);
        }
        testsupport::WriteFile(m_Dir.File("assets/highscore.dat"), table);
        Game::CHighscoreRecord::GetInstance().Shutdown();
        Levels().SetLevelFileName("assets/levels/tiny.xml");
        CPlayState* play = Play(1);
        Game::CEntity* player = Game::CEntityFactory::GetInstance().GetEntityByName("player");
        ASSERT_NE(nullptr, player);
        // The level has no ground: the player is held where it stands.
        ASSERT_NE(nullptr, player->GetBody());
        player->GetBody()->SetBodyType(Vesk::BODY_STATIC);
        master.AddPlayer(player);
        master.AddPoints(player, c.points / 2);
        master.AddDamageTaken(player, c.damage);
        master.AddDeath(player, c.deaths);
        for (int i = 0; i < c.combo; ++i)
            master.AddComboHit(player);
        ASSERT_EQ(c.points, master.GetPlayerStats(player).m_Points);

        RunUntilSubState(*play, "endgame", 5.0f);
        float seconds = 0.0f;
        while (play->GetScorePhase() <= 7 && seconds < 10.0f) {
            if (seconds >= 7.5f && seconds < 7.5f + kFrame) {
                TapKeys({win::VK_RETURN});
                seconds += 2.0f * kFrame;
                EXPECT_EQ("endgame", play->GetSubStateName()) << "no confirmation before the last row";
                continue;
            }
            Frame();
            seconds += kFrame;
        }
        EXPECT_NEAR(2.5f + 1.8f + 6.0f * 0.6f, seconds, 10.0f * kFrame);
        const std::pair<int, const char*> rows[] = {
            {CPlayState::RowScore, "SCORE:"},         {CPlayState::RowKills, "KILLS:"},
            {CPlayState::RowDamage, "DAMAGE TAKEN:"}, {CPlayState::RowDeaths, "DEATHS:"},
            {CPlayState::RowCombo, "MAX COMBO:"},     {CPlayState::RowFinal, "FINAL SCORE:"},
        };
        for (const auto& [row, label] : rows) {
            EXPECT_EQ(label, play->GetLabelText(row)->GetText());
            EXPECT_TRUE(Shows(play->GetLabelText(row))) << label;
        }
        EXPECT_EQ(std::to_string(c.points), play->GetValueText(CPlayState::RowScore)->GetText());
        EXPECT_EQ(std::to_string(c.damage), play->GetValueText(CPlayState::RowDamage)->GetText());
        EXPECT_EQ(std::to_string(c.deaths), play->GetValueText(CPlayState::RowDeaths)->GetText());
        EXPECT_EQ(std::to_string(c.combo), play->GetValueText(CPlayState::RowCombo)->GetText());
        EXPECT_EQ(c.damagePoints, play->GetPointsText(CPlayState::RowDamage)->GetText());
        EXPECT_EQ(c.deathPoints, play->GetPointsText(CPlayState::RowDeaths)->GetText());
        EXPECT_EQ(c.comboPoints, play->GetPointsText(CPlayState::RowCombo)->GetText());
        EXPECT_EQ(c.finalScore, play->GetValueText(CPlayState::RowFinal)->GetText());
        // The rows add up to the final score, and that is the score the player keeps.
        long sum = std::stol(play->GetValueText(CPlayState::RowScore)->GetText());
        for (int row : {CPlayState::RowDamage, CPlayState::RowDeaths, CPlayState::RowCombo})
            sum += std::stol(play->GetPointsText(row)->GetText());
        EXPECT_EQ(std::to_string(std::max(0l, sum)), play->GetValueText(CPlayState::RowFinal)->GetText());
        EXPECT_EQ(long(CPlayState::FinalScore(player)), std::max(0l, sum));

        TapKeys({win::VK_RETURN});
        Frame();
        EXPECT_EQ("ended", play->GetSubStateName());
        ASSERT_EQ(15u, CPlayState::GetFlyingTexts().size());
        const float valueX = play->GetValueText(CPlayState::RowScore)->GetX();
        const float labelX = play->GetLabelText(CPlayState::RowScore)->GetX();
        Frame();
        EXPECT_NEAR(valueX - 2.0f * kFrame, play->GetValueText(CPlayState::RowScore)->GetX(), 1e-4f);
        EXPECT_NEAR(labelX + 2.0f * kFrame, play->GetLabelText(CPlayState::RowScore)->GetX(), 1e-4f);

        for (int i = 0; i < 90 && GameManager().GetStateCount() == 1; ++i)
            Frame();
        ASSERT_EQ(2u, GameManager().GetStateCount());
        Vesk::IGameState* next = GameManager().GetCurrentState();
        if (c.highscore) {
            const auto* input = dynamic_cast<Game::CHighscoreInputState*>(next);
            ASSERT_NE(nullptr, input);
            EXPECT_EQ(std::to_string(input->GetScore()), c.finalScore);
            EXPECT_EQ("tiny", input->GetLevelName());
        } else {
            const auto* transit = dynamic_cast<Game::CTransitInState*>(next);
            ASSERT_NE(nullptr, transit);
            EXPECT_EQ("TransitInState", transit->GetName());
            ASSERT_NE(nullptr, transit->GetNextState());
            EXPECT_EQ(typeid(Game::CMenuState), typeid(*transit->GetNextState()));
            EXPECT_EQ("MenuState", transit->GetNextState()->GetName());
        }
        EXPECT_EQ("start", play->GetSubStateName());
        while (GameManager().GetStateCount() > 0) {
            GameManager().PopState();
            Frame();
        }
        ExpectNothingLeft();
    }
}

} // namespace
