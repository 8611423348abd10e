// Generates the enemy and trap voxel models through the engine's own ".vskc" writer: the minion
// "koboldminion", "slime", "skeleton", "ghost", "boar", "golem", the treant boss "bigboss", and the
// traps "spiketrap" and "trampoline". Each character faces -z, one cube per unit, feet at y = 0, with
// the clips and the separately shattering parts its controller asks for.
// Usage: gen_enemy_models [output directory, default bin/assets/meshes]. Output is deterministic.
#include "VoxelModelKit.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

using namespace ModelKit;

namespace {

// A kobold of about 20 cubes: body at the hips, head with ears, two arms, two legs, a tail, a
// club in the right hand and its leather gear ("bodyparts"). Ears, tail and gear shatter off one
// by one as it weakens.
bool MakeKobold(const std::string& path)
{
    const CVector3D skin(96, 156, 64), tunic(118, 74, 42), belt(72, 46, 26), boot(54, 42, 32);
    const CVector3D eye(244, 222, 52), tooth(236, 232, 210), wood(132, 88, 48), stone(128, 128, 136);
    const CVector3D leather(88, 56, 30), bone(222, 214, 186), innerEar(168, 104, 96);

    CVeskCubeMesh mesh;
    Rig rig(mesh);
    Shape body;
    body.Box(-3, 0, -2, 2, 5, 1, Speckle(tunic));
    body.Box(-3, 0, -2, 2, 0, 1, belt);
    body.Box(-1, 1, -2, 0, 4, -2, Speckle(CVector3D(150, 100, 58)));
    Shape head;
    head.Box(-3, 0, -3, 2, 4, 1, Speckle(skin));
    head.Box(-2, 0, -5, 1, 2, -4, Speckle(skin));
    head.Box(-2, 3, -3, -2, 3, -3, eye);
    head.Box(1, 3, -3, 1, 3, -3, eye);
    head.Box(-2, 0, -5, -2, 0, -5, tooth);
    head.Box(1, 0, -5, 1, 0, -5, tooth);
    head.Box(-1, 2, -5, 0, 2, -5, CVector3D(40, 60, 30));
    Shape ears;
    for (int side = -1; side <= 1; side += 2) {
        const int x0 = side < 0 ? -4 : 3;
        ears.Box(x0, 0, 0, x0, 2, 1, Speckle(skin));
        ears.Box(x0 + side, 1, 0, x0 + side, 3, 1, Speckle(skin));
        ears.Box(x0 + 2 * side, 2, 1, x0 + 2 * side, 3, 1, Speckle(skin));
        ears.Box(x0 + 3 * side, 3, 1, x0 + 3 * side, 3, 1, Speckle(skin));
        ears.Box(x0, 1, 0, x0, 1, 0, innerEar);
    }
    Shape tail;
    tail.Box(-1, 0, 0, 0, 0, 3, Speckle(skin));
    tail.Box(-1, 1, 3, 0, 3, 4, Speckle(skin));
    tail.Box(-1, 4, 4, 0, 4, 4, Speckle(CVector3D(70, 120, 48)));
    Shape gear;
    for (int i = 0; i < 6; ++i)
        gear.Box(i - 3, 5 - i, -3, i - 3, 5 - i, -3, leather);
    gear.Box(-5, 6, -1, -3, 6, 1, Speckle(bone));
    gear.Box(-4, 7, 0, -4, 7, 0, bone);
    gear.Box(2, -1, -3, 3, 1, -3, Speckle(leather));
    gear.Box(-3, -1, 2, 2, 0, 2, Speckle(leather));
    Shape arm;
    arm.Box(-1, -5, -1, 0, 0, 0, Speckle(skin));
    arm.Box(-1, -1, -1, 0, 0, 0, Speckle(tunic));
    Shape leg;
    leg.Box(-1, -7, -1, 0, -1, 0, Speckle(skin));
    leg.Box(-1, -7, -2, 0, -6, 0, boot);
    Shape club;
    club.Box(0, 0, -5, 0, 0, -1, Speckle(wood));
    club.Box(-1, -1, -8, 1, 1, -6, Speckle(stone));
    club.Box(0, 2, -7, 0, 2, -7, stone);

    CubeSubmesh* b = rig.Part(body, "body", CVector3D(0, 7, 0));
    CubeSubmesh* h = rig.Part(head, "head", CVector3D(0, 6, 0), b);
    rig.Part(ears, "ears", CVector3D(0, 2, 0), h);
    rig.Part(tail, "tail", CVector3D(-0.5f, 1, 2), b);
    rig.Part(gear, "bodyparts", CVector3D(0, 0, 0), b);
    rig.Part(arm, "armL", CVector3D(-4, 5, 0), b);
    CubeSubmesh* armR = rig.Part(arm, "armR", CVector3D(4, 5, 0), b);
    rig.Part(leg, "legL", CVector3D(-1, 0, 0), b);
    rig.Part(leg, "legR", CVector3D(2, 0, 0), b);
    rig.Part(club, "club", CVector3D(0, -5, 0), armR);

    const auto walk = [](float bob, float nod, float legSwing, float armSwing, float clubTilt, float wag) {
        return std::vector<Move>{
            {"body", 0, 0, 0, CVector3D(0, bob, 0)},
            {"head", nod},
            {"armL", -armSwing},
            {"armR", armSwing},
            {"legL", legSwing},
            {"legR", -legSwing},
            {"club", clubTilt},
            {"tail", 0, wag},
            {"ears", 0, 0, 0, CVector3D(0, -bob * 0.5f, 0)},
        };
    };
    rig.Key("IDLE", 8, 1, walk(0.0f, 0.0f, 0.0f, 4.0f, -10.0f, -15.0f));
    rig.Key("IDLE", 8, 9, walk(-0.25f, 6.0f, 0.0f, -4.0f, 0.0f, 15.0f));
    rig.Key("IDLE", 8, 17, walk(0.0f, 0.0f, 0.0f, 4.0f, -10.0f, -15.0f));
    rig.Key("WALK", 12, 1, walk(0.0f, 0.0f, 30.0f, 25.0f, -10.0f, -20.0f));
    rig.Key("WALK", 12, 7, walk(0.5f, 3.0f, 0.0f, 0.0f, -5.0f, 0.0f));
    rig.Key("WALK", 12, 13, walk(0.0f, 0.0f, -30.0f, -25.0f, 0.0f, 20.0f));
    rig.Key("WALK", 12, 19, walk(0.5f, 3.0f, 0.0f, 0.0f, -5.0f, 0.0f));
    rig.Key("WALK", 12, 25, walk(0.0f, 0.0f, 30.0f, 25.0f, -10.0f, -20.0f));

    // Dazed: the head rolls, the body sways, the arms dangle.
    const auto dazed = [](float sway) {
        return std::vector<Move>{
            {"body", 0, 0, sway},         {"head", -10, sway * 2, -sway * 1.5f},
            {"armL", 5, 0, -sway * 0.5f}, {"armR", 5, 0, -sway * 0.5f},
            {"legL", 0, 0, -sway},        {"legR", 0, 0, -sway},
            {"tail", 30, 0, sway * 3},    {"club", 40},
        };
    };
    rig.Key("STUN", 10, 1, dazed(8));
    rig.Key("STUN", 10, 6, dazed(-8));
    rig.Key("STUN", 10, 11, dazed(8));

    // Hit: thrown back, arms flung forward, then upright again.
    rig.Key("FEEDBACK", 12, 1, {});
    rig.Key("FEEDBACK", 12, 3,
            {{"body", 25, 0, 0, CVector3D(0, -0.5f, 1.5f)},
             {"head", 20},
             {"armL", 50, 0, -20},
             {"armR", 50, 0, 20},
             {"legL", -25},
             {"legR", -25},
             {"tail", -30}});
    rig.Key("FEEDBACK", 12, 8, {});

    // The club swung from over the shoulder down in front.
    rig.Key("ATTACK", 16, 1, walk(0.0f, 0.0f, 0.0f, 4.0f, -10.0f, 0.0f));
    rig.Key("ATTACK", 16, 5,
            {{"body", 12}, {"head", 10}, {"armR", -160}, {"armL", 20}, {"legL", 20}, {"legR", -15}, {"club", -20}});
    rig.Key("ATTACK", 16, 8,
            {{"body", -25, 0, 0, CVector3D(0, -0.5f, -0.5f)},
             {"head", -10},
             {"armR", 80},
             {"armL", -30},
             {"legL", 35},
             {"legR", -10},
             {"club", 10},
             {"tail", 20}});
    rig.Key("ATTACK", 16, 13, walk(0.0f, 0.0f, 0.0f, 4.0f, -10.0f, 0.0f));

    // Falls onto its back and lies still.
    rig.Key("DEATH", 12, 1, {});
    rig.Key("DEATH", 12, 4, {{"body", 20}, {"head", 30}, {"armL", 60, 0, -30}, {"armR", 60, 0, 30}, {"tail", -20}});
    rig.Key("DEATH", 12, 10,
            {{"body", 85, 0, 0, CVector3D(0, -4, 3)},
             {"head", 10, 0, 20},
             {"armL", 160, 0, -60},
             {"armR", 110, 0, 70},
             {"legL", -10, 0, -15},
             {"legR", 10, 0, 15},
             {"club", 60},
             {"tail", -80}});
    rig.Key("DEATH", 12, 14,
            {{"body", 88, 0, 0, CVector3D(0, -4.5f, 3)},
             {"head", 15, 0, 25},
             {"armL", 170, 0, -70},
             {"armR", 115, 0, 80},
             {"legL", -5, 0, -20},
             {"legR", 5, 0, 20},
             {"club", 60},
             {"tail", -85}});
    return rig.Save(path);
}

// A green slime of about 12 cubes: a wide body with a glossy dome that squashes into it, and a
// face on the dome.
bool MakeSlime(const std::string& path)
{
    const CVector3D green(84, 196, 64), dark(46, 128, 40), light(176, 244, 140);
    const auto jelly = [=](float shineX, float shineY, float shineZ) {
        return [=](int x, int y, int z) {
            if (y <= 0)
                return Speckled(dark, x, y, z);
            const float d = (float(x) - shineX) * (float(x) - shineX) + (float(y) - shineY) * (float(y) - shineY) +
                            (float(z) - shineZ) * (float(z) - shineZ);
            return Speckled(d < 5.0f ? light : green, x, y, z);
        };
    };
    CVeskCubeMesh mesh;
    Rig rig(mesh);
    Shape body;
    body.Ellipsoid(0, 3, 0, 8.5f, 5.5f, 7.5f, jelly(-4, 6, -5));
    body.CutBelow(0);
    Shape dome;
    dome.Ellipsoid(0, 0, 0, 6.5f, 6.0f, 6.0f, jelly(-3, 3, -4));
    dome.CutBelow(-1);
    Shape face;
    const CVector3D black(20, 34, 20), white(240, 255, 240), mouth(30, 70, 30);
    face.Box(-4, 0, 0, -2, 2, 0, black);
    face.Box(2, 0, 0, 4, 2, 0, black);
    face.Box(-3, 2, 0, -3, 2, 0, white);
    face.Box(3, 2, 0, 3, 2, 0, white);
    face.Box(-1, -2, 0, 1, -2, 0, mouth);

    CubeSubmesh* b = rig.Part(body, "body", CVector3D(0, 0, 0));
    CubeSubmesh* d = rig.Part(dome, "dome", CVector3D(0, 6, 0), b);
    rig.Part(face, "face", CVector3D(0, 1, -6), d);

    rig.Key("IDLE", 8, 1, {});
    rig.Key("IDLE", 8, 9, {{"dome", 0, 0, 0, CVector3D(0, -1, 0)}, {"body", 0, 0, 0, CVector3D(0, 0, 0)}});
    rig.Key("IDLE", 8, 17, {});
    // A hop: squash, spring up with the dome trailing, land squashed.
    rig.Key("WALK", 14, 1, {{"dome", 0, 0, 0, CVector3D(0, -2, 0)}});
    rig.Key("WALK", 14, 5, {{"body", -10, 0, 0, CVector3D(0, 4, 0)}, {"dome", 10, 0, 0, CVector3D(0, 1.5f, 0.5f)}});
    rig.Key("WALK", 14, 9, {{"body", 5, 0, 0, CVector3D(0, 1, 0)}, {"dome", -5, 0, 0, CVector3D(0, 0.5f, 0)}});
    rig.Key("WALK", 14, 12, {{"dome", 0, 0, 0, CVector3D(0, -2, 0)}});
    rig.Key("WALK", 14, 15, {{"dome", 0, 0, 0, CVector3D(0, -2, 0)}});
    rig.Key("STUN", 12, 1, {{"body", 0, 0, 10, CVector3D(0, 1.5f, 0)}, {"dome", 0, 15, -15}, {"face", 0, 0, 20}});
    rig.Key("STUN", 12, 6, {{"body", 0, 0, -10, CVector3D(0, 1.5f, 0)}, {"dome", 0, -15, 15}, {"face", 0, 0, -20}});
    rig.Key("STUN", 12, 11, {{"body", 0, 0, 10, CVector3D(0, 1.5f, 0)}, {"dome", 0, 15, -15}, {"face", 0, 0, 20}});
    rig.Key("FEEDBACK", 14, 1, {});
    rig.Key("FEEDBACK", 14, 3,
            {{"body", 15, 0, 0, CVector3D(0, 2, 2)}, {"dome", 25, 0, 0, CVector3D(0, -1.5f, 1)}, {"face", 10}});
    rig.Key("FEEDBACK", 14, 6, {{"body", -5}, {"dome", -10, 0, 0, CVector3D(0, 0.5f, 0)}});
    rig.Key("FEEDBACK", 14, 9, {});
    return rig.Save(path);
}

// A skeleton warrior of about 22 cubes in bone white with red eye lights and a rusty sword: the
// front of its rib cage ("rib1") breaks off on its own.
bool MakeSkeleton(const std::string& path)
{
    const CVector3D bone(232, 228, 208), shade(186, 180, 158), socket(26, 20, 22), glow(255, 60, 36);
    const CVector3D rust(150, 84, 46), steel(168, 170, 176), grip(70, 44, 30);
    CVeskCubeMesh mesh;
    Rig rig(mesh);
    Shape pelvis;
    pelvis.Box(-3, 0, -1, 2, 1, 1, Speckle(bone));
    pelvis.Box(-1, 0, -1, 0, 0, -1, shade);
    pelvis.Box(-3, -1, 2, 2, 1, 2, Speckle(CVector3D(96, 40, 36)));
    Shape spine;
    spine.Box(-1, 0, 0, 0, 8, 1, Speckle(bone));
    spine.Box(-4, 7, -1, 3, 8, 1, Speckle(bone));
    spine.Box(-1, 0, 2, 0, 8, 2, Speckle(shade));
    Shape ribs;
    for (int r = 0; r < 3; ++r) {
        const int y = 1 + 2 * r;
        ribs.Box(-3 - (r > 0), y, -2, 2 + (r > 0), y, -2, Speckle(bone));
        ribs.Box(-3 - (r > 0), y, -1, -3 - (r > 0), y, 1, Speckle(shade));
        ribs.Box(2 + (r > 0), y, -1, 2 + (r > 0), y, 1, Speckle(shade));
    }
    ribs.Box(-1, 0, -2, 0, 6, -2, Speckle(bone));
    Shape skull;
    skull.Box(-3, 0, -3, 2, 5, 2, Speckle(bone));
    skull.Box(-2, 0, -4, 1, 1, -4, Speckle(shade));
    skull.Box(-2, 3, -3, -1, 4, -3, socket);
    skull.Box(1, 3, -3, 2, 4, -3, socket);
    skull.Box(-2, 3, -4, -2, 3, -4, glow);
    skull.Box(1, 3, -4, 1, 3, -4, glow);
    skull.Box(-1, 2, -3, 0, 2, -3, socket);
    skull.Box(-2, 0, -5, 1, 0, -5, [&](int x, int, int) { return x % 2 ? bone : socket; });
    skull.Box(-3, 6, -1, 2, 6, 1, Speckle(rust));
    skull.Box(-1, 7, -1, 0, 7, 1, Speckle(rust));
    Shape arm;
    arm.Box(-1, -1, -1, 0, 0, 0, Speckle(bone));
    arm.Box(0, -8, 0, 0, -2, 0, Speckle(bone));
    arm.Box(-1, -9, -1, 0, -8, 0, Speckle(shade));
    Shape leg;
    leg.Box(-1, -1, 0, 0, 0, 0, Speckle(bone));
    leg.Box(0, -9, 0, 0, -2, 0, Speckle(bone));
    leg.Box(-1, -5, -1, 0, -5, 0, Speckle(shade));
    leg.Box(-1, -10, -2, 0, -10, 0, Speckle(bone));
    Shape sword;
    sword.Box(0, -1, 0, 0, 1, 0, grip);
    sword.Box(-1, 2, 0, 1, 2, 0, Speckle(rust));
    sword.Box(0, 3, -1, 0, 12, 0, [&](int x, int y, int z) { return Speckled((y + z) % 4 ? steel : rust, x, y, z); });
    sword.Box(0, 13, 0, 0, 13, 0, steel);

    CubeSubmesh* p = rig.Part(pelvis, "pelvis", CVector3D(0, 11, 0));
    CubeSubmesh* s = rig.Part(spine, "spine", CVector3D(0, 2, 0), p);
    rig.Part(ribs, "rib1", CVector3D(0, 0, 0), s);
    rig.Part(skull, "skull", CVector3D(0, 9, 0), s);
    rig.Part(arm, "armL", CVector3D(-4, 8, 0), s);
    CubeSubmesh* armR = rig.Part(arm, "armR", CVector3D(4, 8, 0), s);
    rig.Part(leg, "legL", CVector3D(-2, -1, 0), p);
    rig.Part(leg, "legR", CVector3D(2, -1, 0), p);
    rig.Part(sword, "sword", CVector3D(0, -9, -0.5f), armR);

    const auto stride = [](float legSwing, float armSwing, float bob, float sword) {
        return std::vector<Move>{
            {"pelvis", 0, 0, 0, CVector3D(0, bob, 0)},
            {"spine", -5},
            {"skull", 5, 0, bob * 10},
            {"legL", legSwing},
            {"legR", -legSwing},
            {"armL", -armSwing},
            {"armR", armSwing + 20},
            {"sword", sword},
        };
    };
    rig.Key("IDLE", 6, 1, stride(0, 5, 0, -70));
    rig.Key("IDLE", 6, 7, stride(0, -5, -0.3f, -65));
    rig.Key("IDLE", 6, 13, stride(0, 5, 0, -70));
    rig.Key("WALK", 12, 1, stride(28, 22, 0, -70));
    rig.Key("WALK", 12, 7, stride(0, 0, 0.5f, -60));
    rig.Key("WALK", 12, 13, stride(-28, -22, 0, -70));
    rig.Key("WALK", 12, 19, stride(0, 0, 0.5f, -60));
    rig.Key("WALK", 12, 25, stride(28, 22, 0, -70));

    // A whirl with the sword held out to the side: a quarter turn per step so it turns one way.
    for (int i = 0; i <= 4; ++i)
        rig.Key("SPIN", 16, 1 + 3 * i,
                {{"pelvis", 0, float(i % 4) * 90.0f, 0, CVector3D(0, 0.5f, 0)},
                 {"armR", 0, 0, 90},
                 {"armL", 0, 0, -70},
                 {"sword", -90},
                 {"legL", 0, 0, -12},
                 {"legR", 0, 0, 12}});

    // Collapses into a heap of bones, lies there, and pulls itself together again.
    const std::vector<Move> heap = {
        {"pelvis", 80, 0, 0, CVector3D(0, -8.5f, 1)},
        {"spine", 10, 0, 0, CVector3D(0, 0, 1)},
        {"skull", -70, 40, 0, CVector3D(1, -1, -1.5f)},
        {"rib1", 0, 0, 0, CVector3D(0, 0, -1)},
        {"armL", -10, 0, -60, CVector3D(-1, -1, 0)},
        {"armR", 10, 0, 60, CVector3D(1, -1, 0)},
        {"legL", -5, 0, -20},
        {"legR", 10, 0, 15},
        {"sword", -30},
    };
    // The heap lies for the whole fake death (eight seconds at the doubled playback speed) and
    // stands up at its very end.
    rig.Key("FAKEDEATH", 12, 1, {});
    rig.Key("FAKEDEATH", 12, 8, heap);
    rig.Key("FAKEDEATH", 12, 184, heap);
    rig.Key("FAKEDEATH", 12, 192, stride(0, 5, 0, -70));

    rig.Key("HITTED", 14, 1, stride(0, 5, 0, -70));
    rig.Key("HITTED", 14, 3,
            {{"pelvis", 0, 0, 0, CVector3D(0, 0, 1.5f)},
             {"spine", 20},
             {"skull", 30, 0, 10},
             {"rib1", 0, 0, 0, CVector3D(0, 0, 0.5f)},
             {"armL", 40, 0, -30},
             {"armR", 40, 0, 30},
             {"legL", -15},
             {"legR", 10},
             {"sword", -40}});
    rig.Key("HITTED", 14, 8, stride(0, 5, 0, -70));

    const std::vector<Move> raised = {
        {"spine", 12}, {"skull", -5}, {"armR", -165, 0, 10}, {"armL", 30}, {"legL", 20}, {"legR", -20}, {"sword", 150},
    };
    rig.Key("ATTACKDELAY", 10, 1, stride(0, 5, 0, -70));
    rig.Key("ATTACKDELAY", 10, 6, raised);
    rig.Key("ATTACKDELAY", 10, 10, raised);
    rig.Key("ATTACKSTRIKE", 18, 1, raised);
    rig.Key("ATTACKSTRIKE", 18, 4,
            {{"pelvis", 0, 0, 0, CVector3D(0, -1, -1)},
             {"spine", -25},
             {"skull", 10},
             {"armR", 75},
             {"armL", -30},
             {"legL", 35},
             {"legR", -25},
             {"sword", 170}});
    rig.Key("ATTACKSTRIKE", 18, 10, stride(0, 5, 0, -70));

    rig.Key("DEATH", 12, 1, {});
    rig.Key("DEATH", 12, 4, {{"spine", 20}, {"skull", 30}, {"armL", 40, 0, -40}, {"armR", 40, 0, 40}});
    rig.Key("DEATH", 12, 10, heap);
    rig.Key("DEATH", 12, 14, heap);
    return rig.Save(path);
}

// A pale blue ghost of about 18 cubes floating above the ground: a hooded round head over a robe
// that thins into a wisp, two small arms, dark hollow eyes.
bool MakeGhost(const std::string& path)
{
    const CVector3D pale(178, 214, 255), bright(226, 242, 255), deep(126, 168, 232), hollow(36, 44, 104);
    const auto ghostly = [=](int x, int y, int z) {
        const unsigned n = ((unsigned(x) * 73856093u) ^ (unsigned(y) * 19349663u) ^ (unsigned(z) * 83492791u)) % 5u;
        return Speckled(n == 0 ? bright : (n == 1 ? deep : pale), x, y, z);
    };
    CVeskCubeMesh mesh;
    Rig rig(mesh);
    Shape body;
    body.Ellipsoid(0, 4, 0, 5.5f, 5.5f, 5.5f, ghostly);
    for (int y = -6; y <= 0; ++y) {
        const float r = 5.0f - float(-y) * 0.4f;
        body.Ellipsoid(0, float(y), 0.3f * float(-y), r, 0.5f, r, ghostly);
    }
    body.PaintFront(-3, 4, -2, 6, hollow);
    body.PaintFront(2, 4, 3, 6, hollow);
    body.PaintFront(-1, 1, 1, 2, hollow);
    Shape wisp;
    for (int i = 0; i <= 5; ++i) {
        const float r = 3.2f - float(i) * 0.5f;
        wisp.Ellipsoid(0, -float(i), float(i) * 0.8f, r, 0.5f, r, ghostly);
    }
    wisp.Box(0, -6, 5, 0, -6, 6, bright);
    Shape arm;
    arm.Box(-1, -4, -1, 0, 0, 0, ghostly);
    arm.Box(-1, -5, -2, 0, -4, -1, bright);

    CubeSubmesh* b = rig.Part(body, "body", CVector3D(0, 15, 0));
    rig.Part(wisp, "wisp", CVector3D(0, -7, 2), b);
    rig.Part(arm, "armL", CVector3D(-5, 1, -1), b);
    rig.Part(arm, "armR", CVector3D(5, 1, -1), b);

    const auto hover = [](float lift, float sway, float arms) {
        return std::vector<Move>{
            {"body", 0, 0, 0, CVector3D(0, lift, 0)},
            {"wisp", 10, sway},
            {"armL", arms, 0, -15},
            {"armR", arms, 0, 15},
        };
    };
    rig.Key("IDLE", 6, 1, hover(0, -15, 20));
    rig.Key("IDLE", 6, 7, hover(1.5f, 15, 35));
    rig.Key("IDLE", 6, 13, hover(0, -15, 20));
    rig.Key("MOVING", 10, 1, {{"body", -15}, {"wisp", 35, -20}, {"armL", 60, 0, -10}, {"armR", 60, 0, 10}});
    rig.Key("MOVING", 10, 6,
            {{"body", -20, 0, 0, CVector3D(0, 1, 0)}, {"wisp", 45, 20}, {"armL", 75, 0, -10}, {"armR", 75, 0, 10}});
    rig.Key("MOVING", 10, 11, {{"body", -15}, {"wisp", 35, -20}, {"armL", 60, 0, -10}, {"armR", 60, 0, 10}});
    rig.Key("STUN", 10, 1, {{"body", 0, 20, 12}, {"wisp", 0, -30, -20}, {"armL", 0, 0, -60}, {"armR", 0, 0, 20}});
    rig.Key("STUN", 10, 6, {{"body", 0, -20, -12}, {"wisp", 0, 30, 20}, {"armL", 0, 0, -20}, {"armR", 0, 0, 60}});
    rig.Key("STUN", 10, 11, {{"body", 0, 20, 12}, {"wisp", 0, -30, -20}, {"armL", 0, 0, -60}, {"armR", 0, 0, 20}});
    // Wails, arms up, and drifts up while turning away.
    rig.Key("DEATH", 10, 1, hover(0, 0, 20));
    rig.Key("DEATH", 10, 5, {{"body", 20, 0, 0, CVector3D(0, 1, 0)}, {"wisp", -20}, {"armL", -150}, {"armR", -150}});
    rig.Key(
        "DEATH", 10, 14,
        {{"body", 10, 170, 25, CVector3D(0, 9, 2)}, {"wisp", 60, 40}, {"armL", -170, 0, -30}, {"armR", -120, 0, 40}});
    return rig.Save(path);
}

// A brown boar of about 36 cubes from snout to tail: a long round body on four short legs, a
// heavy head with a pink snout and ivory tusks, and three hides ("flab1" to "flab3") on its back
// that break off as it weakens, the tusks first.
bool MakeBoar(const std::string& path)
{
    const CVector3D hide(122, 80, 48), bristle(70, 46, 30), belly(156, 112, 76), hoof(44, 34, 28);
    const CVector3D snout(196, 134, 124), nostril(70, 34, 34), ivory(244, 236, 206), eye(220, 40, 28);
    CVeskCubeMesh mesh;
    Rig rig(mesh);
    const auto coat = [=](int x, int y, int z) { return Speckled(y < -3 ? belly : hide, x, y, z); };
    Shape body;
    body.Ellipsoid(0, 0, 0, 6.5f, 6.0f, 11.5f, coat, 2.0f);
    Shape head;
    head.Box(-4, -4, -6, 4, 3, 0, Speckle(hide));
    head.Box(-3, -4, -8, 3, 1, -7, Speckle(hide));
    head.Box(-2, -4, -9, 2, 0, -9, Speckle(snout));
    head.Box(-1, -2, -9, -1, -2, -9, nostril);
    head.Box(1, -2, -9, 1, -2, -9, nostril);
    head.Box(-4, 1, -5, -4, 1, -4, eye);
    head.Box(4, 1, -5, 4, 1, -4, eye);
    head.Box(-4, 4, -2, -3, 6, 0, Speckle(bristle));
    head.Box(3, 4, -2, 4, 6, 0, Speckle(bristle));
    head.Box(-2, 4, -4, 1, 4, 0, Speckle(bristle));
    Shape tusks;
    for (int side = -1; side <= 1; side += 2) {
        const int x = side * 3;
        tusks.Box(x, 0, 0, x, 0, 0, ivory);
        tusks.Box(x, 0, -1, x, 1, -1, ivory);
        tusks.Box(x, 2, -2, x, 3, -2, ivory);
        tusks.Box(x, 4, -2, x, 4, -2, CVector3D(255, 250, 230));
    }
    Shape leg;
    leg.Box(-1, -7, -1, 1, 0, 1, Speckle(hide));
    leg.Box(-1, -9, -1, 1, -8, 1, hoof);
    Shape tail;
    tail.Box(0, 0, 0, 0, 0, 2, Speckle(hide));
    tail.Box(0, -1, 3, 0, -3, 3, Speckle(bristle));
    // The hides follow the body's curve: each covers a stretch of the back, one cube proud of it.
    const auto hideOver = [&](Shape& s, int z0, int z1, const CVector3D& colour) {
        for (int z = z0; z <= z1; ++z) {
            const float t = float(z) / 11.5f;
            const float r = std::sqrt(std::max(0.0f, 1.0f - t * t));
            const int top = int(6.0f * r + 0.5f);
            const int half = int(6.5f * r * 0.7f);
            s.Box(-half, top, z, half, top + 1, z, Speckle(colour));
            s.Box(-half - 1, top - 2, z, -half - 1, top, z, Speckle(colour));
            s.Box(half + 1, top - 2, z, half + 1, top, z, Speckle(colour));
            if (z % 2 == 0)
                s.Box(0, top + 2, z, 0, top + 2, z, Speckle(colour));
        }
    };
    Shape flab1, flab2, flab3;
    hideOver(flab1, -9, -4, bristle);
    hideOver(flab2, -3, 3, CVector3D(98, 64, 40));
    hideOver(flab3, 4, 9, bristle);

    CubeSubmesh* b = rig.Part(body, "body", CVector3D(0, 15, 0));
    CubeSubmesh* h = rig.Part(head, "head", CVector3D(0, 0, -9), b);
    rig.Part(tusks, "tusks", CVector3D(0, -3, -8), h);
    rig.Part(leg, "legFL", CVector3D(-3.5f, -5, -6), b);
    rig.Part(leg, "legFR", CVector3D(3.5f, -5, -6), b);
    rig.Part(leg, "legBL", CVector3D(-3.5f, -5, 6), b);
    rig.Part(leg, "legBR", CVector3D(3.5f, -5, 6), b);
    rig.Part(tail, "tail", CVector3D(0, 2, 11), b);
    rig.Part(flab1, "flab1", CVector3D(0, 0, 0), b);
    rig.Part(flab2, "flab2", CVector3D(0, 0, 0), b);
    rig.Part(flab3, "flab3", CVector3D(0, 0, 0), b);

    const auto gait = [](float front, float back, float bob, float lean, float headTilt, float wag) {
        return std::vector<Move>{
            {"body", lean, 0, 0, CVector3D(0, bob, 0)},
            {"head", headTilt},
            {"legFL", front - lean},
            {"legFR", -front - lean},
            {"legBL", -back - lean},
            {"legBR", back - lean},
            {"tail", 20, wag},
        };
    };
    rig.Key("IDLE", 6, 1, gait(0, 0, 0, 0, 0, -20));
    rig.Key("IDLE", 6, 7, gait(0, 0, -0.3f, 0, -10, 20));
    rig.Key("IDLE", 6, 13, gait(0, 0, 0, 0, 0, -20));
    rig.Key("WALK", 12, 1, gait(25, 25, 0, 0, -5, -15));
    rig.Key("WALK", 12, 7, gait(0, 0, 0.6f, 0, 0, 0));
    rig.Key("WALK", 12, 13, gait(-25, -25, 0, 0, -5, 15));
    rig.Key("WALK", 12, 19, gait(0, 0, 0.6f, 0, 0, 0));
    rig.Key("WALK", 12, 25, gait(25, 25, 0, 0, -5, -15));
    rig.Key("STUN", 10, 1, {{"body", 0, 0, 8}, {"head", -25, 15, 10}, {"tail", -30}});
    rig.Key("STUN", 10, 6, {{"body", 0, 0, -8}, {"head", -25, -15, -10}, {"tail", -30}});
    rig.Key("STUN", 10, 11, {{"body", 0, 0, 8}, {"head", -25, 15, 10}, {"tail", -30}});
    // Rears back onto its haunches, head low, pawing the ground with a front hoof.
    rig.Key("PREPARECHARGE", 10, 1, gait(0, 0, 0, 0, 0, 0));
    const auto paw = [](float hoof, float headTilt) {
        return std::vector<Move>{
            {"body", 8, 0, 0, CVector3D(0, -1, 1)},
            {"head", headTilt},
            {"legFL", hoof},
            {"legFR", -8},
            {"legBL", -20},
            {"legBR", -20},
            {"tail", 60},
        };
    };
    rig.Key("PREPARECHARGE", 10, 5, paw(35, -20));
    rig.Key("PREPARECHARGE", 10, 9, paw(-35, -25));
    rig.Key("PREPARECHARGE", 10, 13, paw(35, -20));
    // A flat-out gallop, head down and tusks first.
    rig.Key("CHARGE", 16, 1, gait(45, -40, 0, -6, -20, 0));
    rig.Key("CHARGE", 16, 4, gait(0, 0, 1.5f, -6, -25, 0));
    rig.Key("CHARGE", 16, 7, gait(-40, 45, 0, -6, -20, 0));
    rig.Key("CHARGE", 16, 10, gait(45, -40, 0, -6, -20, 0));
    return rig.Save(path);
}

// A stone golem of about 32 cubes: a massive torso with glowing runes, a small head sunk between
// mossy shoulders, long arms with boulder fists reaching near the ground, short thick legs.
bool MakeGolem(const std::string& path)
{
    const CVector3D stone(132, 132, 138), crack(86, 86, 94), moss(84, 124, 58), rune(90, 220, 255);
    const auto rock = [=](int x, int y, int z) {
        const unsigned n = (unsigned(x * 31 + y * 17 + z * 11) ^ unsigned(y * 7)) % 9u;
        return Speckled(n == 0 ? crack : stone, x, y, z);
    };
    const auto mossy = [=](int top) {
        return
            [=](int x, int y, int z) { return y >= top && (x + z) % 3 != 0 ? Speckled(moss, x, y, z) : rock(x, y, z); };
    };
    CVeskCubeMesh mesh;
    Rig rig(mesh);
    Shape hips;
    hips.Box(-6, -2, -3, 6, 0, 3, rock);
    Shape torso;
    torso.Box(-7, 0, -4, 7, 10, 4, rock);
    torso.Box(-5, 11, -3, 5, 12, 3, mossy(12));
    torso.Box(-9, 8, -3, -7, 12, 3, mossy(12));
    torso.Box(7, 8, -3, 9, 12, 3, mossy(12));
    torso.Box(-1, 3, -5, 0, 8, -5, rune);
    torso.Box(-3, 5, -5, 2, 6, -5, rune);
    Shape head;
    head.Box(-3, 0, -4, 3, 6, 2, rock);
    head.Box(-3, 6, -4, 3, 6, 2, mossy(6));
    head.Box(-2, 3, -5, -1, 3, -5, rune);
    head.Box(1, 3, -5, 2, 3, -5, rune);
    head.Box(-3, 4, -5, 3, 4, -5, crack);
    head.Box(-1, 1, -5, 1, 1, -5, crack);
    Shape arm;
    arm.Box(-2, -9, -2, 2, 1, 2, rock);
    arm.Box(-3, 0, -3, 3, 2, 3, mossy(2));
    arm.Box(-3, -15, -3, 3, -10, 3, rock);
    arm.Box(-1, -13, -4, 1, -12, -4, rune);
    Shape leg;
    leg.Box(-2, -10, -2, 2, 0, 2, rock);
    leg.Box(-3, -12, -4, 3, -11, 3, rock);
    for (Shape* s : {&hips, &torso, &head, &arm, &leg})
        s->Hollow();

    CubeSubmesh* hp = rig.Part(hips, "hips", CVector3D(0, 14, 0));
    CubeSubmesh* t = rig.Part(torso, "torso", CVector3D(0, 1, 0), hp);
    rig.Part(head, "head", CVector3D(0, 12, -3), t);
    rig.Part(arm, "armL", CVector3D(-11, 9, 0), t);
    rig.Part(arm, "armR", CVector3D(11, 9, 0), t);
    rig.Part(leg, "legL", CVector3D(-4, -2.5f, 0), hp);
    rig.Part(leg, "legR", CVector3D(4, -2.5f, 0), hp);

    const auto stomp = [](float legSwing, float armSwing, float sway, float bob) {
        return std::vector<Move>{
            {"hips", 0, 0, sway, CVector3D(0, bob, 0)},
            {"torso", -5, 0, -sway * 0.5f},
            {"head", 5, 0, -sway},
            {"armL", -armSwing, 0, -5},
            {"armR", armSwing, 0, 5},
            {"legL", legSwing, 0, -sway},
            {"legR", -legSwing, 0, -sway},
        };
    };
    rig.Key("IDLE", 4, 1, stomp(0, 4, 0, 0));
    rig.Key("IDLE", 4, 5, stomp(0, -4, 0, -0.5f));
    rig.Key("IDLE", 4, 9, stomp(0, 4, 0, 0));
    rig.Key("MOVING", 8, 1, stomp(20, 18, 4, 1.2f));
    rig.Key("MOVING", 8, 5, stomp(0, 0, 0, 0.5f));
    rig.Key("MOVING", 8, 9, stomp(-20, -18, -4, 1.2f));
    rig.Key("MOVING", 8, 13, stomp(0, 0, 0, 0.5f));
    rig.Key("MOVING", 8, 17, stomp(20, 18, 4, 1.2f));
    rig.Key("STUN", 8, 1, {{"torso", 10, 0, 6}, {"head", -20, 20, 10}, {"armL", 10, 0, -10}, {"armR", 10, 0, 10}});
    rig.Key("STUN", 8, 5, {{"torso", 10, 0, -6}, {"head", -20, -20, -10}, {"armL", 10, 0, -10}, {"armR", 10, 0, 10}});
    rig.Key("STUN", 8, 9, {{"torso", 10, 0, 6}, {"head", -20, 20, 10}, {"armL", 10, 0, -10}, {"armR", 10, 0, 10}});
    // Both fists heaved over the head, held there ...
    const std::vector<Move> heaved = {
        {"hips", 0, 0, 0, CVector3D(0, 0.5f, 0)},
        {"torso", 15},
        {"head", -10},
        {"armL", -165, 0, 15},
        {"armR", -165, 0, -15},
        {"legL", 12},
        {"legR", -8},
    };
    rig.Key("CHARGING", 8, 1, stomp(0, 4, 0, 0));
    rig.Key("CHARGING", 8, 6, heaved);
    // ... and brought down together onto the ground in front.
    rig.Key("ATTACKING", 16, 1, heaved);
    const auto slammed = [](float lean, float arms) {
        return std::vector<Move>{
            {"hips", 0, 0, 0, CVector3D(0, 0.5f, -1)},
            {"torso", lean},
            {"head", 15},
            {"armL", arms, 0, 8},
            {"armR", arms, 0, -8},
            {"legL", 25},
            {"legR", -15},
        };
    };
    rig.Key("ATTACKING", 16, 4, slammed(-35, 55));
    rig.Key("ATTACKING", 16, 8, slammed(-30, 50));
    return rig.Save(path);
}

// The treant boss, about 70 cubes tall: a gnarled trunk on spreading roots with a carved face and
// glowing eyes, two branch arms, and a wide leafy crown. Big parts are shells (their inside is
// never seen) to keep the cube count down.
bool MakeBoss(const std::string& path)
{
    const CVector3D bark(104, 72, 46), groove(64, 44, 30), moss(78, 118, 52), eye(255, 222, 80);
    const CVector3D mouth(28, 18, 14), leafA(52, 116, 44), leafB(78, 146, 50), leafC(152, 156, 52);
    const auto barky = [=](int x, int y, int z) {
        const bool line = (x * 3 + z * 5 + (y / 6)) % 4 == 0;
        return Speckled(line ? groove : ((x + y * 3 + z) % 11 == 0 ? moss : bark), x, y, z);
    };
    const auto leafy = [=](int x, int y, int z) {
        const unsigned n = unsigned((x * 13) ^ (y * 7) ^ (z * 5)) % 7u;
        return Speckled(n == 0 ? leafC : (n < 3 ? leafB : leafA), x, y, z);
    };
    CVeskCubeMesh mesh;
    Rig rig(mesh);
    Shape trunk;
    for (int y = 0; y <= 44; ++y) {
        const float r = 8.0f - 1.5f * std::min(1.0f, float(y) / 30.0f) + (y < 5 ? float(5 - y) * 0.6f : 0.0f);
        trunk.Ellipsoid(0, float(y), 0, r, 0.5f, r * 0.85f, barky, 2.0f);
    }
    trunk.Box(-1, 0, 0, 1, 0, 0, groove);
    // Roots in six directions, sloping down into the ground.
    for (int i = 0; i < 6; ++i) {
        const float angle = float(i) * 1.0472f + 0.5f;
        for (int s = 0; s < 8; ++s) {
            const float d = 7.0f + float(s);
            const int x = int(std::cos(angle) * d), z = int(std::sin(angle) * d), top = 3 - s / 3;
            trunk.Box(x - 1, 0, z - 1, x + 1, top, z + 1, barky);
        }
    }
    // The face on the front: brows, glowing eyes and a wide dark mouth.
    const int front = -7;
    trunk.Box(-5, 33, front - 1, -1, 34, front, groove);
    trunk.Box(1, 33, front - 1, 5, 34, front, groove);
    trunk.Box(-4, 30, front - 1, -2, 32, front - 1, eye);
    trunk.Box(2, 30, front - 1, 4, 32, front - 1, eye);
    trunk.Box(-4, 21, front - 1, 4, 25, front - 1, mouth);
    trunk.Box(-3, 20, front - 1, 3, 20, front - 1, mouth);
    trunk.Box(-3, 25, front - 1, -3, 25, front - 1, bark);
    trunk.Box(1, 25, front - 1, 1, 25, front - 1, bark);
    trunk.Box(-1, 20, front - 1, -1, 20, front - 1, bark);
    trunk.Box(2, 20, front - 1, 2, 20, front - 1, bark);
    trunk.Box(-1, 27, front - 2, 1, 29, front - 1, barky);
    Shape crown;
    crown.Ellipsoid(0, 10, 0, 19.0f, 12.0f, 15.0f, leafy, 2.0f);
    crown.Ellipsoid(-10, 16, 4, 9.0f, 7.0f, 8.0f, leafy, 2.0f);
    crown.Ellipsoid(11, 14, -3, 8.0f, 7.0f, 8.0f, leafy, 2.0f);
    crown.Ellipsoid(2, 21, -2, 9.0f, 6.0f, 8.0f, leafy, 2.0f);
    crown.CutBelow(1);
    // A branch out (side -1: to -x, 1: to +x) and down from the shoulder, ending in twig fingers.
    const auto branch = [&](int side) {
        Shape arm;
        for (int s = 0; s <= 12; ++s)
            arm.Box(side * s - 1, -s / 2 - 1, -1, side * s + 1, -s / 2 + 1, 1, barky);
        for (int s = 0; s <= 10; ++s)
            arm.Box(side * 13 - 1, -7 - s, -1, side * 13 + 1, -5 - s, 1, barky);
        for (int f = -1; f <= 1; ++f)
            arm.Box(side * (13 + f * 2), -20, f * 2 - 1, side * (13 + f * 2), -17, f * 2 - 1, Speckle(groove));
        arm.Box(std::min(side * 4, side * 7), 0, -2, std::max(side * 4, side * 7), 2, 2, leafy);
        return arm;
    };

    CubeSubmesh* t = rig.Part(trunk, "trunk", CVector3D(0, 0, 0));
    rig.Part(crown, "crown", CVector3D(0, 42, 0), t);
    rig.Part(branch(-1), "armL", CVector3D(-6, 36, 0), t);
    rig.Part(branch(1), "armR", CVector3D(6, 36, 0), t);

    rig.Key("IDLE", 4, 1, {{"crown", 0, 0, 2}, {"armL", 5, 0, -4}, {"armR", -5, 0, 4}});
    rig.Key("IDLE", 4, 7, {{"crown", 0, 0, -2}, {"armL", -5, 0, 4}, {"armR", 5, 0, -4}});
    rig.Key("IDLE", 4, 13, {{"crown", 0, 0, 2}, {"armL", 5, 0, -4}, {"armR", -5, 0, 4}});
    return rig.Save(path);
}

// A floor trap: an iron-rimmed stone plate of 10 x 10 with a bed of steel spikes of uneven height.
bool MakeSpike(const std::string& path)
{
    const CVector3D iron(70, 72, 80), slab(112, 108, 100), steel(196, 200, 210), tip(240, 240, 248);
    const CVector3D blood(140, 30, 30);
    CVeskCubeMesh mesh;
    Rig rig(mesh);
    Shape base;
    base.Box(-5, 0, -5, 4, 0, 4, [&](int x, int y, int z) {
        const bool rim = x == -5 || x == 4 || z == -5 || z == 4;
        return Speckled(rim ? iron : slab, x, y, z);
    });
    Shape spikes;
    for (int x = -4; x <= 3; x += 2)
        for (int z = -4; z <= 3; z += 2) {
            const int tall = 3 + (x + z + 8) % 3;
            spikes.Box(x, 0, z, x, tall - 1, z, Speckle(steel));
            spikes.Box(x, tall, z, x, tall, z, (x * 3 + z) % 5 == 0 ? blood : tip);
        }
    CubeSubmesh* b = rig.Part(base, "base", CVector3D(0, 0, 0));
    rig.Part(spikes, "spikes", CVector3D(0, 1, 0), b);
    return rig.Save(path);
}

// A springboard: a wooden frame on four legs with a red and white drum skin.
bool MakeTrampoline(const std::string& path)
{
    const CVector3D wood(140, 94, 52), dark(96, 62, 34), red(214, 52, 44), white(238, 234, 226);
    const CVector3D spring(180, 184, 196);
    CVeskCubeMesh mesh;
    Rig rig(mesh);
    Shape frame;
    frame.Box(-6, 2, -6, 5, 3, 5, Speckle(wood));
    frame.Box(-5, 3, -5, 4, 3, 4, spring);
    for (int x : {-6, 4})
        for (int z : {-6, 4})
            frame.Box(x, 0, z, x + 1, 1, z + 1, Speckle(dark));
    Shape pad;
    pad.Box(-4, 0, -4, 3, 0, 3, [&](int x, int y, int z) {
        const int ring = std::max(std::abs(2 * x + 1), std::abs(2 * z + 1)) / 3;
        return Speckled(ring % 2 ? white : red, x, y, z);
    });
    CubeSubmesh* f = rig.Part(frame, "frame", CVector3D(0, 0, 0));
    rig.Part(pad, "pad", CVector3D(0, 4, 0), f);
    return rig.Save(path);
}

} // namespace

int main(int argc, char** argv)
{
    return WriteOutputs("gen_enemy_models", argc, argv,
                        {
                            {"koboldminion.vskc", MakeKobold},
                            {"slime.vskc", MakeSlime},
                            {"skeleton.vskc", MakeSkeleton},
                            {"ghost.vskc", MakeGhost},
                            {"boar.vskc", MakeBoar},
                            {"golem.vskc", MakeGolem},
                            {"bigboss.vskc", MakeBoss},
                            {"spiketrap.vskc", MakeSpike},
                            {"trampoline.vskc", MakeTrampoline},
                        });
}
