// The spike and trampoline controllers: the spike's firing period as the state machine really runs
// it, a spike whose attack is missing, the trampoline's throw of every player touching it and its
// rest before the next throw, traps destroyed under their controllers, and the shipped trap
// prefabs and spike attack played against the real player.
#include "PlayerTestSupport.h"

#include "game/controllers/CSpikeController.h"
#include "game/controllers/CTrampolineController.h"

#include <cmath>
#include <cstdio>
#include <set>
#include <string>
#include <vector>

namespace {

// A step that counts the timers down without rounding, so that frame counts are exact.
constexpr float kDt = 1.0f / 64.0f;
constexpr int kWaitFrames = 32; // CSpikeController::kWaitTime at kDt

// "(x, y, z)", to compare vectors exactly with a readable failure.
std::string Text(const CVector3D& v)
{
    char text[96];
    std::snprintf(text, sizeof text, "(%g, %g, %g)", v.x, v.y, v.z);
    return text;
}

// An attack file holding only the spike's attack, with the given timings and nothing to show.
std::string SpikeAttackFile(float delay, float persist)
{
    return "<attacks><SpikeAttack>"
           "<pos_offset_from_user forward=\"0\" height=\"5\" right=\"0\"/><dimension x=\"5\" y=\"6\" z=\"5\"/>"
           "<destroy_on_contact val=\"0\"/><damage val=\"10\"/><hits val=\"1\"/>"
           "<delay val=\"" +
           std::to_string(delay) + "\"/><persist val=\"" + std::to_string(persist) +
           "\"/>"
           "<selfstun val=\"0\"/><stun val=\"0.5\"/><knockback val=\"2\"/><knockup val=\"6\"/>"
           "<movement><type val=\"1\"/><direction forward=\"1\" height=\"0\" depth=\"0\"/><speed val=\"0\"/>"
           "</movement><visual><mesh name=\"\"/></visual>"
           "<sound><onUse setting=\"\"/><onHit setting=\"\"/><onDie setting=\"\"/></sound>"
           "</SpikeAttack></attacks>";
}

// Traps made from the shipped prefabs, characters from the move fixture's model, the attack pool
// with the definitions a test writes, all stepped in the play order at kDt.
class TrapFixture : public movetest::MoveFixture {
protected:
    void SetUp() override
    {
        MoveFixture::SetUp();
        ASSERT_TRUE(Game::CGamePrefabSettings::GetInstance().LoadFromXml(testsupport::SourceDir() +
                                                                         "/bin/assets/prefabsettings.xml"));
        ASSERT_TRUE(Game::CSprite3DManager::GetInstance().Init());
        ASSERT_TRUE(Game::CAttackPool::GetInstance().Init());
        UseAttacks(SpikeAttackFile(0.125f, 0.375f));
    }

    void TearDown() override
    {
        Game::CAttackPool::GetInstance().Shutdown();
        Factory().Shutdown();
        MoveFixture::TearDown();
        Game::CSprite3DManager::GetInstance().Shutdown();
    }

    void UseAttacks(const std::string& text)
    {
        const std::string path = m_Dir.File("attacks" + std::to_string(++m_AttackFiles) + ".xml");
        testsupport::WriteFile(path, text);
        Game::CAttackPool::GetInstance().LoadDefinitions(path);
    }

    // A trap of the named prefab whose centre is at the position.
    Game::CEntity* Trap(const std::string& prefab, const CVector3D& position)
    {
        Game::EntitySetting setting =
            Game::CGamePrefabSettings::GetInstance().GetEntitySetting(Game::GENERIC_TRAPS, prefab);
        setting.m_StartPosition = position;
        Game::CEntity* trap = Make(Game::GENERIC_TRAPS, prefab, setting);
        EXPECT_NE(nullptr, trap);
        return trap;
    }

