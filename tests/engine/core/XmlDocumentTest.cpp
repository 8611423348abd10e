#include "core/CXmlDocument.h"

#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

using testsupport::ScratchDir;
using Vesk::CXmlDocument;
using Vesk::CXmlElement;

namespace {

const char* const kLevel = R"(<?xml version="1.0"?>
<!-- a level -->
<Level name="arena" version="3">
    <settings><camera id="cam"/></settings>
    <entity id="first" hp="12" bad="abc" speed="2.5" spaced=" 7x" neg="-3" plus="+4"/>
    <entity id="second"/>
    <group id="group"><entity id="deep"/></group>
</Level>
)";

class XmlDocumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::WriteFile(m_Path, kLevel);
        ASSERT_TRUE(m_Doc.Load(m_Path));
    }

    // The "id" attribute of the element, or "<null>" for a null cursor.
    static std::string Id(const CXmlElement& element)
    {
        if (!element)
            return "<null>";
        const char* id = element.GetAttribute("id");
        return id ? id : element.GetName();
    }

    static std::vector<std::string> ChildNames(const CXmlElement& parent)
    {
        std::vector<std::string> names;
        for (CXmlElement child = parent.FirstChildElement(); child != nullptr; ++child)
            names.push_back(child.GetName());
        return names;
    }

    static std::string Repeat(const std::string& text, int count)
    {
        std::string result;
        for (int i = 0; i < count; ++i)
            result += text;
        return result;
    }

    ScratchDir m_Dir;
    std::string m_Path = m_Dir.File("level.xml");
    CXmlDocument m_Doc;
};

