// The file-dialog service: the scripted service's answers, the browser's listing and checks on a
// scratch folder, and the ImGui browser driven through its path field.
#include "platform/dialogs/FileBrowser.h"
#include "platform/dialogs/ImGuiFileDialogs.h"
#include "platform/dialogs/ScriptedFileDialogs.h"
#include "support/TestSupport.h"

#include "../imguitest/ImGuiHeadless.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

using dialogs::DirectoryEntry;
using dialogs::FileBrowser;
using dialogs::FileDialogAnswer;
using dialogs::FileDialogKind;
using dialogs::FileDialogRequest;

namespace {

FileDialogRequest LevelRequest(const std::string& dir)
{
    FileDialogRequest request;
    request.title = "Open Level XML File";
    request.filter = "*.xml";
    request.initialDirectory = dir;
    return request;
}

// A scratch folder holding levels/a.xml, levels/b.xml, levels/notes.txt, levels/old/ and other/.
class BrowserTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        testsupport::WriteFile(m_Dir.File("levels/b.xml"), "<b/>");
        testsupport::WriteFile(m_Dir.File("levels/a.xml"), "<a/>");
        testsupport::WriteFile(m_Dir.File("levels/notes.txt"), "x");
        testsupport::WriteFile(m_Dir.File("levels/old/c.xml"), "<c/>");
        std::filesystem::create_directories(m_Dir.File("other"));
        m_WorkingDir = std::filesystem::current_path().string();
    }
    void TearDown() override { EXPECT_EQ(m_WorkingDir, std::filesystem::current_path().string()); }

    std::string LevelsDir() const { return m_Dir.File("levels"); }

    testsupport::ScratchDir m_Dir;
    std::string m_WorkingDir;
};

std::vector<std::string> Names(const std::vector<DirectoryEntry>& entries)
{
    std::vector<std::string> names;
    for (const DirectoryEntry& e : entries)
        names.push_back(e.directory ? e.name + "/" : e.name);
    return names;
}

} // namespace

TEST(ScriptedFileDialogsTest, AnswersOpenSaveAndCancelInOrderOnTheNextUpdate)
{
    dialogs::ScriptedFileDialogs service;
    std::vector<FileDialogAnswer> answers;
    auto record = [&answers](const FileDialogAnswer& answer) { answers.push_back(answer); };

    service.QueueChoice("/levels/arena2.xml");
    service.QueueChoice("/levels/t1.xml");
    service.QueueCancel();

    ASSERT_TRUE(service.RequestOpen(LevelRequest("/levels"), record));
    EXPECT_FALSE(service.RequestSave(LevelRequest("/levels"), record)) << "one dialog at a time";
    EXPECT_TRUE(answers.empty()) << "answers arrive asynchronously";
    service.Update();
    ASSERT_EQ(1u, answers.size());
    EXPECT_TRUE(answers[0].chosen);
    EXPECT_EQ("/levels/arena2.xml", answers[0].path);
    EXPECT_FALSE(service.IsShowing());

    // A callback may ask for the next dialog.
    FileDialogRequest save = LevelRequest("/levels");
    save.title = "Save Level XML File";
    ASSERT_TRUE(service.RequestSave(save, [&](const FileDialogAnswer& answer) {
        record(answer);
        EXPECT_TRUE(service.RequestOpen(LevelRequest("/levels"), record));
    }));
    service.Update();
    service.Update();
    ASSERT_EQ(3u, answers.size());
    EXPECT_EQ("/levels/t1.xml", answers[1].path);
    EXPECT_FALSE(answers[2].chosen);

    ASSERT_EQ(3u, service.GetRequests().size()) << "a refused request is not recorded";
    EXPECT_EQ(FileDialogKind::Open, service.GetRequests()[0].kind);
    EXPECT_EQ(FileDialogKind::Save, service.GetRequests()[1].kind);
    EXPECT_EQ("Save Level XML File", service.GetRequests()[1].title);
    EXPECT_EQ("*.xml", service.GetRequests()[1].filter);
}

TEST(ScriptedFileDialogsTest, UndecidedDialogStaysAndDismissDropsItsCallback)
{
    dialogs::ScriptedFileDialogs service;
    int calls = 0;
    ASSERT_TRUE(service.RequestOpen(LevelRequest("/x"), [&calls](const FileDialogAnswer&) { ++calls; }));
    service.Update();
    EXPECT_TRUE(service.IsShowing());
    service.Dismiss();
    service.QueueCancel();
    service.Update();
    EXPECT_EQ(0, calls);
    EXPECT_FALSE(service.IsShowing());
}

