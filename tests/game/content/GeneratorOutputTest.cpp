// Every content generator in tools/ (each "gen_*.cpp" there) run as a developer runs it, from the
// source tree's root without arguments, here on a scratch copy of bin/assets: each file it writes
// must equal the committed one byte for byte, no two generators may write the same file, and every
// committed file of a kind that only a generator makes (images, sounds, height maps) must come
// from one of them.
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// The stamp every file of the scratch copy carries until a generator writes it.
const fs::file_time_type kUntouched =
    std::chrono::time_point_cast<std::chrono::seconds>(fs::file_time_type::clock::now() - std::chrono::hours(24 * 365));

std::vector<std::string> Generators()
{
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(testsupport::SourceDir() + "/tools")) {
        const std::string stem = entry.path().stem().string();
        if (entry.path().extension() == ".cpp" && stem.rfind("gen_", 0) == 0)
            names.push_back(stem);
    }
    std::sort(names.begin(), names.end());
    return names;
}

// The files under the root written since they were stamped, relative to it; each is stamped again.
std::vector<std::string> TakeWritten(const std::string& root)
{
    std::vector<std::string> written;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file() || entry.last_write_time() == kUntouched)
            continue;
        written.push_back(fs::relative(entry.path(), root).generic_string());
        fs::last_write_time(entry.path(), kUntouched);
    }
    return written;
}

bool MadeOnlyByGenerators(const std::string& relative)
{
    const std::string extension = fs::path(relative).extension().string();
    return extension == ".png" || extension == ".bmp" || extension == ".wav" || extension == ".ogg" ||
           (extension == ".dat" && relative.rfind("meshes/", 0) == 0);
}

TEST(GeneratorOutputTest, EveryGeneratorReproducesTheCommittedFiles)
{
    const std::string committed = testsupport::SourceDir() + "/bin/assets";
    const std::string tools = testsupport::GameExecutable().substr(0, testsupport::GameExecutable().rfind('/'));
    testsupport::ScratchDir root;
    const std::string assets = root.File("bin/assets");
    testsupport::CopyTree(committed, assets);
    for (const auto& entry : fs::recursive_directory_iterator(assets))
        if (entry.is_regular_file())
            fs::last_write_time(entry.path(), kUntouched);

    const std::vector<std::string> generators = Generators();
    ASSERT_FALSE(generators.empty());
    std::map<std::string, std::string> writers; // file -> the generator that wrote it
    for (const std::string& generator : generators) {
        SCOPED_TRACE(generator);
        const std::string exe = tools + "/" + generator;
        ASSERT_TRUE(fs::exists(exe)) << exe << " is not built";
        const std::string command = "cd '" + root.Path() + "' && '" + exe + "' > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        const std::vector<std::string> written = TakeWritten(assets);
        EXPECT_FALSE(written.empty()) << generator << " wrote nothing under bin/assets";
        for (const std::string& file : written) {
            const auto [other, first] = writers.emplace(file, generator);
            EXPECT_TRUE(first) << file << " is written by both " << other->second << " and " << generator;
            if (!fs::exists(committed + "/" + file)) {
                ADD_FAILURE() << generator << " makes " << file << ", which is not committed";
                continue;
            }
            EXPECT_TRUE(testsupport::ReadFile(assets + "/" + file) == testsupport::ReadFile(committed + "/" + file))
                << file << " is out of date: rerun " << generator;
        }
    }
    for (const auto& entry : fs::recursive_directory_iterator(committed)) {
        const std::string file = fs::relative(entry.path(), committed).generic_string();
        if (entry.is_regular_file() && MadeOnlyByGenerators(file)) {
            EXPECT_EQ(1u, writers.count(file)) << file << " is committed but no generator in tools/ makes it";
        }
    }
}

} // namespace
