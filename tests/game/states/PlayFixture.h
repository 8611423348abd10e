// The play state in-process with the player at the keys of a small bot: a fixture that runs the
// play state's frames on the headless game manager (without drawing, or with it when a picture is
// wanted), and FightBot, a player who reads the game as a player reads the screen and acts only
// through key messages, at a person's rhythm.
#pragma once

#include "../gui/GuiScreenFixture.h"

#include "frame/CGameManager.h"
#include "game/base/GameEnums.h"
#include "game/combat/CAttackPool.h"
#include "game/controllers/IController.h"
#include "game/entities/CCharacter.h"
#include "game/entities/CEntityFactory.h"
#include "game/moves/CMoveQueue.h"
#include "game/states/GameStates.h"
#include "game/terrain/CTerrain.h"
#include "game/voxel/CubeRenderer.h"
#include "game/world/CGameMaster.h"
#include "game/world/CLevelManager.h"
#include "game/world/CWaveManager.h"
#include "game/world/GameLifetime.h"
#include "game/world/GameStartup.h"
#include "input/CInputManager.h"
#include "math/Random.h"
#include "physics/CPhysicsSystem.h"
#include "platform/win/VirtualKeys.h"
#include "render/CCameraManager.h"
#include "scene/CSceneGraph.h"
#include "triggers/CTriggerManager.h"
#include "window/CWindowSystem.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace playtest {

using Game::CCharacter;

constexpr float kFrame = 1.0f / 60.0f;

// A player at the keyboard who lets the enemy come and strike first. It holds its ground until an
// enemy attack shows (or its patience runs out), then walks to the nearest living enemy (one that
// can be hurt first) and swings a combo at it, pressing again once the last swing is over; after
// the combo it dodges away and waits again. While dead it presses attack to revive. A press holds
// its key for a few frames and presses come no faster than a person's fingers, about seven a
// second; it walks round what stands in its way, reading the ground as a person sees it.
class FightBot {
public:
    // This frame's key messages.
    std::vector<win::Message> Step(const CCharacter& player)
    {
        ++m_Frame;
        std::set<uint32_t> keys;
        const CCharacter* enemy = NearestEnemy(player);
        const bool free = player.GetMoveQueue().IsEmpty() && player.m_ActionLockTimer <= 0.0f;
        if (EnemyAttackShows(player))
            m_Patience = 0.0f;
        m_Patience -= kFrame;
        if (player.m_Health < 1) {
            if (m_Frame % 20 == 0)
                Tap(kAttack);
        } else if (enemy && m_Patience <= 0.0f) {
            const float dx = enemy->GetPosition().x - player.GetPosition().x;
            const float dz = enemy->GetPosition().z - player.GetPosition().z;
            const float distance = std::sqrt(dx * dx + dz * dz);
            const float bodies = 0.5f * (enemy->GetDimensions().x + player.GetDimensions().x);
            if (m_Swings >= kCombo) {
                if (free && Tap(kDodge)) {
                    // Away from the enemy, dodging, then wait for its next move.
                    Steer(-dx, -dz, keys);
                    m_Swings = 0;
                    m_Patience = kPatience;
                }
            } else {
                if (distance > bodies + kStandOff)
                    Walk(player, dx, dz, keys);
                if (distance < bodies + kSwingReach && free && Tap(kAttack))
                    ++m_Swings;
            }
        }
        for (const auto& [key, until] : m_TapUntil)
            if (m_Frame < until)
                keys.insert(key);
        std::vector<win::Message> messages;
        for (uint32_t key : m_Held)
            if (!keys.count(key))
                messages.push_back(Key(win::WM_KEYUP, key));
        for (uint32_t key : keys)
            if (!m_Held.count(key))
                messages.push_back(Key(win::WM_KEYDOWN, key));
        m_Held = keys;
        return messages;
    }

    // The living enemies: characters other than the player, awake, neither dying nor dead, with a
    // working controller.
    static std::vector<CCharacter*> LivingEnemies()
    {
        std::vector<CCharacter*> enemies;
        for (const auto& [name, entity] : Game::CEntityFactory::GetInstance().GetLiveEntities()) {
            auto* character = dynamic_cast<CCharacter*>(entity);
            if (character && name != "player" && !character->IsDormant() &&
                character->m_LifeState == Game::LIFE_ALIVE && character->GetController() &&
                character->GetController()->m_Enabled)
                enemies.push_back(character);
        }
        return enemies;
    }

private:
    static constexpr uint32_t kAttack = 'J';
    static constexpr uint32_t kDodge = 'K';
    static constexpr int kCombo = 5;
    // Seconds it waits for an enemy to strike; longer than any kind takes to rise, walk up from
    // thirty units to its attack radius and wait out its attack cooldown.
    static constexpr float kPatience = 6.0f;
    // Distances beyond the two bodies' half widths: the swing lands within the first, the bot walks
    // up to the second.
    static constexpr float kSwingReach = 6.0f;
    static constexpr float kStandOff = 2.5f;
    // Beyond this a coordinate is not worth a key.
    static constexpr float kDeadZone = 1.5f;
    // A press holds its key this many frames; two presses are at least kPressGap frames apart.
    static constexpr uint64_t kTapFrames = 4;
    static constexpr uint64_t kPressGap = 8;
    // How far ahead a walk looks at the ground, and how much more the direction taken last counts.
    static constexpr float kLookAhead = 4.0f;
    static constexpr float kKeepWay = 0.05f;

