#include "game/states/CHighScoreState.h"

#include "game/gui/CHighscoreRecord.h"
#include "game/gui/CSpriteText.h"

namespace Game {

namespace {

struct Page {
    const char* level;
    const char* title;
};

constexpr Page kPages[CHighScoreState::kPageCount] = {
    {"arena2", "PIXELED PITFIGHT"},
    {"emeraldroom", "JADE JAMBOREE"},
    {"purpleroom", "HERETIC HALLWAY"},
};

constexpr float kTitleX = 0.505f, kTitleY = 0.3f, kTitleScale = 0.6f;
// Record i stands at y = kFirstRowY + kRowStep * i, its name left from kNameX - kSlant * i and
// its score right up to kScoreX + kSlant * i, a little larger for each lower row.
constexpr float kFirstRowY = 0.4f, kRowStep = 0.1f, kNameX = 0.35f, kScoreX = 0.65f, kSlant = 0.01f;
constexpr float kRowScale = 0.9f, kRowScaleStep = 0.005f;

bool ValidPage(int page) { return page >= 1 && page <= CHighScoreState::kPageCount; }

std::unique_ptr<CSpriteText> HiddenText(float scale, int alignment, const std::string& text)
{
    auto sprite = std::make_unique<CSpriteText>(scale, "GameFont");
    sprite->SetAlignment(alignment);
    sprite->SetText(text);
    sprite->SetVisible(false);
    return sprite;
}

} // namespace

CHighScoreState::CHighScoreState(const std::string& name)
    : CGuiScreenState(name, "highscore", ScreenControls::Highscore(), 1)
{
}

CHighScoreState::~CHighScoreState() = default;

const char* CHighScoreState::PageLevel(int page) { return ValidPage(page) ? kPages[page - 1].level : ""; }

const char* CHighScoreState::PageTitle(int page) { return ValidPage(page) ? kPages[page - 1].title : ""; }

void CHighScoreState::Enter()
{
    CGuiScreenState::Enter();
    CHighscoreRecord& table = CHighscoreRecord::GetInstance();
    table.Init();
    m_pTitle = HiddenText(kTitleScale, CSpriteText::AlignCentre, "");
    m_pTitle->SetPosition(kTitleX, kTitleY);
    for (int page = 1; page <= kPageCount; ++page) {
        std::vector<RecordTexts>& texts = m_Records[page - 1];
        texts.clear();
        for (const HighscoreEntry& record : table.GetRecords(PageLevel(page))) {
            const float scale = kRowScale + kRowScaleStep * float(texts.size());
            texts.push_back({HiddenText(scale, CSpriteText::AlignLeft, HighscoreName(record.playerName)),
                             HiddenText(scale, CSpriteText::AlignRight, std::to_string(record.score))});
        }
    }
    m_Page = 1;
    ShowPage(m_Page);
}

void CHighScoreState::Exit()
{
    CGuiScreenState::Exit();
    m_pTitle.reset();
    for (auto& texts : m_Records)
        texts.clear();
}

void CHighScoreState::ShowPage(int page)
{
    if (!ValidPage(page) || !m_pTitle)
        return;
    m_pTitle->SetVisible(false);
    for (auto& texts : m_Records)
        for (RecordTexts& record : texts) {
            record.name->SetVisible(false);
            record.score->SetVisible(false);
        }
    std::vector<RecordTexts>& texts = m_Records[page - 1];
    for (size_t i = 0; i < texts.size(); ++i) {
        const float y = kFirstRowY + kRowStep * float(i);
        texts[i].name->SetPosition(kNameX - kSlant * float(i), y);
        texts[i].score->SetPosition(kScoreX + kSlant * float(i), y);
        texts[i].name->SetVisible(true);
        texts[i].score->SetVisible(true);
    }
    m_pTitle->SetText(PageTitle(page));
    m_pTitle->SetVisible(true);
}

void CHighScoreState::NextPage()
{
    m_Page = m_Page >= kPageCount ? 1 : m_Page + 1;
    ShowPage(m_Page);
}

void CHighScoreState::PreviousPage()
{
    m_Page = m_Page <= 1 ? kPageCount : m_Page - 1;
    ShowPage(m_Page);
}

std::vector<CSpriteText*> CHighScoreState::GetNameTexts(int page) const
{
    std::vector<CSpriteText*> texts;
    if (ValidPage(page))
        for (const RecordTexts& record : m_Records[page - 1])
            texts.push_back(record.name.get());
    return texts;
}

std::vector<CSpriteText*> CHighScoreState::GetScoreTexts(int page) const
{
    std::vector<CSpriteText*> texts;
    if (ValidPage(page))
        for (const RecordTexts& record : m_Records[page - 1])
            texts.push_back(record.score.get());
    return texts;
}

} // namespace Game
