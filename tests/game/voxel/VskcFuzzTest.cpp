// Thousands of damaged ".vskc" files: every one must load (or be refused) without crashing or
// hanging, leave a consistent mesh that can be drawn, animated, shattered and saved, and save
// to a fixed point.
#include "VoxelTestSupport.h"

#include "game/voxel/CVeskCubeAnimationController.h"

#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

using Game::CVeskCubeAnimationController;
using Game::CVeskCubeMesh;
using testsupport::ReadFile;
using testsupport::ScratchDir;

namespace {

const char* const kBase = R"(#VSKCUB
# MESHSCALE 1.5
# SUBMESHNAME body
# LOCALPOSITION 0 1.5 -2
# NUMCUBES 4
# POSITIONDATA
0 0 0
1 0 0
0 1 0
0 0 1
# COLORDATA
254.5 -0.5 12.49
10 20 30
1 1 1
2 2 2
# SUBMESHNAME arm
# LOCALPOSITION 0.1 0 0
# NUMCUBES 2
# POSITIONDATA
0 2 0
0 3 0
# COLORDATA
1 2 3
4 5 6
# SUBMESHNAME leg
# LOCALPOSITION 0 -1 0
# NUMCUBES 1
# POSITIONDATA
0 -1 0
# COLORDATA
7 8 9
# HIERARCHY
arm body
body NULL
leg body
# ANIMNAME WALK
 # ANIMFPS 10
 # KEYFRAME 1
  # SUBMESH arm
   # KEYPOSITION 1 2 3
   # KEYORIENTATION 0 90 0
 # KEYFRAME 11
  # SUBMESH body
   # KEYPOSITION 0 0 0
   # KEYORIENTATION 45 0 0
  # SUBMESH arm
   # KEYPOSITION 0 0 1e-05
   # KEYORIENTATION 0 0 0
# ANIMNAME DEATH
 # ANIMFPS 24
 # KEYFRAME 1
 # KEYFRAME 5
  # SUBMESH leg
   # KEYPOSITION 0 5 0
   # KEYORIENTATION 10 20 30
)";

const char* const kWords[] = {"nan",
                              "inf",
                              "1e999",
                              "-1e30",
                              "99999999999",
                              "2147483647",
                              "-2147483648",
                              "NULL",
                              "#",
                              "body",
                              "arm",
                              "leg",
                              "0",
                              "-0",
                              "1e-45",
                              "# HIERARCHY",
                              "# SUBMESHNAME",
                              "# KEYFRAME",
                              "# POSITIONDATA",
                              "# NUMCUBES",
                              "+",
                              "-",
                              ".",
                              "1e",
                              "0x10",
                              "999999.9",
                              "#VSKCUB"};

