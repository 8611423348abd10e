// Readers for the values of one prefab element of the prefab settings file: entity, controller
// and game-trigger records, collision-group name lists and number lists.
#pragma once

#include "game/controllers/PrefabRecords.h"

#include <cstdint>
#include <string>
#include <vector>

namespace Vesk {
class CXmlElement;
}

namespace Game {

EntitySetting ReadEntityPrefab(const Vesk::CXmlElement& prefab);
ControllerSetting ReadControllerPrefab(const Vesk::CXmlElement& prefab);
GameTriggerSetting ReadGameTriggerPrefab(const Vesk::CXmlElement& prefab, int category);

// Collision-group names separated by commas and blanks, ORed into 16 bits; a name that is no
// collision group is left out with a log line.
uint16_t ParseCollisionGroups(const std::string& text);
// Numbers separated by commas and blanks; every piece, empty ones included, adds one number (0
// for a piece that is empty or not a number): "1, 2" gives 1, 0, 2.
std::vector<int> ParseIntList(const std::string& text);
std::vector<float> ParseFloatList(const std::string& text);

} // namespace Game
