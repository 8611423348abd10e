// Reading the attack file: carried-over fields, the hits floor, destroy on contact, direction
// normalising, case-sensitive element names, first-wins duplicates and files that do not load.
#include "game/combat/AttackXml.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cmath>

using Game::AttackDefinitions;
using Game::AttackRecord;

namespace {

const char* const kFixture = R"(<attacks>
  <First>
    <damage val="12"/><hits val="0"/><destroy_on_contact val="2"/>
    <movement><type val="2"/><direction forward="3" height="0" depth="4"/><speed val="9"/></movement>
    <visual><mesh name="drill"/></visual>
    <sound><onUse setting="swing"/><onHit setting="bonk"/><onDie setting="poof"/></sound>
    <dimension x="1" y="2" z="3"/><pos_offset_from_user forward="2" height="1" right="3"/>
    <persist val="0.4"/>
  </First>
  <Second><hits val="-1"/><destroy_on_contact val="0"/></Second>
  <Third>
    <hits/><destroy_on_contact val="-1"/><Damage val="99"/>
    <movement><direction forward="0" height="0" depth="0"/></movement>
  </Third>
  <First><damage val="77"/></First>
  <Fourth><hits val="4"/><visual><mesh/></visual><sound><onHit/></sound></Fourth>
</attacks>)";

TEST(AttackXmlTest, FieldsCarryOverAndAreCleanedAsRead)
{
    testsupport::ScratchDir dir;
    testsupport::WriteFile(dir.File("attacks.xml"), kFixture);
    AttackDefinitions definitions;
    ASSERT_TRUE(Game::LoadAttackDefinitions(dir.File("attacks.xml"), definitions));
    ASSERT_EQ(4u, definitions.size());

    const struct {
        const char* name;
        int damage;
        int hits;
        bool destroyOnContact;
        int movement;
        float directionX, directionZ;
        const char* mesh;
        const char* hitSound;
    } rows[] = {
        // hits 0 -> 1; destroy 2 -> true; (3, 0, 4) normalised.
        {"First", 12, 1, true, 2, 0.6f, 0.8f, "drill", "bonk"},
        // Damage, direction, mesh and sounds carry over; only the movement type is reset.
        {"Second", 12, 1, false, 0, 0.6f, 0.8f, "drill", "bonk"},
        // "hits" without "val" -> 1; "Damage" is not "damage"; a zero direction stays zero.
        {"Third", 12, 1, false, 0, 0.0f, 0.0f, "drill", "bonk"},
        // The duplicate "First" is ignored but still carried its damage over; present elements
        // without their attribute give empty names.
        {"Fourth", 77, 4, false, 0, 0.0f, 0.0f, "", ""},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const AttackRecord& record = definitions.at(row.name);
        EXPECT_EQ(row.damage, record.m_Damage);
        EXPECT_EQ(row.hits, record.m_Hits);
        EXPECT_EQ(row.destroyOnContact, record.m_DestroyOnContact);
        EXPECT_EQ(row.movement, record.m_MovementType);
        EXPECT_FLOAT_EQ(row.directionX, record.m_Direction.x);
        EXPECT_FLOAT_EQ(0.0f, record.m_Direction.y);
        EXPECT_FLOAT_EQ(row.directionZ, record.m_Direction.z);
        EXPECT_FALSE(std::isnan(record.m_Direction.x));
        EXPECT_EQ(row.mesh, record.m_Mesh);
        EXPECT_EQ(row.hitSound, record.m_HitSound);
        EXPECT_EQ("swing", record.m_UseSound);
        EXPECT_FLOAT_EQ(9.0f, record.m_Speed);
        EXPECT_FLOAT_EQ(0.4f, record.m_Persist);
        EXPECT_FLOAT_EQ(3.0f, record.m_OffsetFromUser.z);
        EXPECT_FLOAT_EQ(2.0f, record.m_Dimension.y);
        // A definition is no live attack.
        EXPECT_TRUE(record.m_Name.empty());
        EXPECT_FALSE(record.m_Active);
    }
}

TEST(AttackXmlTest, FilesThatDoNotLoadGiveNoDefinitions)
{
    testsupport::ScratchDir dir;
    testsupport::WriteFile(dir.File("other.xml"), "<moves><Jab><damage val=\"3\"/></Jab></moves>");
    testsupport::WriteFile(dir.File("broken.xml"), "<attacks><Jab>");
    for (const char* file : {"missing.xml", "other.xml", "broken.xml"}) {
        AttackDefinitions definitions;
        EXPECT_FALSE(Game::LoadAttackDefinitions(dir.File(file), definitions)) << file;
        EXPECT_TRUE(definitions.empty()) << file;
    }
}

} // namespace
