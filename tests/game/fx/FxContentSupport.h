// What the game data asks of the effect content: the effect models with the clips the code plays,
// and every particle effect the code or the pickups file names, with the count and mode it is
// made with.
#pragma once

#include "support/TestSupport.h"

#include "core/CXmlDocument.h"

#include <string>
#include <vector>

namespace fxtest {

struct ModelExpectation {
    const char* name;
    std::vector<std::string> clips;
    int minPixels;    // covered in an 800 x 600 frame from 80 units away
    bool directional; // points along +z, the direction it is oriented along
};

inline const std::vector<ModelExpectation> kEffectModels = {
    {"spawningmesh", {"IDLE"}, 5000, false},
    {"charge_inward", {"IDLE"}, 1500, false},
    {"enemy_arrow", {"IDLE"}, 1000, true},
    {"target", {"IDLE"}, 2500, false},
    {"tombstone", {"IDLE", "CREATED"}, 5000, false},
    {"energyball_2", {"IDLE"}, 900, false},
    {"energyball_2.1", {"IDLE"}, 1800, false},
    {"energyball_3", {"IDLE"}, 3500, false},
    {"drill", {"IDLE"}, 2000, true},
    {"fireball", {"IDLE"}, 1200, true},
    {"spike", {"IDLE"}, 3500, false},
    {"emo_tired", {"IDLE"}, 1000, false},
    {"targetmarking", {"IDLE"}, 3000, false},
    {"BigBossSmash", {"IDLE"}, 5000, false},
    {"dummy_explode", {"IDLE"}, 3000, false},
    {"fireskill", {"IDLE"}, 1200, false},
};

struct EffectUse {
    std::string name;
    unsigned count;
    int mode;
};

// The effects the code makes, then every "effect_name" of the pickups file (made with 10
// particles in mode 0).
inline std::vector<EffectUse> EffectUses()
{
    std::vector<EffectUse> uses = {
        {"spark_effect", 10, 0}, {"ghostparticle_effect", 50, 1}, {"golemboom_effect", 200, 0}};
    Vesk::CXmlDocument pickups;
    if (pickups.Load(testsupport::SourceDir() + "/bin/assets/scripts/pickups/pickups.xml"))
        for (Vesk::CXmlElement pickup = pickups.GetRoot().FirstChildElement(); pickup != nullptr; ++pickup)
            if (const char* effect = pickup.GetAttribute("effect_name"))
                uses.push_back({effect, 10, 0});
    return uses;
}

} // namespace fxtest
