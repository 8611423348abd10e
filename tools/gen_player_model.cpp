// Generates the player's voxel model "player" through the engine's own ".vskc" writer: a hero of
// about 25 cubes in a red tunic with a silver breastplate, a blue cape and a broad sword, facing
// -z with feet at y = 0, and every clip the player controller plays.
// Usage: gen_player_model [output directory, default bin/assets/meshes]. Output is deterministic.
#include "VoxelModelKit.h"

#include <algorithm>
#include <string>
#include <vector>

using namespace ModelKit;

namespace {

const CVector3D kTunic(214, 46, 38), kTrim(244, 194, 58), kPlate(206, 212, 224), kCape(44, 76, 178);
const CVector3D kSkin(240, 196, 150), kHair(156, 86, 38), kEye(30, 36, 70), kPants(46, 52, 92);
const CVector3D kBoot(104, 64, 34), kGlove(120, 76, 40), kSteel(214, 222, 236), kEdge(250, 252, 255);

// The moves of a pose followed by changes to it; a later move of a part replaces an earlier one.
std::vector<Move> With(std::vector<Move> base, const std::vector<Move>& changes)
{
    base.insert(base.end(), changes.begin(), changes.end());
    return base;
}

Shape Arm(int side)
{
    // side -1: left (-x), 1: right; the shoulder pad reaches out over the arm.
    const int in = side < 0 ? 0 : -1, out = side < 0 ? -1 : 0;
    const int x0 = std::min(in, out), x1 = std::max(in, out);
    Shape arm;
    arm.Box(x0, -3, -1, x1, 0, 0, Speckle(kTunic));
    arm.Box(x0, -5, -1, x1, -4, 0, Speckle(kSkin));
    arm.Box(x0, -7, -1, x1, -6, 0, Speckle(kGlove));
    arm.Box(x0 - (side < 0), -1, -2, x1 + (side > 0), 1, 1, Speckle(kTunic));
    arm.Box(x0 - (side < 0), -1, -2, x1 + (side > 0), -1, 1, kTrim);
    return arm;
}

bool MakePlayer(const std::string& path)
{
    CVeskCubeMesh mesh;
    Rig rig(mesh);
    Shape hips;
    hips.Box(-3, -1, -2, 3, 1, 1, Speckle(kPants));
    hips.Box(-3, 1, -2, 3, 1, 1, Speckle(kBoot));
    hips.Box(-1, 1, -3, 1, 1, -3, kTrim);
    hips.Box(-3, -2, -2, 3, -2, 1, Speckle(kTunic));
    Shape torso;
    torso.Box(-3, 0, -2, 3, 6, 1, Speckle(kTunic));
    torso.Box(-2, 1, -3, 2, 5, -3, Speckle(kPlate));
    torso.Box(-1, 2, -3, 1, 2, -3, kTrim);
    torso.Box(0, 1, -3, 0, 4, -3, kTrim);
    torso.Box(-2, 6, -2, 2, 6, 1, kTrim);
    Shape head;
    head.Box(-3, 0, -3, 3, 5, 2, Speckle(kSkin));
    head.Box(-3, 4, -3, 3, 6, 2, Speckle(kHair));
    head.Box(-3, 0, 0, 3, 5, 2, Speckle(kHair));
    head.Box(-3, 1, -1, -3, 5, -1, Speckle(kHair));
    head.Box(3, 1, -1, 3, 5, -1, Speckle(kHair));
    head.Box(-2, 2, -3, -2, 3, -3, kEye);
    head.Box(2, 2, -3, 2, 3, -3, kEye);
    head.Box(-1, 0, -3, 1, 0, -3, Speckle(CVector3D(210, 150, 120)));
    head.Box(-3, 4, -4, 3, 4, -4, Speckle(kCape));
    head.Box(-2, 7, -2, -1, 7, 1, Speckle(kHair));
    head.Box(1, 7, -1, 2, 7, 2, Speckle(kHair));
    head.Box(0, 8, 0, 0, 8, 1, Speckle(kHair));
    head.Box(-1, 4, 3, 1, 5, 4, Speckle(kCape));
    Shape cape;
    for (int y = -12; y <= 0; ++y) {
        const int half = 3 + (-y) / 5;
        cape.Box(-half, y, 0, half, y, 0, [&](int x, int, int) {
            return Speckled(y == -12 || x == -half || x == half ? kTrim : kCape, x, y, 0);
        });
    }
    Shape leg;
    leg.Box(-1, -4, -1, 1, 0, 1, Speckle(kPants));
    leg.Box(-1, -7, -1, 1, -5, 1, Speckle(kBoot));
    leg.Box(-1, -7, -2, 1, -6, -2, Speckle(kBoot));
    leg.Box(-1, -4, -2, 1, -4, -2, kTrim);
    Shape sword;
    sword.Box(0, -2, 0, 0, -2, 0, kTrim);
    sword.Box(0, -1, 0, 0, 1, 0, Speckle(kBoot));
    sword.Box(-1, 2, -2, 1, 2, 1, kTrim);
    sword.Box(0, 3, -1, 0, 14, 0, [&](int x, int y, int z) { return Speckled(z < 0 ? kEdge : kSteel, x, y, z); });
    sword.Box(0, 3, -1, 0, 10, -1, CVector3D(96, 150, 230));
    sword.Box(0, 15, -1, 0, 15, -1, kEdge);

    CubeSubmesh* hp = rig.Part(hips, "hips", CVector3D(0, 9, 0));
    CubeSubmesh* t = rig.Part(torso, "torso", CVector3D(0, 2, 0), hp);
    rig.Part(head, "head", CVector3D(0, 7, 0), t);
    rig.Part(cape, "cape", CVector3D(0, 6, 2.5f), t);
    rig.Part(Arm(-1), "armL", CVector3D(-4, 6, 0), t);
    CubeSubmesh* armR = rig.Part(Arm(1), "armR", CVector3D(4, 6, 0), t);
    rig.Part(leg, "legL", CVector3D(-2, -2, 0), hp);
    rig.Part(leg, "legR", CVector3D(2, -2, 0), hp);
    rig.Part(sword, "sword", CVector3D(-0.5f, -7, -0.5f), armR);

    // Ready stance: sword held forward and up, the other arm loose, cape hanging.
    const auto stance = [](float breathe, float capeSway) {
        return std::vector<Move>{
            {"hips", 0, 0, 0, CVector3D(0, breathe, 0)},
            {"torso", -breathe * 6},
            {"head", breathe * 4},
            {"armR", 25, 0, 8},
            {"sword", -55},
            {"armL", 10 + breathe * 10, 0, -10},
            {"legL", 8, 0, -4},
            {"legR", -8, 0, 4},
            {"cape", 8 + capeSway},
        };
    };
    const std::vector<Move> ready = stance(0, 0);
    rig.Key("IDLE", 6, 1, stance(0, 0));
    rig.Key("IDLE", 6, 7, stance(-0.4f, 4));
    rig.Key("IDLE", 6, 13, stance(0, 0));

    // Running: leaning in, sword trailing, cape flying back.
    const auto stride = [](float swing, float bob) {
        return std::vector<Move>{
            {"hips", -12, 0, 0, CVector3D(0, bob, 0)},
            {"torso", -8, swing * 0.2f},
            {"head", 15},
            {"legL", swing * 1.3f},
            {"legR", -swing * 1.3f},
            {"armL", -swing, 0, -10},
            {"armR", swing * 0.5f + 10, 0, 10},
            {"sword", 60},
            {"cape", 55 + bob * 10},
        };
    };
    rig.Key("RUNTWO", 14, 1, stride(35, 0));
    rig.Key("RUNTWO", 14, 5, stride(0, 1));
    rig.Key("RUNTWO", 14, 9, stride(-35, 0));
    rig.Key("RUNTWO", 14, 13, stride(0, 1));
    rig.Key("RUNTWO", 14, 17, stride(35, 0));

    const auto air = [](float tuck) {
        return std::vector<Move>{
            {"hips", -5},
            {"torso", -5},
            {"head", 10},
            {"legL", 40 + tuck, 0, -5},
            {"legR", -15 + tuck, 0, 5},
            {"armL", -40, 0, -50},
            {"armR", -30, 0, 40},
            {"sword", 30},
            {"cape", 70 - tuck},
        };
    };
    rig.Key("JUMP", 8, 1, air(0));
    rig.Key("JUMP", 8, 5, air(10));
    rig.Key("JUMP", 8, 9, air(0));

    // First swing: from over the right shoulder across and down, ending low in front.
    rig.Key("SWINGONE", 20, 1, ready);
    rig.Key("SWINGONE", 20, 3, With(ready, {{"torso", 5, -30}, {"armR", -150, 0, 20}, {"sword", -20}}));
    rig.Key("SWINGONE", 20, 6,
            With(ready, {{"hips", 0, 0, 0, CVector3D(0, -0.5f, -1)},
                         {"torso", -20, 25},
                         {"armR", 70, 0, -20},
                         {"sword", -70},
                         {"armL", -20, 0, -30},
                         {"legL", 30},
                         {"legR", -25},
                         {"cape", 40}}));
    rig.Key("SWINGONE", 20, 9,
            With(ready, {{"hips", 0, 0, 0, CVector3D(0, -0.5f, -1)},
                         {"torso", -15, 20},
                         {"armR", 60, 0, -20},
                         {"sword", -60},
                         {"armL", -20, 0, -30},
                         {"legL", 30},
                         {"legR", -25},
                         {"cape", 25}}));
    // Second swing: a backhand rising cut.
    const std::vector<Move> low = With(ready, {{"hips", 0, 0, 0, CVector3D(0, -0.5f, -1)},
                                               {"torso", -15, 20},
                                               {"armR", 60, 0, -20},
                                               {"sword", -60},
                                               {"legL", 30},
                                               {"legR", -25}});
    rig.Key("SWINGTWO", 20, 1, low);
    rig.Key("SWINGTWO", 20, 4,
            With(ready, {{"torso", 5, -25},
                         {"armR", -140, 0, 30},
                         {"sword", -10},
                         {"armL", 30, 0, -40},
                         {"legL", 20},
                         {"legR", -30},
                         {"cape", 45}}));
    rig.Key("SWINGTWO", 20, 8, With(ready, {{"torso", 0, -15}, {"armR", -120, 0, 25}, {"sword", -20}, {"cape", 20}}));
    // Third swing: a leaping overhead smash into the ground.
    rig.Key("SWINGTHREE", 18, 1, ready);
    rig.Key("SWINGTHREE", 18, 4,
            With(ready, {{"hips", 10, 0, 0, CVector3D(0, 3, 0)},
                         {"torso", 10},
                         {"armR", -175},
                         {"armL", -160},
                         {"sword", 20},
                         {"legL", 45},
                         {"legR", 10},
                         {"cape", 60}}));
    rig.Key("SWINGTHREE", 18, 7,
            With(ready, {{"hips", -20, 0, 0, CVector3D(0, -2, -1)},
                         {"torso", -25},
                         {"head", 20},
                         {"armR", 85},
                         {"armL", 70},
                         {"sword", -95},
                         {"legL", 60},
                         {"legR", -40},
                         {"cape", 30}}));
    rig.Key("SWINGTHREE", 18, 12,
            With(ready, {{"hips", -15, 0, 0, CVector3D(0, -1.5f, -1)},
                         {"torso", -20},
                         {"head", 15},
                         {"armR", 80},
                         {"armL", 60},
                         {"sword", -90},
                         {"legL", 50},
                         {"legR", -35},
                         {"cape", 20}}));

    // A stretch with both arms high and the sword raised over the head.
    const auto stretch = [](float lean) {
        return std::vector<Move>{
            {"hips", 0, 0, 0, CVector3D(0, 0.3f * lean, 0)},
            {"torso", 8 * lean, 0, 4 * lean},
            {"head", 15 * lean},
            {"armR", -170, 0, -10},
            {"armL", -165, 0, 15},
            {"sword", 170},
            {"legL", 0, 0, -6},
            {"legR", 0, 0, 6},
            {"cape", 5},
        };
    };
    rig.Key("STRETCH", 5, 1, stretch(1));
    rig.Key("STRETCH", 5, 6, stretch(-0.5f));
    rig.Key("STRETCH", 5, 11, stretch(1));

    // Gathers the charge at the left hand and thrusts it forward.
    rig.Key("FIRESHOT", 16, 1, ready);
    rig.Key("FIRESHOT", 16, 4, With(ready, {{"torso", 5, 30}, {"armL", -30, 0, -30}, {"legL", -15}, {"legR", 20}}));
    rig.Key("FIRESHOT", 16, 7,
            With(ready, {{"hips", 0, 0, 0, CVector3D(0, -0.5f, -1)},
                         {"torso", -10, -20},
                         {"armL", 90},
                         {"armR", 40, 0, 20},
                         {"sword", 20},
                         {"legL", 30},
                         {"legR", -25},
                         {"cape", 35}}));
    rig.Key("FIRESHOT", 16, 11,
            With(ready, {{"hips", 0, 0, 0, CVector3D(0, -0.5f, -1)},
                         {"torso", -8, -15},
                         {"armL", 85},
                         {"armR", 40, 0, 20},
                         {"sword", 20},
                         {"legL", 30},
                         {"legR", -25},
                         {"cape", 20}}));

    // Rises out of a crouch and raises the sword.
    const std::vector<Move> crouch = {
        {"hips", -10, 0, 0, CVector3D(0, -3, 1)},
        {"torso", -30},
        {"head", -20},
        {"legL", 70},
        {"legR", -60},
        {"armL", 30, 0, -20},
        {"armR", 30, 0, 20},
        {"sword", -90},
        {"cape", 40},
    };
    rig.Key("SPAWN", 10, 1, crouch);
    rig.Key("SPAWN", 10, 5, With(ready, {{"armR", -160, 0, -5}, {"sword", 170}, {"head", 15}, {"cape", 30}}));
    rig.Key("SPAWN", 10, 9, ready);

    // The drill: a whirl on the spot, sword held straight out, in quarter turns.
    for (int i = 0; i <= 4; ++i)
        rig.Key("DRILLATK", 20, 1 + 2 * i,
                With(ready, {{"hips", 0, -float(i % 4) * 90.0f, 0, CVector3D(0, 1, 0)},
                             {"torso", -10},
                             {"armR", 0, 0, 90},
                             {"armL", 0, 0, -80},
                             {"sword", -90},
                             {"legL", 25, 0, -10},
                             {"legR", -25, 0, 10},
                             {"cape", 80}}));
    // The weak drill: a lunging stab.
    rig.Key("MINIDRILLATK", 18, 1, With(ready, {{"torso", 5}, {"armR", -20}, {"sword", -90}}));
    rig.Key("MINIDRILLATK", 18, 4,
            With(ready, {{"hips", -10, 0, 0, CVector3D(0, -1, -2)},
                         {"torso", -15},
                         {"armR", 95},
                         {"sword", 180},
                         {"armL", -40, 0, -30},
                         {"legL", 45},
                         {"legR", -35},
                         {"cape", 50}}));
    rig.Key("MINIDRILLATK", 18, 8,
            With(ready, {{"hips", -10, 0, 0, CVector3D(0, -1, -2)},
                         {"torso", -12},
                         {"armR", 90},
                         {"sword", 180},
                         {"armL", -40, 0, -30},
                         {"legL", 40},
                         {"legR", -30},
                         {"cape", 30}}));

    // A forward roll about the middle of the curled-up body.
    const auto curled = [](float turn, const CVector3D& lift) {
        return std::vector<Move>{
            {"hips", turn, 0, 0, lift}, {"torso", -35},      {"head", -30}, {"legL", 110}, {"legR", 100},
            {"armL", 70, 0, -10},       {"armR", 70, 0, 10}, {"sword", 70}, {"cape", 20},
        };
    };
    rig.Key("ROLL", 20, 1, ready);
    rig.Key("ROLL", 20, 3, curled(0, CVector3D(0, -2.5f, 0)));
    rig.Key("ROLL", 20, 5, curled(-90, CVector3D(0, 1.5f, 4)));
    rig.Key("ROLL", 20, 7, curled(-180, CVector3D(0, 5.5f, 0)));
    rig.Key("ROLL", 20, 9, curled(-270, CVector3D(0, 1.5f, -4)));
    rig.Key("ROLL", 20, 11, curled(-360, CVector3D(0, -2.5f, 0)));
    rig.Key("ROLL", 20, 14, ready);

    // Drops to the knees and falls forward onto the ground.
    rig.Key("DEATH", 10, 1, ready);
    rig.Key("DEATH", 10, 5,
            {{"hips", 0, 0, 0, CVector3D(0, -4, 0)},
             {"torso", -20},
             {"head", -25},
             {"legL", 90},
             {"legR", 90},
             {"armL", 30, 0, -10},
             {"armR", 20, 0, 10},
             {"sword", -100},
             {"cape", 10}});
    rig.Key("DEATH", 10, 11,
            {{"hips", -82, 0, 0, CVector3D(0, -6.5f, -1)},
             {"torso", -5},
             {"head", 20, 30},
             {"legL", -8, 0, -6},
             {"legR", -4, 0, 8},
             {"armL", -160, 0, -30},
             {"armR", -20, 0, 60},
             {"sword", 160},
             {"cape", -20}});

    // Knocked dizzy: head lolling, arms hanging, sword lowered; then back on guard.
    const std::vector<Move> reeling = {
        {"hips", 0, 0, 6, CVector3D(0, -0.5f, 1)},
        {"torso", 15, 10, 6},
        {"head", 20, 25, -15},
        {"armL", 10, 0, -20},
        {"armR", 10, 0, 25},
        {"sword", -100},
        {"legL", -10, 0, -8},
        {"legR", 15, 0, 4},
        {"cape", 20},
    };
    rig.Key("STUNALT", 10, 1, reeling);
    rig.Key("STUNALT", 10, 6, With(reeling, {{"hips", 0, 0, -6}, {"torso", 15, -10, -6}, {"head", 20, -25, 15}}));
    rig.Key("STUNALT", 10, 11, reeling);
    rig.Key("STUNALT", 10, 15, ready);

    // The rising slash: sword and body straight up, legs tucked.
    const auto rising = [](float reach) {
        return std::vector<Move>{
            {"hips", 5},          {"torso", -5 + reach}, {"head", 20},  {"armR", -175 + reach}, {"sword", 180},
            {"armL", 30, 0, -40}, {"legL", 60},          {"legR", -10}, {"cape", 80},
        };
    };
    rig.Key("ATTACKUPPERCUT", 12, 1, rising(0));
    rig.Key("ATTACKUPPERCUT", 12, 5, rising(10));
    rig.Key("ATTACKUPPERCUT", 12, 9, rising(0));

    rig.Key("ATTACKNORMAL", 16, 1, With(ready, {{"torso", 5, -20}, {"armR", -120, 0, 20}, {"sword", -20}}));
    rig.Key("ATTACKNORMAL", 16, 5, low);
    rig.Key("ATTACKNORMAL", 16, 9, With(ready, {{"torso", 5, -20}, {"armR", -120, 0, 20}, {"sword", -20}}));
    return rig.Save(path);
}

} // namespace

int main(int argc, char** argv) { return WriteOutputs("gen_player_model", argc, argv, {{"player.vskc", MakePlayer}}); }
