// The controller framework: the frame update's gating and order, controllers and entities
// destroyed while the controllers run, the spawn rise, targets, and shared-controller membership
// kept on both sides when either side goes first.
#include "../entities/EntityTestSupport.h"

#include "game/controllers/CControllerManager.h"
#include "game/entities/CCharacter.h"
#include "game/fx/CSprite3D.h"
#include "game/fx/CSprite3DManager.h"
#include "physics/CRigidBody.h"

#include <functional>
#include <string>
#include <vector>

using Game::CCharacter;
using Game::CControllerManager;

namespace {

std::vector<std::string>& Calls()
{
    static std::vector<std::string> calls;
    return calls;
}

// Logs "update <tag>" and then runs its script, if any.
class ScriptedController : public Game::CCharacterController {
public:
    static constexpr int kType = 42;

    int GetControllerType() const override { return kType; }
    void Update(float) override
    {
        Calls().push_back("update " + m_Tag);
        if (m_Script)
            m_Script(*this);
        m_Updates++; // touched after the script: the controller must still be alive
    }

    std::string m_Tag;
    std::function<void(ScriptedController&)> m_Script;
    int m_Updates = 0;
};

// Logs "shared <name>".
class RecordingShared : public Game::ISharedCharacterController {
public:
    static constexpr int kType = 7;

    int GetType() const override { return kType; }
    void Update(float) override { Calls().push_back("shared " + GetName()); }
};

class CControllerManagerTest : public worldtest::WorldFixture {
protected:
    void SetUp() override
    {
        WorldFixture::SetUp();
        Game::RegisterControllerType<ScriptedController>(ScriptedController::kType, "TESTSCRIPTED", 16);
        Game::RegisterSharedControllerType<RecordingShared>(RecordingShared::kType, "TESTSHARED", 16);
        ASSERT_TRUE(Vesk::CSceneGraph::GetInstance().Init());
        ASSERT_TRUE(Manager().Init());
        Calls().clear();
    }
    void TearDown() override
    {
        // The order play ends in: controllers, sprites, entities, scene.
        Manager().Shutdown();
        Game::CSprite3DManager::GetInstance().Shutdown();
        WorldFixture::TearDown();
    }

    static CControllerManager& Manager() { return CControllerManager::GetInstance(); }

    // A character driven by a scripted controller tagged with its name.
    static CCharacter* MakeDriven(const std::string& name)
    {
        Game::EntitySetting setting;
        setting.m_ControllerType = ScriptedController::kType;
        auto* character = dynamic_cast<CCharacter*>(Make(Game::GENERIC_CHARACTER, name, setting));
        EXPECT_NE(nullptr, character);
        if (character)
            Scripted(*character).m_Tag = name;
        return character;
    }
    static ScriptedController& Scripted(const Game::CEntity& entity)
    {
        return *static_cast<ScriptedController*>(entity.GetController());
    }
};

} // namespace

TEST_F(CControllerManagerTest, UpdateRunsEnabledControllersInCreationOrderThenSharedOnesByName)
{
    struct Row {
        const char* what;
        bool managerEnabled;
        bool secondEnabled;
        std::vector<std::string> expected;
    };
    const Row rows[] = {
        {"all enabled",
         true,
         true,
         {"update c", "update a", "update b", "shared globalattackflock", "shared globalcollisionavoidance"}},
        {"a disabled controller is skipped, shared ones still run",
         true,
         false,
         {"update c", "update b", "shared globalattackflock", "shared globalcollisionavoidance"}},
        {"a disabled manager runs nothing", false, true, {}},
    };
    // Created in the order c, a, b; the shared ones in reverse name order.
    CCharacter* second = nullptr;
    for (const char* name : {"c", "a", "b"}) {
        CCharacter* character = MakeDriven(name);
        if (std::string(name) == "a")
            second = character;
    }
    ASSERT_NE(nullptr, Manager().CreateSharedController(RecordingShared::kType, "globalcollisionavoidance"));
    ASSERT_NE(nullptr, Manager().CreateSharedController(RecordingShared::kType, "globalattackflock"));
    for (const Row& row : rows) {
        Calls().clear();
        Manager().SetEnabled(row.managerEnabled);
        Scripted(*second).m_Enabled = row.secondEnabled;
        Manager().Update(0.1f);
        EXPECT_EQ(row.expected, Calls()) << row.what;
    }
    EXPECT_TRUE(Manager().Init()) << "Init enables again";
    EXPECT_TRUE(Manager().IsEnabled());
}

