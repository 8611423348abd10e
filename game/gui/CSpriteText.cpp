#include "game/gui/CSpriteText.h"

#include "game/gui/CGuiManager.h"
#include "game/gui/CUIDisplay2D.h"

#include <algorithm>

namespace Game {

namespace {

const char* const kBlank = " ";
// The gap between characters per unit of text scale, in screen widths.
constexpr float kStepPerScale = 0.04f;

} // namespace

CSpriteText::CSpriteText(float scale, const std::string& fontSpriteName)
    : m_FontSpriteName(fontSpriteName), m_Scale(scale)
{
    CreateCharacters();
}

CSpriteText::~CSpriteText() { DestroyCharacters(); }

void CSpriteText::CreateCharacters()
{
    CGuiManager& gui = CGuiManager::GetInstance();
    for (CUIDisplay2D*& character : m_Characters) {
        character = new CUIDisplay2D(m_FontSpriteName);
        character->SetAnimation(kBlank);
        character->SetPosition(0.5f, 0.5f);
        character->SetScale(m_Scale, m_Scale);
        gui.AddElement(character, kLayer, CGuiManager::KindDisplay);
    }
    SetText(std::string(kMaxCharacters, ' '));
    m_Alignment = AlignLeft;
    Layout(m_X, m_Y);
}

void CSpriteText::DestroyCharacters()
{
    CGuiManager& gui = CGuiManager::GetInstance();
    for (CUIDisplay2D*& character : m_Characters) {
        gui.RemoveElement(character, kLayer, CGuiManager::KindDisplay);
        delete character;
        character = nullptr;
    }
}

CUIDisplay2D* CSpriteText::GetCharacter(int i) const
{
    return i >= 0 && i < kMaxCharacters ? m_Characters[static_cast<size_t>(i)] : nullptr;
}

void CSpriteText::SetText(const std::string& text)
{
    m_Text = text;
    const size_t shown = std::min(text.size(), static_cast<size_t>(kMaxCharacters));
    for (size_t i = 0; i < m_Characters.size(); ++i) {
        // Each character shows its glyph, or the blank when it has none (or is past the end),
        // from the glyph's first frame; a character that shows it already only restarts it.
        const std::string glyph = i < shown ? std::string(1, text[i]) : std::string(kBlank);
        CUIDisplay2D* character = m_Characters[i];
        if (character->GetAnimation() != glyph)
            character->SetAnimation(kBlank);
        character->SetAnimation(glyph);
    }
    Layout(m_X, m_Y);
}

void CSpriteText::SetPosition(float x, float y) { Layout(x, y); }

void CSpriteText::SetAlignment(int mode)
{
    m_Alignment = mode;
    Layout(m_X, m_Y);
}

void CSpriteText::SetVisible(bool visible)
{
    for (CUIDisplay2D* character : m_Characters)
        character->SetVisible(visible);
}

void CSpriteText::Layout(float x, float y)
{
    m_X = x;
    m_Y = y;
    const float step = m_Scale * kStepPerScale;
    const int n = static_cast<int>(std::min(m_Text.size(), static_cast<size_t>(kMaxCharacters)));
    const auto place = [&](int i, float at) { m_Characters[static_cast<size_t>(i)]->SetPosition(at, y); };
    if (m_Alignment == AlignLeft) {
        for (int i = 0; i < n; ++i)
            place(i, x + static_cast<float>(i) * step);
    } else if (m_Alignment == AlignRight) {
        for (int i = 0; i < n; ++i)
            place(n - 1 - i, x - static_cast<float>(i) * step);
    } else if (m_Alignment == AlignCentre) {
        const int h = n / 2;
        for (int i = 0; i < h; ++i)
            place(h - 1 - i, (x - step) - static_cast<float>(i) * step);
        for (int j = 0; h + j < n; ++j)
            place(h + j, x + static_cast<float>(j) * step);
    }
}

} // namespace Game
