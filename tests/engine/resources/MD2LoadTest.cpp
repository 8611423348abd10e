// MD2 loading: animation names derived from frame names, the logged ranges, and the rejection of
// files whose counts, offsets or indices do not fit (also under byte-wise mutation).
#include "resources/md2/CMD2Model.h"
#include "resources/md2/MD2Normals.h"
#include "support/TestSupport.h"

#include "MD2Fixture.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <set>
#include <string>
#include <vector>

using Vesk::CMD2Model;
using Vesk::MD2AnimationRange;

namespace {

std::vector<std::string> Numbered(const std::string& stem, int first, int last, bool twoDigits)
{
    std::vector<std::string> names;
    for (int i = first; i <= last; ++i)
        names.push_back(stem + (twoDigits && i < 10 ? "0" : "") + std::to_string(i));
    return names;
}

bool LoadBytes(CMD2Model& model, const std::vector<uint8_t>& bytes)
{
    return model.LoadFromMemory(bytes.data(), bytes.size(), "fixture.md2");
}

} // namespace

TEST(MD2AnimationsTest, NameIsCutAtTheFirstDigitUnlessADigitLeadsTheLastThree)
{
    const std::pair<const char*, const char*> cases[] = {
        {"stand01", "stand"}, {"run1", "run"},          {"pain101", "pain1"}, {"pain001", "pain"}, {"crouch", "crouch"},
        {"01", ""},           {"attack123", "attack1"}, {"death1a", "death"}, {"jump12", "jump"},  {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, Vesk::MD2AnimationName(c.first)) << c.first;
}

TEST(MD2AnimationsTest, RangesFollowTheFramesAndTheFirstNameBecomesCurrent)
{
    std::vector<std::string> names = Numbered("stand", 1, 40, true);
    const std::vector<std::string> run = Numbered("run", 1, 6, false);
    names.insert(names.end(), run.begin(), run.end());

    CMD2Model model;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(LoadBytes(model, md2fixture::Build(md2fixture::NamedFrames(names))));
    const std::string log = testing::internal::GetCapturedStdout();

    EXPECT_EQ("MD2 Loading.. Animation Name: stand\nStart: 0 End: 39\n"
              "MD2 Loading.. Animation Name: run\nStart: 40 End: 45\n",
              log);
    ASSERT_EQ(2u, model.GetAnimations().size());
    const MD2AnimationRange* stand = model.FindAnimation("stand");
    const MD2AnimationRange* runRange = model.FindAnimation("run");
    ASSERT_TRUE(stand && runRange);
    EXPECT_EQ(0, stand->start);
    EXPECT_EQ(39, stand->end);
    EXPECT_EQ(40, runRange->start);
    EXPECT_EQ(45, runRange->end);
    EXPECT_EQ("run", model.GetCurrentAnimationName());
    EXPECT_EQ(nullptr, model.FindAnimation("walk"));
}

TEST(MD2AnimationsTest, ARepeatedNameKeepsItsFirstRangeAndFullLengthNamesAreRead)
{
    // "sixteencharsname" fills its 16 bytes with no terminator.
    CMD2Model model;
    testing::internal::CaptureStdout();
    ASSERT_TRUE(LoadBytes(model, md2fixture::Build(md2fixture::NamedFrames(
                                     {"idle1", "idle2", "wave1", "idle3", "sixteencharsname", "sixteencharsnameXX"}))));
    const std::string log = testing::internal::GetCapturedStdout();

    EXPECT_EQ(0, model.FindAnimation("idle")->start);
    EXPECT_EQ(1, model.FindAnimation("idle")->end);
    EXPECT_EQ(2, model.FindAnimation("wave")->start);
    EXPECT_EQ(4, model.FindAnimation("sixteencharsname")->start);
    EXPECT_EQ(5, model.FindAnimation("sixteencharsname")->end) << "the name is cut to its 16 bytes";
    EXPECT_NE(std::string::npos, log.find("Animation Name: idle\nStart: 3 End: 3\n")) << log;
    EXPECT_EQ("idle", model.GetCurrentAnimationName());
}

TEST(MD2LoadTest, CorruptFilesAreRejectedAndLeaveTheModelEmpty)
{
    const std::vector<uint8_t> good = md2fixture::Build(md2fixture::NamedFrames({"a1", "a2"}));
    struct Case {
        const char* what;
        size_t at;
        uint32_t value;
    };
    const Case cases[] = {
        {"ident", md2fixture::kIdent, 0x32504448},
        {"version", md2fixture::kVersion, 7},
        {"skin width 0", md2fixture::kSkinWidth, 0},
        {"negative skin height", md2fixture::kSkinHeight, 0xFFFFFFF0u},
        {"no frames", md2fixture::kNumFrames, 0},
        {"negative frame count", md2fixture::kNumFrames, 0x80000000u},
        {"frames past the end", md2fixture::kNumFrames, 3},
        {"huge vertex count", md2fixture::kNumVertices, 0x7FFFFFFFu},
        {"huge triangle count", md2fixture::kNumTriangles, 0x40000000u},
        {"texture coordinates past the end", md2fixture::kOfsTexCoords, 0x7FFFFFF0u},
        {"negative frame offset", md2fixture::kOfsFrames, 0xFFFFFFFCu},
        {"vertex index", 68 + 12 + 2, 3},             // second corner's vertex of the only triangle
        {"texture coordinate index", 68 + 12 + 8, 3}, // second corner's texture coordinate
        {"normal index", good.size() - 1, 162},       // last vertex of the last frame
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> bytes = good;
        if (c.at + 4 <= 68)
            md2fixture::Put32(bytes, c.at, c.value);
        else if (c.at == good.size() - 1)
            bytes[c.at] = static_cast<uint8_t>(c.value);
        else {
            bytes[c.at] = static_cast<uint8_t>(c.value);
            bytes[c.at + 1] = static_cast<uint8_t>(c.value >> 8);
        }
        CMD2Model model;
        EXPECT_FALSE(LoadBytes(model, bytes)) << c.what;
        EXPECT_EQ(0, model.GetFrameCount()) << c.what;
        EXPECT_TRUE(model.GetAnimations().empty()) << c.what;
    }

    // Every truncation cuts into the frames, which end the file.
    for (size_t size = 0; size < good.size(); ++size) {
        CMD2Model model;
        EXPECT_FALSE(model.LoadFromMemory(good.data(), size, "truncated")) << size;
    }
    CMD2Model model;
    EXPECT_FALSE(model.LoadFromMemory(nullptr, 0, "null"));
}

TEST(MD2LoadTest, LoadsFromAFileAndRefusesAMissingOne)
{
    testsupport::ScratchDir dir;
    const std::vector<uint8_t> bytes = md2fixture::Build(md2fixture::NamedFrames({"walk1", "walk2"}));
    testsupport::WriteFile(dir.File("walker.md2"), std::string(bytes.begin(), bytes.end()));

    CMD2Model model;
    testing::internal::CaptureStdout();
    EXPECT_TRUE(model.Load(dir.File("walker.md2")));
    testing::internal::GetCapturedStdout();
    EXPECT_EQ(2, model.GetFrameCount());
    EXPECT_FALSE(model.Load(dir.File("absent.md2")));
    EXPECT_EQ(0, model.GetFrameCount());
    EXPECT_FALSE(model.Load(dir.Path())) << "a directory is not a model";
    EXPECT_FALSE(model.Load("/dev/zero")) << "only regular files are read";
    EXPECT_EQ(0, model.GetFrameCount());
}

// Every byte of a valid file set to boundary values, then random multi-byte damage: a load either
// fails or gives a model whose every pose can be built.
TEST(MD2LoadTest, MutatedFilesNeverReadOutsideTheImage)
{
    md2fixture::Model fixture = md2fixture::NamedFrames({"run1", "run2", "stand01"});
    fixture.triangles.push_back({2, 1, 0, 2, 2, 2});
    const std::vector<uint8_t> good = md2fixture::Build(fixture);

    auto exercise = [](const std::vector<uint8_t>& bytes) {
        CMD2Model model;
        if (!model.LoadFromMemory(bytes.data(), bytes.size(), "mutated"))
            return;
        std::vector<Vesk::MD2DrawVertex> vertices;
        for (int a = 0; a < model.GetFrameCount(); ++a)
            for (int b = 0; b < model.GetFrameCount(); ++b)
                model.BuildVertices({0.5f, a, b}, CMatrix4(), vertices);
        std::vector<CVector3D> positions;
        model.GetVertexPositions(positions);
    };

    testing::internal::CaptureStdout();
    testing::internal::CaptureStderr();
    const uint8_t values[] = {0x00, 0x01, 0x7F, 0x80, 0xFF};
    for (size_t at = 0; at < good.size(); ++at) {
        for (uint8_t value : values) {
            std::vector<uint8_t> bytes = good;
            bytes[at] = value;
            exercise(bytes);
        }
    }
    std::mt19937 random(1234);
    for (int round = 0; round < 2000; ++round) {
        std::vector<uint8_t> bytes = good;
        const int hits = 1 + static_cast<int>(random() % 6);
        for (int i = 0; i < hits; ++i)
            bytes[random() % bytes.size()] = static_cast<uint8_t>(random());
        exercise(bytes);
    }
    testing::internal::GetCapturedStdout();
    testing::internal::GetCapturedStderr();
}

TEST(MD2NormalsTest, TableHoldsDistinctUnitNormalsInOppositePairs)
{
    std::set<std::vector<float>> normals;
    for (const auto& n : Vesk::kMD2Normals) {
        EXPECT_NEAR(1.0, std::sqrt(double(n[0]) * n[0] + double(n[1]) * n[1] + double(n[2]) * n[2]), 1e-5);
        normals.insert({n[0], n[1], n[2]});
    }
    EXPECT_EQ(162u, normals.size());
    for (const auto& n : Vesk::kMD2Normals)
        EXPECT_EQ(
            1u, normals.count({n[0] == 0.0f ? 0.0f : -n[0], n[1] == 0.0f ? 0.0f : -n[1], n[2] == 0.0f ? 0.0f : -n[2]}));
}
