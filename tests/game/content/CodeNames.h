// The names the game's code asks for by literal, which the content check resolves on the code's
// behalf (the data files name everything else). A name added to the code belongs here too. Where
// a controller plays clips, they are listed by controller type, so that every prefab driven by
// that controller, the shipped ones and any added later, is checked against its own model.
#pragma once

#include "game/base/GameEnums.h"

#include <string>
#include <vector>

namespace contentcheck {

// The clips a controller plays and the parts it breaks off the model of the prefab it drives.
struct ControllerModel {
    int controllerType;
    std::vector<std::string> clips;
    std::vector<std::string> parts;
};

inline const std::vector<ControllerModel> kControllerModels = {
    {Game::PLAYERCONTROLLER,
     {"IDLE", "RUNTWO", "JUMP", "SWINGONE", "SWINGTWO", "SWINGTHREE", "STRETCH", "FIRESHOT", "SPAWN", "DRILLATK",
      "MINIDRILLATK", "ROLL", "DEATH", "STUNALT", "ATTACKUPPERCUT", "ATTACKNORMAL"},
     {}},
    {Game::MINION, {"IDLE", "WALK", "STUN", "FEEDBACK", "ATTACK", "DEATH"}, {"ears", "tail", "bodyparts"}},
    {Game::SLIME, {"IDLE", "WALK", "STUN", "FEEDBACK"}, {}},
    {Game::UNDEAD, {"IDLE", "WALK", "SPIN", "FAKEDEATH", "HITTED", "ATTACKDELAY", "ATTACKSTRIKE", "DEATH"}, {"rib1"}},
    {Game::APPARATION, {"IDLE", "MOVING", "STUN", "DEATH"}, {}},
    {Game::BOAR, {"IDLE", "WALK", "STUN", "PREPARECHARGE", "CHARGE"}, {"tusks", "flab1", "flab2", "flab3"}},
    {Game::GOLEM, {"IDLE", "MOVING", "STUN", "CHARGING", "ATTACKING"}, {}},
    {Game::BIGBOSS, {"IDLE"}, {}},
};

// Models the code draws by name (the menu scene, the sky, the empty terrain, the developer states)
// with the clips it plays on them; the effect models it shows are fxtest::kEffectModels.
struct CodeMesh {
    const char* mesh;
    std::vector<std::string> clips;
};

inline const std::vector<CodeMesh> kCodeMeshes = {
    {"windmill", {"IDLE"}},
    {"island", {}},
    {"swordman", {"STRETCH"}},
    {"title_test2", {}},
    {"skysphere", {}},
    {"emptymesh", {}},
    {"testmesh", {}},
    {"crateFull", {}},
    {"potion_v2", {}},
    {"halfwoodboss", {}},
    {"koboldminion_v3", {}},
    {"crate", {}},
    {"koboldminion", {"IDLE", "WALK"}},
};

// Sprite sheets the code shows by name, with the animations it plays.
struct CodeSprite {
    const char* sprite;
    std::vector<std::string> animations;
};

inline const std::vector<CodeSprite> kCodeSprites = {
    {"AnimCursor", {"idle", "active"}},
    {"FlameCrest", {}},
    {"WindCrest", {}},
    {"LightningCrest", {}},
    {"CreditsText", {}},
    {"SplashBG", {}},
};

// Sprite sheets the code writes text with: each needs one animation per printable character.
inline const std::vector<std::string> kCodeFonts = {"GameFont", "GameFontWhite", "GameFontYellow", "GameFontGreen",
                                                    "GameFontRed"};

// Elements the states and HUDs find by name in the screen they loaded, with the animations they
// play on them (the element's name is its sprite's).
struct CodeElement {
    const char* screen; // under assets/scripts/gui
    const char* element;
    std::vector<std::string> animations;
};

inline const std::vector<CodeElement> kCodeElements = {
    {"gamehud.xml", "P1HealthBarFrame", {}},
    {"gamehud.xml", "P1HealthBarCurrent", {}},
    {"gamehud.xml", "P1HealthBarCurrentRed", {}},
    {"gamehud.xml", "P1HealthBarBacking", {}},
    {"gamehud.xml", "ComboBar", {}},
    {"gamehud.xml", "SkullCounter", {}},
    {"gamehud.xml", "P1ManaBarFrame", {}},
    {"gamehud.xml", "P1ManaBarBacking", {}},
    {"gamehud.xml", "msg_revive", {"idle", "idleController"}},
    {"gamehud.xml", "msg_charge", {"idle", "idleController"}},
    {"gamehud.xml", "powerslot_blank", {}},
    {"gamehud.xml", "powerslot_active", {"idle", "active", "blink"}},
    {"gamehud.xml", "BossHealthBarBacking", {}},
    {"gamehud.xml", "BossHealthBarCurrent", {}},
    {"gamehud.xml", "BossHealthBarFrame", {}},
    {"gamehud.xml", "wavebg", {}},
    {"gamehud.xml", "wave_number", {}},
    {"menu.xml", "PressTitle", {}},
    {"menu.xml", "whiteout", {}},
    {"menu.xml", "blackout", {}},
};

// Screen files the states load (under assets/scripts/gui) and the level files the play state
// picks by level number (under assets/levels).
inline const std::vector<std::string> kCodeScreens = {
    "splash.xml",  "ctrl.xml",      "menu.xml",       "levelselection.xml", "howtoplay.xml",
    "credits.xml", "transitin.xml", "transitout.xml", "gamehud.xml",
};
inline const std::vector<std::string> kCodeLevels = {"arena2.xml", "emeraldroom.xml", "purpleroom.xml"};

// Sound effects the code plays by name, and the music tracks.
inline const std::vector<std::string> kCodeSounds = {
    "crate_destroy", "ready",      "stage_complete", "cheer",           "score_impact",    "deflect",
    "dodge_roll",    "minion_die", "boss_smash",     "boar_grunt",      "charging_1",      "charging_2",
    "charging_3",    "thrummock",  "charging_full",  "charge_achieve1", "charge_achieve2", "charge_achieve3",
};
inline const std::vector<std::string> kCodeMusic = {"stagebgm", "bossbgm", "menubgm"};

// Attacks the code spawns by name.
inline const std::vector<std::string> kCodeAttacks = {
    "FirstSwing",   "SecondSwing",        "ThirdSwing",          "MiniDrillAttack",   "DrillBackBlast",
    "DrillAttack",  "LeftDrillBackBlast", "RightDrillBackBlast", "LeftDrillAttack",   "RightDrillAttack",
    "NeedleAttack", "SmallEnergyBall",    "MediumEnergyBall",    "MediumEnergyBall2", "LargeEnergyBall",
    "PlayerRevive", "FireGeyser1",        "FireGeyser2",         "FireGeyser3",       "Punch",
    "GolemAOE",     "GhostFireball",      "BoarHeadbutt",        "BossSmash",         "TreantJumpSmash",
    "SpikeAttack",
};

// Particle effects the code makes by name.
inline const std::vector<std::string> kCodeEffects = {"spark_effect", "ghostparticle_effect", "golemboom_effect"};

// Prefabs the code creates by name, by entity type.
struct CodePrefab {
    int category;
    const char* prefab;
};

inline const std::vector<CodePrefab> kCodePrefabs = {
    {Game::GENERIC_CHARACTER, "player"},
    {Game::PICKUPITEM, "smallcoin"},
    {Game::PICKUPITEM, "healthrecovery"},
    {Game::PICKUPITEM, "fireskill"},
};

} // namespace contentcheck
