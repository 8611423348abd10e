// The player, enemy, boss and trap voxel models under bin/assets/meshes: each is registered and
// loads with the clips and separately shattering parts its controller plays and breaks off, poses
// every part in every keyframe without sinking into the ground, keeps its cube budget, and drawn
// on the headless device each kind shows its own palette. Set THRUMMOCK_MODEL_FRAMES to a directory to keep the drawn
// contact sheets (one per model and time: every clip in name order, each in profile and three-quarter view).
#include "CubeRenderFixture.h"
#include "VoxelTestSupport.h"

#include "game/voxel/CubePose.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

using Game::CVeskCubeAnimationController;
using Game::CVeskCubeMesh;

namespace {

bool Red(int r, int g, int b) { return r > g + 60 && r > b + 60; }
bool Green(int r, int g, int b) { return g > r + 25 && g > b + 25; }
bool BoneWhite(int r, int g, int b) { return r > 140 && g > 135 && b > 110 && r - b < 60 && b <= r + 10; }
bool PaleBlue(int r, int g, int b) { return b > r + 20 && b > 120 && g > r; }
bool Brown(int r, int g, int b) { return r > g + 15 && g > b + 8 && r < 210; }
bool Grey(int r, int g, int b) { return std::abs(r - g) < 14 && std::abs(g - b) < 16 && r > 50; }
bool BarkOrLeaf(int r, int g, int b) { return Brown(r, g, b) || Green(r, g, b); }
bool AnyColour(int, int, int) { return true; }

struct Model {
    const char* name;
    std::vector<std::string> clips;    // every clip the controller plays
    std::vector<std::string> breakers; // parts that must shatter off on their own
    int minParts;
    int maxCubes;
    bool (*ofKind)(int r, int g, int b); // the kind's own colour
    float kindShare;                     // at least this share of the drawn model's pixels
};

const std::vector<Model>& Models()
{
    static const std::vector<Model> models = {
        {"player",
         {"IDLE", "RUNTWO", "JUMP", "SWINGONE", "SWINGTWO", "SWINGTHREE", "STRETCH", "FIRESHOT", "SPAWN", "DRILLATK",
          "MINIDRILLATK", "ROLL", "DEATH", "STUNALT", "ATTACKUPPERCUT", "ATTACKNORMAL"},
         {},
         2,
         2500,
         Red,
         0.15f},
        {"koboldminion",
         {"IDLE", "WALK", "STUN", "FEEDBACK", "ATTACK", "DEATH"},
         {"ears", "tail", "bodyparts"},
         2,
         4000,
         Green,
         0.25f},
        {"slime", {"IDLE", "WALK", "STUN", "FEEDBACK"}, {}, 2, 4000, Green, 0.6f},
        {"skeleton",
         {"IDLE", "WALK", "SPIN", "FAKEDEATH", "HITTED", "ATTACKDELAY", "ATTACKSTRIKE", "DEATH"},
         {"rib1"},
         2,
         4000,
         BoneWhite,
         0.4f},
        {"ghost", {"IDLE", "MOVING", "STUN", "DEATH"}, {}, 2, 4000, PaleBlue, 0.6f},
        {"boar",
         {"IDLE", "WALK", "STUN", "PREPARECHARGE", "CHARGE"},
         {"tusks", "flab1", "flab2", "flab3"},
         2,
         4000,
         Brown,
         0.5f},
        {"golem", {"IDLE", "MOVING", "STUN", "CHARGING", "ATTACKING"}, {}, 2, 4000, Grey, 0.5f},
        {"bigboss", {"IDLE"}, {}, 2, 15000, BarkOrLeaf, 0.6f},
        {"spiketrap", {}, {}, 1, 4000, AnyColour, 1.0f},
        {"trampoline", {}, {}, 1, 4000, AnyColour, 1.0f},
    };
    return models;
}

std::string MeshesDir() { return testsupport::SourceDir() + "/bin/assets/meshes/"; }

struct PosedCube {
    const std::string* part;
    CVector3D at;
};

// Every visible cube of the mesh where its current pose puts it, in mesh space.
std::vector<PosedCube> PosedCubes(const CVeskCubeMesh& mesh)
{
    std::vector<PosedCube> cubes;
    for (const auto& entry : mesh.GetSubmeshMap()) {
        const Game::CubeSubmesh& s = *entry.second;
        CMatrix4 m;
        mesh.GetAncestorMatrix(&s).Multiply(m, Game::TranslationRotation(s.localPosition, s.rotation));
        for (int i = 0; i < s.visibleCount; ++i) {
            const float in[4] = {s.restPositions[i].x, s.restPositions[i].y, s.restPositions[i].z, 1.0f};
            float out[4];
            m.TransformVector4(out, in);
            cubes.push_back({&entry.first, CVector3D(out[0], out[1], out[2])});
        }
    }
    return cubes;
}

TEST(CharacterModelContentTest, ModelsCarryTheirClipsAndPartsAndStayAboveTheGround)
{
    const std::string registry = testsupport::ReadFile(testsupport::SourceDir() + "/bin/assets/meshes.xml");
    for (const Model& model : Models()) {
        SCOPED_TRACE(model.name);
        const std::string file = std::string(model.name) + ".vskc";
        EXPECT_NE(registry.find("<" + std::string(model.name) + " path=\"assets/meshes/" + file + "\"/>"),
                  std::string::npos);
        CVeskCubeMesh mesh;
        ASSERT_TRUE(mesh.Load(MeshesDir() + file));
        voxeltest::ExpectConsistent(mesh);

        const std::vector<std::string> parts = mesh.GetSubmeshes();
        EXPECT_GE(static_cast<int>(parts.size()), model.minParts);
        for (const std::string& breaker : model.breakers) {
            const Game::CubeSubmesh* s = mesh.FindSubmesh(breaker);
            ASSERT_NE(s, nullptr) << breaker;
            EXPECT_GT(s->visibleCount, 0) << breaker;
        }
        int cubes = 0;
        for (const auto& entry : mesh.GetSubmeshMap()) {
            EXPECT_GT(entry.second->visibleCount, 0) << entry.first;
            cubes += entry.second->cubeCount;
        }
        EXPECT_LT(cubes, model.maxCubes);

        for (const std::string& clip : model.clips)
            EXPECT_EQ(mesh.GetAnimations().count(clip), 1u) << clip;
        CVeskCubeAnimationController controller(&mesh);
        for (const auto& entry : mesh.GetAnimations()) {
            const Game::CubeAnimation& animation = entry.second;
            EXPECT_GT(animation.fps, 0) << entry.first;
            // Clips that gate behaviour end held on their last keyframe: they need two at least.
            ASSERT_GE(animation.keyframes.size(), 2u) << entry.first;
            for (const Game::CubeKeyframe& key : animation.keyframes) {
                // A part missing from a keyframe would jump to the model's origin.
                EXPECT_EQ(key.poses.size(), parts.size()) << entry.first << " frame " << key.frame;
                controller.SetAnimation(entry.first, 1, float(key.frame));
                const std::vector<PosedCube> cubes = PosedCubes(mesh);
                const auto lowest = std::min_element(cubes.begin(), cubes.end(),
                                                     [](const auto& p, const auto& q) { return p.at.y < q.at.y; });
                ASSERT_NE(lowest, cubes.end());
                EXPECT_GE(lowest->at.y, -1.0f)
                    << entry.first << " frame " << key.frame << ": " << *lowest->part << " sinks into the ground";
            }
        }
    }
}

class CharacterModelDrawTest : public voxeltest::CubeRenderFixture {
protected:
    static constexpr uint32_t kBackground = 0xFF373737;

