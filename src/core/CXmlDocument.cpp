#include "core/CXmlDocument.h"

#include "core/Assert.h"
#include "core/AtomicFile.h"
#include "core/Log.h"
#include "platform/win/RegularFile.h"

#include <tinyxml2.h>

#include <algorithm>
#include <charconv>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace Vesk {

namespace {

const char* SkipLeadingSpace(const char* text)
{
    while (*text == ' ' || *text == '\t' || *text == '\n' || *text == '\v' || *text == '\f' || *text == '\r')
        ++text;
    return text;
}

// Decimal int as "%d" scans it: leading blanks, a sign, digits, anything after ignored. Values
// beyond the int range are clamped.
bool ScanInt(const char* text, int* value)
{
    const char* begin = SkipLeadingSpace(text);
    char* end = nullptr;
    const long parsed = std::strtol(begin, &end, 10);
    if (end == begin)
        return false;
    if (parsed > INT_MAX)
        *value = INT_MAX;
    else if (parsed < INT_MIN)
        *value = INT_MIN;
    else
        *value = static_cast<int>(parsed);
    return true;
}

// A number as "%lf" scans it, independent of the C locale's decimal point. Values outside the
// float range do not scan.
bool ScanFloat(const char* text, float* value)
{
    const char* begin = SkipLeadingSpace(text);
    if (begin[0] == '+' && begin[1] != '-')
        ++begin;
    const auto result = std::from_chars(begin, begin + std::strlen(begin), *value, std::chars_format::general);
    return result.ec == std::errc() && result.ptr != begin;
}

// TinyXML-2 stops without an error at a closing tag at the top level and drops the rest of the
// text. An element appended on a line of its own after the text tells: the document was read to
// its end only when the parser made that element the document's last node, on that line.
const char* const kEndMark = "vesk.end-of-text";

// Appends the end mark to the text; the line it stands on, as the parser counts lines.
int AppendEndMark(std::string& text)
{
    const int line = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 2;
    text += "\n<";
    text += kEndMark;
    text += "/>";
    return line;
}

// Whether the parser reached the end mark, which is then taken out of the document.
bool TakeEndMark(tinyxml2::XMLDocument& document, int line)
{
    tinyxml2::XMLNode* last = document.LastChild();
    const tinyxml2::XMLElement* element = last ? last->ToElement() : nullptr;
    if (!element || std::strcmp(element->Name(), kEndMark) != 0 || element->GetLineNum() != line)
        return false;
    document.DeleteNode(last);
    return true;
}

// Only the declaration, comments and exactly one element may stand at the top level: a document
// with more than that would be saved as one that no longer loads.
bool HasSingleRoot(const tinyxml2::XMLDocument& document)
{
    int elements = 0;
    for (const tinyxml2::XMLNode* node = document.FirstChild(); node; node = node->NextSibling()) {
        if (node->ToElement())
            ++elements;
        else if (!node->ToComment() && !node->ToDeclaration())
            return false;
    }
    return elements == 1;
}

bool IsValidPath(const std::string& path)
{
    return !path.empty() && path.front() != '/' && path.back() != '/' && path.find("//") == std::string::npos;
}

// Follows the path from the root (see FindElement); with `create`, each missing level is appended.
tinyxml2::XMLElement* WalkPath(tinyxml2::XMLElement* root, const std::string& path, bool create)
{
    tinyxml2::XMLElement* element = root;
    std::string::size_type start = 0;
    for (bool first = true;; first = false) {
        const std::string::size_type slash = path.find('/', start);
        const std::string component = path.substr(start, slash == std::string::npos ? slash : slash - start);
        if (component.empty())
            return nullptr;
        if (!first || component != root->Name()) {
            tinyxml2::XMLElement* child = element->FirstChildElement(component.c_str());
            if (!child && create) {
                child = element->GetDocument()->NewElement(component.c_str());
                VESK_ASSERT(child, "pElement");
                element->InsertEndChild(child);
            }
            element = child;
            if (!element)
                return nullptr;
        }
        if (slash == std::string::npos)
            return element;
        start = slash + 1;
    }
}

} // namespace

// ---------------------------------------------------------------------------------------------
// CXmlElement

std::string CXmlElement::GetName() const
{
    VESK_ASSERT(m_pCurr, "m_pCurr");
    return m_pCurr->Name();
}

std::string CXmlElement::GetText() const
{
    const char* text = m_pCurr ? m_pCurr->GetText() : nullptr;
    return text ? text : "";
}

std::vector<std::pair<std::string, std::string>> CXmlElement::GetAttributes() const
{
    std::vector<std::pair<std::string, std::string>> attributes;
    if (m_pCurr)
        for (const tinyxml2::XMLAttribute* a = m_pCurr->FirstAttribute(); a; a = a->Next())
            attributes.emplace_back(a->Name(), a->Value());
    return attributes;
}

const char* CXmlElement::GetAttribute(const std::string& name) const
{
    VESK_ASSERT(m_pCurr, "m_pCurr");
    return m_pCurr->Attribute(name.c_str());
}

const char* CXmlElement::GetIntAttribute(const std::string& name, int* value, int defaultValue) const
{
    const char* text = GetAttribute(name);
    if (!text)
        *value = defaultValue;
    else
        ScanInt(text, value);
    return text;
}

void CXmlElement::GetFloatAttribute(const std::string& name, float* value, float defaultValue) const
{
    const char* text = GetAttribute(name);
    if (!text)
        *value = defaultValue;
    else if (!ScanFloat(text, value))
        *value = 0.0f;
}