// The answers a running program reads from a file: relative paths are taken from the working
// directory, malformed lines are named and skipped, and a missing file is refused.
TEST(ScriptedFileDialogsTest, AnswersFromAFile)
{
    testsupport::ScratchDir dir;
    testsupport::WorkingDirectory working;
    ASSERT_TRUE(working.Enter(dir.Path()));
    testsupport::WriteFile(dir.File("answers.txt"), "# save, then cancel the load\n"
                                                    "choose assets/levels/../levels/t1.xml\n"
                                                    "\n"
                                                    "  cancel  \r\n"
                                                    "pick nothing\n"
                                                    "choose\n"
                                                    "choose /abs/other.xml\n");
    dialogs::ScriptedFileDialogs service;
    std::string problems;
    ASSERT_TRUE(service.QueueAnswersFromFile(dir.File("answers.txt"), problems));
    EXPECT_EQ(problems, dir.File("answers.txt") + ":5: expected \"choose <path>\" or \"cancel\"\n" +
                            dir.File("answers.txt") + ":6: expected \"choose <path>\" or \"cancel\"\n");

    std::vector<FileDialogAnswer> answers;
    for (int i = 0; i < 4; ++i) {
        ASSERT_TRUE(service.RequestSave(LevelRequest("/levels"),
                                        [&answers](const FileDialogAnswer& answer) { answers.push_back(answer); }));
        service.Update();
    }
    ASSERT_EQ(answers.size(), 3u);
    EXPECT_TRUE(answers[0].chosen);
    EXPECT_EQ(std::filesystem::path(answers[0].path),
              std::filesystem::canonical(dir.Path()) / "assets" / "levels" / "t1.xml");
    EXPECT_FALSE(answers[1].chosen);
    EXPECT_EQ(answers[2].path, "/abs/other.xml");
    EXPECT_TRUE(service.IsShowing()) << "the fourth dialog waits for an answer";

    EXPECT_FALSE(service.QueueAnswersFromFile(dir.File("missing.txt"), problems));
}

