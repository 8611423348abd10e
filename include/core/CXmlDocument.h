// XML files of the engine: CXmlDocument owns one parsed TinyXML-2 document (load, atomic save,
// lookup and creation of elements by a "/"-separated path from the root element); CXmlElement is
// a cursor on one of its elements (attribute reading with defaults, writing, walking, removal).
// A null cursor is how every lookup reports "not found"; cursors own nothing.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

namespace tinyxml2 {
class XMLDocument;
class XMLElement;
} // namespace tinyxml2

namespace Vesk {

class CXmlElement {
public:
    CXmlElement() = default;
    explicit CXmlElement(tinyxml2::XMLElement* element) : m_pCurr(element) {}

    std::string GetName() const;
    // The element's own text (before its first child element); empty when it has none.
    std::string GetText() const;
    // Every attribute as (name, value), in document order.
    std::vector<std::pair<std::string, std::string>> GetAttributes() const;
    // The attribute's text, or null when the element has no such attribute.
    const char* GetAttribute(const std::string& name) const;
    // Present: scans the text as a decimal int into *value (text that does not scan leaves *value
    // as it was) and returns the text. Missing: *value = defaultValue and the result is null.
    const char* GetIntAttribute(const std::string& name, int* value, int defaultValue) const;
    // Present: the text as a number narrowed to float, 0 when it does not scan. Missing: the default.
    void GetFloatAttribute(const std::string& name, float* value, float defaultValue) const;
    void SetAttribute(const std::string& name, const std::string& value);
    // Printed with six significant digits in the shortest form ("%g"), whatever the C locale.
    void SetDoubleAttribute(const std::string& name, double value);

    CXmlElement FirstChildElement(const std::string& name) const;
    CXmlElement FirstChildElement() const;
    // Appends a new element as the last child and returns a cursor on it.
    CXmlElement AddChildElement(const std::string& name);
    // Moves to the next sibling element with that name (null when there is none).
    CXmlElement& NextSiblingElement(const std::string& name);
    // Move to the next sibling element of any name.
    CXmlElement& operator++();
    CXmlElement operator++(int);

    // Deletes the element and its subtree; the cursor moves to the parent element, or becomes null
    // when the element was the root.
    void Remove();

    bool operator!() const { return m_pCurr == nullptr; }
    // Comparison with NULL: write `cursor == nullptr` (or 0). Any non-zero integer is unequal.
    bool operator==(int value) const { return value == 0 && m_pCurr == nullptr; }
    bool operator!=(int value) const { return !(*this == value); }
    bool operator==(std::nullptr_t) const { return m_pCurr == nullptr; }
    // Two cursors on the same element.
    bool operator==(const CXmlElement& other) const { return m_pCurr == other.m_pCurr; }
    bool operator!=(std::nullptr_t) const { return m_pCurr != nullptr; }

private:
    tinyxml2::XMLElement* m_pCurr = nullptr;
};

class CXmlDocument {
public:
    CXmlDocument();
    ~CXmlDocument();
    CXmlDocument(const CXmlDocument&) = delete;
    CXmlDocument& operator=(const CXmlDocument&) = delete;

    // True when the file parses to its end and holds exactly one root element, beside which only
    // the declaration and comments stand (so that it saves into a file that loads again). On
    // failure the document is empty (no root), so earlier cursors into it must not be used.
    bool Load(const std::string& path);
    // Writes "<path>.tmp" and renames it over the path; false (with a log line) when anything
    // fails, including an existing target that cannot be written. The old file then stays.
    bool Save(const std::string& path) const;
    // Deletes every child node of the root element; the root and its attributes stay.
    void Clear();
    // Empties the whole document and gives it a new, empty root element.
    CXmlElement NewRoot(const std::string& name);

    // The root element, or a null cursor when the document has none.
    CXmlElement GetRoot() const;
    // "a/b/c" from the root; the first component may name the root itself. Only the first element
    // of each name is followed; an empty component matches nothing.
    CXmlElement FindElement(const std::string& path) const;
    // Appends an element under the parent path (the root when empty), creating every missing
    // level of that path first. Null cursor when there is no root or the path has an empty part.
    CXmlElement CreateElement(const std::string& name, const std::string& parentPath);

private:
    tinyxml2::XMLDocument* m_pXmlDoc;
};

} // namespace Vesk