TEST_F(XmlDocumentTest, FindElementFollowsPathsFromTheRoot)
{
    const struct {
        const char* path;
        const char* expected;
    } cases[] = {
        {"Level/entity", "first"},
        {"entity", "first"},
        {"Level", "Level"},
        {"settings/camera", "cam"},
        {"Level/settings/camera", "cam"},
        {"group/entity", "deep"},
        {"Level/missing/camera", "<null>"},
        {"missing/camera", "<null>"},
        {"settings/missing", "<null>"},
        {"entity/", "<null>"},
        {"settings//camera", "<null>"},
        {"/entity", "<null>"},
        {"", "<null>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Id(m_Doc.FindElement(c.path)), c.expected) << "path \"" << c.path << "\"";
}

TEST_F(XmlDocumentTest, DocumentWithoutRootFindsNothing)
{
    CXmlDocument empty;
    EXPECT_TRUE(!empty.GetRoot());
    EXPECT_TRUE(!empty.FindElement("Level"));
    EXPECT_TRUE(!empty.FindElement("entity"));
}

TEST_F(XmlDocumentTest, AttributeReadersScanTextOrFallBack)
{
    const struct {
        const char* name;
        bool present;
        int intValue; // starting value -7 stays when the text does not scan as an int
        float floatValue;
    } cases[] = {
        {"hp", true, 12, 12.0f},  {"bad", true, -7, 0.0f}, {"speed", true, 2, 2.5f},     {"spaced", true, 7, 7.0f},
        {"neg", true, -3, -3.0f}, {"plus", true, 4, 4.0f}, {"missing", false, 99, 1.5f}, // the defaults
    };
    const CXmlElement entity = m_Doc.FindElement("entity");
    for (const auto& c : cases) {
        int intValue = -7;
        const char* text = entity.GetIntAttribute(c.name, &intValue, 99);
        EXPECT_EQ(text != nullptr, c.present) << c.name;
        EXPECT_EQ(entity.GetAttribute(c.name) != nullptr, c.present) << c.name;
        EXPECT_EQ(intValue, c.intValue) << c.name;

        float floatValue = -7.0f;
        entity.GetFloatAttribute(c.name, &floatValue, 1.5f);
        EXPECT_FLOAT_EQ(floatValue, c.floatValue) << c.name;
    }
}

TEST_F(XmlDocumentTest, DoubleAttributesKeepSixSignificantDigits)
{
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {1.2345678, "1.23457"},     {3.0, "3"},         {-2.5, "-2.5"},     {100000.0, "100000"},
        {1234567.0, "1.23457e+06"}, {0.0001, "0.0001"}, {0.00001, "1e-05"}, {0.1f, "0.1"},
    };
    CXmlElement entity = m_Doc.FindElement("entity");
    for (const auto& c : cases) {
        entity.SetDoubleAttribute("v", c.value);
        EXPECT_STREQ(entity.GetAttribute("v"), c.text);
        char printed[32];
        std::snprintf(printed, sizeof(printed), "%g", c.value);
        EXPECT_STREQ(entity.GetAttribute("v"), printed);
        float back = 0.0f;
        entity.GetFloatAttribute("v", &back, 0.0f);
        EXPECT_NEAR(back, c.value, std::abs(c.value) * 1e-5) << c.text;
    }
}

TEST_F(XmlDocumentTest, WalkingSiblingsAndChildren)
{
    std::vector<std::string> entities;
    for (CXmlElement e = m_Doc.FindElement("entity"); e != nullptr; e.NextSiblingElement("entity"))
        entities.push_back(Id(e));
    EXPECT_EQ(entities, (std::vector<std::string>{"first", "second"}));

    EXPECT_EQ(ChildNames(m_Doc.GetRoot()), (std::vector<std::string>{"settings", "entity", "entity", "group"}));

    CXmlElement cursor = m_Doc.FindElement("settings");
    const CXmlElement old = cursor++;
    EXPECT_EQ(old.GetName(), "settings");
    EXPECT_EQ(Id(cursor), "first");
    EXPECT_EQ(Id(++cursor), "second");
}

TEST_F(XmlDocumentTest, ComparisonWithNullIntegers)
{
    const CXmlElement null;
    const CXmlElement root = m_Doc.GetRoot();
    EXPECT_TRUE(null == 0);
    EXPECT_FALSE(null != 0);
    EXPECT_FALSE(null == 1);
    EXPECT_TRUE(null != 1);
    EXPECT_TRUE(!null);
    EXPECT_FALSE(root == 0);
    EXPECT_TRUE(root != 0);
    EXPECT_FALSE(root == 1);
    EXPECT_FALSE(!root);
}

TEST_F(XmlDocumentTest, CreateElementMakesEveryMissingParentLevel)
{
    const struct {
        const char* parent;
        const char* lookup; // where the new element must be found
        std::vector<std::string> rootChildren;
    } cases[] = {
        {"", "Level/made", {"settings", "entity", "entity", "group", "made"}},
        {"settings", "settings/made", {"settings", "entity", "entity", "group"}},
        {"Level/settings", "settings/made", {"settings", "entity", "entity", "group"}},
        {"fresh", "fresh/made", {"settings", "entity", "entity", "group", "fresh"}},
        {"a/b/c", "a/b/c/made", {"settings", "entity", "entity", "group", "a"}},
        {"settings/x/y", "settings/x/y/made", {"settings", "entity", "entity", "group"}},
        {"Level", "Level/made", {"settings", "entity", "entity", "group", "made"}},
    };
    for (const auto& c : cases) {
        CXmlDocument doc;
        ASSERT_TRUE(doc.Load(m_Path));
        const CXmlElement made = doc.CreateElement("made", c.parent);
        ASSERT_FALSE(!made) << c.parent;
        EXPECT_EQ(made.GetName(), "made");
        EXPECT_TRUE(doc.FindElement(c.lookup) == made) << c.parent;
        EXPECT_EQ(ChildNames(doc.GetRoot()), c.rootChildren) << c.parent;
    }

    // Creating a second element under a created path reuses it.
    CXmlDocument doc;
    ASSERT_TRUE(doc.Load(m_Path));
    doc.CreateElement("one", "a/b");
    doc.CreateElement("two", "a/b");
    EXPECT_EQ(ChildNames(doc.FindElement("a/b")), (std::vector<std::string>{"one", "two"}));
    EXPECT_EQ(ChildNames(doc.FindElement("a")), (std::vector<std::string>{"b"}));
}

TEST_F(XmlDocumentTest, CreateElementAndClearRefuseWhatTheyCannotDo)
{
    for (const char* parent : {"a//b", "a/", "/a"}) {
        EXPECT_TRUE(!m_Doc.CreateElement("made", parent)) << parent;
        EXPECT_EQ(ChildNames(m_Doc.GetRoot()), (std::vector<std::string>{"settings", "entity", "entity", "group"}));
    }

    CXmlDocument empty;
    EXPECT_TRUE(!empty.CreateElement("made", ""));
    EXPECT_TRUE(!empty.CreateElement("made", "a"));
    empty.Clear();
    EXPECT_TRUE(!empty.GetRoot());
}

TEST_F(XmlDocumentTest, RemoveMovesToTheParentOrToNull)
{
    CXmlElement second = m_Doc.FindElement("entity").NextSiblingElement("entity");
    second.Remove();
    EXPECT_EQ(second.GetName(), "Level");
    EXPECT_EQ(ChildNames(m_Doc.GetRoot()), (std::vector<std::string>{"settings", "entity", "group"}));

    CXmlElement deep = m_Doc.FindElement("group/entity");
    deep.Remove();
    EXPECT_EQ(Id(deep), "group");
    EXPECT_TRUE(!m_Doc.FindElement("group/entity"));

    CXmlElement root = m_Doc.GetRoot();
    root.Remove();
    EXPECT_TRUE(!root);
    EXPECT_TRUE(!m_Doc.GetRoot());
    EXPECT_TRUE(!m_Doc.FindElement("entity"));
    EXPECT_TRUE(!m_Doc.CreateElement("made", ""));
}

TEST_F(XmlDocumentTest, ClearKeepsTheRootAndItsAttributes)
{
    m_Doc.Clear();
    const CXmlElement root = m_Doc.GetRoot();
    ASSERT_FALSE(!root);
    EXPECT_EQ(root.GetName(), "Level");
    EXPECT_STREQ(root.GetAttribute("name"), "arena");
    EXPECT_STREQ(root.GetAttribute("version"), "3");
    EXPECT_TRUE(!root.FirstChildElement());
    EXPECT_TRUE(!m_Doc.FindElement("entity"));
}

TEST_F(XmlDocumentTest, FailedLoadLeavesNoRoot)
{
    const std::string missing = m_Dir.File("missing.xml");
    const std::string directory = m_Dir.File("folder.xml");
    std::filesystem::create_directory(directory);
    const struct {
        const char* what;
        std::string contents; // empty: the path is not written
        std::string path;
    } cases[] = {
        {"missing", "", missing},
        {"directory", "", directory},
        {"unbalanced", "<Level><entity></Level>", m_Dir.File("bad1.xml")},
        {"truncated", "<Level><entity id=\"a", m_Dir.File("bad2.xml")},
        {"empty", " \n", m_Dir.File("bad3.xml")},
        {"no element", "<?xml version=\"1.0\"?><!-- nothing -->", m_Dir.File("bad4.xml")},
        {"nested too deep", Repeat("<a>", 5000) + Repeat("</a>", 5000), m_Dir.File("bad5.xml")},
        {"device", "", "/dev/zero"},
        {"second root", "<Level/><Other/>", m_Dir.File("bad6.xml")},
        {"stray closing tag", "<Level></Level></Stray><entity/>", m_Dir.File("bad7.xml")},
        {"stray closing tag first", "</Stray><Level/>", m_Dir.File("bad8.xml")},
        {"stray closing tag after a '>' in an instruction", "<?x ><b?><Level/></z><entity/>", m_Dir.File("bad11.xml")},
        {"nul byte before a second root", std::string("<Level/>\0<entity/>", 17), m_Dir.File("bad12.xml")},
        {"text after the root", "<Level/>\ntrailing words", m_Dir.File("bad9.xml")},
        {"document type", "<!DOCTYPE Level><Level/>", m_Dir.File("bad10.xml")},
    };
    for (const auto& c : cases) {
        if (!c.contents.empty())
            testsupport::WriteFile(c.path, c.contents);
        CXmlDocument doc;
        ASSERT_TRUE(doc.Load(m_Path));
        EXPECT_FALSE(doc.Load(c.path)) << c.what;
        EXPECT_TRUE(!doc.GetRoot()) << c.what;
        EXPECT_TRUE(!doc.FindElement("entity")) << c.what;
        EXPECT_TRUE(!doc.CreateElement("made", "")) << c.what;
    }
}

// What may stand beside the one root element, and markup that only looks like a closing tag.
TEST_F(XmlDocumentTest, OneRootWithDeclarationAndCommentsLoadsAndSavesLoadably)
{
    const char* documents[] = {
        "<?xml version=\"1.0\"?>\n<!-- head --><Level a=\"x>y\" b='</no>'><e/><!-- </no> --></Level>\n<!-- tail -->",
        "<Level><![CDATA[</no>]]><e/></Level>",
        "<Level\n><e\n/></Level>",
        "<?x a=\"></b>\"?><Level><e/></Level>",
    };
    const std::string path = m_Dir.File("good.xml");
    for (const char* text : documents) {
        testsupport::WriteFile(path, text);
        CXmlDocument doc;
        ASSERT_TRUE(doc.Load(path)) << text;
        EXPECT_FALSE(!doc.FindElement("e")) << text;
        ASSERT_TRUE(doc.Save(path)) << text;
        EXPECT_TRUE(CXmlDocument().Load(path)) << "the saved copy loads: " << text;
    }
}

TEST_F(XmlDocumentTest, SaveWritesAtomicallyAndReadsBack)
{
    CXmlElement entity = m_Doc.FindElement("entity");
    entity.SetAttribute("hp", "30");
    entity.SetDoubleAttribute("speed", 0.125);
    m_Doc.CreateElement("made", "group").SetAttribute("note", "a < b & \"c\"");

    const std::string saved = m_Dir.File("saved.xml");
    ASSERT_TRUE(m_Doc.Save(saved));
    EXPECT_FALSE(testsupport::FileExists(saved + ".tmp"));

    CXmlDocument back;
    ASSERT_TRUE(back.Load(saved));
    int hp = 0;
    back.FindElement("entity").GetIntAttribute("hp", &hp, 0);
    EXPECT_EQ(hp, 30);
    EXPECT_STREQ(back.FindElement("entity").GetAttribute("speed"), "0.125");
    EXPECT_STREQ(back.FindElement("group/made").GetAttribute("note"), "a < b & \"c\"");
    EXPECT_STREQ(back.GetRoot().GetAttribute("name"), "arena");

    // Overwriting an existing file replaces it.
    back.Clear();
    ASSERT_TRUE(back.Save(saved));
    CXmlDocument cleared;
    ASSERT_TRUE(cleared.Load(saved));
    EXPECT_TRUE(!cleared.GetRoot().FirstChildElement());
}

TEST_F(XmlDocumentTest, SaveToAnUnwritablePathFails)
{
    const std::string directory = m_Dir.File("folder");
    std::filesystem::create_directory(directory);
    for (const std::string& path : {m_Dir.File("no/such/dir/out.xml"), directory}) {
        EXPECT_FALSE(m_Doc.Save(path)) << path;
        EXPECT_FALSE(testsupport::FileExists(path + ".tmp")) << path;
    }
    EXPECT_TRUE(std::filesystem::is_directory(directory));
}

TEST_F(XmlDocumentTest, SaveLeavesAReadOnlyFileAlone)
{
    const std::string readOnly = m_Dir.File("readonly.xml");
    testsupport::WriteFile(readOnly, "<Old/>");
    std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
    if (std::FILE* probe = std::fopen(readOnly.c_str(), "r+")) {
        std::fclose(probe);
        GTEST_SKIP() << "running with the privilege to write read-only files";
    }
    EXPECT_FALSE(m_Doc.Save(readOnly));
    EXPECT_EQ(testsupport::ReadFile(readOnly), "<Old/>");
}

TEST(XmlDocumentDeathTest, CursorOperationsOnANullCursorAssert)
{
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    CXmlElement null;
    EXPECT_DEATH(null.GetName(), "m_pCurr");
    EXPECT_DEATH(null.GetAttribute("a"), "m_pCurr");
    EXPECT_DEATH(null.SetAttribute("a", "b"), "m_pCurr");
    EXPECT_DEATH(null.FirstChildElement(), "m_pCurr");
    EXPECT_DEATH(null.AddChildElement("a"), "m_pCurr");
    EXPECT_DEATH(++null, "m_pCurr");
    EXPECT_DEATH(null.Remove(), "m_pCurr");
}

} // namespace
