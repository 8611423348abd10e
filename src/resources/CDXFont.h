// Font resource (stand-in until the resource issue lands): no definitions are read, so every
// load fails and lookups find no font.
#pragma once

#include "resources/IFont.h"

namespace Vesk {

class CDXFont : public IFont {
public:
    bool Load(const std::string&) override { return false; }
    void OnLostDevice() override {}
    void OnResetDevice() override {}
    void Draw() override {}
    void SetText(const std::string&, unsigned, unsigned, unsigned, unsigned, unsigned char, unsigned char,
                 unsigned char, unsigned char) override
    {
    }
};

} // namespace Vesk
