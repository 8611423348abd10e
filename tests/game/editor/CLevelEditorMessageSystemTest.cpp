// The edit history and its packets: the history walks and drops its undone tail; every packet
// kind does, undoes and redoes its edit and reports on line 27; a packet whose entity was
// destroyed meanwhile reports so and touches nothing; entities made anew by a redo or an undone
// deletion keep the later edits; terrain undo restores every cell exactly.
#include "EditorTestSupport.h"

#include "game/base/GameEnums.h"
#include "game/entities/CGameTrigger.h"

#include <functional>
#include <sstream>

namespace {

using CLevelEditorMessageSystemTest = editortest::EditorFixture;
using Game::CEntity;
using Game::EntityHandle;

// A packet that records what was done to it in a shared log.
class RecordingPacket : public Game::iLEMessagePacket {
public:
    RecordingPacket(std::string* log, char id) : m_Log(log), m_Id(id) {}
    ~RecordingPacket() override { *m_Log += std::string("~") + m_Id; }
    void Execute() override { *m_Log += std::string("E") + m_Id; }
    void Undo() override { *m_Log += std::string("U") + m_Id; }

private:
    std::string* m_Log;
    char m_Id;
};

TEST_F(CLevelEditorMessageSystemTest, HistoryWalksAndDropsTheUndoneTail)
{
    std::string log;
    History().Undo();
    History().Redo();
    EXPECT_EQ(History().GetCurrentIndex(), -1);

    for (char id : {'a', 'b', 'c'})
        History().AddMessage(std::make_unique<RecordingPacket>(&log, id));
    History().Undo();
    History().Undo();
    EXPECT_EQ(log, "EaEbEcUcUb");
    EXPECT_EQ(History().GetCurrentIndex(), 0);

    History().AddMessage(std::make_unique<RecordingPacket>(&log, 'd'));
    EXPECT_EQ(log, "EaEbEcUcUb~c~bEd");
    EXPECT_EQ(History().GetHistorySize(), 2u);
    History().Redo();
    EXPECT_EQ(log, "EaEbEcUcUb~c~bEd");

    History().Undo();
    History().Undo();
    History().Undo(); // nothing left to undo
    History().Redo();
    EXPECT_EQ(log, "EaEbEcUcUb~c~bEdUdUaEa");
    History().Clear();
    EXPECT_EQ(log, "EaEbEcUcUb~c~bEdUdUaEa~a~d");
    EXPECT_EQ(History().GetCurrentIndex(), -1);
}

class PacketTableTest : public editortest::EditorFixture {
protected:
    void SetUp() override
    {
        EditorFixture::SetUp();
        ASSERT_TRUE(Manager().LoadLevel(""));
        MakeEntities();
    }

    // A crate and a sound trigger in a world with nothing else, and an empty history.
    void MakeEntities()
    {
        History().Clear();
        Factory().Clear();
        m_Crate = EntityHandle(Factory().CreateEntity(Game::DESTRUCTIBLE_OBJECT, "crate", Game::EntitySetting()));
        m_Sound = EntityHandle(Factory().CreateGameTrigger(Game::SOUND_TRIGGER, "sound", Game::EntitySetting(),
                                                           Game::GameTriggerSetting()));
        ASSERT_NE(m_Crate.Get(), nullptr);
        ASSERT_NE(m_Sound.GetAs<Game::CGameTrigger>(), nullptr);
        m_Crate.Get()->SetPosition(CVector3D(10.0f, 4.0f, 2.0f));
    }

