// A scratch run directory holding a given particle effects file, made the working directory for
// the test so that emitters read it; the previous directory comes back afterwards.
#pragma once

#include "support/TestSupport.h"

#include "game/fx/CParticleEmitter.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <climits>
#include <string>

namespace fxtest {

class EffectsDirFixture : public ::testing::Test {
protected:
    // Writes the effects file (none when `effects` is empty) and enters the directory.
    void Enter(const std::string& effects)
    {
        if (!effects.empty())
            testsupport::WriteFile(m_Dir.File(Game::CParticleEmitter::kEffectsFile), effects);
        char cwd[PATH_MAX];
        ASSERT_NE(getcwd(cwd, sizeof cwd), nullptr);
        m_Previous = cwd;
        ASSERT_EQ(chdir(m_Dir.Path().c_str()), 0);
    }
    void TearDown() override
    {
        if (!m_Previous.empty()) {
            EXPECT_EQ(chdir(m_Previous.c_str()), 0);
        }
    }

    testsupport::ScratchDir m_Dir;
    std::string m_Previous;
};

} // namespace fxtest
