#include "platform/devgui/Shortcut.h"

#include "platform/win/VirtualKeys.h"

#include <cctype>
#include <cstdlib>

namespace devgui {

namespace {

std::string Upper(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return text;
}

struct NamedKey {
    const char* name;
    uint32_t vk;
};

const NamedKey kNamedKeys[] = {
    {"TAB", win::VK_TAB},       {"RETURN", win::VK_RETURN}, {"ENTER", win::VK_RETURN},   {"ESC", win::VK_ESCAPE},
    {"ESCAPE", win::VK_ESCAPE}, {"SPACE", win::VK_SPACE},   {"BACKSPACE", win::VK_BACK}, {"BS", win::VK_BACK},
    {"DELETE", win::VK_DELETE}, {"DEL", win::VK_DELETE},    {"INSERT", win::VK_INSERT},  {"INS", win::VK_INSERT},
    {"HOME", win::VK_HOME},     {"END", win::VK_END},       {"PGUP", win::VK_PRIOR},     {"PGDOWN", win::VK_NEXT},
    {"UP", win::VK_UP},         {"DOWN", win::VK_DOWN},     {"LEFT", win::VK_LEFT},      {"RIGHT", win::VK_RIGHT},
};

struct CharKey {
    char c;
    uint32_t vk;
};

const CharKey kCharKeys[] = {
    {'`', win::VK_OEM_3},      {'-', win::VK_OEM_MINUS}, {'=', win::VK_OEM_PLUS}, {',', win::VK_OEM_COMMA},
    {'.', win::VK_OEM_PERIOD}, {'/', win::VK_OEM_2},     {';', win::VK_OEM_1},    {'[', win::VK_OEM_4},
    {']', win::VK_OEM_6},      {'\\', win::VK_OEM_5},    {'\'', win::VK_OEM_7},   {' ', win::VK_SPACE},
};

bool KeyFromName(const std::string& name, Shortcut& out)
{
    if (name.size() == 1) {
        const char c = name[0];
        if (std::isalnum(static_cast<unsigned char>(c))) {
            out.vk = win::VkFromChar(c);
            if (std::isupper(static_cast<unsigned char>(c)))
                out.modifiers |= MOD_SHIFT;
            return true;
        }
        for (const CharKey& key : kCharKeys)
            if (key.c == c) {
                out.vk = key.vk;
                return true;
            }
        return false;
    }
    const std::string upper = Upper(name);
    if (upper.size() >= 2 && upper[0] == 'F' && std::isdigit(static_cast<unsigned char>(upper[1]))) {
        const int number = std::atoi(upper.c_str() + 1);
        if (number >= 1 && number <= 12 && upper == "F" + std::to_string(number)) {
            out.vk = win::VK_F1 + static_cast<uint32_t>(number - 1);
            return true;
        }
        return false;
    }
    for (const NamedKey& key : kNamedKeys)
        if (upper == key.name) {
            out.vk = key.vk;
            return true;
        }
    return false;
}

} // namespace

bool ParseShortcut(const std::string& text, Shortcut& out)
{
    Shortcut shortcut;
    size_t begin = 0;
    // Modifiers come first, joined by '+'.
    while (true) {
        const size_t plus = text.find('+', begin);
        if (plus == std::string::npos)
            break;
        const std::string modifier = Upper(text.substr(begin, plus - begin));
        if (modifier == "CTRL")
            shortcut.modifiers |= MOD_CTRL;
        else if (modifier == "SHIFT")
            shortcut.modifiers |= MOD_SHIFT;
        else if (modifier == "ALT")
            shortcut.modifiers |= MOD_ALT;
        else
            return false;
        begin = plus + 1;
    }
    const std::string key = text.substr(begin);
    if (key.empty() || !KeyFromName(key, shortcut))
        return false;
    out = shortcut;
    return true;
}

void ModifierState::Set(uint32_t vk, bool down)
{
    uint32_t bit = MOD_NONE;
    switch (vk) {
    case win::VK_SHIFT: bit = MOD_SHIFT; break;
    case win::VK_CONTROL: bit = MOD_CTRL; break;
    case win::VK_MENU: bit = MOD_ALT; break;
    default: return;
    }
    m_Held = down ? (m_Held | bit) : (m_Held & ~bit);
}

} // namespace devgui