    // The part of the world the packets change: the live names, the crate's place and the sound
    // trigger's links.
    std::string World() const
    {
        std::ostringstream text;
        for (const std::string& name : LiveNames())
            text << name << ' ';
        if (CEntity* crate = Factory().GetEntityByName("crate")) {
            const CVector3D& p = crate->GetPosition();
            const CVector3D& d = crate->GetDirection();
            text << "| crate at " << p.x << ',' << p.y << ',' << p.z << " facing " << d.x << ',' << d.y << ',' << d.z;
        }
        if (auto* sound = m_Sound.GetAs<Game::CGameTrigger>()) {
            text << " | triggering";
            for (CEntity* e : sound->GetTriggeringEntities())
                text << ' ' << e->GetName();
            text << " | slaves";
            for (const auto& entry : sound->GetSlaveEntries())
                text << ' ' << entry.first << ':' << entry.second->GetName();
        }
        return text.str();
    }

    EntityHandle m_Crate, m_Sound;
};

struct PacketRow {
    const char* kind;
    std::function<std::unique_ptr<Game::iLEMessagePacket>(CEntity* crate, CEntity* sound)> make;
    const char* executed; // line 27 after Execute (and after Redo)
    const char* undone;   // line 27 after Undo ("" when the packet writes nothing)
};

std::vector<PacketRow> PacketRows()
{
    return {
        {"create",
         [](CEntity*, CEntity*) {
             auto p = std::make_unique<Game::CreateEntityMessagePacket>();
             p->m_EntityType = Game::DESTRUCTIBLE_OBJECT;
             p->m_EntitySettingPrefabName = "barrel";
             return p;
         },
         "Entity successfully created.", "Undo entity creation successful."},
        {"delete", [](CEntity* crate, CEntity*) { return std::make_unique<Game::DeleteEntityMessagePacket>(crate); },
         "Entity deleted: crate", "Undo entity deletion successful."},
        {"move",
         [](CEntity* crate, CEntity*) {
             auto p = std::make_unique<Game::MoveEntityMessagePacket>();
             p->m_Entity = EntityHandle(crate);
             p->m_OldPosition = crate->GetPosition();
             p->m_NewPosition = CVector3D(1.5f, 0.0f, -20.0f);
             p->m_OldDirection = p->m_NewDirection = crate->GetDirection();
             return p;
         },
         "Entity moved: Position set to x : 1.5y : 0z : -20", "Undo: Position set to x : 10y : 4z : 2"},
        {"rotate",
         [](CEntity* crate, CEntity*) {
             auto p = std::make_unique<Game::MoveEntityMessagePacket>();
             p->m_Entity = EntityHandle(crate);
             p->m_OldPosition = p->m_NewPosition = crate->GetPosition();
             p->m_OldDirection = crate->GetDirection();
             p->m_NewDirection = CVector3D(1.0f, 0.0f, 0.0f);
             return p;
         },
         "Entity moved: Position set to x : 10y : 4z : 2", "Undo: Position set to x : 10y : 4z : 2"},
        {"properties",
         [](CEntity* crate, CEntity*) {
             auto p = std::make_unique<Game::EntityPropertiesMessagePacket>(crate);
             p->m_New.name = "box";
             p->m_New.position = CVector3D(0.0f, 1.0f, 2.0f);
             return p;
         },
         "Entity properties set: box", "Undo: entity properties restored: crate"},
        {"link",
         [](CEntity* crate, CEntity* sound) {
             auto p = std::make_unique<Game::LinkEntityMessagePacket>();
             p->m_FirstEntity = EntityHandle(crate);
             p->m_SecondEntity = EntityHandle(sound);
             p->m_LinkMode = 1;
             p->m_SlaveGroup = 2;
             return p;
         },
         "Entity successfully linked", ""},
        {"unlink",
         [](CEntity* crate, CEntity* sound) {
             static_cast<Game::CGameTrigger*>(sound)->AddTriggeringEntity(crate);
             auto p = std::make_unique<Game::UnlinkEntitiesMessagePacket>();
             p->m_Trigger = EntityHandle(sound);
             p->m_Triggering = true;
             return p;
         },
         "GameTrigger successfully unlinked connected entities", ""},
    };
}

TEST_F(PacketTableTest, EachKindExecutesUndoesAndRedoes)
{
    for (const PacketRow& row : PacketRows()) {
        SCOPED_TRACE(row.kind);
        MakeEntities();
        auto packet = row.make(m_Crate.Get(), m_Sound.Get());
        const std::string before = World();
        Vesk::CDebugOutputManager::GetInstance().SetLine("", Game::kEditorMessageLine);

        History().AddMessage(std::move(packet));
        const std::string executed = World();
        EXPECT_NE(executed, before);
        EXPECT_EQ(Line27(), row.executed);

        Vesk::CDebugOutputManager::GetInstance().SetLine("", Game::kEditorMessageLine);
        History().Undo();
        EXPECT_EQ(World(), before);
        EXPECT_EQ(Line27(), row.undone);

        History().Redo();
        EXPECT_EQ(Line27(), row.executed);
        if (std::string(row.kind) != "create") { // a redone creation makes the next default name
            EXPECT_EQ(World(), executed);
        }
        History().Undo();
        EXPECT_EQ(World(), before);
    }
}

TEST_F(PacketTableTest, EachKindIsSafeOnceItsEntityWasDestroyed)
{
    for (const PacketRow& row : PacketRows()) {
        SCOPED_TRACE(row.kind);
        MakeEntities();
        const bool create = std::string(row.kind) == "create";
        History().AddMessage(row.make(m_Crate.Get(), m_Sound.Get()));
        // The entity the packet works on goes outside the history: the created one, or the crate
        // and the trigger (a deleted crate was already destroyed by the packet itself).
        if (create)
            Factory().DestroyEntity(
                static_cast<Game::CreateEntityMessagePacket*>(History().GetPacket(0))->m_ResultantEntity.Get());
        Factory().DestroyEntity(m_Crate.Get());
        Factory().DestroyEntity(m_Sound.Get());
        const std::string world = World();

        History().Undo();
        if (std::string(row.kind) == "delete") {
            // The deletion itself kept what it needs to make the crate again.
            EXPECT_EQ(Line27(), "Undo entity deletion successful.");
            EXPECT_NE(Factory().GetEntityByName("crate"), nullptr);
            continue;
        }
        EXPECT_EQ(Line27(), Game::kEditEntityGone);
        EXPECT_EQ(World(), world);
        if (create)
            continue; // its redo makes a fresh entity
        History().Redo();
        EXPECT_EQ(Line27(), Game::kEditEntityGone);
        EXPECT_EQ(World(), world);
    }
}

TEST_F(PacketTableTest, EditsFollowAnEntityMadeAnewByRedoOrUndoneDeletion)
{
    auto create = std::make_unique<Game::CreateEntityMessagePacket>();
    create->m_EntityType = Game::DESTRUCTIBLE_OBJECT;
    Game::CreateEntityMessagePacket* creation = create.get();
    History().AddMessage(std::move(create));
    auto move = std::make_unique<Game::MoveEntityMessagePacket>();
    move->m_Entity = creation->m_ResultantEntity;
    move->m_NewPosition = CVector3D(7.0f, 8.0f, 9.0f);
    move->m_NewDirection = CVector3D(0.0f, 0.0f, 1.0f);
    History().AddMessage(std::move(move));
    History().AddMessage(std::make_unique<Game::DeleteEntityMessagePacket>(creation->m_ResultantEntity.Get()));

    History().Undo(); // the deleted entity is made again
    History().Undo(); // the move is undone on it
    History().Undo(); // and the creation removes it
    EXPECT_EQ(creation->m_ResultantEntity.Get(), nullptr);
    History().Redo();
    History().Redo(); // the move reaches the entity the redo made
    CEntity* made = creation->m_ResultantEntity.Get();
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(terraintest::V(made->GetPosition()), terraintest::V(CVector3D(7.0f, 8.0f, 9.0f)));
    History().Redo();
    EXPECT_EQ(creation->m_ResultantEntity.Get(), nullptr);
}

TEST_F(PacketTableTest, LinkDecisionTable)
{
    CEntity* modifier = Factory().CreateGameTrigger(Game::TRIGGERMODIFIER_TRIGGER, "modifier", Game::EntitySetting(),
                                                    Game::GameTriggerSetting());
    CEntity* other =
        Factory().CreateGameTrigger(Game::SOUND_TRIGGER, "other", Game::EntitySetting(), Game::GameTriggerSetting());
    ASSERT_NE(modifier, nullptr);
    struct Row {
        CEntity* first;
        CEntity* second;
        uint32_t mode;
        const char* message;
        CEntity* slaveOfModifier;
    } rows[] = {
        {m_Crate.Get(), Factory().CreateEntity(Game::DESTRUCTIBLE_OBJECT, "crate2", Game::EntitySetting()), 1,
         "Failed to link entities. Both types are units!", nullptr},
        {m_Sound.Get(), other, 0, "Cannot add a trigger as a triggering entity to this trigger", nullptr},
        {m_Sound.Get(), other, 1, "Neither Trigger is of type TRIGGERMODIFIER_TRIGGER", nullptr},
        {other, modifier, 1, "Triggers successfully linked", other},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.message);
        auto p = std::make_unique<Game::LinkEntityMessagePacket>();
        p->m_FirstEntity = EntityHandle(row.first);
        p->m_SecondEntity = EntityHandle(row.second);
        p->m_LinkMode = row.mode;
        History().AddMessage(std::move(p));
        EXPECT_EQ(Line27(), row.message);
        const auto slaves = static_cast<Game::CGameTrigger*>(modifier)->GetSlaveEntities();
        EXPECT_EQ(slaves, row.slaveOfModifier ? std::vector<CEntity*>{row.slaveOfModifier} : std::vector<CEntity*>{});
    }
}