    static const CCharacter* NearestEnemy(const CCharacter& player)
    {
        const CCharacter* nearest = nullptr;
        float best = std::numeric_limits<float>::max();
        for (const CCharacter* enemy : LivingEnemies()) {
            const CVector3D d = enemy->GetPosition() - player.GetPosition();
            // An enemy that cannot be hurt now is left for later.
            const float cost = d.x * d.x + d.z * d.z + (enemy->m_Invulnerable ? 1e6f : 0.0f);
            if (cost < best) {
                best = cost;
                nearest = enemy;
            }
        }
        return nearest;
    }

    // An attack of anyone but the player is under way.
    static bool EnemyAttackShows(const CCharacter& player)
    {
        for (const Game::AttackRecord* attack : Game::CAttackPool::GetInstance().GetActiveAttacks())
            if (attack->m_User.Get() != &player)
                return true;
        return false;
    }

    // Starts a press of the key unless one is held or the last press was too recent.
    bool Tap(uint32_t key)
    {
        if (m_Held.count(key) || m_Frame < m_LastPress + kPressGap)
            return false;
        m_TapUntil[key] = m_Frame + kTapFrames;
        m_LastPress = m_Frame;
        return true;
    }

    // The height of the ground's top under a point (0 off the ground or without a terrain).
    static unsigned GroundTop(float x, float z)
    {
        const Game::CTerrain* terrain = Game::CLevelManager::GetInstance().GetTerrain();
        if (!terrain)
            return 0;
        const CVector3D at = (CVector3D(x, 0.0f, z) - terrain->GetOrigin()) / terrain->GetBlockSize();
        if (at.x < -0.5f || at.z < -0.5f)
            return 0;
        Game::BlockPosition column(unsigned(std::lround(at.x)), unsigned(std::lround(at.z)), 0);
        if (!column.IsInGrid())
            return 0;
        terrain->FindColumnTop(column);
        return column.mBlockHeight;
    }

    // Whether the player's body, a step further along the unit direction, stands on ground no
    // higher than where it stands now.
    static bool IsOpen(const CCharacter& player, float ux, float uz)
    {
        const CVector3D at = player.GetPosition();
        const unsigned here = GroundTop(at.x, at.z);
        const float half = 0.5f * player.GetDimensions().x;
        for (const float cx : {-half, half})
            for (const float cz : {-half, half}) {
                const unsigned ahead = GroundTop(at.x + ux * kLookAhead + cx, at.z + uz * kLookAhead + cz);
                if (ahead == 0 || ahead > here)
                    return false;
            }
        return true;
    }

    // Towards (dx, dz) as a player reads the ground on the screen: of the eight key directions
    // whose way ahead is open, the one that gains most on the target, keeping to the side taken
    // last when two gain alike (so that it walks round a pillar, not to and fro before it).
    void Walk(const CCharacter& player, float dx, float dz, std::set<uint32_t>& keys)
    {
        const float length = std::hypot(dx, dz);
        int best = -1;
        float bestScore = -std::numeric_limits<float>::max();
        for (int i = 0; i < 8; ++i) {
            const float angle = float(i) * 0.785398163f;
            const float ux = std::cos(angle), uz = std::sin(angle);
            if (!IsOpen(player, ux, uz))
                continue;
            const float score = (ux * dx + uz * dz) / length + (i == m_LastWay ? kKeepWay : 0.0f);
            if (score > bestScore) {
                bestScore = score;
                best = i;
            }
        }
        if (best < 0) {
            Steer(dx, dz, keys);
            return;
        }
        m_LastWay = best;
        const float angle = float(best) * 0.785398163f;
        Steer(std::cos(angle) * 2.0f * kDeadZone, std::sin(angle) * 2.0f * kDeadZone, keys);
    }

