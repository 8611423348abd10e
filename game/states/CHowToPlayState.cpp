#include "game/states/CHowToPlayState.h"

#include "game/gui/CGuiManager.h"
#include "ui2d/CDisplayObject2D.h"

namespace Game {

CHowToPlayState::CHowToPlayState(const std::string& name)
    : CGuiScreenState(name, "howtoplay", ScreenControls::HowToPlay(), 1)
{
}

const std::array<std::vector<const char*>, CHowToPlayState::kPageCount>& CHowToPlayState::PageElementNames()
{
    static const std::array<std::vector<const char*>, kPageCount> names = {{
        {"KEYBD1_Title", "KEYBD1_Move", "KEYBD1_Dodge", "KEYBD1_Atk", "KEYBD1_Special"},
        {"KEYBD2_Title", "KEYBD2_Move", "KEYBD2_Dodge", "KEYBD2_Atk", "KEYBD2_Special"},
        {"CTRL_Title", "CTRL_Move", "CTRL_Dodge", "CTRL_Atk", "CTRL_Special"},
        {"INSTR_Title", "INSTR_Text1"},
        {"INSTR_Title", "INSTR_Text2"},
    }};
    return names;
}

void CHowToPlayState::Enter()
{
    CGuiScreenState::Enter();
    const CGuiManager& gui = CGuiManager::GetInstance();
    for (int page = 0; page < kPageCount; ++page) {
        m_Pages[page].clear();
        for (const char* name : PageElementNames()[page])
            if (Vesk::CDisplayObject2D* element = gui.FindElement(0, name))
                m_Pages[page].push_back(element);
    }
    m_Page = 1;
    ShowPage(m_Page);
}

void CHowToPlayState::Exit()
{
    CGuiScreenState::Exit();
    for (auto& page : m_Pages)
        page.clear();
}

void CHowToPlayState::ShowPage(int n)
{
    for (const auto& page : m_Pages)
        for (Vesk::CDisplayObject2D* element : page)
            element->SetVisible(false);
    if (n < 1 || n > kPageCount)
        return;
    for (Vesk::CDisplayObject2D* element : m_Pages[n - 1])
        element->SetVisible(true);
}

void CHowToPlayState::NextPage()
{
    m_Page = m_Page >= kPageCount ? 1 : m_Page + 1;
    ShowPage(m_Page);
}

void CHowToPlayState::PrevPage()
{
    m_Page = m_Page <= 1 ? kPageCount : m_Page - 1;
    ShowPage(m_Page);
}

} // namespace Game
