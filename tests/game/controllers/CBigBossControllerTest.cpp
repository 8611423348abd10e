// The boss on the real boss model, attacks and player: its attack cycle and the timings of each
// step, the follow that ends in reach or after its time, smashes that land on a still player
// whichever side he stands on, falling back to earth when it dies in the air, the piece-by-piece
// death that completes the level, the health bar, its companions (plain entities of its own, gone
// with it), and attack data, player or HUD that are missing.
#include "PlayerTestSupport.h"

#include "game/combat/AttackRecord.h"
#include "game/controllers/CBigBossController.h"
#include "game/gui/CGuiManager.h"
#include "game/world/CGameMaster.h"
#include "math/AABB.h"
#include "physics/CRigidBody.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"
#include "ui2d/CDisplayObject2D.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

using Game::CBigBossController;

namespace {

constexpr float kDt = 1.0f / 60.0f;
// Durations may differ by the frame a state change waits for, and one of rounding.
constexpr float kSlack = 2.0f * kDt + 1e-3f;
// A timer that reaches exactly 0 runs out one frame later: each smash may add a frame.
constexpr float kSmashSlack = kSlack + 3.0f * kDt;

const char* const kFind = "alive_findplayer";
const char* const kFollow = "alive_followtarget";
const char* const kSmash = "alive_smash";
const char* const kHighJump = "alive_highjump";
const char* const kDetect = "alive_jumpJumpSmashDetectdetect";
const char* const kJumpSmash = "alive_jumpsmash";
const char* const kRest = "alive_rest";
const char* const kDying = "death_dying";
const char* const kDead = "death_dead";

void ExpectGravity(const CVector3D& expected, const Game::CCharacter& boss, const std::string& what)
{
    const CVector3D gravity = boss.GetBody()->GetGravity();
    EXPECT_FLOAT_EQ(expected.x, gravity.x) << what;
    EXPECT_FLOAT_EQ(expected.y, gravity.y) << what;
    EXPECT_FLOAT_EQ(expected.z, gravity.z) << what;
}

class CBigBossControllerTest : public playertest::PlayerFixture {
protected:
    CBigBossControllerTest()
    {
        m_Models.insert(m_Models.end(), {"bigboss", "emo_tired", "targetmarking", "BigBossSmash", "dummy_explode"});
    }

    void SetUp() override
    {
        PlayerFixture::SetUp();
        AddSounds({"boss_smash", "crate_destroy", "boss_hurt", "boss_death", "hit_heavy"});
        SettleIn();
        // A player who takes no harm stays where it stands.
        m_Player->m_Invulnerable = true;
    }

    Game::CCharacter* MakeBoss(const CVector3D& at, const std::string& name = "bigboss")
    {
        Game::EntitySetting setting =
            Game::CGamePrefabSettings::GetInstance().GetEntitySetting(Game::GENERIC_CHARACTER, "bigboss");
        setting.m_StartPosition = at;
        auto* boss = dynamic_cast<Game::CCharacter*>(Make(Game::GENERIC_CHARACTER, name, setting));
        EXPECT_NE(nullptr, boss);
        EXPECT_NE(nullptr, boss ? BossOf(*boss) : nullptr);
        return boss;
    }

    static CBigBossController* BossOf(const Game::CCharacter& boss)
    {
        return dynamic_cast<CBigBossController*>(boss.GetController());
    }

    // One frame on the clock, noting the attacks that appeared.
    void Step()
    {
        const std::vector<std::string> spawned = Frame();
        m_Clock += kDt;
        for (const std::string& name : spawned)
            m_Spawned.emplace_back(name, m_Clock);
    }

    // Frames until the boss's state below the top is the named one; the seconds that took, or -1
    // when it did not happen within the limit.
    float RunUntil(const CBigBossController& boss, const std::string& state, float limit = 10.0f)
    {
        const float start = m_Clock;
        while (boss.GetStateName(1) != state) {
            if (m_Clock - start > limit)
                return -1.0f;
            Step();
        }
        return m_Clock - start;
    }

