#include "VoxelTestSupport.h"

#include "game/voxel/CVeskCubeAnimationController.h"
#include "game/voxel/CubePose.h"

#include <gtest/gtest.h>

#include <cmath>
#include <locale>
#include <memory>

using Game::CubeSubmesh;
using Game::CVeskCubeMesh;
using testsupport::ReadFile;
using testsupport::ScratchDir;
using voxeltest::LoadText;

namespace {

const char* const kModel = R"(#VSKCUB
# MESHSCALE 2
# SUBMESHNAME body
# LOCALPOSITION 0 1.5 -2
# NUMCUBES 2
# POSITIONDATA
0 0 0
1 0 0
# COLORDATA
254.5 -0.5 12.49
10 20 30
# SUBMESHNAME arm
# LOCALPOSITION 0.1 0 0
# NUMCUBES 1
# POSITIONDATA
0 2 0
# COLORDATA
1 2 3
# HIERARCHY
arm body
body NULL
# ANIMNAME WALK
 # ANIMFPS 10
 # KEYFRAME 30
  # SUBMESH arm
   # KEYPOSITION 1 2 3
   # KEYORIENTATION 0 90 0
 # KEYFRAME 10
  # SUBMESH body
   # KEYPOSITION 0 0 0
   # KEYORIENTATION 45 0 0
  # SUBMESH arm
   # KEYPOSITION 0 0 1e-05
   # KEYORIENTATION 0 0 0
)";

// What the writer makes of kModel: name order, rounded colours, sorted keyframes, no scale.
const char* const kSaved = R"(#VSKCUB
# SUBMESHNAME arm
# LOCALPOSITION 0.1 0 0
# NUMCUBES 1
# POSITIONDATA
0 2 0
# COLORDATA
1 2 3
# SUBMESHNAME body
# LOCALPOSITION 0 1.5 -2
# NUMCUBES 2
# POSITIONDATA
0 0 0
1 0 0
# COLORDATA
255 -1 12
10 20 30
# HIERARCHY
arm body
body NULL
# ANIMNAME WALK
 # ANIMFPS 10
 # KEYFRAME 10
  # SUBMESH arm
   # KEYPOSITION 0 0 1e-05
   # KEYORIENTATION 0 0 0
  # SUBMESH body
   # KEYPOSITION 0 0 0
   # KEYORIENTATION 45 0 0
 # KEYFRAME 30
  # SUBMESH arm
   # KEYPOSITION 1 2 3
   # KEYORIENTATION 0 90 0
)";

TEST(VskcFormatTest, SaveLoadSaveIsByteIdentical)
{
    ScratchDir dir;
    bool loaded = false;
    auto mesh = LoadText(dir, kModel, &loaded);
    ASSERT_TRUE(loaded);
    EXPECT_FLOAT_EQ(mesh->GetScaleMatrix().m[0], 2.0f);
    ASSERT_TRUE(mesh->Save(dir.File("first.vskc")));
    EXPECT_EQ(ReadFile(dir.File("first.vskc")), kSaved);

    CVeskCubeMesh again;
    ASSERT_TRUE(again.Load(dir.File("first.vskc")));
    EXPECT_FLOAT_EQ(again.GetScaleMatrix().m[0], 1.0f) << "the scale is never written";
    ASSERT_TRUE(again.Save(dir.File("second.vskc")));
    EXPECT_EQ(ReadFile(dir.File("second.vskc")), kSaved);
}

