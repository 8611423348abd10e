// The pickups' particle effects: an effect is an emitter of the named effect, registered with the
// particle manager exactly as long as it lives.
#include "FxTestSupport.h"

#include "game/fx/CParticleManager.h"
#include "game/fx/ParticlePickupServices.h"

#include <algorithm>

namespace {

class ParticlePickupServicesTest : public fxtest::EffectsDirFixture {
protected:
    static bool Registered(const Game::CParticleEmitter& emitter)
    {
        const auto& emitters = Game::CParticleManager::GetInstance().GetEmitters();
        return std::find(emitters.begin(), emitters.end(), &emitter) != emitters.end();
    }
};

TEST_F(ParticlePickupServicesTest, AnEffectIsARegisteredEmitterWhileItLives)
{
    Enter("<effects><coinsparkle endTime=\"0.5\" startSize=\"2\" endSize=\"1\" positionDeviation=\"-1,-1,-1\"/>"
          "</effects>");
    Game::CParticlePickupServices services;
    std::unique_ptr<Game::IPickupEffect> effect = services.CreateEffect("coinsparkle", 6, 0);
    ASSERT_NE(nullptr, effect);
    const auto& emitter = static_cast<Game::CParticlePickupEffect&>(*effect).GetEmitter();
    EXPECT_TRUE(Registered(emitter));
    EXPECT_EQ(6u, emitter.GetParticles().size());

    effect->SetPosition(CVector3D(5.0f, 6.0f, 7.0f));
    EXPECT_FLOAT_EQ(5.0f, emitter.GetPosition().x);
    effect->Restart();
    Game::CParticleManager::GetInstance().Update(0.1f);
    EXPECT_EQ(6u, emitter.GetDrawnCount()) << "a restarted effect shows its particles";

    const Game::CParticleEmitter* gone = &emitter;
    effect.reset();
    const auto& emitters = Game::CParticleManager::GetInstance().GetEmitters();
    EXPECT_EQ(emitters.end(), std::find(emitters.begin(), emitters.end(), gone));
}

TEST_F(ParticlePickupServicesTest, APickupWithoutAnEffectNameGetsNone)
{
    Enter("<effects/>");
    EXPECT_EQ(nullptr, Game::CParticlePickupServices().CreateEffect("", 6, 0));
}

} // namespace