TEST_F(PacketTableTest, UnlinkUndoRedoUndoRestoresEachLinkOnce)
{
    auto* sound = m_Sound.GetAs<Game::CGameTrigger>();
    CEntity* crate2 = Factory().CreateEntity(Game::DESTRUCTIBLE_OBJECT, "crate2", Game::EntitySetting());
    sound->AddSlaveEntity(m_Crate.Get(), 0);
    sound->AddSlaveEntity(crate2, 2);
    const std::string linked = World();
    auto p = std::make_unique<Game::UnlinkEntitiesMessagePacket>();
    p->m_Trigger = m_Sound;
    History().AddMessage(std::move(p));
    EXPECT_EQ(sound->GetSlaveEntries().size(), 0u);
    History().Undo();
    History().Redo();
    History().Undo();
    EXPECT_EQ(World(), linked);

    auto none = std::make_unique<Game::UnlinkEntitiesMessagePacket>();
    History().AddMessage(std::move(none));
    EXPECT_EQ(Line27(), "No entity selected");
}

TEST_F(PacketTableTest, CreationOfAnUnregisteredTypeStaysInTheHistory)
{
    auto p = std::make_unique<Game::CreateEntityMessagePacket>();
    p->m_EntityType = 8; // no creator
    History().AddMessage(std::move(p));
    EXPECT_EQ(Line27(), "Failed to create entity. Has it been registered?");
    EXPECT_EQ(History().GetHistorySize(), 1u);
    History().Undo();
    EXPECT_EQ(Line27(), "Cannot undo message: no ResultantEntity");
}