TEST(VskcFormatTest, ReadsTheModelsParts)
{
    ScratchDir dir;
    auto mesh = LoadText(dir, kModel);
    const CubeSubmesh* body = mesh->FindSubmesh("body");
    const CubeSubmesh* arm = mesh->FindSubmesh("arm");
    ASSERT_TRUE(body && arm);
    EXPECT_EQ(arm->parent, body);
    ASSERT_EQ(body->children.size(), 1u);
    ASSERT_EQ(mesh->GetRoots().size(), 1u);
    EXPECT_EQ(mesh->GetRoots()[0], body);
    EXPECT_FLOAT_EQ(body->localPosition.y, 1.5f);
    EXPECT_FLOAT_EQ(body->colours[0].x, 254.5f);

    // Keyframes given as 30 then 10 are sorted and each keeps its own poses.
    const Game::CubeAnimation& walk = mesh->GetAnimations().at("WALK");
    EXPECT_EQ(walk.fps, 10);
    ASSERT_EQ(walk.keyframes.size(), 2u);
    EXPECT_EQ(walk.keyframes[0].frame, 10);
    EXPECT_EQ(walk.keyframes[0].poses.size(), 2u);
    EXPECT_EQ(walk.keyframes[1].frame, 30);
    ASSERT_EQ(walk.keyframes[1].poses.count("arm"), 1u);
    EXPECT_FLOAT_EQ(walk.keyframes[1].poses.at("arm").position.z, 3.0f);
    EXPECT_FLOAT_EQ(walk.keyframes[1].poses.at("arm").angles[1], 90.0f);

    // Bounds: cubes plus the local position, half a cube around, through the scale of 2.
    EXPECT_FLOAT_EQ(body->box.min.x, -1.0f);
    EXPECT_FLOAT_EQ(body->box.max.x, 3.0f);
    EXPECT_FLOAT_EQ(body->box.min.y, 2.0f);
    EXPECT_FLOAT_EQ(mesh->GetAABB().max.y, 5.0f);
    EXPECT_FLOAT_EQ(mesh->GetRawCubeBounds().max.y, 2.0f);
}

TEST(VskcFormatTest, WriterUsesSixSignificantDigitsWhateverTheLocale)
{
    // A global locale with a decimal comma must not leak into the file.
    struct CommaPoint : std::numpunct<char> {
        char do_decimal_point() const override { return ','; }
    };
    const std::locale previous = std::locale::global(std::locale(std::locale::classic(), new CommaPoint));

    CVeskCubeMesh mesh;
    CubeSubmesh* s = mesh.CreateSubmesh("s");
    s->restPositions = {CVector3D(123456789.0f, 0.000123f, -0.0f), CVector3D(1.0f / 3.0f, 2.5e-7f, 1e6f)};
    s->colours = {CVector3D(12.49f, 12.5f, -12.5f)};
    s->cubeCount = 2;
    ScratchDir dir;
    const bool saved = mesh.Save(dir.File("digits.vskc"));
    std::locale::global(previous);
    ASSERT_TRUE(saved);
    EXPECT_EQ(ReadFile(dir.File("digits.vskc")), "#VSKCUB\n# SUBMESHNAME s\n# LOCALPOSITION 0 0 0\n# NUMCUBES 2\n"
                                                 "# POSITIONDATA\n1.23457e+08 0.000123 -0\n0.333333 2.5e-07 1e+06\n"
                                                 "# COLORDATA\n12 13 -13\n255 255 255\n# HIERARCHY\ns NULL\n");
}

TEST(VskcFormatTest, HeaderDecidesWhetherTheFileIsAModel)
{
    const struct {
        const char* text;
        bool loads;
    } cases[] = {
        {"#VSKCUB", true},  {"  #VSKCUB\n", true}, {"#VSKCUBE\n# SUBMESHNAME a", false},
        {"", false},        {"VSKCUB", false},     {"# VSKCUB", false},
        {"#vskcub", false},
    };
    for (const auto& c : cases) {
        ScratchDir dir;
        bool loaded = !c.loads;
        auto mesh = LoadText(dir, c.text, &loaded);
        EXPECT_EQ(loaded, c.loads) << '"' << c.text << '"';
        EXPECT_TRUE(mesh->GetSubmeshMap().empty());
    }
    // Only regular files are read: a device would be read until memory runs out.
    ScratchDir dir;
    for (const std::string& path : {std::string("/nonexistent/dir/model.vskc"), dir.Path(), std::string("/dev/zero")}) {
        CVeskCubeMesh mesh;
        EXPECT_FALSE(mesh.Load(path)) << path;
        EXPECT_TRUE(mesh.GetSubmeshMap().empty()) << path;
    }
}