std::vector<std::string> Mutations()
{
    const std::string base = kBase;
    std::vector<std::string> out;
    // Cut short at every byte.
    for (std::size_t n = 0; n <= base.size(); ++n)
        out.push_back(base.substr(0, n));

    std::mt19937 random(20240611u);
    const auto pick = [&random](std::size_t n) { return std::uniform_int_distribution<std::size_t>(0, n - 1)(random); };
    const std::string alphabet = "0123456789-+.e#  \n\nxNULLbodyarm";
    // Bytes changed, dropped or doubled.
    for (int i = 0; i < 1200; ++i) {
        std::string text = base;
        const int edits = 1 + static_cast<int>(pick(4));
        for (int e = 0; e < edits; ++e) {
            const std::size_t at = 8 + pick(text.size() - 8);
            switch (pick(3)) {
            case 0: text[at] = alphabet[pick(alphabet.size())]; break;
            case 1: text.erase(at, 1); break;
            default: text.insert(at, 1, text[at]); break;
            }
        }
        out.push_back(text);
    }
    // Words replaced by hostile ones.
    std::vector<std::size_t> starts;
    for (std::size_t i = 1; i < base.size(); ++i)
        if (base[i] != ' ' && base[i] != '\n' && (base[i - 1] == ' ' || base[i - 1] == '\n'))
            starts.push_back(i);
    for (int i = 0; i < 1200; ++i) {
        std::string text = base;
        const std::size_t at = starts[pick(starts.size())];
        const std::size_t end = text.find_first_of(" \n", at);
        text.replace(at, end - at, kWords[pick(sizeof kWords / sizeof kWords[0])]);
        out.push_back(text);
    }
    // Lines repeated, dropped or swapped: contradictory counts, sections out of order.
    std::vector<std::string> lines;
    for (std::size_t at = 0; at < base.size();) {
        const std::size_t end = base.find('\n', at);
        lines.push_back(base.substr(at, end - at + 1));
        at = end + 1;
    }
    for (int i = 0; i < 600; ++i) {
        std::vector<std::string> l = lines;
        const std::size_t a = 1 + pick(l.size() - 1), b = 1 + pick(l.size() - 1);
        switch (pick(3)) {
        case 0: l.insert(l.begin() + static_cast<long>(a), l[b]); break;
        case 1: l.erase(l.begin() + static_cast<long>(a)); break;
        default: std::swap(l[a], l[b]); break;
        }
        std::string text;
        for (const std::string& line : l)
            text += line;
        out.push_back(text);
    }
    return out;
}

// Everything a game does with a model, with small buffers so the limits are reached too.
void Exercise(CVeskCubeMesh& mesh)
{
    std::vector<Game::CubeInstance> storage(3);
    Game::CubeInstanceBuffer model{storage.data(), 0, 3};
    Game::CubeDrawTarget target;
    target.modelBuffer = &model;
    mesh.EmitInstances(target);
    ASSERT_LE(model.count, 3);

    std::unique_ptr<CVeskCubeAnimationController> c(mesh.CreateAnimationController());
    for (const auto& clip : mesh.GetAnimations()) {
        c->SetAnimation(clip.first, 0, 0.0f);
        for (int i = 0; i < 4; ++i)
            c->Update(0.3f);
        c->SetAnimation(clip.first, 1, 3.0f);
        c->Update(0.3f);
    }
    c->Shatter(CMatrix4());
    c->Update(0.05f);
    model.count = 0;
    mesh.EmitInstances(target);
    c->ResetShatter();
    voxeltest::ExpectConsistent(mesh);
}

TEST(VskcFuzzTest, DamagedFilesNeitherCrashNorHang)
{
    ScratchDir dir;
    const std::vector<std::string> inputs = Mutations();
    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    int loaded = 0;
    for (std::size_t i = 0; i < inputs.size(); ++i) {
        SCOPED_TRACE("input " + std::to_string(i) + ":\n" + inputs[i]);
        bool ok = false;
        auto mesh = voxeltest::LoadText(dir, inputs[i], &ok);
        if (!ok) {
            ASSERT_TRUE(mesh->GetSubmeshMap().empty());
            continue;
        }
        ++loaded;
        voxeltest::ExpectConsistent(*mesh);
        Exercise(*mesh);
        if (HasFatalFailure())
            break;

        // What was saved reads back and, once normalised, saves the same bytes again.
        ASSERT_TRUE(mesh->Save(dir.File("a.vskc")));
        CVeskCubeMesh once;
        ASSERT_TRUE(once.Load(dir.File("a.vskc")));
        ASSERT_TRUE(once.Save(dir.File("b.vskc")));
        CVeskCubeMesh twice;
        ASSERT_TRUE(twice.Load(dir.File("b.vskc")));
        ASSERT_TRUE(twice.Save(dir.File("c.vskc")));
        ASSERT_EQ(ReadFile(dir.File("b.vskc")), ReadFile(dir.File("c.vskc")));
    }
    testing::internal::GetCapturedStderr();
    testing::internal::GetCapturedStdout();
    EXPECT_GT(loaded, static_cast<int>(inputs.size()) / 2) << "most damage leaves a readable model";
}

} // namespace
