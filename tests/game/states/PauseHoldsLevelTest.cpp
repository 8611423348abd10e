// The level stands still under the pause: level 1 played on the game manager's own frames until
// its first wave is under way, then paused for five seconds with Escape. Nothing moves, is hurt,
// spawns or goes in that time; after Escape again the level goes on from where it stood.
#include "OverlayScreensFixture.h"

#include "game/combat/CAttackPool.h"
#include "game/entities/CCharacter.h"
#include "game/entities/CEntityFactory.h"
#include "game/states/CPauseState.h"
#include "game/states/CPlayState.h"
#include "game/world/CWaveManager.h"
#include "platform/pad/Pad.h"
#include "platform/win/VirtualKeys.h"

#include <map>
#include <tuple>

namespace {

using overlaytest::OverlayScreensFixture;

// What the level holds: each entity by name with its position and, for characters, health and
// life state; and the live attacks.
struct LevelPicture {
    std::map<std::string, std::tuple<float, float, float, int, int>> entities;
    size_t attacks = 0;
    int remainingEnemies = 0;

    static LevelPicture Take()
    {
        LevelPicture picture;
        for (const auto& [name, entity] : Game::CEntityFactory::GetInstance().GetLiveEntities()) {
            const CVector3D at = entity->GetPosition();
            const auto* character = dynamic_cast<const Game::CCharacter*>(entity);
            picture.entities[name] = {at.x, at.y, at.z, character ? character->m_Health : 0,
                                      character ? character->m_LifeState : 0};
        }
        picture.attacks = Game::CAttackPool::GetInstance().GetActiveAttacks().size();
        picture.remainingEnemies = Game::CWaveManager::GetInstance().GetRemainingEnemies();
        return picture;
    }

    // Enemies that are up and about (not the player, not dormant).
    static int AwakeEnemies()
    {
        int count = 0;
        for (const auto& [name, entity] : Game::CEntityFactory::GetInstance().GetLiveEntities()) {
            const auto* character = dynamic_cast<const Game::CCharacter*>(entity);
            count += character && name != "player" && !character->IsDormant();
        }
        return count;
    }

    bool operator==(const LevelPicture& other) const
    {
        return entities == other.entities && attacks == other.attacks && remainingEnemies == other.remainingEnemies;
    }
};

class PauseHoldsLevelTest : public OverlayScreensFixture {
protected:
    // Level 1 pushed and played until its banner has gone.
    Game::CPlayState* PlayLevelOne()
    {
        auto* play = new Game::CPlayState("CPlayState", 1);
        Manager().PushState(play);
        for (int frames = 0; play->GetSubStateName() != "running" && frames < 60 * 10; ++frames)
            Frame();
        EXPECT_EQ("running", play->GetSubStateName());
        return play;
    }
};

// A state named as the level editor, laid over play as the editor is.
class EditorStandIn : public Vesk::IGameState {
public:
    EditorStandIn() : IGameState("LevelEditorState") {}
    void Update(float) override {}
    bool HoldsWorldStill() const override { return true; }
};

TEST_F(PauseHoldsLevelTest, FiveSecondsOfPauseInTheMiddleOfAWaveChangeNothingAndPlayGoesOnAfter)
{
    Game::CPlayState* play = PlayLevelOne();
    // The first wave's enemies coming in.
    int frames = 0;
    while (LevelPicture::AwakeEnemies() < 2 && frames < 60 * 30) {
        Frame();
        ++frames;
    }
    ASSERT_GE(LevelPicture::AwakeEnemies(), 2) << "the wave is under way";
    for (int i = 0; i < 30; ++i)
        Frame();
    ASSERT_FALSE(Game::CWaveManager::GetInstance().AreAllWavesCleared());

    TapKeys({win::VK_ESCAPE});
    ASSERT_EQ("CPauseState", TopName());
    const LevelPicture paused = LevelPicture::Take();
    for (int i = 0; i < 5 * 60; ++i)
        Frame();
    ASSERT_EQ("CPauseState", TopName());
    const LevelPicture after = LevelPicture::Take();
    EXPECT_EQ(paused.entities.size(), after.entities.size()) << "nothing spawned or went";
    for (const auto& [name, state] : paused.entities) {
        const auto found = after.entities.find(name);
        ASSERT_NE(after.entities.end(), found) << name;
        EXPECT_EQ(state, found->second) << name << " moved or changed under the pause";
    }
    EXPECT_EQ(paused.attacks, after.attacks);
    EXPECT_EQ(paused.remainingEnemies, after.remainingEnemies);

    // Resumed: the first frames start from the picture the pause kept, and the level moves on.
    TapKeys({win::VK_ESCAPE});
    ASSERT_EQ(play, Top());
    EXPECT_TRUE(LevelPicture::Take() == paused) << "the level is where the pause found it";
    EXPECT_NE(nullptr, Game::CGuiManager::GetInstance().FindElement(0, "wavebg"))
        << "the level's screen is still found by name once the pause's is gone";
    bool moved = false;
    for (int i = 0; i < 60 && !moved; ++i) {
        Frame();
        moved = !(LevelPicture::Take() == paused);
    }
    EXPECT_TRUE(moved) << "the level goes on once the pause is gone";
}

TEST_F(PauseHoldsLevelTest, UnderTheLevelEditorThePadDoesNotOpenThePause)
{
    PlayLevelOne();
    Manager().PushState(new EditorStandIn());
    Frame();
    TapPad(pad::BUTTON_START);
    TapPad(pad::BUTTON_Y);
    EXPECT_EQ("LevelEditorState", TopName());
    EXPECT_EQ(2u, Manager().GetStateCount());
    Manager().PopState();
    Frame();
    TapPad(pad::BUTTON_START);
    EXPECT_EQ("CPauseState", TopName()) << "on top again, play pauses on START";
}

} // namespace
