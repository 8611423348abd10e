#include "core/COptionSetting.h"

#include "core/CXmlDocument.h"
#include "support/TestSupport.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

using Vesk::COptionSetting;
using Vesk::CXmlDocument;
using Vesk::CXmlElement;

namespace {

using Entries = std::vector<std::pair<std::string, std::string>>;

class OptionSettingTest : public ::testing::Test {
protected:
    void TearDown() override
    {
        // Leave the singleton unloaded and on its usual file, as a fresh start finds it.
        Options().SetPath(m_Dir.File("none.xml"));
        Options().Init();
        Options().SetPath(COptionSetting::kDefaultPath);
    }

    static COptionSetting& Options() { return COptionSetting::GetInstance(); }

    bool InitWith(const std::string& contents)
    {
        testsupport::WriteFile(m_Path, contents);
        Options().SetPath(m_Path);
        return Options().Init();
    }

    // The saved file's root name and its (key, val) children in document order.
    static std::pair<std::string, Entries> ReadSaved(const std::string& path)
    {
        CXmlDocument doc;
        if (!doc.Load(path))
            return {"<unreadable>", {}};
        Entries entries;
        for (CXmlElement e = doc.GetRoot().FirstChildElement(); e != nullptr; ++e) {
            const char* value = e.GetAttribute("val");
            entries.emplace_back(e.GetName(), value ? value : "<none>");
        }
        return {doc.GetRoot().GetName(), entries};
    }

    testsupport::ScratchDir m_Dir;
    std::string m_Path = m_Dir.File("systemconfig.xml");
};

TEST_F(OptionSettingTest, SaveWritesEachKeyOnceSortedAndFirstDuplicateWins)
{
    ASSERT_TRUE(InitWith(R"(<?xml version="1.0"?>
<Options>
    <scrn_width val="1024"/>
    <mute val="1"/>
    <bgm_vol val="0.5"/>
    <mute val="0"/>
    <fullscreen val="0"/>
</Options>)"));
    EXPECT_EQ(Options().GetValue("mute"), "1");
    EXPECT_EQ(Options().GetValue("scrn_width"), "1024");

    ASSERT_TRUE(Options().Save());
    const auto [root, entries] = ReadSaved(m_Path);
    EXPECT_EQ(root, "Options");
    EXPECT_EQ(entries, (Entries{{"bgm_vol", "0.5"}, {"fullscreen", "0"}, {"mute", "1"}, {"scrn_width", "1024"}}));
    EXPECT_FALSE(testsupport::FileExists(m_Path + ".tmp"));
}

TEST_F(OptionSettingTest, SetValueChangesOnlyKnownKeysToNonEmptyValues)
{
    const struct {
        const char* key;
        const char* value;
        bool accepted;
        Entries saved;
    } cases[] = {
        {"mute", "0", true, {{"fullscreen", "1"}, {"mute", "0"}}},
        {"fullscreen", "2", true, {{"fullscreen", "2"}, {"mute", "1"}}},
        {"mute", "", false, {{"fullscreen", "1"}, {"mute", "1"}}},
        {"", "1", false, {{"fullscreen", "1"}, {"mute", "1"}}},
        {"levelfile", "arena2.xml", false, {{"fullscreen", "1"}, {"mute", "1"}}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(InitWith(R"(<Options><mute val="1"/><fullscreen val="1"/></Options>)"));
        EXPECT_EQ(Options().SetValue(c.key, c.value), c.accepted) << c.key << "=" << c.value;
        ASSERT_TRUE(Options().Save());
        EXPECT_EQ(ReadSaved(m_Path).second, c.saved) << c.key << "=" << c.value;
        EXPECT_EQ(Options().GetValue("levelfile"), "");
    }
}

TEST_F(OptionSettingTest, MissingOrBrokenFileGivesEmptyValuesAndWritesNothing)
{
    for (const char* contents : {static_cast<const char*>(nullptr), "<Options><mute val=\"1\"></Options>", ""}) {
        std::filesystem::remove(m_Path);
        Options().SetPath(m_Path);
        if (contents)
            testsupport::WriteFile(m_Path, contents);
        const std::string before = contents ? contents : "";

        EXPECT_FALSE(Options().Init());
        EXPECT_EQ(Options().GetValue("mute"), "");
        EXPECT_FALSE(Options().SetValue("mute", "0"));
        EXPECT_FALSE(Options().Save());
        EXPECT_EQ(testsupport::FileExists(m_Path), contents != nullptr);
        EXPECT_EQ(testsupport::ReadFile(m_Path), before);
        EXPECT_FALSE(testsupport::FileExists(m_Path + ".tmp"));
    }
}

TEST_F(OptionSettingTest, OddShapesAreReadSafelyAndSavedInTheProperShape)
{
    const struct {
        const char* what;
        const char* contents;
        const char* muteValue;
        Entries saved;
    } cases[] = {
        {"missing val", R"(<Options><mute/><fullscreen val="1"/></Options>)", "", {{"fullscreen", "1"}, {"mute", ""}}},
        {"Options below another root",
         R"(<Config><Options><mute val="1"/></Options><other/></Config>)",
         "1",
         {{"mute", "1"}}},
        {"no Options element", R"(<Config><mute val="1"/></Config>)", "", {}},
    };
    for (const auto& c : cases) {
        ASSERT_TRUE(InitWith(c.contents)) << c.what;
        EXPECT_EQ(Options().GetValue("mute"), c.muteValue) << c.what;
        ASSERT_TRUE(Options().Save()) << c.what;
        const auto [root, entries] = ReadSaved(m_Path);
        EXPECT_EQ(root, "Options") << c.what;
        EXPECT_EQ(entries, c.saved) << c.what;

        // What was saved reads back the same.
        ASSERT_TRUE(Options().Init()) << c.what;
        EXPECT_EQ(Options().GetValue("mute"), c.muteValue) << c.what;
    }
}

TEST_F(OptionSettingTest, SaveReportsAFailedWrite)
{
    // The file became a directory after loading: nothing can replace it.
    ASSERT_TRUE(InitWith(R"(<Options><mute val="1"/></Options>)"));
    ASSERT_TRUE(Options().SetValue("mute", "0"));
    std::filesystem::remove(m_Path);
    std::filesystem::create_directory(m_Path);
    EXPECT_FALSE(Options().Save());
    EXPECT_TRUE(std::filesystem::is_directory(m_Path));
}

TEST_F(OptionSettingTest, SaveReportsAReadOnlyFile)
{
    const std::string original = R"(<Options><mute val="1"/></Options>)";
    ASSERT_TRUE(InitWith(original));
    ASSERT_TRUE(Options().SetValue("mute", "0"));
    std::filesystem::permissions(m_Path, std::filesystem::perms::owner_read);
    if (std::FILE* probe = std::fopen(m_Path.c_str(), "r+")) {
        std::fclose(probe);
        GTEST_SKIP() << "running with the privilege to write read-only files";
    }
    EXPECT_FALSE(Options().Save());
    EXPECT_EQ(testsupport::ReadFile(m_Path), original);
}

} // namespace
