#include "game/editor/EditorMessage.h"

#include "debug/CDebugOutputManager.h"

namespace Game {

void WriteEditorMessage(const std::string& text)
{
    Vesk::CDebugOutputManager::GetInstance().SetLine(text, kEditorMessageLine);
}

} // namespace Game
