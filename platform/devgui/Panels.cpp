#include "platform/devgui/Panels.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace devgui {

namespace {

void ReportAll(const std::string& context, const std::vector<std::string>& problems)
{
    for (const std::string& problem : problems)
        ReportProblem(context + ": " + problem);
}

} // namespace

void ReportProblem(const std::string& text) { std::fprintf(stderr, "DevGUI: %s\n", text.c_str()); }

PanelItem* PanelBar::Find(const std::string& itemName) const
{
    if (itemName.empty())
        return nullptr;
    for (const auto& item : items)
        if (item->name == itemName)
            return item.get();
    return nullptr;
}

Panels::Panels() = default;
Panels::~Panels() = default;

BarId Panels::NewBar(const std::string& name)
{
    if (name.empty() || FindBar(name) != kNoBar) {
        ReportProblem("cannot make bar \"" + name + "\" (empty or taken name)");
        return kNoBar;
    }
    auto bar = std::make_unique<PanelBar>();
    bar->id = m_NextBarId++;
    bar->name = name;
    m_Bars.push_back(std::move(bar));
    return m_Bars.back()->id;
}

bool Panels::DeleteBar(BarId bar)
{
    const auto found = std::find_if(m_Bars.begin(), m_Bars.end(), [bar](const auto& b) { return b->id == bar; });
    if (found == m_Bars.end())
        return false;
    m_Bars.erase(found);
    return true;
}

void Panels::DeleteAllBars() { m_Bars.clear(); }

void Panels::Clear()
{
    m_Bars.clear();
    m_EnumIds.clear();
    m_EnumValues.clear();
    m_GlobalHelp.clear();
    m_Modifiers.Clear();
}

BarId Panels::FindBar(const std::string& name) const
{
    for (const auto& bar : m_Bars)
        if (bar->name == name)
            return bar->id;
    return kNoBar;
}

PanelBar* Panels::MutableBar(BarId bar) const
{
    for (const auto& b : m_Bars)
        if (b->id == bar)
            return b.get();
    return nullptr;
}

const PanelBar* Panels::GetBar(BarId bar) const { return MutableBar(bar); }

PanelItem* Panels::Insert(BarId barId, std::unique_ptr<PanelItem> item, const std::string& definition)
{
    PanelBar* bar = MutableBar(barId);
    if (!bar) {
        ReportProblem("\"" + item->name + "\" added to a bar that does not exist");
        return nullptr;
    }
    // Unnamed separators are the usual case; they never clash.
    if (bar->Find(item->name)) {
        ReportProblem("\"" + bar->name + "\" already has an item \"" + item->name + "\"");
        return nullptr;
    }
    item->id = m_NextItemId++;
    PanelItem* added = item.get();
    bar->items.push_back(std::move(item));
    const Definition parsed = ParseDefinition(definition);
    ReportAll(bar->name + "/" + added->name, parsed.problems);
    ApplyItemDefinition(*bar, *added, parsed);
    return added;
}

bool Panels::AddVarRW(BarId bar, const std::string& name, TypeId type, void* variable, const std::string& definition)
{
    if (name.empty() || !variable || type == TYPE_UNDEF) {
        ReportProblem("variable \"" + name + "\" needs a name, a type and memory");
        return false;
    }
    auto item = std::make_unique<PanelItem>();
    item->name = name;
    item->type = type;
    item->pointer = variable;
    return Insert(bar, std::move(item), definition) != nullptr;
}

bool Panels::AddVarCB(BarId bar, const std::string& name, TypeId type, SetVarCallback set, GetVarCallback get,
                      void* clientData, const std::string& definition)
{
    if (name.empty() || !get || type == TYPE_UNDEF) {
        ReportProblem("variable \"" + name + "\" needs a name, a type and a getter");
        return false;
    }
    auto item = std::make_unique<PanelItem>();
    item->name = name;
    item->type = type;
    item->set = set;
    item->get = get;
    item->clientData = clientData;
    return Insert(bar, std::move(item), definition) != nullptr;
}