TEST(FileDialogFilterTest, PatternsMatchNamesWithWildcards)
{
    struct Case {
        const char* name;
        const char* filter;
        bool match;
    };
    const Case cases[] = {
        {"arena2.xml", "*.xml", true},
        {"arena2.XML", "*.xml", false},
        {"arena2.xml.bak", "*.xml", false},
        {"notes.txt", "*.xml", false},
        {"notes.txt", "*.xml;*.txt", true},
        {"notes.txt", "*.xml; *.txt", true},
        {"noext", "*.*", true},
        {"noext", "", true},
        {"noext", "*", true},
        {"a1.md2", "a?.md2", true},
        {"ab1.md2", "a?.md2", false},
        {"level.xml", "l*l.xml", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.match, dialogs::MatchesFilter(c.name, c.filter)) << c.name << " " << c.filter;
}

TEST_F(BrowserTest, ListsFoldersThenFilteredFilesAndWalksFolders)
{
    FileBrowser browser;
    browser.Start(LevelRequest(LevelsDir()));
    EXPECT_EQ(LevelsDir(), browser.GetDirectory());
    EXPECT_EQ((std::vector<std::string>{"../", "old/", "a.xml", "b.xml"}), Names(browser.GetEntries()));

    browser.Select(1); // old/
    EXPECT_EQ(LevelsDir() + "/old", browser.GetDirectory());
    EXPECT_EQ((std::vector<std::string>{"../", "c.xml"}), Names(browser.GetEntries()));
    browser.Select(1);
    EXPECT_EQ("c.xml", browser.TypedPath());
    browser.Select(0); // ..
    EXPECT_EQ(LevelsDir(), browser.GetDirectory());

    // A typed folder is entered rather than chosen.
    browser.TypedPath() = "../other";
    EXPECT_EQ(FileBrowser::Outcome::Pending, browser.Confirm());
    EXPECT_EQ(m_Dir.File("other"), browser.GetDirectory());
    EXPECT_TRUE(browser.TypedPath().empty());

    browser.Start(LevelRequest(m_Dir.File("missing")));
    EXPECT_EQ(m_WorkingDir, browser.GetDirectory()) << "a missing folder starts in the working directory";
    EXPECT_NE(std::string::npos, browser.GetMessage().find("missing"));
}

TEST_F(BrowserTest, OpenNeedsAnExistingFile)
{
    FileBrowser browser;
    browser.Start(LevelRequest(LevelsDir()));
    EXPECT_EQ(FileBrowser::Outcome::Pending, browser.Confirm()) << "nothing typed";
    browser.TypedPath() = "zzz.xml";
    EXPECT_EQ(FileBrowser::Outcome::Pending, browser.Confirm());
    EXPECT_NE(std::string::npos, browser.GetMessage().find("zzz.xml"));

    browser.TypedPath() = "old/c.xml";
    ASSERT_EQ(FileBrowser::Outcome::Chosen, browser.Confirm());
    EXPECT_EQ(LevelsDir() + "/old/c.xml", browser.GetChosenPath());

    browser.Start(LevelRequest(LevelsDir()));
    browser.TypedPath() = m_Dir.File("levels/./a.xml");
    ASSERT_EQ(FileBrowser::Outcome::Chosen, browser.Confirm());
    EXPECT_EQ(LevelsDir() + "/a.xml", browser.GetChosenPath());

    browser.Start(LevelRequest(LevelsDir()));
    EXPECT_EQ(FileBrowser::Outcome::Cancelled, browser.Cancel());
    EXPECT_TRUE(browser.GetChosenPath().empty());
}

TEST_F(BrowserTest, SaveAsksBeforeReplacingAndNeedsAnExistingFolder)
{
    FileBrowser browser;
    FileDialogRequest request = LevelRequest(LevelsDir());
    request.kind = FileDialogKind::Save;
    browser.Start(request);

    browser.TypedPath() = "nowhere/t1.xml";
    EXPECT_EQ(FileBrowser::Outcome::Pending, browser.Confirm());
    EXPECT_NE(std::string::npos, browser.GetMessage().find("nowhere"));

    browser.TypedPath() = "a.xml";
    ASSERT_EQ(FileBrowser::Outcome::AskOverwrite, browser.Confirm());
    EXPECT_EQ(FileBrowser::Outcome::Pending, browser.AnswerOverwrite(false));
    EXPECT_TRUE(browser.GetChosenPath().empty());
    ASSERT_EQ(FileBrowser::Outcome::AskOverwrite, browser.Confirm());
    EXPECT_EQ(FileBrowser::Outcome::Chosen, browser.AnswerOverwrite(true));
    EXPECT_EQ(LevelsDir() + "/a.xml", browser.GetChosenPath());

    browser.Start(request);
    browser.TypedPath() = "t1.xml";
    EXPECT_EQ(FileBrowser::Outcome::Chosen, browser.Confirm()) << "a new file needs no question";
    EXPECT_EQ(LevelsDir() + "/t1.xml", browser.GetChosenPath());
    EXPECT_FALSE(testsupport::FileExists(LevelsDir() + "/t1.xml")) << "the dialog only names the file";
}

// The real browser, typed into through ImGui: the path field has the focus when the dialog
// opens, Enter confirms, and a save over an existing file waits for the replace question.
TEST_F(BrowserTest, ImGuiBrowserTakesATypedPathAndEnter)
{
    imguitest::HeadlessContext gui;
    dialogs::ImGuiFileDialogs service;
    std::vector<FileDialogAnswer> answers;
    auto draw = [&service] { service.Update(); };

    FileDialogRequest request = LevelRequest(LevelsDir());
    ASSERT_TRUE(service.RequestOpen(request, [&answers](const FileDialogAnswer& a) { answers.push_back(a); }));
    gui.Frame(draw);
    gui.Frame(draw); // the path field takes the focus asked for in the first frame
    gui.Type("b.xml");
    gui.Frame(draw);
    EXPECT_EQ("b.xml", service.GetBrowser().TypedPath());
    gui.PressKey(ImGuiKey_Enter, draw);
    ASSERT_EQ(1u, answers.size());
    EXPECT_TRUE(answers[0].chosen);
    EXPECT_EQ(LevelsDir() + "/b.xml", answers[0].path);
    EXPECT_FALSE(service.IsShowing());

    ASSERT_TRUE(service.RequestSave(request, [&answers](const FileDialogAnswer& a) { answers.push_back(a); }));
    gui.Frame(draw);
    gui.Frame(draw);
    gui.Type("a.xml");
    gui.Frame(draw);
    gui.PressKey(ImGuiKey_Enter, draw);
    EXPECT_EQ(FileBrowser::Outcome::AskOverwrite, service.GetBrowser().GetOutcome());
    EXPECT_EQ(1u, answers.size()) << "no answer before the replace question";
    service.GetBrowser().AnswerOverwrite(true);
    gui.Frame(draw);
    ASSERT_EQ(2u, answers.size());
    EXPECT_EQ(LevelsDir() + "/a.xml", answers[1].path);

    // Escape from the typed field is not a cancel; the Cancel outcome closes without a path.
    ASSERT_TRUE(service.RequestOpen(request, [&answers](const FileDialogAnswer& a) { answers.push_back(a); }));
    gui.Frame(draw);
    service.GetBrowser().Cancel();
    gui.Frame(draw);
    ASSERT_EQ(3u, answers.size());
    EXPECT_FALSE(answers[2].chosen);
}