void CXmlElement::SetAttribute(const std::string& name, const std::string& value)
{
    VESK_ASSERT(m_pCurr, "m_pCurr");
    m_pCurr->SetAttribute(name.c_str(), value.c_str());
}

void CXmlElement::SetDoubleAttribute(const std::string& name, double value)
{
    char text[32];
    const auto result = std::to_chars(text, text + sizeof(text) - 1, value, std::chars_format::general, 6);
    *result.ptr = '\0';
    SetAttribute(name, text);
}

CXmlElement CXmlElement::FirstChildElement(const std::string& name) const
{
    VESK_ASSERT(m_pCurr, "m_pCurr");
    return CXmlElement(m_pCurr->FirstChildElement(name.c_str()));
}

CXmlElement CXmlElement::FirstChildElement() const
{
    VESK_ASSERT(m_pCurr, "m_pCurr");
    return CXmlElement(m_pCurr->FirstChildElement());
}

CXmlElement CXmlElement::AddChildElement(const std::string& name)
{
    VESK_ASSERT(m_pCurr, "m_pCurr");
    tinyxml2::XMLElement* pElement = m_pCurr->GetDocument()->NewElement(name.c_str());
    VESK_ASSERT(pElement, "pElement");
    m_pCurr->InsertEndChild(pElement);
    return CXmlElement(pElement);
}

CXmlElement& CXmlElement::NextSiblingElement(const std::string& name)
{
    VESK_ASSERT(m_pCurr, "m_pCurr");
    m_pCurr = m_pCurr->NextSiblingElement(name.c_str());
    return *this;
}

CXmlElement& CXmlElement::operator++()
{
    VESK_ASSERT(m_pCurr, "m_pCurr");
    m_pCurr = m_pCurr->NextSiblingElement();
    return *this;
}

CXmlElement CXmlElement::operator++(int)
{
    CXmlElement old = *this;
    ++*this;
    return old;
}

void CXmlElement::Remove()
{
    VESK_ASSERT(m_pCurr, "m_pCurr");
    tinyxml2::XMLNode* parent = m_pCurr->Parent();
    parent->DeleteChild(m_pCurr);
    m_pCurr = parent->ToElement();
}

// ---------------------------------------------------------------------------------------------
// CXmlDocument

CXmlDocument::CXmlDocument() : m_pXmlDoc(new tinyxml2::XMLDocument) { VESK_ASSERT(m_pXmlDoc, "m_pXmlDoc"); }

CXmlDocument::~CXmlDocument() { delete m_pXmlDoc; }

bool CXmlDocument::Load(const std::string& path)
{
    std::string text, error;
    if (!win::ReadRegularFile(path, text, error)) {
        LogLine("CXmlDocument: cannot load \"" + path + "\": " + error);
        m_pXmlDoc->Clear();
        return false;
    }
    const int endMarkLine = AppendEndMark(text);
    if (m_pXmlDoc->Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS) {
        LogLine("CXmlDocument: cannot load \"" + path + "\": " + m_pXmlDoc->ErrorStr());
        m_pXmlDoc->Clear();
        return false;
    }
    const bool readToTheEnd = TakeEndMark(*m_pXmlDoc, endMarkLine);
    if (!m_pXmlDoc->FirstChildElement()) {
        LogLine("CXmlDocument: \"" + path + "\" has no root element");
        m_pXmlDoc->Clear();
        return false;
    }
    if (!readToTheEnd || !HasSingleRoot(*m_pXmlDoc)) {
        LogLine("CXmlDocument: \"" + path + "\" holds more than one root element, or text or a stray closing tag");
        m_pXmlDoc->Clear();
        return false;
    }
    return true;
}

bool CXmlDocument::Save(const std::string& path) const
{
    tinyxml2::XMLPrinter printer;
    m_pXmlDoc->Print(&printer);
    return WriteFileAtomically(path, std::string(printer.CStr(), printer.CStrSize() - 1), "CXmlDocument");
}

void CXmlDocument::Clear()
{
    tinyxml2::XMLElement* root = m_pXmlDoc->FirstChildElement();
    if (!root) {
        LogLine("CXmlDocument: nothing to clear, the document has no root element");
        return;
    }
    root->DeleteChildren();
}

CXmlElement CXmlDocument::NewRoot(const std::string& name)
{
    m_pXmlDoc->Clear();
    tinyxml2::XMLElement* pElement = m_pXmlDoc->NewElement(name.c_str());
    VESK_ASSERT(pElement, "pElement");
    m_pXmlDoc->InsertEndChild(pElement);
    return CXmlElement(pElement);
}

CXmlElement CXmlDocument::GetRoot() const { return CXmlElement(m_pXmlDoc->FirstChildElement()); }

CXmlElement CXmlDocument::FindElement(const std::string& path) const
{
    tinyxml2::XMLElement* root = m_pXmlDoc->FirstChildElement();
    return CXmlElement(root ? WalkPath(root, path, false) : nullptr);
}

CXmlElement CXmlDocument::CreateElement(const std::string& name, const std::string& parentPath)
{
    tinyxml2::XMLElement* root = m_pXmlDoc->FirstChildElement();
    if (!root) {
        LogLine("CXmlDocument: cannot create an element, the document has no root element");
        return CXmlElement();
    }
    if (!parentPath.empty() && !IsValidPath(parentPath)) {
        LogLine("CXmlDocument: cannot create an element under the bad parent path \"" + parentPath + "\"");
        return CXmlElement();
    }
    CXmlElement parent(parentPath.empty() ? root : WalkPath(root, parentPath, true));
    return parent.AddChildElement(name);
}

} // namespace Vesk
