// The attack file under bin/assets: every attack the game spawns is there with every field given
// (so nothing carries over by accident), with a real box and timings that make sense for its use.
#include "../content/CodeNames.h"
#include "game/combat/AttackXml.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <string>

namespace {

const char* const kFields[] = {"pos_offset_from_user",
                               "dimension",
                               "destroy_on_contact",
                               "damage",
                               "hits",
                               "delay",
                               "persist",
                               "selfstun",
                               "stun",
                               "knockback",
                               "knockup",
                               "movement",
                               "visual",
                               "sound"};

std::string AssetsDir() { return testsupport::SourceDir() + "/bin/assets"; }

TEST(AttackContentTest, EveryAttackIsCompleteAndPlayable)
{
    Vesk::CXmlDocument document;
    ASSERT_TRUE(document.Load(AssetsDir() + "/attacks.xml"));
    for (Vesk::CXmlElement attack = document.GetRoot().FirstChildElement(); attack != nullptr; ++attack) {
        for (const char* field : kFields)
            EXPECT_TRUE(attack.FirstChildElement(field) != nullptr) << attack.GetName() << " lacks " << field;
    }

    Game::AttackDefinitions attacks;
    ASSERT_TRUE(Game::LoadAttackDefinitions(AssetsDir() + "/attacks.xml", attacks));
    for (const std::string& name : contentcheck::kCodeAttacks) {
        SCOPED_TRACE(name);
        ASSERT_EQ(1u, attacks.count(name));
        const Game::AttackRecord& attack = attacks.at(name);
        EXPECT_GT(attack.m_Dimension.x * attack.m_Dimension.y * attack.m_Dimension.z, 0.0f);
        EXPECT_GT(attack.m_Persist, 0.0f);
        EXPECT_GE(attack.m_Delay, 0.0f);
        if (attack.m_MovementType == Game::ATTACK_FLIES) {
            EXPECT_GT(attack.m_Speed, 0.0f);
            EXPECT_GT(attack.m_Direction.Length(), 0.5f);
        }
    }
    // The combo window (delay + persist) outlasts twice the swing's own lock: a steady press that
    // comes just before the player is free is lost, and the next one must still be in time.
    for (const char* swing : {"FirstSwing", "SecondSwing"}) {
        const Game::AttackRecord& attack = attacks.at(swing);
        EXPECT_GT(attack.m_Delay + attack.m_Persist, 2.0f * attack.m_SelfStun) << swing;
    }
    // The boss falls for the jump smash's persist time.
    EXPECT_GT(attacks.at("TreantJumpSmash").m_Persist, 0.0f);
    EXPECT_EQ("boar_headbutt", attacks.at("BoarHeadbutt").m_UseSound);
}

} // namespace
