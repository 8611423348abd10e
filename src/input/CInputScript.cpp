#include "input/CInputScript.h"

#include "core/Log.h"
#include "platform/win/RegularFile.h"
#include "platform/win/VirtualKeys.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <sstream>

namespace Vesk {

namespace {

struct Name {
    const char* name;
    uint32_t value;
};

const Name kKeyNames[] = {
    {"BACK", win::VK_BACK},         {"BACKSPACE", win::VK_BACK}, {"TAB", win::VK_TAB},
    {"RETURN", win::VK_RETURN},     {"ENTER", win::VK_RETURN},   {"SHIFT", win::VK_SHIFT},
    {"CONTROL", win::VK_CONTROL},   {"CTRL", win::VK_CONTROL},   {"MENU", win::VK_MENU},
    {"ALT", win::VK_MENU},          {"PAUSE", win::VK_PAUSE},    {"CAPITAL", win::VK_CAPITAL},
    {"ESCAPE", win::VK_ESCAPE},     {"ESC", win::VK_ESCAPE},     {"SPACE", win::VK_SPACE},
    {"PRIOR", win::VK_PRIOR},       {"PAGEUP", win::VK_PRIOR},   {"NEXT", win::VK_NEXT},
    {"PAGEDOWN", win::VK_NEXT},     {"END", win::VK_END},        {"HOME", win::VK_HOME},
    {"LEFT", win::VK_LEFT},         {"UP", win::VK_UP},          {"RIGHT", win::VK_RIGHT},
    {"DOWN", win::VK_DOWN},         {"INSERT", win::VK_INSERT},  {"DELETE", win::VK_DELETE},
    {"MULTIPLY", win::VK_MULTIPLY}, {"ADD", win::VK_ADD},        {"SUBTRACT", win::VK_SUBTRACT},
    {"DECIMAL", win::VK_DECIMAL},   {"DIVIDE", win::VK_DIVIDE},
};

// A trigger is named like a button; its bit is 0 and its index is kept apart.
struct PadButtonName {
    const char* name;
    uint16_t bit;
    int trigger;
};

const PadButtonName kPadButtons[] = {
    {"A", pad::BUTTON_A, -1},
    {"B", pad::BUTTON_B, -1},
    {"X", pad::BUTTON_X, -1},
    {"Y", pad::BUTTON_Y, -1},
    {"LB", pad::BUTTON_LEFT_SHOULDER, -1},
    {"RB", pad::BUTTON_RIGHT_SHOULDER, -1},
    {"LT", 0, 0},
    {"RT", 0, 1},
    {"START", pad::BUTTON_START, -1},
    {"BACK", pad::BUTTON_BACK, -1},
    {"LTHUMB", pad::BUTTON_LEFT_THUMB, -1},
    {"RTHUMB", pad::BUTTON_RIGHT_THUMB, -1},
    {"DPAD_UP", pad::BUTTON_DPAD_UP, -1},
    {"DPAD_DOWN", pad::BUTTON_DPAD_DOWN, -1},
    {"DPAD_LEFT", pad::BUTTON_DPAD_LEFT, -1},
    {"DPAD_RIGHT", pad::BUTTON_DPAD_RIGHT, -1},
};

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::toupper(c); });
    return text;
}

bool ParseInteger(const std::string& text, long long min, long long max, long long& out)
{
    if (text.empty())
        return false;
    const bool hex = text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X');
    char* end = nullptr;
    const long long value = std::strtoll(text.c_str(), &end, hex ? 16 : 10);
    if (*end != '\0' || value < min || value > max)
        return false;
    out = value;
    return true;
}

bool ParseKey(const std::string& token, uint32_t& out)
{
    std::string name = Upper(token);
    if (name.rfind("VK_", 0) == 0)
        name = name.substr(3);
    if (name.size() == 1 && std::isalnum(static_cast<unsigned char>(name[0]))) {
        out = win::VkFromChar(name[0]);
        return true;
    }
    if (name.size() >= 2 && name[0] == 'F' && std::isdigit(static_cast<unsigned char>(name[1]))) {
        long long n = 0;
        if (!ParseInteger(name.substr(1), 1, 12, n) || name[1] == '0')
            return false;
        out = win::VK_F1 + static_cast<uint32_t>(n - 1);
        return true;
    }
    if (name.rfind("NUMPAD", 0) == 0 && name.size() == 7 && std::isdigit(static_cast<unsigned char>(name[6]))) {
        out = win::VK_NUMPAD0 + static_cast<uint32_t>(name[6] - '0');
        return true;
    }
    for (const Name& key : kKeyNames) {
        if (name == key.name) {
            out = key.value;
            return true;
        }
    }
    long long code = 0;
    if (!ParseInteger(token, 1, 255, code))
        return false;
    out = static_cast<uint32_t>(code);
    return true;
}

