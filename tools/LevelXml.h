// The level files of the generated levels: the objects placed in a level and the XML they are
// written as, element for element and attribute for attribute as the level manager saves a
// loaded level (children of "Level" in name order, "entity" for the placed objects and
// "spatial" for the collision boxes and triggers), so that saving an untouched level rewrites it
// byte for byte.
#pragma once

#include "core/CXmlDocument.h"
#include "math/Vector3D.h"

#include <map>
#include <string>

namespace levelxml {

struct PlacedObject {
    bool spatial;       // "spatial" element: collision box or game trigger
    std::string type;   // the entity type's name
    std::string prefab; // entity prefab for entities, game-trigger prefab for triggers
    CVector3D position;
    CVector3D direction;  // entities only
    CVector3D dimensions; // spatials only
    bool trigger = false;
};

class LevelFile {
public:
    void AddEntity(const std::string& name, const std::string& type, const std::string& prefab, const CVector3D& at,
                   const CVector3D& direction)
    {
        m_Objects[name] = {false, type, prefab, at, direction, CVector3D(), false};
    }
    void AddCollisionBox(const std::string& name, const CVector3D& at, const CVector3D& size)
    {
        m_Objects[name] = {true, "COLLISIONBOX", "", at, CVector3D(), size, false};
    }
    // A trigger whose prefab lets the players in; it lists no other triggering or slave entity.
    void AddTrigger(const std::string& name, const std::string& type, const std::string& prefab, const CVector3D& at,
                    const CVector3D& size)
    {
        m_Objects[name] = {true, type, prefab, at, CVector3D(), size, true};
    }

    bool Save(const std::string& levelName, const std::string& path) const
    {
        Vesk::CXmlDocument document;
        document.NewRoot("Level");
        document.CreateElement("properties", "").SetAttribute("levelname", levelName);
        document.CreateElement("terrain", "").SetAttribute("meshname", levelName + "terrain");
        for (const auto& entry : m_Objects)
            Write(document.CreateElement(entry.second.spatial ? "spatial" : "entity", ""), entry.first, entry.second);
        return document.Save(path);
    }

private:
    static void SetVector(Vesk::CXmlElement& e, const char* prefix, const CVector3D& v)
    {
        e.SetDoubleAttribute(std::string(prefix) + "X", v.x);
        e.SetDoubleAttribute(std::string(prefix) + "Y", v.y);
        e.SetDoubleAttribute(std::string(prefix) + "Z", v.z);
    }

    static void Write(Vesk::CXmlElement e, const std::string& name, const PlacedObject& o)
    {
        e.SetAttribute("name", name);
        e.SetAttribute("type", o.type);
        if (!o.spatial) {
            e.SetAttribute("entitysettingprefabname", o.prefab);
            SetVector(e, "pos", o.position);
            SetVector(e, "dir", o.direction);
            return;
        }
        if (o.trigger)
            e.SetAttribute("gametriggerprefabname", o.prefab);
        SetVector(e, "pos", o.position);
        SetVector(e, "dim", o.dimensions);
        if (!o.trigger)
            return;
        // The players take part through the prefab's flag and are not listed by name.
        e.SetAttribute("triggeringentnames", "");
        for (int group = 0; group < 5; ++group)
            e.SetAttribute("slaveentnames" + std::to_string(group), "");
    }

    std::map<std::string, PlacedObject> m_Objects;
};

} // namespace levelxml
