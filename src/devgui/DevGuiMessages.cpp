#include "devgui/DevGuiMessages.h"

#include "devgui/IDevGUI.h"

namespace Vesk {

bool DevGuiHandlesMessage(const win::Message& message) { return IDevGUI::GetInstance().HandleMessage(message); }

} // namespace Vesk
