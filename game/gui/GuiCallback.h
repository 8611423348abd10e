// GuiCallback: the action a GUI button runs, one entry of the GUI manager's callback table.
#pragma once

namespace Game {

using GuiCallback = void (*)();

} // namespace Game