TEST(VskcFormatTest, ReadingRulesForOddSections)
{
    ScratchDir dir;
    auto mesh = LoadText(dir, R"(#VSKCUB
stray words 1 2 3 are skipped
# LOCALPOSITION 9 9 9
# NUMCUBES 4
# UNKNOWNWORD 5
# SUBMESHNAME empty
# POSITIONDATA
5 5 5
# SUBMESHNAME a
# NUMCUBES 1
# POSITIONDATA
1 1 1
# SUBMESHNAME a
# NUMCUBES 2
# POSITIONDATA
7 7 7
8 8 8
# COLORDATA
1 1 1
2 2 2
# KEYFRAME 4
# SUBMESH a
# KEYPOSITION 6 6 6
# ANIMNAME idle
# KEYFRAME 5
# SUBMESH ghost
# KEYPOSITION 3 3 3
# SUBMESH a
# KEYFRAME 5
# KEYPOSITION 4 4 4
# SUBMESH a
# KEYORIENTATION 0 0 90
# ANIMNAME idle
# ANIMFPS 12
)");
    ASSERT_EQ(mesh->GetSubmeshMap().size(), 2u);
    // No cube count: the position data is skipped as unknown text.
    EXPECT_EQ(mesh->FindSubmesh("empty")->cubeCount, 0);
    // A repeated name keeps the first submesh; the second one's data is dropped. A missing
    // colour section leaves white cubes.
    const CubeSubmesh* a = mesh->FindSubmesh("a");
    ASSERT_EQ(a->cubeCount, 1);
    EXPECT_FLOAT_EQ(a->restPositions[0].x, 1.0f);
    EXPECT_FLOAT_EQ(a->colours[0].y, 255.0f);
    // Poses before an animation, for unknown submeshes, or between KEYFRAME and SUBMESH are
    // dropped; a repeated frame number is the same keyframe.
    const Game::CubeAnimation& idle = mesh->GetAnimations().at("idle");
    EXPECT_EQ(mesh->GetAnimations().size(), 1u);
    EXPECT_EQ(idle.fps, 12);
    ASSERT_EQ(idle.keyframes.size(), 1u);
    ASSERT_EQ(idle.keyframes[0].poses.size(), 1u);
    const Game::CubeKeyPose& pose = idle.keyframes[0].poses.at("a");
    EXPECT_FLOAT_EQ(pose.position.x, 0.0f);
    EXPECT_FLOAT_EQ(pose.angles[2], 90.0f);
    EXPECT_NEAR(pose.rotation.m[3], 1.0f, 1e-6f);
}

TEST(VskcFormatTest, HierarchyLinksStayALoopFreeTree)
{
    ScratchDir dir;
    const std::string cubes = "# NUMCUBES 1\n# POSITIONDATA\n0 0 0\n";
    auto mesh =
        LoadText(dir, "#VSKCUB\n# SUBMESHNAME a\n" + cubes + "# SUBMESHNAME b\n" + cubes + "# SUBMESHNAME c\n" + cubes +
                          "# SUBMESHNAME d\n" + cubes + "# HIERARCHY\na a\nb a\nc b\na c\nd a\nd b\nx a\na NULL\n");
    voxeltest::ExpectConsistent(*mesh);
    const CubeSubmesh* a = mesh->FindSubmesh("a");
    const CubeSubmesh* b = mesh->FindSubmesh("b");
    EXPECT_EQ(a->parent, nullptr) << "a under itself or under its own descendant is refused";
    EXPECT_EQ(mesh->FindSubmesh("c")->parent, b);
    EXPECT_EQ(mesh->FindSubmesh("d")->parent, b) << "the last parent given wins";
    EXPECT_EQ(a->children.size(), 1u);
    EXPECT_EQ(b->children.size(), 2u);
    EXPECT_EQ(mesh->GetRoots().size(), 1u);

    CVeskCubeMesh built;
    CubeSubmesh* p = built.CreateSubmesh("p");
    CubeSubmesh* q = built.CreateSubmesh("q");
    EXPECT_TRUE(built.SetSubmeshParent(q, p));
    EXPECT_FALSE(built.SetSubmeshParent(p, q));
    EXPECT_FALSE(built.SetSubmeshParent(p, p));
    EXPECT_EQ(built.CreateSubmesh("p"), nullptr);
    EXPECT_EQ(built.GetSubmeshes(), (std::vector<std::string>{"p", "q"}));
    voxeltest::ExpectConsistent(built);
}

