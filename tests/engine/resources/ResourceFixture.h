// A scratch run directory holding the five asset definition files, entered for the test and left
// afterwards, with the resource manager initialised on it and its caches emptied at the end.
#pragma once

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>

namespace restest {

struct Definitions {
    std::string meshes = "<meshes><default path=\"assets/meshes/default.x\"/></meshes>";
    std::string materials = "<materials><default><diffuse r=\"1\" g=\"1\" b=\"1\"/></default></materials>";
    std::string sprites = "<sprites/>";
    std::string fonts = "<fonts><default height=\"16\"/></fonts>";
    std::string rendertargets = "<rendertargets><default width=\"64\" height=\"64\"/></rendertargets>";
};

// The engine's default mesh, copied from the repository's run directory.
std::string DefaultMeshText();

class ResourceTest : public ::testing::Test {
protected:
    void TearDown() override;

    // Writes the definitions (and the default mesh) into the scratch directory, enters it and
    // initialises the resource manager; false when Init fails.
    bool Start(const Definitions& definitions = Definitions());
    void WriteDefinitions(const Definitions& definitions);
    // Makes the scratch directory the working directory.
    void Enter();
    // Starts on a copy of the repository's assets.
    bool StartWithRepositoryAssets();
    std::string File(const std::string& relative) const { return m_Dir.File(relative); }

    testsupport::ScratchDir m_Dir;
    testsupport::WorkingDirectory m_WorkingDir;
};

// The same with the camera manager (its "default" camera current), a hidden main window and the
// renderer's graphics device; skipped where the headless driver is not in use. The caches are
// emptied before the device goes.
class DeviceResourceTest : public ResourceTest {
protected:
    void SetUp() override;
    void TearDown() override;

    // Packed ARGB of one pixel of the back buffer.
    uint32_t Pixel(int x, int y) const;
};

} // namespace restest