bool Panels::AddButton(BarId bar, const std::string& name, ButtonCallback callback, void* clientData,
                       const std::string& definition)
{
    if (name.empty()) {
        ReportProblem("a button needs a name");
        return false;
    }
    auto item = std::make_unique<PanelItem>();
    item->kind = PanelItem::Kind::Button;
    item->name = name;
    item->button = callback;
    item->clientData = clientData;
    return Insert(bar, std::move(item), definition) != nullptr;
}

bool Panels::AddSeparator(BarId bar, const std::string& name, const std::string& definition)
{
    auto item = std::make_unique<PanelItem>();
    item->kind = PanelItem::Kind::Separator;
    item->name = name;
    return Insert(bar, std::move(item), definition) != nullptr;
}

bool Panels::RemoveVar(BarId barId, const std::string& name)
{
    PanelBar* bar = MutableBar(barId);
    if (!bar || !bar->Find(name))
        return false;
    // The item and, for a group, everything nested in it.
    std::vector<std::string> doomed{name};
    for (size_t i = 0; i < doomed.size(); ++i)
        for (const auto& item : bar->items)
            if (item->parent == doomed[i] && !item->name.empty())
                doomed.push_back(item->name);
    auto& items = bar->items;
    items.erase(std::remove_if(items.begin(), items.end(),
                               [&doomed](const auto& item) {
                                   return std::find(doomed.begin(), doomed.end(), item->name) != doomed.end() ||
                                          std::find(doomed.begin(), doomed.end(), item->parent) != doomed.end();
                               }),
                items.end());
    return true;
}

bool Panels::Define(const std::string& text)
{
    const DefineCommand command = ParseDefine(text);
    ReportAll("\"" + command.target + "\"", command.definition.problems);
    if (command.target == "GLOBAL") {
        for (const DefinitionEntry& entry : command.definition.entries) {
            if (entry.key == "help")
                m_GlobalHelp = entry.value;
            else
                ReportProblem("GLOBAL: unknown key '" + entry.key + "'");
        }
        return true;
    }
    const size_t slash = command.target.find('/');
    PanelBar* bar = MutableBar(FindBar(command.target.substr(0, slash)));
    if (!bar) {
        ReportProblem("Define: no bar \"" + command.target.substr(0, slash) + "\"");
        return false;
    }
    if (slash == std::string::npos) {
        ApplyBarDefinition(*bar, command.definition);
        return true;
    }
    PanelItem* item = bar->Find(command.target.substr(slash + 1));
    if (!item) {
        ReportProblem("Define: no item \"" + command.target + "\"");
        return false;
    }
    ApplyItemDefinition(*bar, *item, command.definition);
    return true;
}

void Panels::ApplyBarDefinition(PanelBar& bar, const Definition& definition)
{
    for (const DefinitionEntry& entry : definition.entries) {
        const std::string& key = entry.key;
        const std::string& value = entry.value;
        bool ok = true;
        if (key == "label") {
            bar.label = value;
        } else if (key == "help") {
            bar.help = value;
        } else if (key == "position" || key == "size") {
            int a = 0, b = 0;
            ok = ParseIntPair(value, a, b) && (key == "position" || (a > 0 && b > 0));
            if (ok && key == "position") {
                bar.hasPosition = true;
                bar.x = a;
                bar.y = b;
            } else if (ok) {
                bar.hasSize = true;
                bar.width = a;
                bar.height = b;
            }
            bar.placementSerial += ok ? 1 : 0;
        } else if (key == "valueswidth") {
            bar.valuesFit = value == "fit";
            const int width = std::atoi(value.c_str());
            ok = bar.valuesFit || width > 0;
            bar.valuesWidth = bar.valuesFit || !ok ? 0 : width;
        } else if (key == "fontsize") {
            ok = value == "1" || value == "2" || value == "3";
            if (ok)
                bar.fontSize = value[0] - '0';
        } else if (key == "buttonalign") {
            ok = value == "left" || value == "center" || value == "right";
            if (ok)
                bar.buttonAlign = value == "left"     ? PanelBar::Align::Left
                                  : value == "center" ? PanelBar::Align::Center
                                                      : PanelBar::Align::Right;
        } else {
            ReportProblem(bar.name + ": unknown bar key '" + key + "'");
            continue;
        }
        if (!ok)
            ReportProblem(bar.name + ": bad value '" + value + "' for '" + key + "'");
    }
}

