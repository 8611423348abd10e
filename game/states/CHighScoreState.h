// CHighScoreState ("CHighScoreState"): the highscore table over the menu, one page per level (the
// five best names and scores under the level's title), turned by the screen's previous and next
// buttons and wrapping round both ways; its back button or Escape returns. The screen is
// "highscore.xml"; the titles, names and scores are sprite texts that the state owns, made for all
// pages on Enter and only shown and hidden by the page turns.
#pragma once

#include "game/gui/CGuiScreenState.h"

#include <array>
#include <memory>
#include <vector>

namespace Game {

class CSpriteText;

class CHighScoreState : public CGuiScreenState {
public:
    static constexpr int kPageCount = 3;

    explicit CHighScoreState(const std::string& name);
    ~CHighScoreState() override;

    // The screen with its "next" button marked, the table read from its file, page 1.
    void Enter() override;
    void Exit() override;

    // Shows the title and the records of page n (1 to 3) and hides the others; other numbers
    // leave the page as it is.
    void ShowPage(int page);
    void NextPage();
    void PreviousPage();
    int GetPage() const { return m_Page; }

    // The level and the title of page n (1 to 3).
    static const char* PageLevel(int page);
    static const char* PageTitle(int page);

    CSpriteText* GetTitleText() const { return m_pTitle.get(); }
    // The name and score texts of page n's records, best first.
    std::vector<CSpriteText*> GetNameTexts(int page) const;
    std::vector<CSpriteText*> GetScoreTexts(int page) const;

private:
    struct RecordTexts {
        std::unique_ptr<CSpriteText> name, score;
    };

    std::unique_ptr<CSpriteText> m_pTitle;
    std::array<std::vector<RecordTexts>, kPageCount> m_Records;
    int m_Page = 1;
};

} // namespace Game