    // One frame; returns the live attacks that appeared in it.
    std::vector<const Game::AttackRecord*> Frame()
    {
        const auto& live = Game::CAttackPool::GetInstance().GetActiveAttacks();
        const std::set<const Game::AttackRecord*> before(live.begin(), live.end());
        Game::CAttackPool::GetInstance().Update(kDt);
        Game::CControllerManager::GetInstance().Update(kDt);
        Factory().UpdateAll(kDt);
        Factory().ProcessPendingDestroys();
        std::vector<const Game::AttackRecord*> spawned;
        for (const Game::AttackRecord* attack : live)
            if (!before.count(attack))
                spawned.push_back(attack);
        return spawned;
    }

    // The frames (counted from 1) in which attacks appeared over the given number of frames.
    std::vector<int> SpawnFrames(int frames)
    {
        std::vector<int> found;
        for (int frame = 1; frame <= frames; ++frame)
            found.insert(found.end(), Frame().size(), frame);
        return found;
    }

    int m_AttackFiles = 0;
};

class SpikeControllerTest : public TrapFixture {};
class TrapControllersTest : public TrapFixture {};

TEST_F(SpikeControllerTest, FiresOnAPeriodOfItsWaitAndTheAttacksDelayAndPersist)
{
    struct Case {
        float delay, persist;
    };
    // Each change of state costs a frame: the machine finds it in one frame and enters the new
    // state in the next. A cycle is therefore the wait's frames, the attack's frames and two more.
    for (const Case& c : {Case{0.125f, 0.375f}, Case{0.0f, 0.25f}, Case{0.5f, 0.5f}}) {
        SCOPED_TRACE("delay " + std::to_string(c.delay) + ", persist " + std::to_string(c.persist));
        UseAttacks(SpikeAttackFile(c.delay, c.persist));
        Game::CEntity* trap = Trap("spike", CVector3D(0.0f, 2.0f, 0.0f));
        ASSERT_NE(nullptr, trap);
        auto* spike = dynamic_cast<Game::CSpikeController*>(trap->GetController());
        ASSERT_NE(nullptr, spike);
        EXPECT_EQ("wait", spike->GetStateName());

        const int attackFrames = int(std::lround((c.delay + c.persist) / kDt));
        const int period = kWaitFrames + attackFrames + 2;
        // The first frame enters "wait"; the wait's last frame finds the change.
        const int first = 1 + kWaitFrames + 1;
        EXPECT_EQ((std::vector<int>{first, first + period, first + 2 * period}), SpawnFrames(first + 2 * period + 1));
        EXPECT_EQ("attack", spike->GetStateName());

        for (const Game::AttackRecord* attack : Game::CAttackPool::GetInstance().GetActiveAttacks()) {
            EXPECT_EQ("SpikeAttack", attack->m_Name);
            EXPECT_EQ(trap, attack->m_User.Get());
        }
        Factory().DestroyEntity(trap);
        Frame();
    }
}

TEST_F(SpikeControllerTest, WithoutItsAttackItKeepsCyclingAndLogsOnce)
{
    UseAttacks("<attacks/>");
    auto* spike = dynamic_cast<Game::CSpikeController*>(Trap("spike", CVector3D())->GetController());
    ASSERT_NE(nullptr, spike);

    ::testing::internal::CaptureStderr();
    // The frames in which the spike turns to "attack": it leaves at once and waits 0.5 s again.
    std::vector<int> attackTurns;
    std::string previous = spike->GetStateName();
    for (int frame = 1; frame <= 4 * (kWaitFrames + 3); ++frame) {
        EXPECT_TRUE(Frame().empty());
        const std::string state = spike->GetStateName();
        if (state == "attack" && previous != "attack")
            attackTurns.push_back(frame);
        previous = state;
    }
    const std::string log = ::testing::internal::GetCapturedStderr();

    // Enter "wait", 32 frames of waiting, enter "attack", one frame in it: 35 frames a cycle.
    ASSERT_EQ(4u, attackTurns.size());
    for (size_t i = 1; i < attackTurns.size(); ++i)
        EXPECT_EQ(kWaitFrames + 3, attackTurns[i] - attackTurns[i - 1]);
    EXPECT_TRUE(Game::CAttackPool::GetInstance().GetActiveAttacks().empty());
    size_t mentions = 0;
    for (size_t at = log.find("\"SpikeAttack\""); at != std::string::npos; at = log.find("\"SpikeAttack\"", at + 1))
        ++mentions;
    EXPECT_EQ(1u, mentions) << log;
}

// A trap destroyed while a controller still refers to it: the controller the trap made goes with
// it, and one made apart from the trap lets it go. Under the sanitizers any use of the freed trap
// fails here.
TEST_F(TrapControllersTest, TrapsDestroyedUnderTheirControllersAreLetGo)
{
    struct Case {
        const char* prefab;
        // Away from the spike, whose strike would kill the test character; on the trampoline.
        CVector3D player;
    };
    Game::CControllerManager& manager = Game::CControllerManager::GetInstance();
    Game::CCharacter* player = Mover("player");
    for (const Case& c :
         {Case{"spike", CVector3D(100.0f, 2.0f, 0.0f)}, Case{"trampoline", CVector3D(0.0f, 2.0f, 0.0f)}}) {
        SCOPED_TRACE(c.prefab);
        Game::CEntity* trap = Trap(c.prefab, CVector3D(0.0f, 2.0f, 0.0f));
        ASSERT_NE(nullptr, trap);
        // A second controller driving the same trap.
        Game::ControllerSetting setting;
        setting.m_Owner = Game::EntityHandle(trap);
        Game::IController* apart = manager.CreateController(trap->GetController()->GetControllerType(), setting);
        ASSERT_NE(nullptr, apart);
        player->SetPosition(c.player);
        for (int i = 0; i < kWaitFrames + 4; ++i)
            Frame();
        const bool spike = std::string(c.prefab) == "spike";
        EXPECT_EQ(spike, !Game::CAttackPool::GetInstance().GetActiveAttacks().empty()) << "the spike has struck";
        EXPECT_EQ(spike ? 0.0f : Game::CTrampolineController::kThrowSpeed, Velocity(*player).y)
            << "the trampoline has thrown";

        Factory().DestroyEntity(trap);
        EXPECT_EQ(nullptr, apart->GetOwnerEntity());
        player->SetLinearVelocity(CVector3D());
        for (int i = 0; i < 3 * kWaitFrames; ++i)
            EXPECT_TRUE(Frame().empty());
        EXPECT_TRUE(Game::CAttackPool::GetInstance().GetActiveAttacks().empty()) << "the strikes end with the trap";
        EXPECT_EQ("(0, 0, 0)", Text(Velocity(*player))) << "a trampoline that is gone throws nobody";
        manager.DestroyController(apart);
    }
}

TEST_F(SpikeControllerTest, DetachedItDoesNothing)
{
    Game::CEntity* trap = Trap("spike", CVector3D());
    ASSERT_NE(nullptr, trap);
    auto* spike = dynamic_cast<Game::CSpikeController*>(trap->GetController());
    ASSERT_NE(nullptr, spike);
    Frame();
    spike->Detach();
    EXPECT_EQ("", spike->GetStateName());
    EXPECT_EQ(0.0f, spike->GetTimer());
    for (int i = 0; i < 2 * kWaitFrames; ++i)
        EXPECT_TRUE(Frame().empty());
}

// The trampoline stands on the ground at the origin: 6 x 2 x 6, its top at y = 2.
class TrampolineControllerTest : public TrapFixture {
protected:
    void SetUp() override
    {
        TrapFixture::SetUp();
        Game::CEntity* trap = Trap("trampoline", CVector3D(0.0f, 1.0f, 0.0f));
        ASSERT_NE(nullptr, trap);
        m_Trampoline = dynamic_cast<Game::CTrampolineController*>(trap->GetController());
        ASSERT_NE(nullptr, m_Trampoline);
        // Enters "wait".
        Game::CControllerManager::GetInstance().Update(kDt);
    }

