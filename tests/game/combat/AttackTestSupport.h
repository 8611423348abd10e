// A fixture for the attack tests: the world with sounds, attack definitions written from compact
// records into a scratch file and loaded by the attack pool, a jolt-recording camera as the
// current camera, the debug log and a clean freeze timer.
#pragma once

#include "../entities/SoundTestSupport.h"

#include "debug/CDebugOutputManager.h"
#include "frame/CGameManager.h"
#include "game/base/ICameraJolts.h"
#include "game/combat/CAttackPool.h"
#include "game/entities/CCharacter.h"
#include "render/CCamera.h"
#include "render/CCameraManager.h"
#include "render/CRenderer.h"

#include <sstream>
#include <string>
#include <utility>
#include <vector>

namespace attacktest {

// Records every jolt as "shake 6.25" or "punch 0.75 1 0".
class RecordingCamera : public Vesk::CCamera, public Game::ICameraJolts {
public:
    static inline std::vector<std::string> s_Jolts;

    void AddShake(float amount) override { s_Jolts.push_back("shake " + Text(amount)); }
    void AddPunch(float amount, float directionX, float directionY) override
    {
        s_Jolts.push_back("punch " + Text(amount) + " " + Text(directionX) + " " + Text(directionY));
    }

private:
    static std::string Text(float value)
    {
        std::ostringstream out;
        out << value;
        return out.str();
    }
};

// Every field of one attack; the file gets them all, so nothing carries over between attacks.
struct AttackDef {
    explicit AttackDef(std::string attackName) : name(std::move(attackName)) {}

    std::string name;
    int damage = 5;
    int hits = 1;
    float delay = 0.0f;
    float persist = 1.0f;
    float stun = 0.0f;
    float selfstun = 0.0f;
    float knockback = 0.0f;
    float knockup = 0.0f;
    int destroyOnContact = 0;
    int movement = 0;
    CVector3D direction{1.0f, 0.0f, 0.0f};
    float speed = 0.0f;
    // (forward, height, right) and the box size.
    CVector3D offset{3.0f, 0.0f, 0.0f};
    CVector3D dimension{4.0f, 4.0f, 4.0f};
    std::string mesh;
    std::string useSound = "swing";
    std::string hitSound = "bonk";
    std::string dieSound = "poof";
};

inline std::string AttackXml(const AttackDef& d)
{
    std::ostringstream x;
    x << "<" << d.name << ">"
      << "<pos_offset_from_user forward=\"" << d.offset.x << "\" height=\"" << d.offset.y << "\" right=\"" << d.offset.z
      << "\"/>"
      << "<dimension x=\"" << d.dimension.x << "\" y=\"" << d.dimension.y << "\" z=\"" << d.dimension.z << "\"/>"
      << "<destroy_on_contact val=\"" << d.destroyOnContact << "\"/><damage val=\"" << d.damage << "\"/>"
      << "<delay val=\"" << d.delay << "\"/><persist val=\"" << d.persist << "\"/><selfstun val=\"" << d.selfstun
      << "\"/><stun val=\"" << d.stun << "\"/><knockback val=\"" << d.knockback << "\"/><knockup val=\"" << d.knockup
      << "\"/><hits val=\"" << d.hits << "\"/>"
      << "<movement><type val=\"" << d.movement << "\"/><direction forward=\"" << d.direction.x << "\" height=\""
      << d.direction.y << "\" depth=\"" << d.direction.z << "\"/><speed val=\"" << d.speed << "\"/></movement>"
      << "<visual><mesh name=\"" << d.mesh << "\"/></visual>"
      << "<sound><onUse setting=\"" << d.useSound << "\"/><onHit setting=\"" << d.hitSound << "\"/><onDie setting=\""
      << d.dieSound << "\"/></sound>"
      << "</" << d.name << ">";
    return x.str();
}

class AttackFixture : public worldtest::SoundFixture {
protected:
    void SetUp() override
    {
        SoundFixture::SetUp();
        AddSounds({"swing", "bonk", "poof", "deflect", "boar_headbutt"});
        ASSERT_TRUE(Vesk::CCameraManager::GetInstance().Init());
        Vesk::CRenderer::GetInstance().SetBackBufferSize(800, 600, true);
        ASSERT_TRUE(Vesk::CDebugOutputManager::GetInstance().Init());
        Vesk::CCameraManager::GetInstance().CreateCamera<RecordingCamera>("sidescrolling", true);
        RecordingCamera::s_Jolts.clear();
        Vesk::CGameManager::GetInstance().m_FreezeTimer = 0.0f;
        ASSERT_TRUE(Pool().Init());
    }

    void TearDown() override
    {
        Pool().Shutdown();
        Pool().LoadDefinitions(m_Dir.File("none.xml"));
        Vesk::CDebugOutputManager::GetInstance().Shutdown();
        Vesk::CCameraManager::GetInstance().Shutdown();
        SoundFixture::TearDown();
    }

    static Game::CAttackPool& Pool() { return Game::CAttackPool::GetInstance(); }

    void Define(const std::vector<AttackDef>& attacks)
    {
        std::string xml = "<attacks>";
        for (const AttackDef& attack : attacks)
            xml += AttackXml(attack);
        testsupport::WriteFile(m_Dir.File("attacks.xml"), xml + "</attacks>");
        ASSERT_TRUE(Pool().LoadDefinitions(m_Dir.File("attacks.xml")));
    }

    // A character with a recording controller at the position, facing +x.
    Game::CCharacter* MakeCharacter(const std::string& name, const CVector3D& position, int health = 50)
    {
        Game::EntitySetting setting;
        setting.m_HealthPoints = health;
        setting.m_ControllerType = worldtest::RecordingController::kType;
        setting.m_StartPosition = position;
        setting.m_Direction = CVector3D(1.0f, 0.0f, 0.0f);
        auto* character = dynamic_cast<Game::CCharacter*>(Make(Game::GENERIC_CHARACTER, name, setting));
        EXPECT_NE(nullptr, character);
        return character;
    }

    static std::string LastLogLine()
    {
        return Vesk::CDebugOutputManager::GetInstance().GetLogLine(Vesk::CDebugOutputManager::kLogLineCount - 1);
    }
};

} // namespace attacktest