    void SetUp() override
    {
        SetUpDevice(800, 450);
        if (!DeviceReady())
            return;
        m_Camera = Vesk::CCameraManager::GetInstance().CreateCamera<Vesk::CCamera>("sheet", true);
        AddDirectionalLight(CVector3D(0.3f, -1.0f, 0.6f));
    }
    void ReleaseMeshes() override { m_Controllers.clear(); }

    // One instance of the mesh turned by the yaw and placed at the point, posed in the clip.
    void Place(Vesk::IMesh* mesh, const std::string& clip, float time, float yaw, const CVector3D& at)
    {
        auto* transform = new Vesk::CTransformNode("sheettrans");
        CMatrix4 place;
        place.RotationY(yaw);
        place.m[3] = at.x;
        place.m[7] = at.y;
        place.m[11] = at.z;
        transform->SetLocalMatrix(place);
        auto* geom = new Vesk::CGeomNode("sheetgeom");
        geom->SetMesh(mesh);
        geom->GetBucketKeys() = {-1};
        if (!clip.empty()) {
            m_Controllers.emplace_back(new CVeskCubeAnimationController(mesh));
            m_Controllers.back()->SetAnimation(clip, 1, time);
            geom->SetAnimationController(m_Controllers.back().get());
        }
        transform->AddChild(geom);
        auto* material = new Vesk::CMaterialNode("sheetmat");
        material->AddChild(transform);
        m_Scene.AddNode(material);
    }