    // The test characters are 3 x 3 x 3.
    static void Place(Game::CEntity& entity, const CVector3D& position, const CVector3D& velocity)
    {
        entity.SetPosition(position);
        entity.SetLinearVelocity(velocity);
    }

    // Controllers only: the bodies stay where the test put them.
    static void Step() { Game::CControllerManager::GetInstance().Update(kDt); }

    Game::CTrampolineController* m_Trampoline = nullptr;
};

TEST_F(TrampolineControllerTest, ThrowsEveryPlayerTouchingItInTheSameFrameKeepingTheirHorizontalSpeed)
{
    Game::CCharacter* inside = Mover("player");
    Game::CCharacter* onTop = Mover("player");
    Game::CCharacter* beside = Mover("player");
    Game::CCharacter* enemy = Mover("kobold");
    Game::CEntity* notACharacter = Make(Game::GENERIC_ENT, "player");
    ASSERT_NE(nullptr, notACharacter);
    Place(*inside, CVector3D(1.0f, 1.5f, -1.0f), CVector3D(7.0f, -20.0f, -3.0f));
    // Its bottom face lies on the trampoline's top face.
    Place(*onTop, CVector3D(-2.0f, 3.5f, 2.0f), CVector3D(-5.0f, 0.0f, 4.5f));
    Place(*beside, CVector3D(4.6f, 1.5f, 0.0f), CVector3D(-6.0f, 0.0f, 0.0f));
    Place(*enemy, CVector3D(0.0f, 1.5f, 0.0f), CVector3D(1.0f, 2.0f, 3.0f));
    Place(*notACharacter, CVector3D(0.0f, 1.0f, 0.0f), CVector3D());

    Step();
    // Thrown at 120 up, their own speed along the ground kept.
    EXPECT_EQ("(7, 120, -3)", Text(Velocity(*inside)));
    EXPECT_EQ("(-5, 120, 4.5)", Text(Velocity(*onTop)));
    EXPECT_EQ("(-6, 0, 0)", Text(Velocity(*beside)));
    EXPECT_EQ("(1, 2, 3)", Text(Velocity(*enemy)));
    CVector3D entityVelocity;
    notACharacter->GetLinearVelocity(entityVelocity);
    EXPECT_EQ("(0, 0, 0)", Text(entityVelocity));
    EXPECT_TRUE(m_Trampoline->HasFired());
    EXPECT_EQ("attack", m_Trampoline->GetStateName());
}

TEST_F(TrampolineControllerTest, NobodyTouchingItLeavesItWaiting)
{
    Game::CCharacter* player = Mover("player");
    // Just clear of the top face.
    Place(*player, CVector3D(0.0f, 3.51f, 0.0f), CVector3D(0.0f, -1.0f, 0.0f));
    for (int i = 0; i < 10; ++i)
        Step();
    EXPECT_EQ("(0, -1, 0)", Text(Velocity(*player)));
    EXPECT_FALSE(m_Trampoline->HasFired());
    EXPECT_EQ("wait", m_Trampoline->GetStateName());
}

TEST_F(TrampolineControllerTest, RestsBeforeItThrowsAgain)
{
    Game::CCharacter* player = Mover("player");
    // The player stays on the trampoline and comes down again at once after every throw.
    std::vector<int> throws;
    for (int frame = 1; frame <= 30; ++frame) {
        Place(*player, CVector3D(0.0f, 2.0f, 0.0f), CVector3D(2.0f, -10.0f, 0.0f));
        Step();
        if (Velocity(*player).y == Game::CTrampolineController::kThrowSpeed)
            throws.push_back(frame);
    }
    // A throw, a frame entering the rest, four frames counting 0.05 s down (the fourth finds it
    // over), a frame entering "wait", then the next throw.
    const int rest = int(std::ceil(Game::CTrampolineController::kRearmTime / kDt));
    ASSERT_EQ(4, rest);
    const int every = 1 + rest + 2;
    EXPECT_EQ((std::vector<int>{1, 1 + every, 1 + 2 * every, 1 + 3 * every, 1 + 4 * every}), throws);
}

// The shipped prefabs and spike attack against the real player, with physics.
class TrapContentTest : public playertest::PlayerFixture {
protected:
    Game::CEntity* Trap(const std::string& prefab, const CVector3D& position)
    {
        Game::EntitySetting setting =
            Game::CGamePrefabSettings::GetInstance().GetEntitySetting(Game::GENERIC_TRAPS, prefab);
        setting.m_StartPosition = position;
        return Make(Game::GENERIC_TRAPS, prefab, setting);
    }