    static void Steer(float dx, float dz, std::set<uint32_t>& keys)
    {
        if (dx > kDeadZone)
            keys.insert(win::VK_RIGHT);
        else if (dx < -kDeadZone)
            keys.insert(win::VK_LEFT);
        if (dz > kDeadZone)
            keys.insert(win::VK_UP);
        else if (dz < -kDeadZone)
            keys.insert(win::VK_DOWN);
    }

    static win::Message Key(uint32_t code, uint32_t key)
    {
        win::Message m;
        m.code = code;
        m.vk = key;
        return m;
    }

    std::set<uint32_t> m_Held;
    std::map<uint32_t, uint64_t> m_TapUntil;
    uint64_t m_Frame = 0;
    uint64_t m_LastPress = 0;
    int m_LastWay = -1;
    int m_Swings = 0;
    float m_Patience = kPatience;
};

class PlayFixture : public guitest::GuiScreenFixture {
protected:
    void SetUp() override
    {
        GuiScreenFixture::SetUp();
        // The program's own start-up reads the copied assets: the prefabs and the attacks.
        ASSERT_TRUE(Game::GameManagerTable().Start());
        SeedRandom(5);
    }

    void TearDown() override
    {
        Vesk::CGameManager& game = Vesk::CGameManager::GetInstance();
        while (game.GetStateCount() > 0) {
            game.PopState();
            Frame();
        }
        GuiScreenFixture::TearDown();
    }

    Game::CPlayState* m_Play = nullptr;

    static Game::CLevelManager& Levels() { return Game::CLevelManager::GetInstance(); }
    static Game::CWaveManager& Waves() { return Game::CWaveManager::GetInstance(); }

    // Level 2's room with the extra entities; a new level name leaves it without waves.
    void WriteLevel(const std::string& file, const std::string& levelName, const std::string& entities) const
    {
        std::string level = testsupport::ReadFile(m_Dir.File("assets/levels/emeraldroom.xml"));
        const std::string name = "levelname=\"emeraldroom\"";
        level.replace(level.find(name), name.size(), "levelname=\"" + levelName + "\"");
        level.insert(level.find("</Level>"), entities);
        testsupport::WriteFile(m_Dir.File(file), level);
    }

    // Plays the level file, or with an empty name the shipped level of that number.
    Game::CPlayState* Play(const std::string& levelFile, int level = 2)
    {
        Levels().SetLevelFileName(levelFile);
        m_Play = new Game::CPlayState("CPlayState", level);
        Vesk::CGameManager::GetInstance().PushState(m_Play);
        return m_Play;
    }

    // One frame as the game manager runs it, without the drawing, which a software renderer makes
    // slow and which the fights do not need: the frame's key messages, collisions, the play
    // state, the triggers, the simulation, the animations and the camera. The hit-stop only
    // stops time, so it is let go at once.
    void Step(const std::vector<win::Message>& messages = {})
    {
        Vesk::CInputManager& input = Vesk::CInputManager::GetInstance();
        input.BeginFrame();
        for (const win::Message& m : messages)
            Vesk::CWindowSystem::GetInstance().WndProc(m);
        input.EndFrame();
        Vesk::CPhysicsSystem& physics = Vesk::CPhysicsSystem::GetInstance();
        physics.ProcessCollisions();
        m_Play->Update(kFrame);
        Vesk::CTriggerManager::GetInstance().Update(kFrame);
        physics.StepSimulation(kFrame, 1, kFrame);
        Vesk::CSceneGraph::GetInstance().AdvanceAnimations(kFrame);
        if (Vesk::CCamera* camera = Vesk::CCameraManager::GetInstance().GetCurrentCamera())
            camera->Update(kFrame);
        Vesk::CGameManager::GetInstance().m_FreezeTimer = 0.0f;
    }

    static CCharacter* Player()
    {
        return dynamic_cast<CCharacter*>(Game::CEntityFactory::GetInstance().GetEntityByName("player"));
    }

    // Frames with the bot at the keys until the fight is over or the time runs out; whether it
    // was over. Each frame is watched after it has run.
    bool Fight(const std::function<bool()>& over, float seconds, const std::function<void()>& watch)
    {
        FightBot bot;
        for (int frames = int(seconds / kFrame); frames > 0 && !over(); --frames) {
            const CCharacter* player = Player();
            if (!player)
                return false;
            Step(bot.Step(*player));
            watch();
        }
        return over();
    }

    // Whether an attack of the character is under way.
    static bool AttackOf(const Game::EntityHandle& user)
    {
        for (const Game::AttackRecord* attack : Game::CAttackPool::GetInstance().GetActiveAttacks())
            if (attack->m_User == user)
                return true;
        return false;
    }

    static int DamageTaken() { return Game::CGameMaster::GetInstance().GetPlayerStats(Player()).m_DamageTaken; }
};

} // namespace playtest