bool ParseDownUp(const std::string& token, bool& down)
{
    const std::string word = Upper(token);
    down = word == "DOWN";
    return down || word == "UP";
}

} // namespace

CInputScript::~CInputScript()
{
    if (m_Pads)
        pad::SetSource(nullptr);
}

bool CInputScript::Load(const std::string& path)
{
    std::string text, error;
    if (!win::ReadRegularFile(path, text, error)) {
        LogLine("CInputScript: " + path + " cannot be read (" + error + ")");
        return false;
    }
    std::istringstream in(text);
    Parse(in, path);
    return true;
}

void CInputScript::Parse(std::istream& in, const std::string& name)
{
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        line = line.substr(0, line.find('#'));
        if (line.find_first_not_of(" \t\r") == std::string::npos)
            continue;
        Event event;
        std::string error;
        if (ParseLine(line, event, error))
            m_Events.push_back(event);
        else
            LogLine("CInputScript: " + name + " line " + std::to_string(number) + ": " + error + ": " + line);
    }
    std::stable_sort(m_Events.begin() + static_cast<std::ptrdiff_t>(m_Next), m_Events.end(),
                     [](const Event& a, const Event& b) { return a.frame < b.frame; });

    const bool usesPads = std::any_of(m_Events.begin(), m_Events.end(), [](const Event& e) {
        return e.kind == Event::PadButton || e.kind == Event::PadStick;
    });
    if (!usesPads)
        return;
    if (!m_Pads) {
        m_Pads = std::make_unique<pad::FakeSource>();
        pad::SetSource(m_Pads.get());
    }
    // The script's pads are plugged in, at rest, from the start.
    for (const Event& e : m_Events)
        if (e.kind == Event::PadButton || e.kind == Event::PadStick)
            m_Pads->SetConnected(e.padIndex, true);
}

