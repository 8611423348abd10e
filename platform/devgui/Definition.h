// The definition strings of the tweak panels: "key=value" pairs where a value is a bare word or
// is quoted with ', " or `; a Define command names its target first ("GLOBAL", a bar, or
// "bar/item"). Also the enumeration lists of "enum" values and the true/false words. Parsing
// never fails outright: what cannot be read is reported and skipped.
#pragma once

#include <string>
#include <vector>

namespace devgui {

struct DefinitionEntry {
    std::string key;   // lower case
    std::string value; // without its quotes
};

struct Definition {
    std::vector<DefinitionEntry> entries;
    // What was odd about the text (an unclosed quote, a word without '='), for the caller's log.
    std::vector<std::string> problems;

    // The value of the last entry with the key, or null.
    const std::string* Find(const std::string& key) const;
};

struct DefineCommand {
    std::string target; // "GLOBAL", "BarName" or "BarName/ItemName"
    Definition definition;
};

struct EnumValue {
    int value = 0;
    std::string label;
};

Definition ParseDefinition(const std::string& text);
DefineCommand ParseDefine(const std::string& text);

// "0 {No Layers}, 1 {Terrain}, 5{Linker}": the text between the braces is the label, kept as
// written. Entries that cannot be read are reported and skipped.
std::vector<EnumValue> ParseEnumList(const std::string& text, std::vector<std::string>& problems);

// "true"/"1" and "false"/"0" (any case); false for anything else, with ok cleared.
bool ParseBool(const std::string& text, bool& ok);

// Two whole numbers separated by blanks ("250 300"); false when the text does not hold them.
bool ParseIntPair(const std::string& text, int& first, int& second);

} // namespace devgui