    // When the named attack appeared, from the given time on.
    std::vector<float> SpawnTimes(const std::string& name, float from) const
    {
        std::vector<float> times;
        for (const auto& [attack, time] : m_Spawned)
            if (attack == name && time >= from)
                times.push_back(time);
        return times;
    }

    CVector3D WorldGravity() const { return Vesk::CPhysicsSystem::GetInstance().GetGravity(); }

    float m_Clock = 0.0f;
    std::vector<std::pair<std::string, float>> m_Spawned;
};

TEST_F(CBigBossControllerTest, RunsItsWholeCycleOnAStationaryPlayer)
{
    Game::CCharacter* boss = MakeBoss(CVector3D(60.0f, 10.0f, 0.0f));
    ASSERT_NE(nullptr, boss);
    const CBigBossController& c = *BossOf(*boss);
    const CVector3D player = m_Player->GetPosition();

    ASSERT_GE(RunUntil(c, kFind), 0.0f);
    EXPECT_EQ("alivestate", c.GetStateName(0));
    ASSERT_GE(RunUntil(c, kFollow, 0.5f), 0.0f) << "the player is found at once";
    EXPECT_FLOAT_EQ(CBigBossController::kRunSpeed, boss->m_CurrentSpeed);

    // The boss stops 15 off the player, which is still out of reach of its centre: it follows
    // for the full time.
    EXPECT_NEAR(2.5f, RunUntil(c, kSmash), kSlack);
    EXPECT_FLOAT_EQ(CBigBossController::kWalkSpeed, boss->m_CurrentSpeed);
    EXPECT_NEAR(player.x + 15.0f, boss->GetPosition().x, 5.0f);

    const float smashStart = m_Clock;
    EXPECT_NEAR(3 * 0.75f, RunUntil(c, kHighJump), kSmashSlack);
    const std::vector<float> smashes = SpawnTimes("BossSmash", smashStart);
    ASSERT_EQ(3u, smashes.size()) << "three smashes, never more";
    EXPECT_NEAR(smashStart + 0.75f, smashes[0], kSlack);
    EXPECT_NEAR(0.75f, smashes[1] - smashes[0], kDt + 1e-3f);
    EXPECT_NEAR(0.75f, smashes[2] - smashes[1], kDt + 1e-3f);
    EXPECT_EQ(3, Plays("boss_smash"));
    EXPECT_TRUE(c.GetCompanion(CBigBossController::SMASH_MARKER)->IsVisible()) << "the last smash is marked";

    // The leap: straight up 65, weightless, charging.
    const CVector3D takeOff = boss->GetPosition();
    const float leap = RunUntil(c, kDetect);
    EXPECT_GT(leap, 0.5f);
    EXPECT_LT(leap, 1.0f);
    EXPECT_NEAR(takeOff.y + 65.0f, boss->GetPosition().y, 0.5f);
    EXPECT_NEAR(takeOff.x, boss->GetPosition().x, 0.5f);
    ExpectGravity(CVector3D(), *boss, "weightless after the leap");
    EXPECT_TRUE(boss->m_Charging);

    // Marking: 3.0 s hovering over the player's spot.
    EXPECT_NEAR(3.0f, RunUntil(c, kJumpSmash), kSlack);
    ExpectGravity(CVector3D(), *boss, "weightless through the marking");
    EXPECT_FALSE(c.GetCompanion(CBigBossController::SMASH_MARKER)->IsVisible()) << "the smash is over";
    const Game::CEntity* marking = c.GetCompanion(CBigBossController::TARGET_MARKING);
    const CVector3D spot = m_Player->GetPosition();
    EXPECT_TRUE(marking->IsVisible());
    EXPECT_NEAR(spot.x, marking->GetPosition().x, 1e-3f);
    EXPECT_NEAR(spot.z, marking->GetPosition().z, 1e-3f);

    // The drop takes as long as the jump smash lasts, and lands on the spot.
    EXPECT_NEAR(0.6f, c.GetFallLength(), 1e-6f);
    EXPECT_NEAR(0.6f, RunUntil(c, kRest), kSlack);
    ASSERT_EQ(1u, SpawnTimes("TreantJumpSmash", 0.0f).size());
    EXPECT_NEAR(spot.x, c.GetLandingPosition().x, 1e-3f);
    EXPECT_NEAR(spot.z, c.GetLandingPosition().z, 1e-3f);
    ExpectGravity(WorldGravity(), *boss, "weight back after landing");
    EXPECT_FALSE(boss->m_Charging);
    EXPECT_FALSE(marking->IsVisible());
    EXPECT_TRUE(c.GetCompanion(CBigBossController::EXPLOSION_DUMMY)->IsVisible());
    EXPECT_EQ(1, Plays("crate_destroy"));

    EXPECT_NEAR(2.0f, RunUntil(c, kFind), kSlack);
    EXPECT_FALSE(c.GetCompanion(CBigBossController::EXPLOSION_DUMMY)->IsVisible());
    EXPECT_NEAR(10.0f, boss->GetPosition().y, 1.5f) << "the boss stands on the ground again";
    EXPECT_GE(RunUntil(c, kFollow, 0.5f), 0.0f) << "and starts over";
}

TEST_F(CBigBossControllerTest, FollowsUntilInReachOrForItsFullTime)
{
    struct Case {
        float startX;
        float follow;
    };
    // The boss's centre stands 6 above the player's, so stopping 15 off along x stays out of
    // reach (16.2); starting within reach ends the follow at once.
    const Case cases[] = {{300.0f, 2.5f}, {40.0f, 2.5f}, {12.0f, 0.0f}, {-12.0f, 0.0f}};
    for (const Case& test : cases) {
        SCOPED_TRACE(test.startX);
        Game::CCharacter* boss = MakeBoss(CVector3D(test.startX, 10.0f, 0.0f));
        ASSERT_NE(nullptr, boss);
        const CBigBossController& c = *BossOf(*boss);
        ASSERT_GE(RunUntil(c, kFollow), 0.0f);
        EXPECT_NEAR(test.follow, RunUntil(c, kSmash), kSlack);
        Factory().DestroyEntity(boss);
    }
}

// Whether the boss runs up from either side or starts beside the player facing away, each of its
// three smashes lands across a still player; the first hurts him (the guard after a hit shields
// him from the other two).
TEST_F(CBigBossControllerTest, SmashesLandOnTheSideOfAStillPlayerAndHurtHim)
{
    m_Player->m_Invulnerable = false;
    const CVector3D spot = m_Player->GetPosition();
    for (const float startX : {80.0f, -80.0f, 12.0f, -12.0f}) {
        SCOPED_TRACE(startX);
        m_Player->SetPosition(spot);
        m_Player->m_Health = m_Player->m_MaxHealth;
        Game::CCharacter* boss = MakeBoss(CVector3D(startX, 10.0f, 0.0f));
        ASSERT_NE(nullptr, boss);
        const CBigBossController& c = *BossOf(*boss);
        ASSERT_GE(RunUntil(c, kSmash), 0.0f);

        int smashes = 0;
        while (c.GetStateName(1) == kSmash && m_Clock < 100.0f) {
            const size_t before = m_Spawned.size();
            Step();
            for (size_t i = before; i < m_Spawned.size(); ++i) {
                if (m_Spawned[i].first != "BossSmash")
                    continue;
                ++smashes;
                const Game::AttackRecord* smash = Attacks().back();
                ASSERT_EQ("BossSmash", smash->m_Name);
                CAABB box = smash->m_pBody->GetCreationBox();
                box.Transform(smash->m_pBody->GetWorldMatrix());
                CAABB player;
                m_Player->GetBoundingBox(player);
                EXPECT_TRUE(box.Intersects(player)) << "smash " << smashes << " misses the player";
                const float side = m_Player->GetPosition().x - boss->GetPosition().x;
                EXPECT_GT((smash->m_pBody->GetPosition().x - boss->GetPosition().x) * side, 0.0f)
                    << "smash " << smashes << " lands on the far side";
            }
        }
        EXPECT_EQ(3, smashes);
        EXPECT_LT(m_Player->m_Health, m_Player->m_MaxHealth);
        Factory().DestroyEntity(boss);
        // The player's stun and guard wear off before the next boss.
        for (int i = 0; i < int(3.0f / kDt); ++i)
            Step();
    }
}

TEST_F(CBigBossControllerTest, ABossThatDiesInTheAirFallsAndDropsItsMark)
{
    for (const char* state : {kHighJump, kDetect, kJumpSmash}) {
        SCOPED_TRACE(state);
        Game::CCharacter* boss = MakeBoss(CVector3D(60.0f, 10.0f, 0.0f));
        ASSERT_NE(nullptr, boss);
        CBigBossController& c = *BossOf(*boss);
        ASSERT_GE(RunUntil(c, kFind), 0.0f);
        c.ChangeState(kHighJump);
        ASSERT_GE(RunUntil(c, state), 0.0f);
        Step();
        ExpectGravity(CVector3D(), *boss, "weightless in the air");
        const float height = boss->GetPosition().y;

        boss->m_Health = 0;
        ASSERT_GE(RunUntil(c, kDying, 0.5f), 0.0f);
        EXPECT_EQ("deathstate", c.GetStateName(0));
        EXPECT_EQ(Game::LIFE_DYING, boss->m_LifeState);
        ExpectGravity(WorldGravity(), *boss, "weight back on dying");
        EXPECT_FALSE(c.GetCompanion(CBigBossController::TARGET_MARKING)->IsVisible());
        Run(2.0f);
        EXPECT_LT(boss->GetPosition().y, 12.0f) << "back on the ground from " << height;
        Factory().DestroyEntity(boss);
    }
}

TEST_F(CBigBossControllerTest, ComesApartPieceByPieceAndCompletesTheLevel)
{
    Game::CCharacter* boss = MakeBoss(CVector3D(60.0f, 10.0f, 0.0f));
    ASSERT_NE(nullptr, boss);
    const CBigBossController& c = *BossOf(*boss);
    const auto* cubes = dynamic_cast<const Game::CVeskCubeAnimationController*>(boss->GetAnimationController());
    ASSERT_NE(nullptr, cubes);
    const std::vector<std::string> pieces = boss->GetSubmeshNames();
    ASSERT_GE(pieces.size(), 2u);
    ASSERT_GE(RunUntil(c, kFollow), 0.0f);
    ASSERT_EQ(Game::PHASE_LEVEL_START, Game::CGameMaster::GetInstance().GetPhase());

    boss->m_Health = 0;
    ASSERT_GE(RunUntil(c, kDying, 0.5f), 0.0f);
    const float start = m_Clock;
    std::vector<float> shatters;
    int whole = cubes->GetUnshatteredCount();
    while (c.GetStateName(1) != kDead && m_Clock - start < 10.0f) {
        Step();
        if (c.GetStateName(1) == kDying && cubes->GetUnshatteredCount() < whole) {
            shatters.push_back(m_Clock - start);
            whole = cubes->GetUnshatteredCount();
            EXPECT_EQ(Game::LIFE_DYING, boss->m_LifeState);
            const Game::CubeDebrisState* first = cubes->FindDebrisState(pieces[0]);
            EXPECT_TRUE(!first || !first->active) << "the first piece stays for the end";
        }
    }
    ASSERT_EQ(pieces.size() - 1, shatters.size());
    for (size_t i = 0; i < shatters.size(); ++i)
        EXPECT_NEAR(1.0f + 0.6f * float(i), shatters[i], kSlack) << "piece " << i + 1;
    for (size_t i = 1; i < pieces.size(); ++i) {
        const Game::CubeDebrisState* piece = cubes->FindDebrisState(pieces[i]);
        EXPECT_TRUE(piece && piece->active) << pieces[i];
    }
    EXPECT_EQ(static_cast<int>(pieces.size() - 1), Plays("crate_destroy"));

    ASSERT_EQ(kDead, c.GetStateName(1));
    EXPECT_NEAR(1.0f + 0.6f * float(pieces.size() - 1), m_Clock - start, 2.0f * kSlack);
    EXPECT_EQ(Game::LIFE_DEAD, boss->m_LifeState);
    EXPECT_EQ(0, cubes->GetUnshatteredCount()) << "the rest bursts as the dying ends";
    EXPECT_FALSE(c.m_Enabled);
    EXPECT_EQ(Game::PHASE_LEVEL_COMPLETE, Game::CGameMaster::GetInstance().GetPhase());
}

TEST_F(CBigBossControllerTest, ShowsItsHealthBarWhileItLives)
{
    Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();
    renderer.SetBackBufferSize(1280, 720, true);
    ASSERT_TRUE(renderer.ResetDevice());
    Game::CGuiManager& gui = Game::CGuiManager::GetInstance();
    std::vector<std::unique_ptr<Vesk::CDisplayObject2D>> bar;
    for (const char* name : {"BossHealthBarFrame", "BossHealthBarCurrent", "BossHealthBarBacking"}) {
        bar.push_back(std::make_unique<Vesk::CDisplayObject2D>(name));
        bar.back()->SetPosition(0.5f, 0.16f);
        bar.back()->SetScale(1.0f, 1.0f);
        bar.back()->SetVisible(true);
        gui.AddElement(bar.back().get(), 3, Game::CGuiManager::KindDisplay);
    }
    Vesk::CDisplayObject2D& current = *bar[1];

    Game::CCharacter* boss = MakeBoss(CVector3D(60.0f, 10.0f, 0.0f));
    ASSERT_NE(nullptr, boss);
    const CBigBossController& c = *BossOf(*boss);
    for (const auto& element : bar)
        EXPECT_FALSE(element->IsVisible()) << "hidden until the fight starts";
    ASSERT_GE(RunUntil(c, kFind), 0.0f);
    for (const auto& element : bar)
        EXPECT_TRUE(element->IsVisible());

    // The bar is anchored at its left end: its centre moves by the lost share of half its width.
    const float halfWidth = float(current.GetSpriteWidth()) * 0.5f * 0.75f / float(renderer.GetScreenWidth());
    struct Case {
        int health;
        int maximum;
        float fraction;
    };
    const Case cases[] = {{600, 600, 1.0f}, {150, 600, 0.25f}, {900, 600, 1.0f}, {10, 0, 0.0f}, {0, 600, 0.0f}};
    for (const Case& test : cases) {
        SCOPED_TRACE(std::to_string(test.health) + " of " + std::to_string(test.maximum));
        boss->m_Health = test.health;
        boss->m_MaxHealth = test.maximum;
        Step();
        EXPECT_NEAR(0.75f * test.fraction, current.GetScale().x, 1e-5f);
        EXPECT_FLOAT_EQ(1.0f, current.GetScale().y);
        EXPECT_NEAR(test.fraction * halfWidth + 0.5f - halfWidth, current.GetPosition().x, 1e-5f);
        EXPECT_NEAR(0.16f, current.GetPosition().y, 1e-5f);
    }

    ASSERT_GE(RunUntil(c, kDying, 0.5f), 0.0f);
    for (const auto& element : bar)
        EXPECT_FALSE(element->IsVisible()) << "gone with the boss";
    for (const auto& element : bar)
        gui.RemoveElement(element.get(), 3, Game::CGuiManager::KindDisplay);
}

TEST_F(CBigBossControllerTest, CompanionsArePlainEntitiesOfEachBossAndGoWithIt)
{
    Game::CCharacter* first = MakeBoss(CVector3D(60.0f, 10.0f, 0.0f), "boss1");
    Game::CCharacter* second = MakeBoss(CVector3D(-60.0f, 10.0f, 0.0f), "boss2");
    ASSERT_TRUE(first && second);
    std::vector<Game::EntityHandle> companions[2];
    for (int b = 0; b < 2; ++b) {
        const CBigBossController& c = *BossOf(b == 0 ? *first : *second);
        for (int i = 0; i < CBigBossController::COMPANION_COUNT; ++i) {
            const Game::CEntity* companion = c.GetCompanion(static_cast<CBigBossController::Companion>(i));
            ASSERT_NE(nullptr, companion);
            EXPECT_EQ(Game::GENERIC_ENT, companion->GetType());
            EXPECT_EQ(nullptr, dynamic_cast<const Game::CCharacter*>(companion));
            EXPECT_TRUE(companion->IsTransient()) << "never saved with the level";
            EXPECT_FALSE(companion->IsVisible());
            companions[b].emplace_back(companion);
        }
    }
    for (const Game::EntityHandle& mine : companions[0])
        for (const Game::EntityHandle& theirs : companions[1])
            EXPECT_NE(mine, theirs) << "each boss has its own";
    EXPECT_EQ(3u, Factory().FindByType(Game::GENERIC_CHARACTER).size());
    EXPECT_EQ(2, Game::CGameMaster::GetInstance().GetRemainingEnemyCount());

    // The tired sign floats over the stunned boss only.
    Step();
    first->m_StunTimer = 1.0f;
    Step();
    const Game::CEntity* sign = BossOf(*first)->GetCompanion(CBigBossController::TIRED_SIGN);
    EXPECT_TRUE(sign->IsVisible());
    EXPECT_NEAR(first->GetPosition().y + 20.0f, sign->GetPosition().y, 0.5f);
    EXPECT_FALSE(BossOf(*second)->GetCompanion(CBigBossController::TIRED_SIGN)->IsVisible());
    Run(1.1f);
    EXPECT_FALSE(sign->IsVisible()) << "gone once the stun is over";

    Factory().DestroyEntity(first);
    for (const Game::EntityHandle& companion : companions[0])
        EXPECT_EQ(nullptr, companion.Get());
    for (const Game::EntityHandle& companion : companions[1])
        EXPECT_NE(nullptr, companion.Get());
    Run(0.5f);
    Factory().DestroyEntity(second);
    for (const Game::EntityHandle& companion : companions[1])
        EXPECT_EQ(nullptr, companion.Get());
}

TEST_F(CBigBossControllerTest, MissingAttackDataStillEndsEachStep)
{
    struct Case {
        const char* what;
        std::vector<std::pair<std::string, std::string>> edits;
        size_t smashes;
    };
    const Case cases[] = {
        {"a jump smash that lasts no time", {{"<persist val=\"0.6\"/>", "<persist val=\"0\"/>"}}, 3},
        {"no boss attacks at all",
         {{"<BossSmash>", "<Other1>"},
          {"</BossSmash>", "</Other1>"},
          {"<TreantJumpSmash>", "<Other2>"},
          {"</TreantJumpSmash>", "</Other2>"}},
         0},
    };
    const std::string original = testsupport::ReadFile(testsupport::SourceDir() + "/bin/assets/attacks.xml");
    for (const Case& test : cases) {
        SCOPED_TRACE(test.what);
        std::string attacks = original;
        const size_t bossAttacks = attacks.find("<BossSmash>");
        for (const auto& [from, to] : test.edits) {
            const size_t at = attacks.find(from, bossAttacks);
            ASSERT_NE(std::string::npos, at) << from;
            attacks.replace(at, from.size(), to);
        }
        testsupport::WriteFile(m_Dir.File("attacks.xml"), attacks);
        ASSERT_TRUE(Game::CAttackPool::GetInstance().LoadDefinitions(m_Dir.File("attacks.xml")));

        Game::CCharacter* boss = MakeBoss(CVector3D(60.0f, 10.0f, 0.0f));
        ASSERT_NE(nullptr, boss);
        const CBigBossController& c = *BossOf(*boss);
        ASSERT_GE(RunUntil(c, kSmash), 0.0f);
        const float smashStart = m_Clock;
        EXPECT_NEAR(3 * 0.75f, RunUntil(c, kHighJump), kSmashSlack);
        EXPECT_EQ(test.smashes, SpawnTimes("BossSmash", smashStart).size());
        EXPECT_EQ(test.smashes > 0, c.GetCompanion(CBigBossController::SMASH_MARKER)->IsVisible());

        ASSERT_GE(RunUntil(c, kJumpSmash), 0.0f);
        const float fall = RunUntil(c, kRest, 1.0f);
        EXPECT_GE(fall, 0.0f) << "lands";
        EXPECT_LE(fall, kSlack) << "at once";
        ExpectGravity(WorldGravity(), *boss, "weight back after landing");
        EXPECT_FALSE(boss->m_Charging);
        EXPECT_GE(RunUntil(c, kFind), 0.0f);
        Factory().DestroyEntity(boss);
    }
}

TEST_F(CBigBossControllerTest, WithoutPlayerOrHudItComesDownWhereItLeapt)
{
    ASSERT_EQ(nullptr, Game::CGuiManager::GetInstance().FindElement(0, "BossHealthBarCurrent"));
    Factory().DestroyEntity(m_Player);
    m_Player = nullptr;
    Game::CCharacter* boss = MakeBoss(CVector3D(60.0f, 10.0f, 0.0f));
    ASSERT_NE(nullptr, boss);
    CBigBossController& c = *BossOf(*boss);

    Run(1.0f);
    EXPECT_EQ(kFind, c.GetStateName(1)) << "nobody to follow";

    c.ChangeState(kHighJump);
    ASSERT_GE(RunUntil(c, kHighJump, 0.5f), 0.0f);
    const CVector3D takeOff = boss->GetPosition();
    ASSERT_GE(RunUntil(c, kRest), 0.0f);
    EXPECT_NEAR(takeOff.x, c.GetLandingPosition().x, 1e-3f);
    EXPECT_NEAR(takeOff.z, c.GetLandingPosition().z, 1e-3f);
    ASSERT_GE(RunUntil(c, kFind), 0.0f);
    Run(0.5f);
    EXPECT_EQ(kFind, c.GetStateName(1));
}

TEST_F(CBigBossControllerTest, GoesToTheArenaCentreOnRequestWhileACameraIsCurrent)
{
    Vesk::CCameraManager& cameras = Vesk::CCameraManager::GetInstance();
    cameras.Shutdown();
    Game::CCharacter* boss = MakeBoss(CVector3D(740.0f, 80.0f, 48.0f));
    ASSERT_NE(nullptr, boss);
    CBigBossController& c = *BossOf(*boss);
    ASSERT_GE(RunUntil(c, kFind), 0.0f);
    c.ChangeState("alive_gocenter");
    ASSERT_GE(RunUntil(c, "alive_gocenter", 0.5f), 0.0f);
    c.ChangeState("no_such_state");
    Run(0.2f);
    EXPECT_FALSE(c.IsAtCentre()) << "no camera, no move";
    EXPECT_NEAR(740.0f, boss->GetPosition().x, 0.5f);

    ASSERT_TRUE(cameras.Init());
    Run(0.5f);
    EXPECT_EQ("alive_gocenter", c.GetStateName(1)) << "it stays until sent on";
    EXPECT_TRUE(c.IsAtCentre());
    EXPECT_NEAR(755.0f, boss->GetPosition().x, 1.0f);
    EXPECT_NEAR(48.0f, boss->GetPosition().z, 1.0f);
    cameras.Shutdown();
}

} // namespace