TEST_F(CControllerManagerTest, EntitiesAndControllersDestroyedWhileTheControllersRun)
{
    // "a" destroys its own entity, "b" destroys "d"'s entity before "d" runs, "c" creates "e",
    // which waits for the next frame.
    CCharacter* a = MakeDriven("a");
    CCharacter* b = MakeDriven("b");
    CCharacter* c = MakeDriven("c");
    CCharacter* d = MakeDriven("d");
    Scripted(*a).m_Script = [](ScriptedController& self) { Factory().DestroyEntity(self.GetOwner()); };
    // By handle: "d"'s memory is reused by "e" once it is gone.
    const Game::EntityHandle victim(d);
    Scripted(*b).m_Script = [victim](ScriptedController&) { Factory().DestroyEntity(victim.Get()); };
    Scripted(*c).m_Script = [](ScriptedController& self) {
        self.m_Script = nullptr;
        MakeDriven("e");
    };

    Manager().Update(0.1f);
    EXPECT_EQ((std::vector<std::string>{"update a", "update b", "update c"}), Calls());
    EXPECT_EQ(3u, Manager().GetControllers().size()) << "b, c and e";

    Calls().clear();
    Manager().Update(0.1f);
    EXPECT_EQ((std::vector<std::string>{"update b", "update c", "update e"}), Calls());
    EXPECT_TRUE(Factory().FindByName("a").empty());
    EXPECT_TRUE(Factory().FindByName("d").empty());

    // Play's end releases the controllers before the entities: nothing reaches a freed controller.
    Manager().ReleaseAllControllers();
    EXPECT_EQ(nullptr, b->GetController());
    Game::IController* stale = nullptr;
    Manager().DestroyController(stale);
    Factory().DestroyEntity(b);
    Factory().Shutdown();
}

TEST_F(CControllerManagerTest, ADestroyedControllerLetsGoOfItsEntityAndIsNotUpdatedAgain)
{
    CCharacter* a = MakeDriven("a");
    Game::IController* controller = a->GetController();
    auto* scripted = static_cast<ScriptedController*>(controller);
    EXPECT_EQ(a, scripted->GetOwner());
    Manager().DestroyController(controller);
    EXPECT_EQ(nullptr, controller);
    EXPECT_TRUE(Manager().GetControllers().empty());
    EXPECT_EQ(nullptr, a->GetController()) << "the entity lets go too";
    Game::IController* none = nullptr;
    Manager().DestroyController(none);
    Manager().Update(0.1f);
    EXPECT_TRUE(Calls().empty());
}

TEST_F(CControllerManagerTest, SpawnRiseTimeline)
{
    CCharacter* owner = MakeDriven("riser");
    const CVector3D end(3.0f, 20.0f, -4.0f);
    owner->SetPosition(end);
    ScriptedController& controller = Scripted(*owner);
    EXPECT_FLOAT_EQ(1.0f, controller.GetSpawnDuration());

    controller.SpawnEnter();
    ASSERT_NE(nullptr, controller.GetSpawnMesh());
    EXPECT_EQ(1u, Game::CSprite3DManager::GetInstance().GetSprites().size());
    EXPECT_TRUE(owner->m_Spawning);
    EXPECT_EQ(Vesk::BODY_NO_CONTACT_RESPONSE, owner->GetBody()->GetBodyType());
    EXPECT_FLOAT_EQ(0.0f, owner->GetBody()->GetGravity().Length());
    EXPECT_FLOAT_EQ(end.y - 10.0f, owner->GetPosition().y);

    // The rise takes 0.8 s; the state lasts until the timer is past 1.0 s.
    struct Step {
        float dt;
        float y;
        bool finished;
    };
    const Step steps[] = {
        {0.25f, end.y - 10.0f + 10.0f * 0.25f / 0.8f, false},
        {0.25f, end.y - 10.0f + 10.0f * 0.5f / 0.8f, false},
        {0.25f, end.y - 10.0f + 10.0f * 0.75f / 0.8f, false},
        {0.25f, end.y - 10.0f + 10.0f * 0.75f / 0.8f, false}, // past the rise: stays; 1.0 is not past 1.0
        {0.125f, end.y - 10.0f + 10.0f * 0.75f / 0.8f, true},
    };
    for (const Step& step : steps) {
        controller.SpawnUpdate(step.dt);
        EXPECT_NEAR(step.y, owner->GetPosition().y, 1e-4f) << controller.GetSpawnTimer();
        EXPECT_FLOAT_EQ(end.x, owner->GetPosition().x);
        EXPECT_EQ(step.finished, controller.IsSpawnFinished()) << controller.GetSpawnTimer();
    }

    controller.SpawnExit();
    EXPECT_EQ(end.y, owner->GetPosition().y);
    EXPECT_EQ(end.z, owner->GetPosition().z);
    EXPECT_FALSE(owner->m_Spawning);
    EXPECT_EQ(Vesk::BODY_DYNAMIC, owner->GetBody()->GetBodyType());
    const CVector3D world = Vesk::CPhysicsSystem::GetInstance().GetGravity();
    EXPECT_FLOAT_EQ(world.y, owner->GetBody()->GetGravity().y);
    EXPECT_EQ(nullptr, controller.GetSpawnMesh());
    EXPECT_TRUE(Game::CSprite3DManager::GetInstance().GetSprites().empty());

    // A controller destroyed mid-spawn takes its marker with it.
    controller.SpawnEnter();
    Factory().DestroyEntity(owner);
    EXPECT_TRUE(Game::CSprite3DManager::GetInstance().GetSprites().empty());
}