bool CInputScript::ParseLine(const std::string& line, Event& out, std::string& error) const
{
    std::istringstream in(line);
    std::vector<std::string> words;
    for (std::string word; in >> word;)
        words.push_back(word);

    long long frame = 0;
    if (words.size() < 2 || !ParseInteger(words[0], 0, INT64_MAX, frame)) {
        error = "expected a frame number and an event";
        return false;
    }
    out.frame = static_cast<uint64_t>(frame);
    const std::string device = Upper(words[1]);
    long long a = 0, b = 0;

    if (device == "KEY") {
        uint32_t vk = 0;
        if (words.size() != 4 || !ParseDownUp(words[2], out.down) || !ParseKey(words[3], vk)) {
            error = "expected key down|up <key>";
            return false;
        }
        out.kind = Event::Key;
        out.message.code = out.down ? win::WM_KEYDOWN : win::WM_KEYUP;
        out.message.vk = vk;
        return true;
    }

    if (device == "MOUSE") {
        const std::string action = words.size() > 2 ? Upper(words[2]) : "";
        out.kind = Event::Mouse;
        win::Message& m = out.message;
        m.x = m.y = -1; // -1: where the script's mouse last was
        size_t position = 0;
        if (action == "MOVE" && words.size() == 5) {
            m.code = win::WM_MOUSEMOVE;
            position = 3;
        } else if ((action == "DOWN" || action == "UP") && (words.size() == 4 || words.size() == 6)) {
            const std::string button = Upper(words[3]);
            const bool down = action == "DOWN";
            if (button == "LEFT")
                m.code = down ? win::WM_LBUTTONDOWN : win::WM_LBUTTONUP;
            else if (button == "RIGHT")
                m.code = down ? win::WM_RBUTTONDOWN : win::WM_RBUTTONUP;
            else if (button == "MIDDLE")
                m.code = down ? win::WM_MBUTTONDOWN : win::WM_MBUTTONUP;
            position = words.size() == 6 ? 4 : 0;
        } else if (action == "WHEEL" && (words.size() == 4 || words.size() == 6) &&
                   ParseInteger(words[3], -32768, 32767, a)) {
            m.code = win::WM_MOUSEWHEEL;
            m.wheelDelta = static_cast<int>(a);
            position = words.size() == 6 ? 4 : 0;
        }
        if (m.code == win::WM_NULL || (position && (!ParseInteger(words[position], 0, 65535, a) ||
                                                    !ParseInteger(words[position + 1], 0, 65535, b)))) {
            error = "expected mouse move <x> <y>, mouse down|up left|right|middle [<x> <y>] or mouse wheel "
                    "<delta> [<x> <y>]";
            return false;
        }
        if (position) {
            m.x = static_cast<int>(a);
            m.y = static_cast<int>(b);
        }
        return true;
    }

    if (device == "PAD") {
        long long index = 0;
        if (words.size() < 5 || !ParseInteger(words[2], 0, pad::kMaxPads - 1, index)) {
            error = "expected pad <0-3> followed by down|up <button> or stick left|right <x> <y>";
            return false;
        }
        out.padIndex = static_cast<uint32_t>(index);
        const std::string action = Upper(words[3]);
        if (action == "STICK") {
            const std::string side = Upper(words[4]);
            if (words.size() != 7 || (side != "LEFT" && side != "RIGHT") || !ParseInteger(words[5], -32768, 32767, a) ||
                !ParseInteger(words[6], -32768, 32767, b)) {
                error = "expected pad <n> stick left|right <x> <y> with values from -32768 to 32767";
                return false;
            }
            out.kind = Event::PadStick;
            out.rightStick = side == "RIGHT";
            out.stickX = static_cast<int16_t>(a);
            out.stickY = static_cast<int16_t>(b);
            return true;
        }
        const std::string button = Upper(words[4]);
        const PadButtonName* found = std::find_if(std::begin(kPadButtons), std::end(kPadButtons),
                                                  [&](const PadButtonName& n) { return button == n.name; });
        if (words.size() != 5 || !ParseDownUp(words[3], out.down) || found == std::end(kPadButtons)) {
            error = "expected pad <n> down|up <button>";
            return false;
        }
        out.kind = Event::PadButton;
        out.padButton = found->bit;
        out.padTrigger = found->trigger;
        return true;
    }

    error = "unknown event '" + words[1] + "'";
    return false;
}

void CInputScript::Pump(uint64_t frame)
{
    while (m_Next < m_Events.size() && m_Events[m_Next].frame <= frame)
        Feed(m_Events[m_Next++]);
}

void CInputScript::Feed(Event event)
{
    win::Message& m = event.message;
    switch (event.kind) {
    case Event::Key:
        if (m.vk == win::VK_CONTROL)
            m_Ctrl = event.down;
        else if (m.vk == win::VK_SHIFT)
            m_Shift = event.down;
        win::PostMessage(m);
        return;
    case Event::Mouse: {
        if (m.x < 0) {
            m.x = m_MouseX;
            m.y = m_MouseY;
        }
        m_MouseX = m.x;
        m_MouseY = m.y;
        const win::MouseMessageKind kind = win::ClassifyMouseMessage(m.code);
        if (kind.button)
            m_MouseButtons = kind.down ? m_MouseButtons | kind.mk : m_MouseButtons & ~kind.mk;
        m.mk = m_MouseButtons | (m_Ctrl ? win::MK_CONTROL : 0u) | (m_Shift ? win::MK_SHIFT : 0u);
        win::PostMessage(m);
        return;
    }
    case Event::PadButton: {
        pad::Gamepad g = m_Pads->GetGamepad(event.padIndex);
        if (event.padTrigger == 0)
            g.leftTrigger = event.down ? 255 : 0;
        else if (event.padTrigger == 1)
            g.rightTrigger = event.down ? 255 : 0;
        else if (event.down)
            g.buttons |= event.padButton;
        else
            g.buttons &= static_cast<uint16_t>(~event.padButton);
        m_Pads->SetGamepad(event.padIndex, g);
        return;
    }
    case Event::PadStick: {
        pad::Gamepad g = m_Pads->GetGamepad(event.padIndex);
        (event.rightStick ? g.thumbRX : g.thumbLX) = event.stickX;
        (event.rightStick ? g.thumbRY : g.thumbLY) = event.stickY;
        m_Pads->SetGamepad(event.padIndex, g);
        return;
    }
    }
}

} // namespace Vesk
