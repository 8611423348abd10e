// A font that draws one text string into a screen rectangle: SetText stores what the next Draw
// shows, so one font object serves many texts drawn one after the other.
#pragma once

#include "resources/IResource.h"

#include <string>

namespace Vesk {

class IFont : public IResource {
public:
    virtual void Draw() = 0;
    // Rectangle in pixels; the colour bytes come in the order alpha, red, blue, green.
    virtual void SetText(const std::string& text, unsigned top, unsigned left, unsigned right, unsigned bottom,
                         unsigned char alpha, unsigned char red, unsigned char blue, unsigned char green) = 0;
};

} // namespace Vesk
