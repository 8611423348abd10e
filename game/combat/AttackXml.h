// Reading the attack file: root "attacks", one child element per attack whose tag is its name.
// One working record carries over every field an attack omits from the attack before it (only
// the movement type is reset), so the file should give every field of every attack.
#pragma once

#include "core/CXmlDocument.h"
#include "game/combat/AttackRecord.h"

#include <map>
#include <string>

namespace Game {

using AttackDefinitions = std::map<std::string, AttackRecord>;

// Adds the attacks under the "attacks" element to the definitions; a name already there keeps
// its first record.
void ReadAttackDefinitions(const Vesk::CXmlElement& attacks, AttackDefinitions& definitions);
// Loads the file and reads its "attacks" root; false (definitions untouched) when the file does
// not load or has no "attacks" root.
bool LoadAttackDefinitions(const std::string& path, AttackDefinitions& definitions);

} // namespace Game