TEST_F(CControllerManagerTest, TargetsAndDetach)
{
    CCharacter* owner = MakeDriven("owner");
    CCharacter* target = MakeDriven("target");
    ScriptedController& controller = Scripted(*owner);

    controller.SetTargetPosition(CVector3D(1, 2, 3));
    EXPECT_EQ(Game::TARGET_POINT, controller.GetTargetKind());
    controller.SetTarget(nullptr);
    EXPECT_EQ(Game::TARGET_POINT, controller.GetTargetKind()) << "null is ignored";
    controller.SetTarget(target);
    EXPECT_EQ(Game::TARGET_ENTITY, controller.GetTargetKind());
    EXPECT_EQ(target, controller.GetTarget());
    Factory().DestroyEntity(target);
    EXPECT_EQ(nullptr, controller.GetTarget()) << "a destroyed target reads null";

    controller.Detach();
    EXPECT_EQ(nullptr, controller.GetOwner());
    EXPECT_EQ(Game::TARGET_ENTITY, controller.GetTargetKind()) << "Detach keeps the kind";
    controller.ClearTarget();
    EXPECT_EQ(Game::TARGET_NONE, controller.GetTargetKind());

    // Only a character can be driven.
    Game::ControllerSetting setting;
    setting.m_Owner = Game::EntityHandle(Make(Game::GENERIC_ENT, "crate"));
    controller.Attach(setting);
    EXPECT_EQ(nullptr, controller.GetOwner());
    controller.SpawnEnter();
    controller.SpawnUpdate(0.5f);
    controller.SpawnExit();
    EXPECT_EQ(nullptr, controller.GetSpawnMesh());
}

TEST_F(CControllerManagerTest, SharedControllersByNameAndTheirMembersOnBothSides)
{
    Manager().CreateSharedControllers();
    Game::ISharedCharacterController* avoidance = Manager().GetSharedController("globalcollisionavoidance");
    Game::ISharedCharacterController* flock = Manager().GetSharedController("globalattackflock");
    ASSERT_TRUE(avoidance && flock);
    EXPECT_EQ(Game::COLLISION_AVOIDANCE, avoidance->GetType());
    EXPECT_EQ(Game::GENERIC_ATTACK_FLOCK, flock->GetType());
    EXPECT_EQ(nullptr, Manager().GetSharedController("globalattackflock "));
    Manager().CreateSharedControllers();
    EXPECT_EQ(2u, Manager().GetSharedControllers().size());
    EXPECT_EQ(avoidance, Manager().GetSharedController("globalcollisionavoidance")) << "the first one stays";
    EXPECT_EQ(nullptr, Manager().CreateSharedController(99, "other")) << "no creator";

    CCharacter* a = MakeDriven("a");
    CCharacter* b = MakeDriven("b");
    flock->AddMember(a);
    flock->AddMember(a);
    EXPECT_EQ(1u, flock->GetMembers().size());
    EXPECT_EQ(1u, a->GetSharedControllers().size());
    flock->RemoveMember(b);
    EXPECT_EQ(1u, flock->GetMembers().size());
    flock->RemoveMember(a);
    EXPECT_TRUE(flock->GetMembers().empty());
    EXPECT_TRUE(a->GetSharedControllers().empty()) << "removal leaves no stale entry on the character";

    a->JoinSharedController(flock);
    b->JoinSharedController(flock);
    b->JoinSharedController(avoidance);
    flock->Clear();
    EXPECT_TRUE(flock->GetMembers().empty());
    EXPECT_TRUE(a->GetSharedControllers().empty());
    EXPECT_EQ(std::vector<Game::ISharedCharacterController*>{avoidance}, b->GetSharedControllers());

    // Released first with members left (the end of play): the members forget them, and a member
    // that dies afterwards touches nothing freed.
    a->JoinSharedController(avoidance);
    Manager().ReleaseSharedControllers();
    EXPECT_TRUE(Manager().GetSharedControllers().empty());
    EXPECT_TRUE(a->GetSharedControllers().empty());
    EXPECT_TRUE(b->GetSharedControllers().empty());
    b->Die();
    Factory().DestroyEntity(a);
}
