// The effect content under bin/assets: every particle effect the code or the pickups file names
// is in the effects file with every attribute and a particle material that exists, every effect
// model is registered and loads with its clips.
#include "FxContentSupport.h"

#include "game/voxel/CVeskCubeMesh.h"

#include <gtest/gtest.h>

namespace {

std::string Assets() { return testsupport::SourceDir() + "/bin/assets/"; }

TEST(FxContentTest, EveryNamedEffectIsCompleteAndNamesAParticleMaterial)
{
    Vesk::CXmlDocument effects, materials;
    ASSERT_TRUE(effects.Load(Assets() + "scripts/particles/particle_effects.xml"));
    ASSERT_TRUE(materials.Load(Assets() + "materials.xml"));
    const std::vector<fxtest::EffectUse> uses = fxtest::EffectUses();
    ASSERT_GT(uses.size(), 3u) << "the pickups file names no effects";
    for (const fxtest::EffectUse& use : uses) {
        const Vesk::CXmlElement effect = effects.FindElement("effects/" + use.name);
        ASSERT_NE(effect, nullptr) << use.name;
        for (const char* attribute :
             {"positionDeviation", "minStartVel", "maxStartVel", "minStartAccel", "maxStartAccel", "startSize",
              "endSize", "endTime", "startColor", "endColor", "rotSpeed", "material"})
            EXPECT_NE(effect.GetAttribute(attribute), nullptr) << use.name << ' ' << attribute;
        float endTime = 0.0f;
        effect.GetFloatAttribute("endTime", &endTime, 0.0f);
        EXPECT_GT(endTime, 0.0f) << use.name;
        const char* material = effect.GetAttribute("material");
        ASSERT_NE(material, nullptr) << use.name;
        EXPECT_NE(materials.FindElement(std::string(material) + "/shader"), nullptr) << use.name << ' ' << material;
    }
}

TEST(FxContentTest, EveryEffectModelIsRegisteredAndLoadsWithItsClips)
{
    Vesk::CXmlDocument meshes;
    ASSERT_TRUE(meshes.Load(Assets() + "meshes.xml"));
    for (const fxtest::ModelExpectation& model : fxtest::kEffectModels) {
        const Vesk::CXmlElement entry = meshes.FindElement(model.name);
        ASSERT_NE(entry, nullptr) << model.name << " is not in meshes.xml";
        const char* path = entry.GetAttribute("path");
        ASSERT_NE(path, nullptr) << model.name;
        Game::CVeskCubeMesh mesh;
        ASSERT_TRUE(mesh.Load(testsupport::SourceDir() + "/bin/" + path)) << model.name;
        EXPECT_GE(mesh.GetSubmeshes().size(), 1u) << model.name;
        for (const std::string& clip : model.clips) {
            ASSERT_EQ(mesh.GetAnimations().count(clip), 1u) << model.name << ' ' << clip;
            const Game::CubeAnimation& animation = mesh.GetAnimations().at(clip);
            EXPECT_GT(animation.fps, 0) << model.name << ' ' << clip;
            ASSERT_GE(animation.keyframes.size(), 2u) << model.name << ' ' << clip;
            // A part missing from a keyframe would jump to the model's origin.
            for (const Game::CubeKeyframe& key : animation.keyframes)
                EXPECT_EQ(key.poses.size(), mesh.GetSubmeshes().size()) << model.name << ' ' << clip;
        }
    }
}

TEST(FxContentTest, TombstoneRisesOutOfTheGround)
{
    Game::CVeskCubeMesh tombstone;
    ASSERT_TRUE(tombstone.Load(Assets() + "meshes/tombstone.vskc"));
    const Game::CubeAnimation& created = tombstone.GetAnimations().at("CREATED");
    const float start = created.keyframes.front().poses.at("stone").position.y;
    const float end = created.keyframes.back().poses.at("stone").position.y;
    EXPECT_LT(start, end - 10.0f);
}

} // namespace
