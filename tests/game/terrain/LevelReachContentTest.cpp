// The shipped levels crossed on foot. How high a rise a walking character mounts is tried in the
// physics world first: the player and every enemy kind the waves bring walk into rises of one,
// two, ... blocks as their controllers walk them. Then each level's ground (the column heights
// of its terrain, which the characters stand on) is walked from the player's start, climbing no
// more than that: every place the play needs (the columns a wave location's spawns can land on,
// the pickups, crates and triggers) must be reached and left again, and no column reached may be
// a dead end the player cannot walk back from.
#include "TerrainTestSupport.h"

#include "core/CXmlDocument.h"
#include "game/base/CSlotHash.h"
#include "game/base/GameEnums.h"
#include "game/controllers/CControllerManager.h"
#include "game/controllers/CGamePrefabSettings.h"
#include "game/entities/CCharacter.h"
#include "game/entities/CEntityFactory.h"
#include "game/entities/CLocationBasedSpawnerTrigger.h"
#include "game/world/CWaveManager.h"
#include "game/world/TypeRegistration.h"

#include <algorithm>
#include <cmath>
#include <deque>
#include <string>
#include <vector>

namespace {

constexpr float kBlock = 4.0f;
constexpr float kFrame = 1.0f / 60.0f;
// The play state's gravity.
const CVector3D kGravity(0.0f, -200.0f, 0.0f);

class LevelReachContentTest : public terraintest::TerrainFixture {
protected:
    void SetUp() override
    {
        TerrainFixture::SetUp();
        Game::RegisterEntityTypes();
        Game::RegisterControllerTypes();
        Game::CSlotHash::GetInstance().RegisterCollisionGroups();
        Vesk::CPhysicsSystem::GetInstance().SetGravity(kGravity);
        Factory().Shutdown();
        ASSERT_TRUE(Factory().Init());
        ASSERT_TRUE(Game::CGamePrefabSettings::GetInstance().LoadFromXml(testsupport::SourceDir() +
                                                                         "/bin/assets/prefabsettings.xml"));
    }

    void TearDown() override
    {
        Factory().Shutdown();
        Game::CControllerManager::GetInstance().Shutdown();
        Game::CGamePrefabSettings::GetInstance().Shutdown();
        TerrainFixture::TearDown();
    }

    static Game::CEntityFactory& Factory() { return Game::CEntityFactory::GetInstance(); }

    static Game::EntitySetting Prefab(const std::string& name)
    {
        return Game::CGamePrefabSettings::GetInstance().GetEntitySetting(Game::GENERIC_CHARACTER, name);
    }

    // The player and the kinds the waves spawn.
    static std::vector<std::string> WalkingKinds()
    {
        std::vector<std::string> kinds = {"player"};
        for (const auto& kind : Game::CWaveManager::kEnemyKinds)
            kinds.push_back(kind.m_PrefabName);
        return kinds;
    }

    // Whether a character of the prefab, walking along +x for four seconds at its pursue speed as
    // its controller walks it (CCharacter::MoveAlong, its rotation locked), gets onto a rise of
    // that many blocks ahead of it; 0 blocks is the flat floor, which shows that the trial walks.
    static bool Mounts(const std::string& prefab, unsigned blocks)
    {
        constexpr unsigned kRiseFrom = 8;
        Game::CTerrain ground(16, 3, 1, kBlock, CVector3D());
        std::vector<Game::BlockPosition> rise;
        for (unsigned w = kRiseFrom; w < 16; ++w)
            for (unsigned d = 0; d < 3; ++d)
                rise.emplace_back(w, d, 0);
        if (blocks > 0)
            ground.RaiseColumns(rise, blocks, CVector3D(1.0f, 1.0f, 1.0f));

        Game::EntitySetting setting = Prefab(prefab);
        setting.m_ControllerType = Game::CONTROLLER_TYPE_COUNT;
        setting.m_Direction = CVector3D(1.0f, 0.0f, 0.0f);
        const float floor = 0.5f * kBlock;
        setting.m_StartPosition = CVector3D(3.0f * kBlock, floor + 0.5f * setting.m_DimY + 0.01f, kBlock);
        auto* walker = dynamic_cast<Game::CCharacter*>(Factory().CreateEntity(Game::GENERIC_CHARACTER, "", setting));
        if (!walker || !walker->GetBody())
            return false;
        walker->GetBody()->SetAngularFactor(false, false, false);
        walker->m_CurrentSpeed = walker->m_PursueSpeed;
        Vesk::CPhysicsSystem& physics = Vesk::CPhysicsSystem::GetInstance();
        const float face = (float(kRiseFrom) - 0.5f) * kBlock;
        bool mounted = false;
        for (int frame = 0; frame < 240 && !mounted; ++frame) {
            physics.ProcessCollisions();
            walker->MoveAlong(CVector3D(1.0f, 0.0f, 0.0f), true);
            Factory().UpdateAll(kFrame);
            physics.StepSimulation(kFrame, 1, kFrame);
            const CVector3D at = walker->GetPosition();
            mounted = at.x > face + 0.5f * setting.m_DimX && at.y > floor + kBlock * float(blocks);
        }
        Factory().DestroyEntity(walker);
        Factory().ProcessPendingDestroys();
        return mounted;
    }
};

// A level's ground: the height of the first free cell of each column (0 for an empty one), for
// the columns the terrain fills.
struct Ground {
    int width = 0, depth = 0;
    std::vector<int> tops;

