#include "game/gui/ScreenControls.h"

#include "platform/pad/Pad.h"
#include "platform/win/VirtualKeys.h"

namespace Game {

namespace {

const std::vector<uint32_t> kLeftKeys{win::VK_LEFT, win::VkFromChar('A')};
const std::vector<uint32_t> kRightKeys{win::VK_RIGHT, win::VkFromChar('D')};
const std::vector<uint32_t> kUpKeys{win::VK_UP, win::VkFromChar('W')};
const std::vector<uint32_t> kDownKeys{win::VK_DOWN, win::VkFromChar('S')};
const std::vector<uint32_t> kLeftPad{pad::VK_PAD_DPAD_LEFT, pad::VK_PAD_LTHUMB_LEFT, pad::VK_PAD_RTHUMB_LEFT};
const std::vector<uint32_t> kRightPad{pad::VK_PAD_DPAD_RIGHT, pad::VK_PAD_LTHUMB_RIGHT, pad::VK_PAD_RTHUMB_RIGHT};
const std::vector<uint32_t> kUpPad{pad::VK_PAD_DPAD_UP, pad::VK_PAD_LTHUMB_UP, pad::VK_PAD_RTHUMB_UP};
const std::vector<uint32_t> kDownPad{pad::VK_PAD_DPAD_DOWN, pad::VK_PAD_LTHUMB_DOWN, pad::VK_PAD_RTHUMB_DOWN};

ScreenControls Make(std::vector<uint32_t> backKeys, std::vector<uint32_t> backPad, bool backByListener,
                    NavigationAxis axis, bool skipHidden, std::vector<uint32_t> pressPad)
{
    ScreenControls controls;
    controls.backKeys = std::move(backKeys);
    controls.backPadCodes = std::move(backPad);
    controls.backByListener = backByListener;
    controls.axis = axis;
    controls.skipHidden = skipHidden;
    controls.pressKeys = {win::VK_RETURN};
    controls.pressPadCodes = std::move(pressPad);
    return controls;
}

} // namespace

ScreenControls ScreenControls::Confirmation()
{
    return Make({win::VK_ESCAPE}, {pad::VK_PAD_START}, false, NavigationAxis::Horizontal, false,
                {pad::VK_PAD_A, pad::VK_PAD_B});
}

ScreenControls ScreenControls::Options()
{
    return Make({win::VK_ESCAPE}, {pad::VK_PAD_START}, false, NavigationAxis::Horizontal, true,
                {pad::VK_PAD_A, pad::VK_PAD_B});
}

ScreenControls ScreenControls::Pause()
{
    return Make({}, {pad::VK_PAD_START}, true, NavigationAxis::Horizontal, false, {pad::VK_PAD_A, pad::VK_PAD_B});
}

ScreenControls ScreenControls::HowToPlay()
{
    return Make({win::VK_ESCAPE}, {pad::VK_PAD_START}, false, NavigationAxis::Horizontal, false,
                {pad::VK_PAD_A, pad::VK_PAD_START});
}

ScreenControls ScreenControls::LevelSelection()
{
    return Make({}, {}, true, NavigationAxis::Vertical, false, {pad::VK_PAD_A, pad::VK_PAD_START});
}

ScreenControls ScreenControls::Menu()
{
    return Make({}, {}, false, NavigationAxis::Vertical, false, {pad::VK_PAD_A, pad::VK_PAD_START});
}

ScreenControls ScreenControls::Highscore()
{
    return Make({}, {}, true, NavigationAxis::Horizontal, false, {pad::VK_PAD_A, pad::VK_PAD_START});
}

const std::vector<uint32_t>& ScreenControls::PreviousKeys() const
{
    return axis == NavigationAxis::Horizontal ? kLeftKeys : kUpKeys;
}

const std::vector<uint32_t>& ScreenControls::NextKeys() const
{
    return axis == NavigationAxis::Horizontal ? kRightKeys : kDownKeys;
}

const std::vector<uint32_t>& ScreenControls::PreviousPadCodes() const
{
    return axis == NavigationAxis::Horizontal ? kLeftPad : kUpPad;
}

const std::vector<uint32_t>& ScreenControls::NextPadCodes() const
{
    return axis == NavigationAxis::Horizontal ? kRightPad : kDownPad;
}

} // namespace Game
