#include "app/Startup.h"

#include "app/CPlayerProbe.h"
#include "app/CStateSwitcherListener.h"
#include "core/COptionSetting.h"
#include "core/Log.h"
#include "debug/CDebugOutputManager.h"
#include "frame/CGameManager.h"
#include "game/states/GameStates.h"
#include "game/world/CLevelManager.h"
#include "input/CInputManager.h"
#include "platform/dialogs/ScriptedFileDialogs.h"
#include "window/CWindowSystem.h"

#include "game/states/ButtonCallbacks.h"
#include "game/states/PlayerOptions.h"
#include "game/world/GameLifetime.h"

#include <memory>
#include <sstream>

namespace Game {

namespace {

// Reads an option through a string stream; text that does not parse keeps the default.
template <typename T>
T ReadOption(const std::string& key, T fallback)
{
    std::istringstream in(Vesk::COptionSetting::GetInstance().GetValue(key));
    T value;
    if (in >> value)
        return value;
    return fallback;
}

// The file dialogs answer from the file in place of a person; false when it cannot be read.
bool UseScriptedDialogs(const std::string& path)
{
    auto scripted = std::make_unique<dialogs::ScriptedFileDialogs>();
    std::string problems;
    if (!scripted->QueueAnswersFromFile(path, problems)) {
        Vesk::LogLine("thrummock: cannot read the dialog answers " + path);
        return false;
    }
    if (!problems.empty())
        Vesk::LogLine(problems.substr(0, problems.size() - 1));
    dialogs::SetFileDialogs(std::move(scripted));
    return true;
}

} // namespace

Vesk::IGameState* CreateInitialState(const std::string& initialState, const std::string& levelFile)
{
    // The sandbox and the play state load "levelfile" when it is given.
    if (!levelFile.empty() && (initialState == "pmarlSandbox" || initialState == "PlayState"))
        CLevelManager::GetInstance().SetLevelFileName(levelFile);
    if (initialState == "pmarlSandbox")
        return new CpmarlSandboxState();
    if (initialState == "UloSandbox")
        return new CUloSandboxState();
    if (initialState == "PlimmSandbox")
        return new CPlimmSandboxState();
    if (initialState == "RessaSandbox")
        return new CRessaSandboxState();
    if (initialState == "CubeTest")
        return new CCubeTestState();
    if (initialState == "PhysicsTest")
        return new CPhyState();
    if (initialState == "MenuState")
        return new CMenuState("MenuState", 0);
    if (initialState == "PlayState")
        return new CPlayState("CPlayState", 1);
    if (!initialState.empty() && initialState != "CtrlState")
        Vesk::CDebugOutputManager::GetInstance().ShowNotice("thrummock: unknown initialstate \"" + initialState +
                                                            "\"; the controls screen starts instead");
    return new CCtrlState("CtrlState");
}

int RunGame(const DeveloperOptions& options)
{
    Vesk::COptionSetting& settings = Vesk::COptionSetting::GetInstance();
    const bool configured = settings.Init();
    const int fullscreen = ReadOption<int>("fullscreen", 0);

    if (!options.inputScript.empty() && !Vesk::CInputManager::GetInstance().LoadInputScript(options.inputScript))
        return 1;
    std::unique_ptr<CPlayerProbe> probe;
    if (!options.probe.empty()) {
        probe = std::make_unique<CPlayerProbe>(options.probe, options.probeEntity);
        if (!probe->IsOpen()) {
            Vesk::LogLine("thrummock: cannot open the probe file " + options.probe);
            return 1;
        }
    }

    if (!options.dialogAnswers.empty() && !UseScriptedDialogs(options.dialogAnswers))
        return 1;

    Vesk::CGameManager& game = Vesk::CGameManager::GetInstance();
    game.SetFixedTimeStep(options.fixedTimeStep);
    game.SetFrameLimit(options.frameLimit);
    game.SetScreenshotPath(options.screenshot);
    for (const auto& [frame, path] : options.timedScreenshots)
        game.AddScreenshotAt(frame, path);
    if (!game.Init(10, 10, 500, 280, "Thrummock", fullscreen > 0))
        return 1;

    RegisterGuiCallbacks();
    Vesk::CManagerTable managers = GameManagerTable();
    if (!managers.Start()) {
        game.ShowError("Prefabs file not found!");
        ShutdownGame();
        return 1;
    }

    Vesk::CWindowSystem& window = Vesk::CWindowSystem::GetInstance();
    window.SetResolution(window.GetMaxScreenWidth(), window.GetMaxScreenHeight());

    // The music volume and the mute the player keeps apply from the first screen on, whichever it is.
    ApplyStoredPlayerOptions();
    if (!configured)
        Vesk::CDebugOutputManager::GetInstance().ShowNotice(std::string("thrummock: cannot read ") +
                                                            Vesk::COptionSetting::kDefaultPath +
                                                            "; the default settings and the controls screen are used");

    game.ChangeState(CreateInitialState(settings.GetValue("initialstate"), settings.GetValue("levelfile")));

    auto hotkeys = std::make_unique<CStateSwitcherListener>();
    Vesk::CDebugOutputManager::GetInstance().ResetLayout();
    if (probe)
        game.SetFrameEndHook([&probe](uint64_t frame) { probe->WriteFrame(frame); });
    game.Run();
    game.SetFrameEndHook(nullptr);

    ShutdownGame();
    return 0;
}

} // namespace Game