    explicit Ground(const Game::CTerrain& terrain)
    {
        std::vector<int> all(Game::MAX_WIDTH * Game::MAX_DEPTH, 0);
        for (unsigned d = 0; d < Game::MAX_DEPTH; ++d)
            for (unsigned w = 0; w < Game::MAX_WIDTH; ++w) {
                Game::BlockPosition column(w, d, 0);
                terrain.FindColumnTop(column);
                all[d * Game::MAX_WIDTH + w] = int(column.mBlockHeight);
                if (column.mBlockHeight > 0) {
                    width = std::max(width, int(w) + 1);
                    depth = std::max(depth, int(d) + 1);
                }
            }
        for (int d = 0; d < depth; ++d)
            for (int w = 0; w < width; ++w)
                tops.push_back(all[size_t(d) * Game::MAX_WIDTH + size_t(w)]);
    }

    bool Inside(int w, int d) const { return w >= 0 && d >= 0 && w < width && d < depth; }
    int Top(int w, int d) const { return tops[size_t(d * width + w)]; }
    // The columns reachable from the start, walking (forward) or walking back to it (backward),
    // climbing at most `climb` blocks from one column to its neighbour.
    std::vector<bool> Walk(int w0, int d0, int climb, bool forward) const
    {
        std::vector<bool> seen(tops.size(), false);
        std::deque<std::pair<int, int>> open = {{w0, d0}};
        seen[size_t(d0 * width + w0)] = true;
        while (!open.empty()) {
            const auto [w, d] = open.front();
            open.pop_front();
            for (const auto& [dw, dd] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                const int nw = w + dw, nd = d + dd;
                if (!Inside(nw, nd) || seen[size_t(nd * width + nw)] || Top(nw, nd) == 0)
                    continue;
                const int rise = forward ? Top(nw, nd) - Top(w, d) : Top(w, d) - Top(nw, nd);
                if (rise > climb)
                    continue;
                seen[size_t(nd * width + nw)] = true;
                open.emplace_back(nw, nd);
            }
        }
        return seen;
    }
};

// The column under a point of the level.
std::pair<int, int> ColumnOf(float x, float z) { return {int(std::lround(x / kBlock)), int(std::lround(z / kBlock))}; }

// A place of the level file the play needs to reach: its name, centre and half extents, and
// whether every column it covers must be reached (where spawns land) or any one (a trigger, which
// fires when someone walks into it).
struct Place {
    std::string name;
    float x, z;
    float halfX, halfZ;
    bool everyColumn;
};

TEST_F(LevelReachContentTest, WalkingCharactersMountNoRiseOfABlock)
{
    for (const std::string& kind : WalkingKinds()) {
        SCOPED_TRACE(kind);
        EXPECT_TRUE(Mounts(kind, 0)) << "the trial does not walk on a flat floor";
        EXPECT_FALSE(Mounts(kind, 1)) << "a kind climbs a block: the level walk below must allow it";
    }
}

TEST_F(LevelReachContentTest, EveryPlaceThePlayNeedsIsReachedOnFootAndLeftAgain)
{
    // The highest rise every walking kind mounts, in blocks (tried up to three).
    int climb = 3;
    for (const std::string& kind : WalkingKinds()) {
        int mounted = 0;
        while (mounted < 3 && Mounts(kind, unsigned(mounted + 1)))
            ++mounted;
        climb = std::min(climb, mounted);
    }
    // A spawn lands within the spread of its wave location, turned any way: the widest kind's
    // half diagonal further.
    float body = 0.0f;
    for (const std::string& kind : WalkingKinds()) {
        const Game::EntitySetting setting = Prefab(kind);
        body = std::max(body, 0.5f * std::hypot(setting.m_DimX, setting.m_DimZ));
    }
    const float spawnReach = Game::CLocationBasedSpawnerTrigger::kSpread + body;

    for (const char* name : {"arena2", "emeraldroom", "purpleroom"}) {
        SCOPED_TRACE(name);
        Vesk::CXmlDocument level;
        ASSERT_TRUE(level.Load(testsupport::SourceDir() + "/bin/assets/levels/" + name + ".xml"));
        const Vesk::CXmlElement root = level.GetRoot();
        const std::string terrainName = root.FirstChildElement("terrain").GetAttribute("meshname");
        const Game::CTerrain terrain(terrainName, kBlock);
        const Ground ground(terrain);
        ASSERT_GT(ground.width, 0);

        std::vector<Place> places;
        float startX = -1.0f, startZ = -1.0f;
        for (Vesk::CXmlElement e = root.FirstChildElement(); e != nullptr; ++e) {
            const std::string type = e.GetAttribute("type") ? e.GetAttribute("type") : "";
            float x = 0.0f, z = 0.0f, dimX = 0.0f, dimZ = 0.0f;
            e.GetFloatAttribute("posX", &x, 0.0f);
            e.GetFloatAttribute("posZ", &z, 0.0f);
            e.GetFloatAttribute("dimX", &dimX, 0.0f);
            e.GetFloatAttribute("dimZ", &dimZ, 0.0f);
            const std::string entity = e.GetAttribute("name") ? e.GetAttribute("name") : "";
            if (entity == "player") {
                startX = x;
                startZ = z;
            } else if (type == "WAVELOCATION") {
                places.push_back({entity, x, z, spawnReach, spawnReach, true});
            } else if (type == "PICKUPITEM" || type == "DESTRUCTIBLE_OBJECT") {
                places.push_back({entity, x, z, 0.0f, 0.0f, true});
            } else if (type.size() > 8 && type.compare(type.size() - 8, 8, "_TRIGGER") == 0) {
                places.push_back({entity, x, z, 0.5f * dimX, 0.5f * dimZ, false});
            }
        }
        ASSERT_GE(startX, 0.0f) << "no player";
        const auto [w0, d0] = ColumnOf(startX, startZ);
        ASSERT_TRUE(ground.Inside(w0, d0) && ground.Top(w0, d0) > 0) << "the player starts off the ground";
        const std::vector<bool> there = ground.Walk(w0, d0, climb, true);
        const std::vector<bool> back = ground.Walk(w0, d0, climb, false);

        // Failures are counted and the first one named, so that a bad level reads in a few lines.
        int reached = 0, deadEnds = 0;
        std::string firstDeadEnd;
        for (int d = 0; d < ground.depth; ++d)
            for (int w = 0; w < ground.width; ++w) {
                const size_t i = size_t(d * ground.width + w);
                reached += there[i];
                if (there[i] && !back[i] && deadEnds++ == 0)
                    firstDeadEnd = std::to_string(w) + " " + std::to_string(d);
            }
        EXPECT_EQ(0, deadEnds) << "columns the player cannot walk back from, the first " << firstDeadEnd;
        EXPECT_GT(reached, ground.width * ground.depth / 2) << "most of the floor is out of reach";

        for (const Place& p : places) {
            SCOPED_TRACE(p.name);
            const auto [lowW, lowD] = ColumnOf(p.x - p.halfX, p.z - p.halfZ);
            const auto [highW, highD] = ColumnOf(p.x + p.halfX, p.z + p.halfZ);
            const auto [cw, cd] = ColumnOf(p.x, p.z);
            ASSERT_TRUE(ground.Inside(cw, cd)) << "off the ground";
            int good = 0, bad = 0;
            std::string firstBad;
            for (int d = lowD; d <= highD; ++d)
                for (int w = lowW; w <= highW; ++w) {
                    const size_t i = size_t(d * ground.width + w);
                    if (ground.Inside(w, d) && there[i] && back[i] && ground.Top(w, d) == ground.Top(cw, cd))
                        ++good;
                    else if (bad++ == 0)
                        firstBad = std::to_string(w) + " " + std::to_string(d);
                }
            if (p.everyColumn)
                EXPECT_EQ(0, bad) << "columns out of reach, outside the walls or off the place's floor, the first "
                                  << firstBad;
            else
                EXPECT_GT(good, 0) << "out of reach";
        }
    }
}

} // namespace
