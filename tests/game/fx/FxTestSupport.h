// A scratch run directory holding a given particle effects file, made the working directory for
// the test so that emitters read it; the previous directory comes back afterwards.
#pragma once

#include "support/TestSupport.h"

#include "game/fx/CParticleEmitter.h"

#include <gtest/gtest.h>

#include <string>

namespace fxtest {

class EffectsDirFixture : public ::testing::Test {
protected:
    // Writes the effects file and enters the directory.
    void Enter(const std::string& effects)
    {
        testsupport::WriteFile(m_Dir.File(Game::CParticleEmitter::kEffectsFile), effects);
        ASSERT_TRUE(m_WorkingDir.Enter(m_Dir.Path()));
    }

    testsupport::ScratchDir m_Dir;
    testsupport::WorkingDirectory m_WorkingDir;
};

} // namespace fxtest
