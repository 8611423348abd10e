// The tweak panels' registry, shaped after AntTweakBar: bars holding variables (bound to client
// memory or to get/set callbacks), buttons, separators and nested groups; enumeration types; the
// definition strings that configure them; keyboard shortcuts; and the global help. Knows nothing
// of drawing, so it runs without a window. Client callbacks may add, remove or delete anything:
// the registry never holds on to an item across a call into client code.
#pragma once

#include "platform/devgui/Definition.h"
#include "platform/devgui/PanelTypes.h"
#include "platform/devgui/Shortcut.h"

#include <map>
#include <memory>
#include <string>
#include <vector>

namespace devgui {

struct PanelItem {
    enum class Kind { Variable, Button, Separator, Group };

    uint32_t id = 0;
    Kind kind = Kind::Variable;
    std::string name;
    std::string parent; // the enclosing group's name, "" at the bar's top level

    TypeId type = TYPE_UNDEF;
    void* pointer = nullptr; // read-write variables
    SetVarCallback set = nullptr;
    GetVarCallback get = nullptr;
    ButtonCallback button = nullptr;
    void* clientData = nullptr;

    std::string label, help;
    Shortcut key, keyIncr, keyDecr;
    bool readOnly = false;

    const std::string& Label() const { return label.empty() ? name : label; }
    // Variables without a setter, or defined read-only, only show their value.
    bool IsReadOnly() const { return readOnly || (!pointer && !set); }
};

struct PanelBar {
    enum class Align { Left, Center, Right };

    BarId id = kNoBar;
    std::string name, label, help;
    std::vector<std::unique_ptr<PanelItem>> items; // in display order within each group

    bool hasPosition = false, hasSize = false;
    int x = 0, y = 0, width = 0, height = 0;
    uint32_t placementSerial = 0; // grows with every position or size definition
    int valuesWidth = 0;          // pixels; 0 with valuesFit false: the drawing's default
    bool valuesFit = false;
    int fontSize = 2; // 1 small, 2 medium, 3 large
    Align buttonAlign = Align::Left;

    const std::string& Label() const { return label.empty() ? name : label; }
    PanelItem* Find(const std::string& itemName) const;
};

class Panels {
public:
    Panels();
    ~Panels();
    Panels(const Panels&) = delete;
    Panels& operator=(const Panels&) = delete;

    // kNoBar when the name is empty or taken.
    BarId NewBar(const std::string& name);
    bool DeleteBar(BarId bar);
    void DeleteAllBars();
    BarId FindBar(const std::string& name) const;
    const PanelBar* GetBar(BarId bar) const;
    // Bars in creation order.
    const std::vector<std::unique_ptr<PanelBar>>& GetBars() const { return m_Bars; }

    bool AddVarRW(BarId bar, const std::string& name, TypeId type, void* variable, const std::string& definition);
    bool AddVarCB(BarId bar, const std::string& name, TypeId type, SetVarCallback set, GetVarCallback get,
                  void* clientData, const std::string& definition);
    // A button without a callback is a line of text.
    bool AddButton(BarId bar, const std::string& name, ButtonCallback callback, void* clientData,
                   const std::string& definition);
    bool AddSeparator(BarId bar, const std::string& name, const std::string& definition);
    // Removes a variable, button, separator or group (with its contents); false when absent.
    bool RemoveVar(BarId bar, const std::string& name);

    // "GLOBAL help='...'", "Bar key=value ..." or "Bar/Item key=value ...".
    bool Define(const std::string& text);
    // The type of that name, created or given these values.
    TypeId DefineEnum(const std::string& name, const EnumValue* values, size_t count);
    // Null for a type that is not an enumeration.
    const std::vector<EnumValue>* GetEnumValues(TypeId type) const;
    const std::string& GetGlobalHelp() const { return m_GlobalHelp; }

    // How text edits reach client memory: TYPE_CDSTRING variables need the C-string function.
    void SetCopyCDStringToClient(CopyCDStringFunction copy) { m_CopyCDString = copy; }
    void SetCopyStdStringToClient(CopyStdStringFunction copy) { m_CopyStdString = copy; }
    // Copies source (null: the empty string) into the heap string *destination, allocating it
    // when null and growing it when too short. TYPE_CDSTRING getters copy their text with it.
    static void CopyCDStringToLibrary(char** destination, const char* source);

    // The variable's current value (through its getter when it has one).
    bool ReadValue(const PanelItem& item, Value& out) const;
    // Writes a variable (refused when read-only) or presses a button, found by ids or names.
    bool WriteValue(BarId bar, uint32_t itemId, const Value& value);
    bool Press(BarId bar, uint32_t itemId);
    bool GetValue(const std::string& bar, const std::string& item, Value& out) const;
    bool SetValue(const std::string& bar, const std::string& item, const Value& value);
    bool Press(const std::string& bar, const std::string& item);

    // Key messages (modifier keys are followed either way). With allowShortcuts, a key-down that
    // matches a shortcut runs it (button press, boolean toggle, next or previous enumeration
    // value, number step) and answers true.
    bool KeyDown(uint32_t vk, bool allowShortcuts);
    void KeyUp(uint32_t vk);

    // Deletes every bar and enumeration type and forgets the global help.
    void Clear();

private:
    PanelBar* MutableBar(BarId bar) const;
    PanelItem* Insert(BarId bar, std::unique_ptr<PanelItem> item, const std::string& definition);
    void ApplyBarDefinition(PanelBar& bar, const Definition& definition);
    void ApplyItemDefinition(PanelBar& bar, PanelItem& item, const Definition& definition);
    void MoveToGroup(PanelBar& bar, PanelItem& item, const std::string& group);
    bool Step(BarId bar, uint32_t itemId, int direction);
    PanelItem* FindItem(BarId bar, uint32_t itemId) const;

    std::vector<std::unique_ptr<PanelBar>> m_Bars;
    BarId m_NextBarId = 1;
    uint32_t m_NextItemId = 1;
    std::map<std::string, TypeId> m_EnumIds;
    std::map<TypeId, std::vector<EnumValue>> m_EnumValues;
    std::string m_GlobalHelp;
    CopyCDStringFunction m_CopyCDString = nullptr;
    CopyStdStringFunction m_CopyStdString = nullptr;
    ModifierState m_Modifiers;
};

// Reports a problem with a definition or a call on standard error ("DevGUI: ...").
void ReportProblem(const std::string& text);

} // namespace devgui
