// Reading and writing the panels' variables, pressing buttons and running keyboard shortcuts.
#include "platform/devgui/Panels.h"

#include <cstdlib>
#include <cstring>

namespace devgui {

namespace {

bool IsEnum(TypeId type) { return type >= kFirstEnumType; }

} // namespace

void Panels::CopyCDStringToLibrary(char** destination, const char* source)
{
    if (!destination)
        return;
    // A missing source copies as the empty string; the destination grows only when it must.
    const size_t length = source ? std::strlen(source) : 0;
    if (!*destination || length > std::strlen(*destination)) {
        char* grown = static_cast<char*>(std::realloc(*destination, length + 1));
        if (!grown)
            return;
        *destination = grown;
    }
    if (length > 0)
        std::memcpy(*destination, source, length);
    (*destination)[length] = '\0';
}

PanelItem* Panels::FindItem(BarId barId, uint32_t itemId) const
{
    const PanelBar* bar = MutableBar(barId);
    if (!bar)
        return nullptr;
    for (const auto& item : bar->items)
        if (item->id == itemId)
            return item.get();
    return nullptr;
}

bool Panels::ReadValue(const PanelItem& item, Value& out) const
{
    out = Value();
    if (item.kind != PanelItem::Kind::Variable)
        return false;
    // Copied out first: nothing of the item is used once client code has run.
    const TypeId type = item.type;
    void* const pointer = item.pointer;
    const GetVarCallback get = item.get;
    void* const clientData = item.clientData;

    if (type == TYPE_CDSTRING) {
        if (pointer) {
            const char* text = *static_cast<char* const*>(pointer);
            out.s = text ? text : "";
        } else {
            char* text = nullptr;
            get(&text, clientData);
            out.s = text ? text : "";
            std::free(text);
        }
        return true;
    }
    if (type == TYPE_STDSTRING) {
        if (pointer)
            out.s = *static_cast<const std::string*>(pointer);
        else
            get(&out.s, clientData);
        return true;
    }
    // Plain values are read into a buffer of the type's size.
    union {
        bool b;
        int32_t i;
        uint32_t u;
        float f[3];
    } buffer;
    std::memset(&buffer, 0, sizeof buffer);
    size_t size = 0;
    switch (type) {
    case TYPE_BOOL: size = sizeof(bool); break;
    case TYPE_INT32: size = sizeof(int32_t); break;
    case TYPE_UINT32: size = sizeof(uint32_t); break;
    case TYPE_FLOAT: size = sizeof(float); break;
    case TYPE_COLOR3F:
    case TYPE_DIR3F: size = 3 * sizeof(float); break;
    default: size = IsEnum(type) ? sizeof(int32_t) : 0; break;
    }
    if (size == 0)
        return false;
    if (pointer)
        std::memcpy(&buffer, pointer, size);
    else
        get(&buffer, clientData);
    out.b = type == TYPE_BOOL && buffer.b;
    out.i = buffer.i;
    out.u = buffer.u;
    std::memcpy(out.f, buffer.f, sizeof out.f);
    return true;
}

bool Panels::WriteValue(BarId bar, uint32_t itemId, const Value& value)
{
    const PanelItem* item = FindItem(bar, itemId);
    if (!item || item->kind != PanelItem::Kind::Variable || item->IsReadOnly())
        return false;
    const TypeId type = item->type;
    void* const pointer = item->pointer;
    const SetVarCallback set = item->set;
    void* const clientData = item->clientData;

    if (type == TYPE_CDSTRING) {
        const char* text = value.s.c_str();
        if (!pointer) {
            set(&text, clientData);
        } else if (m_CopyCDString) {
            m_CopyCDString(static_cast<char**>(pointer), text);
        } else {
            ReportProblem(item->name + ": no function copies text into client memory");
            return false;
        }
        return true;
    }
    if (type == TYPE_STDSTRING) {
        if (!pointer)
            set(&value.s, clientData);
        else if (m_CopyStdString)
            m_CopyStdString(*static_cast<std::string*>(pointer), value.s);
        else
            *static_cast<std::string*>(pointer) = value.s;
        return true;
    }
    const void* source = nullptr;
    size_t size = 0;
    switch (type) {
    case TYPE_BOOL: source = &value.b, size = sizeof(bool); break;
    case TYPE_INT32: source = &value.i, size = sizeof(int32_t); break;
    case TYPE_UINT32: source = &value.u, size = sizeof(uint32_t); break;
    case TYPE_FLOAT: source = value.f, size = sizeof(float); break;
    case TYPE_COLOR3F:
    case TYPE_DIR3F: source = value.f, size = 3 * sizeof(float); break;
    default:
        if (IsEnum(type))
            source = &value.i, size = sizeof(int32_t);
        break;
    }
    if (!source)
        return false;
    if (pointer)
        std::memcpy(pointer, source, size);
    else
        set(source, clientData);
    return true;
}

bool Panels::Press(BarId bar, uint32_t itemId)
{
    const PanelItem* item = FindItem(bar, itemId);
    if (!item || item->kind != PanelItem::Kind::Button || !item->button)
        return false;
    const ButtonCallback callback = item->button;
    callback(item->clientData);
    return true;
}

bool Panels::GetValue(const std::string& bar, const std::string& item, Value& out) const
{
    const PanelBar* found = MutableBar(FindBar(bar));
    const PanelItem* variable = found ? found->Find(item) : nullptr;
    return variable && ReadValue(*variable, out);
}

bool Panels::SetValue(const std::string& bar, const std::string& item, const Value& value)
{
    const PanelBar* found = MutableBar(FindBar(bar));
    const PanelItem* variable = found ? found->Find(item) : nullptr;
    return variable && WriteValue(found->id, variable->id, value);
}

bool Panels::Press(const std::string& bar, const std::string& item)
{
    const PanelBar* found = MutableBar(FindBar(bar));
    const PanelItem* button = found ? found->Find(item) : nullptr;
    return button && Press(found->id, button->id);
}

bool Panels::Step(BarId bar, uint32_t itemId, int direction)
{
    const PanelItem* item = FindItem(bar, itemId);
    if (!item)
        return false;
    if (item->kind == PanelItem::Kind::Button)
        return Press(bar, itemId);
    Value value;
    if (!ReadValue(*item, value))
        return false;
    const TypeId type = item->type;
    if (type == TYPE_BOOL) {
        value.b = !value.b;
    } else if (type == TYPE_INT32) {
        value.i += direction;
    } else if (type == TYPE_UINT32) {
        if (direction > 0 || value.u > 0)
            value.u += static_cast<uint32_t>(direction);
    } else if (type == TYPE_FLOAT) {
        value.f[0] += 0.1f * static_cast<float>(direction);
    } else if (IsEnum(type)) {
        // The next or previous value of the list, wrapping around; the first when the current
        // value is not listed.
        const std::vector<EnumValue>* values = GetEnumValues(type);
        if (!values || values->empty())
            return false;
        const int count = static_cast<int>(values->size());
        int index = -1;
        for (int i = 0; i < count; ++i)
            if ((*values)[static_cast<size_t>(i)].value == value.i)
                index = i;
        index = index < 0 ? 0 : ((index + direction) % count + count) % count;
        value.i = (*values)[static_cast<size_t>(index)].value;
    } else {
        return false;
    }
    return WriteValue(bar, itemId, value);
}

bool Panels::KeyDown(uint32_t vk, bool allowShortcuts)
{
    m_Modifiers.KeyDown(vk);
    if (!allowShortcuts || vk == 0)
        return false;
    const Shortcut pressed{vk, m_Modifiers.Current()};
    for (const auto& bar : m_Bars) {
        for (const auto& item : bar->items) {
            int direction = 0;
            if (item->key == pressed || item->keyIncr == pressed)
                direction = 1;
            else if (item->keyDecr == pressed)
                direction = -1;
            if (direction != 0) {
                Step(bar->id, item->id, direction);
                return true;
            }
        }
    }
    return false;
}

void Panels::KeyUp(uint32_t vk) { m_Modifiers.KeyUp(vk); }

} // namespace devgui
