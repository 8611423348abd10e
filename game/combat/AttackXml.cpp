#include "game/combat/AttackXml.h"

#include <algorithm>

namespace Game {

namespace {

using Vesk::CXmlElement;

float FloatOf(const CXmlElement& element, const char* attribute)
{
    float value = 0.0f;
    element.GetFloatAttribute(attribute, &value, 0.0f);
    return value;
}

int IntOf(const CXmlElement& element, const char* attribute)
{
    int value = 0;
    element.GetIntAttribute(attribute, &value, 0);
    return value;
}

std::string TextOf(const CXmlElement& element, const char* attribute)
{
    const char* text = element.GetAttribute(attribute);
    return text ? text : "";
}

CVector3D VectorOf(const CXmlElement& element, const char* a, const char* b, const char* c)
{
    return CVector3D(FloatOf(element, a), FloatOf(element, b), FloatOf(element, c));
}

void ReadMovement(const CXmlElement& movement, AttackRecord& record)
{
    for (CXmlElement child = movement.FirstChildElement(); child != nullptr; ++child) {
        const std::string name = child.GetName();
        if (name == "type") {
            record.m_MovementType = IntOf(child, "val");
        } else if (name == "direction") {
            // A zero vector stays zero.
            record.m_Direction = VectorOf(child, "forward", "height", "depth").GetNormalized();
        } else if (name == "speed") {
            record.m_Speed = FloatOf(child, "val");
        }
    }
}

void ReadSounds(const CXmlElement& sound, AttackRecord& record)
{
    for (CXmlElement child = sound.FirstChildElement(); child != nullptr; ++child) {
        const std::string name = child.GetName();
        if (name == "onUse")
            record.m_UseSound = TextOf(child, "setting");
        else if (name == "onHit")
            record.m_HitSound = TextOf(child, "setting");
        else if (name == "onDie")
            record.m_DieSound = TextOf(child, "setting");
    }
}

void ReadAttack(const CXmlElement& attack, AttackRecord& record)
{
    for (CXmlElement child = attack.FirstChildElement(); child != nullptr; ++child) {
        const std::string name = child.GetName();
        if (name == "pos_offset_from_user") {
            record.m_OffsetFromUser = VectorOf(child, "forward", "height", "right");
        } else if (name == "dimension") {
            record.m_Dimension = VectorOf(child, "x", "y", "z");
        } else if (name == "destroy_on_contact") {
            record.m_DestroyOnContact = IntOf(child, "val") > 0;
        } else if (name == "damage") {
            record.m_Damage = IntOf(child, "val");
        } else if (name == "delay") {
            record.m_Delay = FloatOf(child, "val");
        } else if (name == "persist") {
            record.m_Persist = FloatOf(child, "val");
        } else if (name == "selfstun") {
            record.m_SelfStun = FloatOf(child, "val");
        } else if (name == "stun") {
            record.m_Stun = FloatOf(child, "val");
        } else if (name == "knockback") {
            record.m_Knockback = FloatOf(child, "val");
        } else if (name == "knockup") {
            record.m_Knockup = FloatOf(child, "val");
        } else if (name == "hits") {
            // Hit effects are divided by it.
            record.m_Hits = std::max(1, IntOf(child, "val"));
        } else if (name == "movement") {
            ReadMovement(child, record);
        } else if (name == "visual") {
            const CXmlElement mesh = child.FirstChildElement("mesh");
            if (mesh != nullptr)
                record.m_Mesh = TextOf(mesh, "name");
        } else if (name == "sound") {
            ReadSounds(child, record);
        }
    }
}

} // namespace

void ReadAttackDefinitions(const CXmlElement& attacks, AttackDefinitions& definitions)
{
    // Fields an attack omits keep the previous attack's values: the file format relies on it.
    AttackRecord working;
    for (CXmlElement attack = attacks.FirstChildElement(); attack != nullptr; ++attack) {
        working.m_MovementType = ATTACK_STAYS;
        ReadAttack(attack, working);
        definitions.emplace(attack.GetName(), working);
    }
}

bool LoadAttackDefinitions(const std::string& path, AttackDefinitions& definitions)
{
    Vesk::CXmlDocument document;
    if (!document.Load(path))
        return false;
    const CXmlElement root = document.GetRoot();
    if (root.GetName() != "attacks")
        return false;
    ReadAttackDefinitions(root, definitions);
    return true;
}

} // namespace Game
