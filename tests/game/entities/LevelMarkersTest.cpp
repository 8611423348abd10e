// Wave locations, collision boxes and camera waypoints: their XML elements saved and loaded back,
// the collision box's static wall body, and marker boxes drawn only under the level editor.
#include "EntityTestSupport.h"

#include "core/CXmlDocument.h"
#include "frame/CGameManager.h"
#include "game/entities/CCameraWaypoint.h"
#include "game/entities/CCollisionBox.h"
#include "game/entities/CWaveLocation.h"
#include "physics/CRigidBody.h"
#include "render/CRenderer.h"
#include "support/TestSupport.h"

namespace {

std::string Attributes(const Vesk::CXmlElement& element)
{
    std::string text;
    for (const auto& attribute : element.GetAttributes())
        text += attribute.first + "=" + attribute.second + " ";
    return text;
}

class NamedState : public Vesk::IGameState {
public:
    explicit NamedState(const std::string& name) : IGameState(name) {}
    void Update(float dt) override { (void)dt; }
};

class LevelMarkersFixture : public worldtest::WorldFixture {
protected:
    // Saves the entity, loads the element into a fresh entity of its type and saves that again.
    std::pair<std::string, std::string> RoundTrip(Game::CEntity& entity, Game::CEntity*& loaded)
    {
        Vesk::CXmlElement element = m_Doc.NewRoot("spatial");
        entity.Save(element);
        const std::string saved = Attributes(element);
        loaded = Factory().CreateUninitialised(entity.GetType());
        loaded->Load(element);
        Vesk::CXmlElement again = m_Doc.NewRoot("spatial");
        loaded->Save(again);
        return {saved, Attributes(again)};
    }

    Vesk::CXmlDocument m_Doc;
};

using CCollisionBoxTest = LevelMarkersFixture;
using CCameraWaypointTest = LevelMarkersFixture;
using CWaveLocationTest = LevelMarkersFixture;

} // namespace

TEST_F(CCollisionBoxTest, KeepsPositionAndSizeThroughXmlAndIsAStaticWall)
{
    Game::EntitySetting setting;
    setting.m_StartPosition = CVector3D(12.5f, 4, -8);
    setting.m_DimX = 40;
    setting.m_DimY = 16;
    setting.m_DimZ = 2.25f;
    setting.m_Direction = CVector3D(1, 0, 0);
    Game::CEntity* box = Make(Game::COLLISIONBOX, "gap", setting);
    Game::CEntity* loaded = nullptr;
    const auto texts = RoundTrip(*box, loaded);
    EXPECT_EQ("name=gap type=COLLISIONBOX posX=12.5 posY=4 posZ=-8 dimX=40 dimY=16 dimZ=2.25 ", texts.first);
    EXPECT_EQ(texts.first, texts.second);

    for (Game::CEntity* entity : {box, loaded}) {
        Vesk::CRigidBody* body = entity->GetBody();
        ASSERT_NE(nullptr, body);
        EXPECT_EQ(Vesk::BODY_STATIC, body->GetBodyType());
        EXPECT_EQ(0.0f, body->GetMass());
        EXPECT_EQ(entity, body->GetOwner());
        const CAABB bounds = body->GetAABB();
        EXPECT_NEAR(40.0f, bounds.max.x - bounds.min.x, 0.1f);
        EXPECT_NEAR(16.0f, bounds.max.y - bounds.min.y, 0.1f);
        EXPECT_EQ(nullptr, entity->GetTransformNode());
    }
}

TEST_F(CCameraWaypointTest, KeepsPositionAndParentThroughXml)
{
    Game::EntitySetting setting;
    setting.m_StartPosition = CVector3D(1, 2.5f, 300000);
    auto* waypoint = dynamic_cast<Game::CCameraWaypoint*>(Make(Game::CAMERAWAYPOINT, "wp1", setting));
    ASSERT_NE(nullptr, waypoint);
    waypoint->SetFollowCamTriggerParentName("introcam");
    Game::CEntity* loaded = nullptr;
    const auto texts = RoundTrip(*waypoint, loaded);
    EXPECT_EQ("name=wp1 type=CAMERAWAYPOINT positionX=1 positionY=2.5 positionZ=300000 "
              "followcamtriggerparentname=introcam ",
              texts.first);
    EXPECT_EQ(texts.first, texts.second);
    EXPECT_EQ(nullptr, loaded->GetBody());
    EXPECT_FLOAT_EQ(3.0f, loaded->GetDimensions().x);

    loaded->Release();
    EXPECT_TRUE(static_cast<Game::CCameraWaypoint*>(loaded)->GetFollowCamTriggerParentName().empty());
}

TEST_F(CWaveLocationTest, KeepsTheEntityAttributesAndHasNoBodyOrNodes)
{
    Game::EntitySetting setting;
    setting.m_StartPosition = CVector3D(-4, 9, 16);
    Game::CEntity* location = Make(Game::WAVELOCATION, "spawn1", setting);
    Game::CEntity* loaded = nullptr;
    const auto texts = RoundTrip(*location, loaded);
    EXPECT_EQ("name=spawn1 type=WAVELOCATION entitysettingprefabname= posX=-4 posY=9 posZ=16 dirX=0 dirY=0 dirZ=-1 ",
              texts.first);
    EXPECT_EQ(texts.first, texts.second);
    EXPECT_EQ(nullptr, loaded->GetBody());
    EXPECT_EQ(nullptr, loaded->GetTransformNode());
    EXPECT_FLOAT_EQ(5.0f, loaded->GetDimensions().y);
}

TEST_F(CWaveLocationTest, MarkersDrawOnlyWhileTheLevelEditorIsOnTop)
{
    // The game manager writes its start-up log where it is first made.
    testsupport::ScratchDir dir;
    testsupport::WorkingDirectory workingDir;
    ASSERT_TRUE(workingDir.Enter(dir.Path()));
    Make(Game::WAVELOCATION, "spawn");
    Make(Game::CAMERAWAYPOINT, "wp");
    Make(Game::COLLISIONBOX, "wall");
    Vesk::CRenderer& renderer = Vesk::CRenderer::GetInstance();

    size_t before = renderer.GetQueuedLines().size();
    renderer.DrawAABB(CAABB(), 0, 0, 0);
    const size_t perBox = renderer.GetQueuedLines().size() - before;
    ASSERT_GT(perBox, 0u);
    before = renderer.GetQueuedLines().size();
    Factory().UpdateAll(0.1f); // no state at all: in play
    EXPECT_EQ(before, renderer.GetQueuedLines().size());

    Vesk::CGameManager::GetInstance().PushState(new NamedState("LevelEditorState"));
    ASSERT_EQ("LevelEditorState", Vesk::CGameManager::GetInstance().GetCurrentState()->GetName());
    Factory().UpdateAll(0.1f);
    EXPECT_EQ(before + 2 * perBox, renderer.GetQueuedLines().size()) << "a wave location and a waypoint";
    // The manager's shutdown takes the state down with the managers it brought up.
    Vesk::CGameManager::GetInstance().Shutdown();
}
