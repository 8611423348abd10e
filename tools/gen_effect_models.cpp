// Generates the voxel models of effects and markers through the engine's ".vskc" writer: the
// spawn column, the charge and target markers, the enemy arrow, the tombstone that rises from the
// ground, the attack visuals (energy balls, drill, fireball, spike, the boss's smash), the boss's
// tired sign, landing marker and exploding dummy, and the pickups (fire skill, coin, potion). Every clip loops or
// plays through at least two keyframes posing every part. Arrows and projectiles point along +z,
// the forward axis of an object oriented along a direction.
// Usage: gen_effect_models [output directory, default bin/assets/meshes]. Output is deterministic.
#include "VoxelModelKit.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

using namespace ModelKit;

namespace {

constexpr float kPi = 3.14159265f;

// A clip of `keys` + 1 evenly spaced keyframes over `frames` frames, posed by `at(t)` for t from 0
// to 1; a pose function with at(0) == at(1) loops seamlessly.
template <typename PoseAt>
void Animate(CVeskCubeMesh& mesh, const std::string& clip, int fps, int frames, int keys, PoseAt at)
{
    for (int k = 0; k <= keys; ++k) {
        const float t = static_cast<float>(k) / static_cast<float>(keys);
        AddKeyframe(mesh, clip, fps, 1 + frames * k / keys, at(t));
    }
}

float Wave(float t) { return std::sin(2.0f * kPi * t); }

CVector3D Mix(const CVector3D& a, const CVector3D& b, float f)
{
    f = f < 0.0f ? 0.0f : f > 1.0f ? 1.0f : f;
    return CVector3D(float(int(a.x + (b.x - a.x) * f)), float(int(a.y + (b.y - a.y) * f)),
                     float(int(a.z + (b.z - a.z) * f)));
}

float Length(int x, int y, int z) { return std::sqrt(float(x * x + y * y + z * z)); }

// A ball of radius r whose colour runs from `inner` at the centre to `outer` at the surface.
void Ball(Shape& shape, float r, const CVector3D& inner, const CVector3D& outer)
{
    const int n = int(std::ceil(r));
    for (int x = -n; x <= n; ++x)
        for (int y = -n; y <= n; ++y)
            for (int z = -n; z <= n; ++z) {
                const float d = Length(x, y, z);
                if (d <= r)
                    shape.Box(x, y, z, x, y, z, Speckled(Mix(inner, outer, d / r), x, y, z));
            }
}

// A ring of the given radius and width around the y axis (flat = true) or the z axis, one cube
// thick across its plane.
void Ring(Shape& shape, float radius, float width, bool flat, const Colouring& colour)
{
    const int n = int(std::ceil(radius + width));
    for (int u = -n; u <= n; ++u)
        for (int v = -n; v <= n; ++v) {
            const float d = std::sqrt(float(u * u + v * v));
            if (d < radius - width * 0.5f || d > radius + width * 0.5f)
                continue;
            if (flat)
                shape.Box(u, 0, v, u, 0, v, colour);
            else
                shape.Box(u, v, 0, u, v, 0, colour);
        }
}

bool Save(CVeskCubeMesh& mesh, const std::string& path)
{
    mesh.RemoveHiddenCubesAll();
    return mesh.Save(path);
}

// A column of light where an enemy appears: a bright ring on the ground turning one way and a
// lattice of glowing motes around it turning the other and breathing up and down.
bool MakeSpawning(const std::string& path)
{
    const CVector3D core(190, 255, 255), edge(60, 170, 255);
    Shape ring;
    Ring(ring, 8.0f, 2.0f, true, Speckle(edge));
    Ring(ring, 5.0f, 1.0f, true, Speckle(core));
    Shape column;
    for (int y = 0; y <= 26; y += 2)
        for (int i = 0; i < 10; ++i) {
            const float a = 2.0f * kPi * (float(i) + 0.5f * float(y % 4 == 0)) / 10.0f;
            const int x = int(std::lround(6.0f * std::cos(a))), z = int(std::lround(6.0f * std::sin(a)));
            column.Box(x, y, z, x, y, z, Mix(core, edge, float(y) / 26.0f));
        }
    column.Box(0, 0, 0, 0, 30, 0, core);
    CVeskCubeMesh mesh;
    ring.AddTo(mesh, "ring", CVector3D());
    column.AddTo(mesh, "column", CVector3D(0, 1, 0));
    Animate(mesh, "IDLE", 12, 24, 4, [](float t) {
        return std::vector<Pose>{{"ring", CVector3D(), 0, 360.0f * t, 0},
                                 {"column", CVector3D(0, 1.0f + 1.5f * Wave(t), 0), 0, -360.0f * t, 0}};
    });
    return Save(mesh, path);
}

// A chevron pointing along +x in the x-y plane, its tip at the origin.
Shape Chevron(const CVector3D& colour)
{
    Shape chevron;
    for (int i = 0; i < 5; ++i) {
        chevron.Box(-i - 1, i, 0, -i, i, 0, Speckle(colour));
        chevron.Box(-i - 1, -i, 0, -i, -i, 0, Speckle(colour));
    }
    return chevron;
}

// Four chevrons closing in on the player while a special attack charges.
bool MakeChargeInward(const std::string& path)
{
    const CVector3D gold(255, 214, 80);
    CVeskCubeMesh mesh;
    const char* names[] = {"left", "right", "top", "bottom"};
    const float turn[] = {0.0f, 180.0f, 270.0f, 90.0f};
    const CVector3D out[] = {CVector3D(-1, 0, 0), CVector3D(1, 0, 0), CVector3D(0, 1, 0), CVector3D(0, -1, 0)};
    const Shape chevron = Chevron(gold);
    for (int i = 0; i < 4; ++i)
        chevron.AddTo(mesh, names[i], out[i] * 14.0f);
    // In from 14 to 5 units, then back out in one frame to close in again.
    const struct {
        int frame;
        float distance;
    } keys[] = {{1, 14.0f}, {11, 5.0f}, {12, 14.0f}};
    for (const auto& key : keys) {
        std::vector<Pose> poses;
        for (int i = 0; i < 4; ++i)
            poses.push_back({names[i], out[i] * key.distance, 0, 0, turn[i]});
        AddKeyframe(mesh, "IDLE", 12, key.frame, poses);
    }
    return Save(mesh, path);
}

// An arrow pointing along +z with a cross-shaped head and fletching, so that it reads from any side.
bool MakeEnemyArrow(const std::string& path)
{
    const CVector3D red(236, 52, 40), light(255, 150, 110);
    Shape arrow;
    arrow.Box(-1, 0, -10, 1, 0, 3, Speckle(red));
    arrow.Box(0, -1, -10, 0, 1, 3, Speckle(red));
    for (int i = 0; i <= 6; ++i) {
        const int z = 10 - i;
        arrow.Box(-i, 0, z, i, 0, z, Speckle(i == 0 ? light : red));
        arrow.Box(0, -i, z, 0, i, z, Speckle(i == 0 ? light : red));
    }
    arrow.Box(-3, 0, -12, 3, 0, -9, Speckle(light));
    arrow.Box(0, -3, -12, 0, 3, -9, Speckle(light));
    CVeskCubeMesh mesh;
    arrow.AddTo(mesh, "arrow", CVector3D());
    // Nudges forward and back, like a finger pointing.
    Animate(mesh, "IDLE", 12, 12, 2, [](float t) {
        return std::vector<Pose>{{"arrow", CVector3D(0, 0, 2.0f - 2.0f * std::cos(2 * kPi * t)), 0, 0, 0}};
    });
    return Save(mesh, path);
}

// A targeting reticle facing the camera: a ring turning one way, four brackets the other.
bool MakeTarget(const std::string& path)
{
    const CVector3D red(255, 60, 48), pale(255, 190, 150);
    Shape ring;
    Ring(ring, 8.0f, 1.2f, false, Speckle(red));
    Shape ticks;
    for (int s = -1; s <= 1; s += 2) {
        ticks.Box(s > 0 ? 6 : -12, -1, 0, s > 0 ? 12 : -6, 1, 0, Speckle(pale));
        ticks.Box(-1, s > 0 ? 6 : -12, 0, 1, s > 0 ? 12 : -6, 0, Speckle(pale));
    }
    ticks.Box(0, 0, 0, 0, 0, 0, pale);
    CVeskCubeMesh mesh;
    ring.AddTo(mesh, "ring", CVector3D());
    ticks.AddTo(mesh, "ticks", CVector3D());
    Animate(mesh, "IDLE", 12, 24, 4, [](float t) {
        return std::vector<Pose>{{"ring", CVector3D(), 0, 0, 360.0f * t}, {"ticks", CVector3D(), 0, 0, -90.0f * t}};
    });
    return Save(mesh, path);
}

// A grave where the player fell: a stone with a rounded top and a carved cross on a dirt mound.
// "CREATED" raises the stone out of the ground; "IDLE" lets it settle.
bool MakeTombstone(const std::string& path)
{
    const CVector3D stone(150, 150, 160), dark(88, 88, 100), dirt(104, 76, 48), grass(76, 132, 56);
    Shape slab;
    slab.Box(-5, 0, -1, 5, 12, 1, Speckle(stone));
    slab.Box(-4, 13, -1, 4, 13, 1, Speckle(stone));
    slab.Box(-3, 14, -1, 3, 14, 1, Speckle(stone));
    // The cross is carved on the +z side, which the stone turns to the direction it looks along.
    slab.Box(-1, 5, 2, 1, 11, 2, dark);
    slab.Box(-3, 9, 2, 3, 9, 2, dark);
    slab.Box(-5, 0, 2, 5, 0, 2, Speckle(dark));
    Shape mound;
    mound.Box(-8, 0, -4, 8, 1, 4,
              [&](int x, int y, int z) { return Speckled(y == 1 && (x + z) % 3 != 0 ? grass : dirt, x, y, z); });
    mound.Box(-6, 2, -3, 6, 2, 3, Speckle(dirt));
    CVeskCubeMesh mesh;
    slab.AddTo(mesh, "stone", CVector3D(0, 2, 0));
    mound.AddTo(mesh, "mound", CVector3D());
    AddKeyframe(mesh, "CREATED", 12, 1, {{"stone", CVector3D(0, -14, 0), 0, 0, 0}, {"mound", CVector3D(), 0, 0, 0}});
    AddKeyframe(mesh, "CREATED", 12, 7, {{"stone", CVector3D(0, -3, 0), 0, 0, -4}, {"mound", CVector3D(), 0, 0, 0}});
    AddKeyframe(mesh, "CREATED", 12, 11, {{"stone", CVector3D(0, 3, 0), 0, 0, 3}, {"mound", CVector3D(), 0, 0, 0}});
    AddKeyframe(mesh, "CREATED", 12, 14, {{"stone", CVector3D(0, 2, 0), 0, 0, 0}, {"mound", CVector3D(), 0, 0, 0}});
    AddKeyframe(mesh, "IDLE", 4, 1, {{"stone", CVector3D(0, 2, 0), 0, 0, 0}, {"mound", CVector3D(), 0, 0, 0}});
    AddKeyframe(mesh, "IDLE", 4, 9, {{"stone", CVector3D(0, 2, 0), 0, 0, 1.5f}, {"mound", CVector3D(), 0, 0, 0}});
    AddKeyframe(mesh, "IDLE", 4, 17, {{"stone", CVector3D(0, 2, 0), 0, 0, 0}, {"mound", CVector3D(), 0, 0, 0}});
    return Save(mesh, path);
}

// An energy ball: a white-hot core fading to its colour, with an orbit of sparks around it.
bool MakeEnergyBall(const std::string& path, float radius, const CVector3D& colour)
{
    Shape core;
    // White-hot inside, with bright flecks over the surface so that the ball crackles.
    const CVector3D white(255, 255, 255);
    const int n = int(std::ceil(radius));
    for (int x = -n; x <= n; ++x)
        for (int y = -n; y <= n; ++y)
            for (int z = -n; z <= n; ++z) {
                const float d = Length(x, y, z) / radius;
                if (d > 1.0f)
                    continue;
                const unsigned fleck = (unsigned(x * 92821) ^ unsigned(y * 68917) ^ unsigned(z * 37447)) % 7u;
                core.Box(x, y, z, x, y, z,
                         Speckled(Mix(Mix(white, colour, d), white, fleck < 2 ? 0.55f : 0.0f), x, y, z));
            }
    Shape orbit;
    const int sparks = 6 + int(radius);
    for (int i = 0; i < sparks; ++i) {
        const float a = 2.0f * kPi * float(i) / float(sparks);
        const float r = radius + 2.5f;
        const int x = int(std::lround(r * std::cos(a))), y = int(std::lround(r * std::sin(a)));
        orbit.Box(x, y, 0, x, y, 0, Mix(colour, CVector3D(255, 255, 255), 0.5f));
    }
    CVeskCubeMesh mesh;
    core.AddTo(mesh, "core", CVector3D());
    orbit.AddTo(mesh, "orbit", CVector3D());
    Animate(mesh, "IDLE", 16, 16, 4, [](float t) {
        return std::vector<Pose>{{"core", CVector3D(), 0, 360.0f * t, 0},
                                 {"orbit", CVector3D(), 25.0f, 0, -360.0f * t}};
    });
    return Save(mesh, path);
}

// A spinning drill bit along +z: a cone with a spiral groove and a collar at its base.
bool MakeDrill(const std::string& path)
{
    const CVector3D steel(186, 196, 210), groove(90, 100, 120), brass(214, 168, 70);
    Shape bit;
    for (int z = 0; z <= 14; ++z) {
        const float r = 4.5f * (1.0f - float(z) / 15.0f);
        const int n = int(std::ceil(r));
        for (int x = -n; x <= n; ++x)
            for (int y = -n; y <= n; ++y) {
                if (float(x * x + y * y) > r * r + 0.5f)
                    continue;
                const float angle = std::atan2(float(y), float(x)) / (2.0f * kPi) + 0.5f;
                const bool inGroove = int(std::floor(angle * 4.0f + float(z) * 0.25f)) % 2 == 0;
                bit.Box(x, y, z, x, y, z, Speckled(inGroove ? groove : steel, x, y, z));
            }
    }
    bit.Box(-5, -5, -2, 5, 5, -1, [&](int x, int y, int z) {
        return x * x + y * y <= 26 ? Speckled(brass, x, y, z) : Speckled(groove, x, y, z);
    });
    CVeskCubeMesh mesh;
    bit.AddTo(mesh, "bit", CVector3D());
    Animate(mesh, "IDLE", 24, 8, 4, [](float t) { return std::vector<Pose>{{"bit", CVector3D(), 0, 0, 360.0f * t}}; });
    return Save(mesh, path);
}

// A fireball flying along +z: a hot core and a flickering tail of flame behind it.
bool MakeFireball(const std::string& path)
{
    const CVector3D yellow(255, 236, 120), orange(255, 128, 24), red(200, 40, 16);
    Shape core;
    Ball(core, 3.5f, yellow, orange);
    Shape tail;
    for (int z = -1; z >= -9; --z) {
        const float r = 3.2f * (1.0f + float(z) / 10.0f);
        const int n = int(std::ceil(r));
        for (int x = -n; x <= n; ++x)
            for (int y = -n; y <= n; ++y)
                if (float(x * x + y * y) <= r * r && (x + y + z) % 2 == 0)
                    tail.Box(x, y, z, x, y, z, Speckled(Mix(orange, red, float(-z) / 9.0f), x, y, z));
    }
    CVeskCubeMesh mesh;
    core.AddTo(mesh, "core", CVector3D());
    tail.AddTo(mesh, "tail", CVector3D(0, 0, -2));
    Animate(mesh, "IDLE", 16, 8, 4, [](float t) {
        return std::vector<Pose>{{"core", CVector3D(), 0, 0, 360.0f * t},
                                 {"tail", CVector3D(0, 0, -2.0f + 0.8f * Wave(t)), 0, 0, -360.0f * t}};
    });
    return Save(mesh, path);
}

// A stone spike for a pointed pyramid of the given height and half width.
void Spike(Shape& shape, int x0, int z0, int height, int half, const CVector3D& base, const CVector3D& tip)
{
    for (int y = 0; y <= height; ++y) {
        const int w = int(std::lround(float(half) * (1.0f - float(y) / float(height + 1))));
        shape.Box(x0 - w, y, z0 - w, x0 + w, y, z0 + w,
                  [&](int x, int yy, int z) { return Speckled(Mix(base, tip, float(yy) / float(height)), x, yy, z); });
    }
}

// Spikes of stone thrusting up out of the ground.
bool MakeSpike(const std::string& path)
{
    const CVector3D base(110, 90, 70), tip(200, 196, 188);
    Shape spikes;
    Spike(spikes, 0, 0, 16, 3, base, tip);
    Spike(spikes, -6, 1, 10, 2, base, tip);
    Spike(spikes, 5, -1, 12, 2, base, tip);
    spikes.Box(-9, 0, -3, 8, 0, 3, Speckle(CVector3D(96, 76, 56)));
    CVeskCubeMesh mesh;
    spikes.AddTo(mesh, "spikes", CVector3D());
    AddKeyframe(mesh, "IDLE", 16, 1, {{"spikes", CVector3D(0, -14, 0), 0, 0, 0}});
    AddKeyframe(mesh, "IDLE", 16, 4, {{"spikes", CVector3D(0, 1, 0), 0, 0, 0}});
    AddKeyframe(mesh, "IDLE", 16, 6, {{"spikes", CVector3D(), 0, 0, 0}});
    AddKeyframe(mesh, "IDLE", 16, 16, {{"spikes", CVector3D(), 0, 0, 0}});
    return Save(mesh, path);
}

// A "Z" letter of the given size in the x-y plane.
Shape Letter(int size, const CVector3D& colour)
{
    Shape z;
    z.Box(0, size, 0, size, size, 0, Speckle(colour));
    z.Box(0, 0, 0, size, 0, 0, Speckle(colour));
    for (int i = 0; i <= size; ++i)
        z.Box(i, i, 0, i, i, 0, Speckle(colour));
    return z;
}

// The tired sign over a stunned boss: three "Z"s floating up and swaying.
bool MakeEmoTired(const std::string& path)
{
    const CVector3D blue(150, 200, 255);
    CVeskCubeMesh mesh;
    const char* names[] = {"z1", "z2", "z3"};
    const CVector3D at[] = {CVector3D(0, 0, 0), CVector3D(5, 6, 0), CVector3D(11, 13, 0)};
    for (int i = 0; i < 3; ++i)
        Letter(3 + 2 * i, blue).AddTo(mesh, names[i], at[i]);
    Animate(mesh, "IDLE", 8, 16, 4, [&](float t) {
        std::vector<Pose> poses;
        for (int i = 0; i < 3; ++i) {
            const float phase = t + float(i) / 3.0f;
            poses.push_back(
                {names[i], at[i] + CVector3D(Wave(phase), 1.5f * Wave(phase + 0.25f), 0), 0, 0, 8.0f * Wave(phase)});
        }
        return poses;
    });
    return Save(mesh, path);
}

// Where the boss will land: a red ring on the ground and an arrow bobbing above it.
bool MakeTargetMarking(const std::string& path)
{
    const CVector3D red(240, 48, 40), pale(255, 170, 150);
    Shape ring;
    Ring(ring, 10.0f, 2.0f, true, Speckle(red));
    ring.Box(-1, 0, -1, 1, 0, 1, pale);
    Shape arrow;
    arrow.Box(-1, 4, -1, 1, 12, 1, Speckle(red));
    for (int i = 0; i <= 4; ++i)
        arrow.Box(-i, 4 - i, -i, i, 4 - i, i, Speckle(i == 4 ? pale : red));
    CVeskCubeMesh mesh;
    ring.AddTo(mesh, "ring", CVector3D());
    arrow.AddTo(mesh, "arrow", CVector3D(0, 4, 0));
    Animate(mesh, "IDLE", 12, 12, 4, [](float t) {
        return std::vector<Pose>{{"ring", CVector3D(), 0, 90.0f * t, 0},
                                 {"arrow", CVector3D(0, 5.0f + 2.0f * Wave(t), 0), 0, 360.0f * t, 0}};
    });
    return Save(mesh, path);
}

// The boss's smash: a ring of rocks bursting out of the ground with a cracked crater under it.
bool MakeBigBossSmash(const std::string& path)
{
    const CVector3D rock(132, 108, 84), light(176, 152, 120), dark(70, 54, 40);
    Shape crater;
    Ring(crater, 7.0f, 5.0f, true, [&](int x, int y, int z) { return Speckled((x * z) % 3 ? dark : rock, x, y, z); });
    Shape rocks;
    for (int i = 0; i < 10; ++i) {
        const float a = 2.0f * kPi * float(i) / 10.0f;
        const int x = int(std::lround(11.0f * std::cos(a))), z = int(std::lround(11.0f * std::sin(a)));
        const int h = 3 + (i * 7) % 5;
        rocks.Box(x - 1, 0, z - 1, x + 1, h, z + 1, Speckle(i % 2 ? rock : light));
        rocks.Box(x, h + 1, z, x, h + 2, z, Speckle(light));
    }
    CVeskCubeMesh mesh;
    crater.AddTo(mesh, "crater", CVector3D());
    rocks.AddTo(mesh, "rocks", CVector3D());
    AddKeyframe(mesh, "IDLE", 16, 1,
                {{"crater", CVector3D(0, -1, 0), 0, 0, 0}, {"rocks", CVector3D(0, -8, 0), 0, 0, 0}});
    AddKeyframe(mesh, "IDLE", 16, 4, {{"crater", CVector3D(), 0, 0, 0}, {"rocks", CVector3D(0, 2, 0), 0, 20, 0}});
    AddKeyframe(mesh, "IDLE", 16, 8, {{"crater", CVector3D(), 0, 0, 0}, {"rocks", CVector3D(0, 0, 0), 0, 30, 0}});
    AddKeyframe(mesh, "IDLE", 16, 16, {{"crater", CVector3D(), 0, 0, 0}, {"rocks", CVector3D(0, -2, 0), 0, 36, 0}});
    return Save(mesh, path);
}

// A boulder of packed earth in three chunks, shattered when the boss lands.
bool MakeDummyExplode(const std::string& path)
{
    const CVector3D earth(120, 88, 56), stone(140, 136, 128), moss(84, 120, 60);
    CVeskCubeMesh mesh;
    const char* names[] = {"chunk1", "chunk2", "chunk3"};
    const CVector3D at[] = {CVector3D(-3, 0, 0), CVector3D(3, 0, 0), CVector3D(0, 5, 0)};
    for (int i = 0; i < 3; ++i) {
        Shape chunk;
        for (int x = -4; x <= 4; ++x)
            for (int y = -4; y <= 4; ++y)
                for (int z = -4; z <= 4; ++z)
                    if (Length(x, y, z) <= 4.2f - 0.4f * float((x * 3 + y * 5 + z * 7 + i) % 3 == 0)) {
                        const CVector3D c = y >= 3 && i == 2 ? moss : (x + y * 2 + z) % 5 == 0 ? stone : earth;
                        chunk.Box(x, y, z, x, y, z, Speckled(c, x, y, z));
                    }
        chunk.AddTo(mesh, names[i], at[i]);
    }
    Animate(mesh, "IDLE", 8, 16, 2, [&](float t) {
        std::vector<Pose> poses;
        for (int i = 0; i < 3; ++i)
            poses.push_back({names[i], at[i] + CVector3D(0, 0.3f * Wave(t + 0.3f * float(i)), 0), 0, 0, 0});
        return poses;
    });
    return Save(mesh, path);
}

// The fire-skill pickup: a flame over a red gem, turning and bobbing.
bool MakeFireSkill(const std::string& path)
{
    const CVector3D yellow(255, 232, 110), orange(255, 140, 30), red(220, 40, 24), gem(176, 20, 40);
    Shape flame;
    const int widths[] = {3, 3, 3, 2, 2, 1, 1, 0};
    for (int y = 0; y < 8; ++y) {
        const int w = widths[y];
        flame.Box(-w, y, -w, w, y, w, [&](int x, int yy, int z) {
            const float d = Length(x, 0, z) / 3.5f + float(yy) / 12.0f;
            return Speckled(d < 0.5f ? Mix(yellow, orange, 2.0f * d) : Mix(orange, red, 2.0f * d - 1.0f), x, yy, z);
        });
    }
    flame.Box(0, 8, 0, 0, 9, 0, orange);
    Shape base;
    base.Box(-2, -1, -2, 2, -1, 2, Speckle(gem));
    base.Box(-1, -2, -1, 1, -2, 1, Speckle(gem));
    base.Box(0, -3, 0, 0, -3, 0, gem);
    CVeskCubeMesh mesh;
    flame.AddTo(mesh, "flame", CVector3D(0, 1, 0));
    base.AddTo(mesh, "gem", CVector3D(0, 1, 0));
    Animate(mesh, "IDLE", 8, 16, 4, [](float t) {
        const CVector3D bob(0, 1.0f + 0.8f * Wave(t), 0);
        return std::vector<Pose>{{"flame", bob, 0, 360.0f * t, 0}, {"gem", bob, 0, 360.0f * t, 0}};
    });
    return Save(mesh, path);
}

// The coin pickup: a gold disc standing on its edge with a darker rim and a bright cross stamped
// on both faces; "IDLE" spins it about the vertical while it bobs.
bool MakeSmallCoin(const std::string& path)
{
    const CVector3D gold(236, 184, 48), rim(176, 120, 24), shine(255, 240, 150);
    Shape coin;
    coin.Ellipsoid(0, 0, 0, 4.4f, 4.4f, 1.2f, [&](int x, int y, int z) {
        const bool cross = (x == 0 && std::abs(y) <= 2) || (y == 0 && std::abs(x) <= 2);
        return Speckled(Length(x, y, 0) > 3.4f ? rim : cross && z != 0 ? shine : gold, x, y, z);
    });
    CVeskCubeMesh mesh;
    coin.AddTo(mesh, "coin", CVector3D(0, 5, 0));
    Animate(mesh, "IDLE", 8, 16, 4, [](float t) {
        return std::vector<Pose>{{"coin", CVector3D(0, 5.0f + 0.8f * Wave(t), 0), 0, 360.0f * t, 0}};
    });
    return Save(mesh, path);
}

// The potion pickup: a round flask of red healing draught under a pale glass neck and a cork;
// "IDLE" bobs it and rocks it gently.
bool MakeHealthRecovery(const std::string& path)
{
    const CVector3D draught(222, 36, 50), deep(140, 14, 30), glass(210, 236, 244), cork(150, 104, 60);
    Shape flask;
    flask.Ellipsoid(0, 3, 0, 3.6f, 3.6f, 3.6f, [&](int x, int y, int z) {
        return Speckled(y >= 5 ? glass : Mix(deep, draught, float(y + 1) / 6.0f), x, y, z);
    });
    flask.CutBelow(0);
    flask.Box(-1, 7, -1, 1, 8, 1, Speckle(glass));
    flask.Box(-1, 9, -1, 1, 9, 1, Speckle(cork));
    flask.Box(0, 10, 0, 0, 10, 0, cork);
    CVeskCubeMesh mesh;
    flask.AddTo(mesh, "flask", CVector3D(0, 1, 0));
    Animate(mesh, "IDLE", 8, 16, 4, [](float t) {
        return std::vector<Pose>{{"flask", CVector3D(0, 1.0f + 0.8f * Wave(t), 0), 12.0f * Wave(t), 0, 0}};
    });
    return Save(mesh, path);
}

} // namespace