    // The player dropped onto the point (its feet there), still and settled.
    void StandAt(const CVector3D& feet)
    {
        m_Player->SetPosition(feet + CVector3D(0.0f, m_Player->GetDimensions().y * 0.5f, 0.0f));
        m_Player->SetLinearVelocity(CVector3D());
    }
};

TEST_F(TrapContentTest, TheSpikeTrapHurtsThePlayerStandingOnItOncePerStrikeAndNotBesideIt)
{
    SettleIn();
    // The spike trap is 6 x 4 x 6 on the ground (top at y = 4).
    Game::CEntity* trap = Trap("spike", CVector3D(30.0f, 2.0f, 0.0f));
    ASSERT_NE(nullptr, trap);
    const Game::AttackRecord* attack = Game::CAttackPool::GetInstance().FindDefinition("SpikeAttack");
    ASSERT_NE(nullptr, attack);
    const float period = Game::CSpikeController::kWaitTime + attack->m_Delay + attack->m_Persist;

    StandAt(CVector3D(30.0f, 4.0f, 0.0f));
    const int health = m_Player->m_Health;
    std::vector<std::string> spawned = Run(period);
    ASSERT_EQ(1u, spawned.size());
    EXPECT_EQ(health - attack->m_Damage, m_Player->m_Health) << "hit once by its strike";

    // Beside the trap, against its side, through two more strikes.
    StandAt(CVector3D(30.0f - 3.0f - 2.0f, 0.0f, 0.0f));
    const int before = m_Player->m_Health;
    spawned = Run(2.0f * period);
    EXPECT_EQ(2u, spawned.size());
    EXPECT_EQ(before, m_Player->m_Health);
}

TEST_F(TrapContentTest, TheTrapsKeepTheBodiesTheirControllersGiveThem)
{
    const Game::CEntity* spike = Trap("spike", CVector3D(30.0f, 2.0f, 0.0f));
    const Game::CEntity* trampoline = Trap("trampoline", CVector3D(60.0f, 1.0f, 0.0f));
    ASSERT_TRUE(spike && spike->GetBody() && trampoline && trampoline->GetBody());
    EXPECT_EQ(Vesk::BODY_STATIC, spike->GetBody()->GetBodyType());
    EXPECT_EQ(Vesk::BODY_NO_CONTACT_RESPONSE, trampoline->GetBody()->GetBodyType());
    // Weightless, the trampoline stays where it was placed.
    Run(0.5f);
    EXPECT_NEAR(1.0f, trampoline->GetPosition().y, 0.01f);
}

TEST_F(TrapContentTest, TheTrampolineThrowsThePlayerHigh)
{
    SettleIn();
    // The trampoline is 6 x 2 x 6 on the ground (top at y = 2).
    ASSERT_NE(nullptr, Trap("trampoline", CVector3D(30.0f, 1.0f, 0.0f)));
    Frame();
    StandAt(CVector3D(30.0f, 2.0f, 0.0f));
    const float start = m_Player->GetPosition().y;
    float highest = start;
    for (int i = 0; i < 60; ++i) {
        Frame();
        highest = std::max(highest, m_Player->GetPosition().y);
    }
    // Thrown at 120 against a gravity of 200 it climbs about 36.
    EXPECT_GT(highest - start, 25.0f);
}

} // namespace