    // Every clip at the same share of its length, in a grid of cells each holding the model in
    // profile and in three-quarter view, seen slightly from above.
    void DrawSheet(CVeskCubeMesh& mesh, float share)
    {
        m_Scene.Reset();
        m_Controllers.clear();
        std::vector<std::string> clips;
        for (const auto& entry : mesh.GetAnimations())
            clips.push_back(entry.first);
        if (clips.empty())
            clips.push_back("");
        float size = 1.0f;
        for (const PosedCube& p : PosedCubes(mesh))
            size = std::max({size, std::fabs(p.at.x) * 2.0f, p.at.y, std::fabs(p.at.z) * 2.0f});
        const int columns = std::min<int>(4, int(clips.size()));
        const int rows = (int(clips.size()) + columns - 1) / columns;
        const float cellWidth = size * 2.0f, cellHeight = size * 1.15f;
        for (int i = 0; i < int(clips.size()); ++i) {
            const float x = (float(i % columns) - float(columns - 1) * 0.5f) * cellWidth;
            const float y = -float(i / columns) * cellHeight;
            float time = 0.0f;
            if (!clips[i].empty()) {
                const auto& keys = mesh.GetAnimations().at(clips[i]).keyframes;
                time = float(keys.front().frame) + share * float(keys.back().frame - keys.front().frame);
            }
            Place(&mesh, clips[i], time, -90.0f, CVector3D(x - size * 0.5f, y, 0));
            Place(&mesh, clips[i], time, -30.0f, CVector3D(x + size * 0.5f, y, 0));
        }
        const float width = float(columns) * cellWidth, height = float(rows) * cellHeight;
        const float tangent = std::tan(m_Camera->GetFieldOfView() * 0.5f);
        const float distance = std::max(height * 0.5f / tangent, width * 0.5f / (tangent * m_Camera->GetAspect()));
        const CVector3D centre(0, size * 0.5f - float(rows - 1) * cellHeight * 0.5f, 0);
        Aim(*m_Camera, centre + CVector3D(0, distance * 0.12f, -distance - size * 0.5f), centre);
        DrawFrame();
    }

    Vesk::CCamera* m_Camera = nullptr;
    std::vector<std::unique_ptr<CVeskCubeAnimationController>> m_Controllers;
};

TEST_F(CharacterModelDrawTest, EachKindShowsItsOwnPalette)
{
    const char* keep = std::getenv("THRUMMOCK_MODEL_FRAMES");
    for (const Model& model : Models()) {
        SCOPED_TRACE(model.name);
        auto* mesh = dynamic_cast<CVeskCubeMesh*>(Vesk::CResourceManager::GetInstance().LoadMesh(model.name));
        ASSERT_NE(mesh, nullptr) << "not a cube model: is it in meshes.xml?";
        const struct {
            const char* tag;
            float share;
        } times[] = {{"start", 0.0f}, {"middle", 0.5f}, {"end", 1.0f}};
        for (const auto& t : times) {
            DrawSheet(*mesh, t.share);
            if (keep) {
                EXPECT_TRUE(m_Renderer.SaveScreenshot(std::string(keep) + "/" + model.name + "_" + t.tag + ".bmp"));
            }
            const gfx::Viewport& view = m_Renderer.GetDevice()->GetViewport();
            const std::vector<uint32_t> pixels =
                m_Renderer.GetDevice()->ReadPixels(view.x, view.y, view.width, view.height);
            int drawn = 0, ofKind = 0;
            for (uint32_t argb : pixels) {
                if (argb == kBackground)
                    continue;
                ++drawn;
                ofKind += model.ofKind(int((argb >> 16) & 0xFF), int((argb >> 8) & 0xFF), int(argb & 0xFF));
            }
            EXPECT_GT(drawn, int(pixels.size()) / 50) << t.tag << ": the model is barely drawn";
            EXPECT_GE(float(ofKind), model.kindShare * float(drawn)) << t.tag << ": " << ofKind << " of " << drawn;
        }
    }
}

} // namespace