void Panels::ApplyItemDefinition(PanelBar& bar, PanelItem& item, const Definition& definition)
{
    const std::string where = bar.name + "/" + item.name;
    for (const DefinitionEntry& entry : definition.entries) {
        const std::string& key = entry.key;
        const std::string& value = entry.value;
        bool ok = true;
        if (key == "label") {
            item.label = value;
        } else if (key == "help") {
            item.help = value;
        } else if (key == "key" || key == "keyincr" || key == "keydecr") {
            Shortcut& shortcut = key == "key" ? item.key : key == "keyincr" ? item.keyIncr : item.keyDecr;
            ok = ParseShortcut(value, shortcut);
        } else if (key == "group") {
            MoveToGroup(bar, item, value);
        } else if (key == "enum") {
            std::vector<std::string> problems;
            std::vector<EnumValue> values = ParseEnumList(value, problems);
            ReportAll(where, problems);
            ok = m_EnumValues.count(item.type) > 0;
            if (ok)
                m_EnumValues[item.type] = std::move(values);
        } else if (key == "readonly") {
            item.readOnly = ParseBool(value, ok);
        } else {
            ReportProblem(where + ": unknown key '" + key + "'");
            continue;
        }
        if (!ok)
            ReportProblem(where + ": bad value '" + value + "' for '" + key + "'");
    }
}

void Panels::MoveToGroup(PanelBar& bar, PanelItem& item, const std::string& group)
{
    const std::string where = bar.name + "/" + item.name;
    if (group.empty() || group == item.name) {
        ReportProblem(where + ": bad group '" + group + "'");
        return;
    }
    PanelItem* target = bar.Find(group);
    if (target && target->kind != PanelItem::Kind::Group) {
        ReportProblem(where + ": '" + group + "' is not a group");
        return;
    }
    // A group may not end up inside itself.
    for (const PanelItem* up = target; up; up = bar.Find(up->parent)) {
        if (up == &item) {
            ReportProblem(where + ": group '" + group + "' lies inside it");
            return;
        }
    }
    if (!target) {
        auto created = std::make_unique<PanelItem>();
        created->id = m_NextItemId++;
        created->kind = PanelItem::Kind::Group;
        created->name = group;
        bar.items.push_back(std::move(created));
    }
    // Moved items go last among their new siblings.
    item.parent = group;
    const auto found =
        std::find_if(bar.items.begin(), bar.items.end(), [&item](const auto& p) { return p.get() == &item; });
    std::rotate(found, found + 1, bar.items.end());
}

TypeId Panels::DefineEnum(const std::string& name, const EnumValue* values, size_t count)
{
    auto found = m_EnumIds.find(name);
    const TypeId type =
        found != m_EnumIds.end() ? found->second : kFirstEnumType + static_cast<TypeId>(m_EnumIds.size());
    m_EnumIds[name] = type;
    m_EnumValues[type] = values ? std::vector<EnumValue>(values, values + count) : std::vector<EnumValue>();
    return type;
}

const std::vector<EnumValue>* Panels::GetEnumValues(TypeId type) const
{
    const auto found = m_EnumValues.find(type);
    return found == m_EnumValues.end() ? nullptr : &found->second;
}

} // namespace devgui