int main(int argc, char** argv)
{
    return WriteOutputs("gen_effect_models", argc, argv,
                        {
                            {"spawningmesh.vskc", MakeSpawning},
                            {"charge_inward.vskc", MakeChargeInward},
                            {"enemy_arrow.vskc", MakeEnemyArrow},
                            {"target.vskc", MakeTarget},
                            {"tombstone.vskc", MakeTombstone},
                            {"energyball_2.vskc",
                             [](const std::string& p) { return MakeEnergyBall(p, 3.0f, CVector3D(80, 190, 255)); }},
                            {"energyball_2.1.vskc",
                             [](const std::string& p) { return MakeEnergyBall(p, 4.5f, CVector3D(60, 150, 255)); }},
                            {"energyball_3.vskc",
                             [](const std::string& p) { return MakeEnergyBall(p, 6.5f, CVector3D(150, 90, 255)); }},
                            {"drill.vskc", MakeDrill},
                            {"fireball.vskc", MakeFireball},
                            {"spike.vskc", MakeSpike},
                            {"emo_tired.vskc", MakeEmoTired},
                            {"targetmarking.vskc", MakeTargetMarking},
                            {"BigBossSmash.vskc", MakeBigBossSmash},
                            {"dummy_explode.vskc", MakeDummyExplode},
                            {"fireskill.vskc", MakeFireSkill},
                            {"smallcoin.vskc", MakeSmallCoin},
                            {"healthrecovery.vskc", MakeHealthRecovery},
                        });
}
