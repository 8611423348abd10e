// CSpriteText: a line of up to 40 characters drawn with a sprite font, one GUI sprite per
// character showing the animation named by the character, on layer 2 of the GUI manager. Owns its
// character sprites.
#pragma once

#include <array>
#include <string>

namespace Game {

class CUIDisplay2D;

class CSpriteText {
public:
    static constexpr int kMaxCharacters = 40;
    static constexpr int kLayer = 2;
    enum Alignment { AlignLeft = 0, AlignRight = 1, AlignCentre = 2 };

    CSpriteText(float scale, const std::string& fontSpriteName);
    ~CSpriteText();
    CSpriteText(const CSpriteText&) = delete;
    CSpriteText& operator=(const CSpriteText&) = delete;

    // The whole text is kept; its first 40 characters are shown.
    void SetText(const std::string& text);
    void SetPosition(float x, float y);
    // 0 left from x, 1 right up to x, 2 centred on x.
    void SetAlignment(int mode);
    void SetVisible(bool visible);

    const std::string& GetText() const { return m_Text; }
    int GetAlignment() const { return m_Alignment; }
    float GetX() const { return m_X; }
    float GetY() const { return m_Y; }
    // Character sprite i (0 to 39).
    CUIDisplay2D* GetCharacter(int i) const;

private:
    void CreateCharacters();
    void DestroyCharacters();
    void Layout(float x, float y);

    std::array<CUIDisplay2D*, kMaxCharacters> m_Characters{};
    std::string m_Text;
    std::string m_FontSpriteName;
    float m_Scale = 1.0f;
    float m_X = 0.0f, m_Y = 0.0f;
    int m_Alignment = AlignLeft;
};

} // namespace Game
