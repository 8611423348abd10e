// Developer panels (stand-in until the developer-GUI issue lands): nothing drawn.
#pragma once

#include "core/CSingleton.h"

namespace Vesk {

class IDevGUI : public CSingleton<IDevGUI> {
public:
    void InitGui() { m_Initialised = true; }
    bool IsInitialised() const { return m_Initialised; }
    void WindowSize(int width, int height) { (void)width; (void)height; }
    void Draw() {}
    void Terminate() { m_Initialised = false; }

private:
    bool m_Initialised = false;
};

} // namespace Vesk
