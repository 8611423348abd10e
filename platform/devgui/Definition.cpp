#include "platform/devgui/Definition.h"

#include <cctype>
#include <cstdlib>
#include <sstream>

namespace devgui {

namespace {

bool IsBlank(char c) { return std::isspace(static_cast<unsigned char>(c)) != 0; }

bool IsQuote(char c) { return c == '\'' || c == '"' || c == '`'; }

std::string Lower(std::string text)
{
    for (char& c : text)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

void SkipBlanks(const std::string& text, size_t& at)
{
    while (at < text.size() && IsBlank(text[at]))
        ++at;
}

// A quoted value runs to its closing quote, or to the end of the text when there is none.
std::string ReadValue(const std::string& text, size_t& at, std::vector<std::string>& problems, const std::string& key)
{
    if (at < text.size() && IsQuote(text[at])) {
        const char quote = text[at++];
        const size_t close = text.find(quote, at);
        if (close == std::string::npos) {
            problems.push_back("no closing quote for '" + key + "'");
            std::string value = text.substr(at);
            at = text.size();
            return value;
        }
        std::string value = text.substr(at, close - at);
        at = close + 1;
        return value;
    }
    const size_t begin = at;
    while (at < text.size() && !IsBlank(text[at]))
        ++at;
    return text.substr(begin, at - begin);
}

} // namespace

const std::string* Definition::Find(const std::string& key) const
{
    for (auto entry = entries.rbegin(); entry != entries.rend(); ++entry)
        if (entry->key == key)
            return &entry->value;
    return nullptr;
}

Definition ParseDefinition(const std::string& text)
{
    Definition definition;
    size_t at = 0;
    SkipBlanks(text, at);
    while (at < text.size()) {
        const size_t keyBegin = at;
        while (at < text.size() && !IsBlank(text[at]) && text[at] != '=')
            ++at;
        const std::string key = Lower(text.substr(keyBegin, at - keyBegin));
        SkipBlanks(text, at);
        if (at >= text.size() || text[at] != '=') {
            definition.problems.push_back("'" + key + "' has no value");
            SkipBlanks(text, at);
            continue;
        }
        ++at; // '='
        SkipBlanks(text, at);
        if (key.empty()) {
            definition.problems.push_back("a value without a key");
            ReadValue(text, at, definition.problems, key);
        } else {
            definition.entries.push_back({key, ReadValue(text, at, definition.problems, key)});
        }
        SkipBlanks(text, at);
    }
    return definition;
}

DefineCommand ParseDefine(const std::string& text)
{
    DefineCommand command;
    size_t at = 0;
    SkipBlanks(text, at);
    const size_t begin = at;
    while (at < text.size() && !IsBlank(text[at]))
        ++at;
    command.target = text.substr(begin, at - begin);
    command.definition = ParseDefinition(text.substr(at));
    return command;
}

std::vector<EnumValue> ParseEnumList(const std::string& text, std::vector<std::string>& problems)
{
    std::vector<EnumValue> values;
    size_t at = 0;
    while (at < text.size()) {
        SkipBlanks(text, at);
        if (at >= text.size())
            break;
        const size_t open = text.find('{', at);
        const size_t close = open == std::string::npos ? std::string::npos : text.find('}', open);
        if (close == std::string::npos) {
            problems.push_back("enumeration entry without {label}: \"" + text.substr(at) + "\"");
            break;
        }
        const std::string number = text.substr(at, open - at);
        char* end = nullptr;
        const long value = std::strtol(number.c_str(), &end, 10);
        bool numberOk = end != number.c_str();
        for (; numberOk && *end; ++end)
            numberOk = IsBlank(*end);
        if (numberOk)
            values.push_back({static_cast<int>(value), text.substr(open + 1, close - open - 1)});
        else
            problems.push_back("enumeration entry without a number: \"" + text.substr(at, close + 1 - at) + "\"");
        at = close + 1;
        SkipBlanks(text, at);
        if (at < text.size() && text[at] == ',')
            ++at;
    }
    return values;
}

bool ParseBool(const std::string& text, bool& ok)
{
    const std::string word = Lower(text);
    ok = true;
    if (word == "true" || word == "1")
        return true;
    if (word != "false" && word != "0")
        ok = false;
    return false;
}

bool ParseIntPair(const std::string& text, int& first, int& second)
{
    std::istringstream in(text);
    int a = 0, b = 0;
    std::string rest;
    if (!(in >> a >> b) || (in >> rest))
        return false;
    first = a;
    second = b;
    return true;
}

} // namespace devgui