// Terrain

using Cells = std::vector<Game::TerrainCell>;

Cells Snapshot(const Game::CTerrain& terrain, unsigned maxWidth, unsigned maxDepth)
{
    Cells cells;
    for (unsigned h = 0; h < Game::MAX_HEIGHT; ++h)
        for (unsigned d = 0; d < maxDepth; ++d)
            for (unsigned w = 0; w < maxWidth; ++w)
                cells.push_back(terrain.GetCell(Game::BlockPosition(w, d, h)));
    return cells;
}

TEST_F(PacketTableTest, TerrainUndoRestoresEveryCellExactly)
{
    Game::CTerrain& terrain = *Manager().GetTerrain();
    // A red block on the slab, a green column up to the top, and a painted empty cell.
    terrain.SetBlock(Game::BlockPosition(3, 3, 1), CVector3D(255.0f, 0.0f, 0.0f), 1);
    for (unsigned h = 1; h < Game::MAX_HEIGHT; ++h)
        terrain.SetBlock(Game::BlockPosition(6, 2, h), CVector3D(0.0f, 255.0f, 0.0f), 1);
    terrain.PaintBlocks({Game::BlockPosition(4, 3, 1)}, CVector3D(9.0f, 8.0f, 7.0f));
    const Cells original = Snapshot(terrain, 12, 8);

    struct Row {
        const char* name;
        bool adding, column;
        uint32_t count;
        std::vector<Game::BlockPosition> positions;
    } rows[] = {
        {"add over a filled block", true, false, 1, {{3, 3, 1}, {4, 3, 1}, {5, 3, 1}}},
        {"raise past the top", true, true, 5, {{6, 2, 0}, {7, 2, 0}, {7, 2, 0}}},
        {"dig coloured blocks", false, true, 2, {{3, 3, 0}, {6, 2, 0}}},
        {"remove blocks", false, false, 1, {{3, 3, 1}, {3, 3, 0}, {9, 9, 9}}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        auto p = std::make_unique<Game::TerrainMessagePacket>();
        p->m_Adding = row.adding;
        p->m_Column = row.column;
        p->m_Count = row.count;
        p->m_Positions = row.positions;
        p->m_Colour = row.adding ? CVector3D(0.0f, 0.0f, 255.0f) : CVector3D(255.0f, 255.0f, 255.0f);
        History().AddMessage(std::move(p));
        const Cells edited = Snapshot(terrain, 12, 8);
        EXPECT_NE(edited, original);
        History().Undo();
        EXPECT_EQ(Snapshot(terrain, 12, 8), original);
        terraintest::ExpectMeshMatchesGrid(terrain);
        History().Redo();
        EXPECT_EQ(Snapshot(terrain, 12, 8), edited);
        History().Undo();
        EXPECT_EQ(Snapshot(terrain, 12, 8), original);
    }
}

TEST(RegionBuilderTest, CountsAndClipping)
{
    using Game::BlockPosition;
    std::vector<BlockPosition> out;
    Game::AppendBoxRegion(out, BlockPosition(1, 1, 1), BlockPosition(3, 2, 4));
    EXPECT_EQ(out.size(), 6u);
    out.clear();
    Game::AppendBoxRegion(out, BlockPosition(3, 1, 1), BlockPosition(3, 2, 4));
    EXPECT_TRUE(out.empty());

    struct Row {
        const char* name;
        bool circle;
        BlockPosition centre;
        uint32_t size;
        int height;
        size_t count;
    } rows[] = {
        {"diamond side 1", false, {5, 5, 5}, 1, 1, 1},
        {"diamond side 2 at x 0", false, {0, 5, 5}, 2, 1, 4},
        {"diamond side 0", false, {5, 5, 5}, 0, 1, 0},
        {"pyramid side 3 height 3", false, {5, 5, 5}, 3, 3, 13 + 5 + 1},
        {"downward pyramid near the floor", false, {5, 5, 1}, 3, -3, 5 + 13},
        {"circle radius 1", true, {5, 5, 5}, 1, 1, 9},
        {"circle at the far corner", true, {249, 249, 49}, 1, 1, 4},
        {"circle of height 0", true, {5, 5, 5}, 1, 0, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        out.clear();
        if (row.circle)
            Game::AppendCircleRegion(out, row.centre, row.size, row.height, 250, 250, 50);
        else
            Game::AppendDiamondRegion(out, row.centre, row.size, row.height, 250, 250, 50);
        EXPECT_EQ(out.size(), row.count);
        for (const BlockPosition& p : out)
            EXPECT_TRUE(p.IsInGrid());
    }
}

} // namespace