TEST(VskcFormatTest, EmptySubmeshesAreDroppedWithoutLosingOtherLinks)
{
    // The empty "b" is not written but its hierarchy line is; the "c a" line after it must
    // still be read.
    CVeskCubeMesh mesh;
    voxeltest::AddBlock(mesh, "a", 1, 1, 1);
    mesh.CreateSubmesh("b");
    voxeltest::AddBlock(mesh, "c", 1, 1, 1);
    ASSERT_TRUE(mesh.SetSubmeshParent(mesh.FindSubmesh("c"), mesh.FindSubmesh("a")));
    ScratchDir dir;
    ASSERT_TRUE(mesh.Save(dir.File("m.vskc")));
    EXPECT_NE(ReadFile(dir.File("m.vskc")).find("b NULL\nc a\n"), std::string::npos);

    CVeskCubeMesh back;
    ASSERT_TRUE(back.Load(dir.File("m.vskc")));
    EXPECT_EQ(back.GetSubmeshes(), (std::vector<std::string>{"a", "c"}));
    EXPECT_EQ(back.FindSubmesh("c")->parent, back.FindSubmesh("a"));
}

TEST(VskcFormatTest, CutShortAndBadNumbersKeepWhatWasRead)
{
    const struct {
        const char* text;
        int cubes; // cubes of "a" after loading
        bool animation;
    } cases[] = {
        {"#VSKCUB\n# SUBMESHNAME a\n# NUMCUBES 3\n# POSITIONDATA\n0 0 0\n1 0", 1, false},
        {"#VSKCUB\n# SUBMESHNAME a\n# NUMCUBES 3\n# POSITIONDATA\n0 0 0\n1 zero 0\n2 0 0\n# ANIMNAME x", 1, false},
        {"#VSKCUB\n# SUBMESHNAME a\n# NUMCUBES 2\n# POSITIONDATA\n0 0 0\n1 0 0\n# COLORDATA\n1 2", 2, false},
        {"#VSKCUB\n# SUBMESHNAME a\n# NUMCUBES 1\n# POSITIONDATA\nnan 0 0\n", 0, false},
        {"#VSKCUB\n# SUBMESHNAME a\n# NUMCUBES 1\n# POSITIONDATA\n1e999 0 0\n", 0, false},
        {"#VSKCUB\n# SUBMESHNAME a\n# NUMCUBES 99999999999\n# POSITIONDATA\n0 0 0\n", 0, false},
        {"#VSKCUB\n# SUBMESHNAME a\n# NUMCUBES 2147483647\n# POSITIONDATA\n0 0 0\n# ANIMNAME x", 1, false},
        {"#VSKCUB\n# SUBMESHNAME a\n# NUMCUBES -4\n# POSITIONDATA\n0 0 0\n# ANIMNAME x\n", 0, true},
        {"#VSKCUB\n# SUBMESHNAME a\n# NUMCUBES +1\n# POSITIONDATA\n+1 -.5 2.\n# ANIMNAME x", 1, true},
        {"#VSKCUB\n# SUBMESHNAME a\n# NUMCUBES 1\n# POSITIONDATA\n+-1 0 0\n# ANIMNAME x", 0, false},
        {"#VSKCUB\n# SUBMESHNAME a\n# NUMCUBES", 0, false},
        // Keyframe numbers far apart: the reading stops at the one out of range.
        {"#VSKCUB\n# ANIMNAME x\n# KEYFRAME 3\n# KEYFRAME -2147483648\n# SUBMESHNAME a", 0, true},
        {"#VSKCUB\n# ANIMNAME x\n# KEYFRAME 1000001\n# SUBMESHNAME a", 0, true},
        {"#VSKCUB\n# SUBMESHNAME", 0, false},
    };
    for (const auto& c : cases) {
        ScratchDir dir;
        bool loaded = false;
        auto mesh = LoadText(dir, c.text, &loaded);
        EXPECT_TRUE(loaded) << c.text;
        voxeltest::ExpectConsistent(*mesh);
        const CubeSubmesh* a = mesh->FindSubmesh("a");
        EXPECT_EQ(a ? a->cubeCount : 0, c.cubes) << c.text;
        EXPECT_EQ(mesh->GetAnimations().count("x") == 1, c.animation) << c.text;
        for (const auto& entry : mesh->GetSubmeshMap())
            for (const CVector3D& colour : entry.second->colours)
                EXPECT_TRUE(colour.x == 0.0f || colour.x == 1.0f || colour.x == 255.0f) << c.text;
    }
}

// Keyframes at the edges of the accepted range, and ones an editor makes at the ends of int:
// playing between them stays defined.
TEST(VskcFormatTest, KeyframesFarApartPlayWithoutOverflow)
{
    ScratchDir dir;
    auto mesh = LoadText(dir, "#VSKCUB\n# SUBMESHNAME a\n# NUMCUBES 1\n# POSITIONDATA\n0 0 0\n# ANIMNAME x\n"
                              "# ANIMFPS 30\n# KEYFRAME -1000000\n# KEYFRAME 1000000\n");
    ASSERT_EQ(mesh->GetAnimations().at("x").keyframes.size(), 2u);
    Game::CubeAnimation& edited = mesh->GetOrCreateAnimation("y");
    edited.fps = 30;
    Game::FindOrInsertKeyframe(edited, 3);
    Game::FindOrInsertKeyframe(edited, -2147483647 - 1);
    Game::FindOrInsertKeyframe(edited, 2147483647);
    std::unique_ptr<Game::CVeskCubeAnimationController> c(mesh->CreateAnimationController());
    for (const char* clip : {"x", "y"}) {
        c->SetAnimation(clip, 0, 0.0f);
        for (int i = 0; i < 3; ++i)
            c->Update(0.5f);
        EXPECT_TRUE(std::isfinite(mesh->FindSubmesh("a")->localPosition.x)) << clip;
    }
}

TEST(VskcFormatTest, SaveReportsFailureAndKeepsTheOldFile)
{
    ScratchDir dir;
    CVeskCubeMesh mesh;
    voxeltest::AddBlock(mesh, "a", 2, 1, 1);
    EXPECT_FALSE(mesh.Save(dir.File("missing/dir/m.vskc")));
    EXPECT_FALSE(testsupport::FileExists(dir.File("missing/dir/m.vskc.tmp")));

    // A directory in the way of the rename: the save fails and nothing is left behind.
    testsupport::WriteFile(dir.File("taken/keep.txt"), "x");
    EXPECT_FALSE(mesh.Save(dir.File("taken")));
    EXPECT_FALSE(testsupport::FileExists(dir.File("taken.tmp")));
    EXPECT_EQ(ReadFile(dir.File("taken/keep.txt")), "x");
}

TEST(VskcFormatTest, EulerAnglesGiveTheRotationTable)
{
    const struct {
        float a, b, c;
        float m[9];
    } cases[] = {
        {0, 0, 0, {1, 0, 0, 0, 1, 0, 0, 0, 1}},     {90, 0, 0, {1, 0, 0, 0, 0, -1, 0, 1, 0}},
        {0, 90, 0, {0, 0, 1, 0, 1, 0, -1, 0, 0}},   {0, 0, 90, {0, -1, 0, 1, 0, 0, 0, 0, 1}},
        {90, 90, 0, {0, 1, 0, 0, 0, -1, -1, 0, 0}},
    };
    for (const auto& c : cases) {
        const CMatrix3 m = Game::EulerToMatrix(c.a, c.b, c.c);
        for (int i = 0; i < 9; ++i)
            EXPECT_NEAR(m.m[i], c.m[i], 1e-6f) << c.a << ' ' << c.b << ' ' << c.c << " entry " << i;
    }
}

} // namespace
