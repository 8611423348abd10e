// Word and number scanner over the text of a ".vskc" file, read as a standard stream would read
// it but independent of the process locale: words are runs of non-blank characters, numbers are
// decimal (optional sign, fraction and exponent). Numbers that do not scan, are out of range or
// are not finite are refused, so that the reader can stop there.
#pragma once

#include <cstddef>
#include <string_view>

namespace Game {

class VskcScanner {
public:
    enum class Result { Ok, End, Bad };

    explicit VskcScanner(std::string_view text) : m_Text(text) {}

    // The next non-blank character, consumed; false at the end of the text.
    bool NextChar(char& c);
    // The next non-blank character without consuming it; false at the end.
    bool PeekChar(char& c);
    // The next word; false at the end.
    bool ReadWord(std::string_view& word);
    Result ReadFloat(float& value);
    Result ReadInt(int& value);

    // Bytes not yet read, and the offset reached (for log lines).
    std::size_t Remaining() const { return m_Text.size() - m_Pos; }
    std::size_t Offset() const { return m_Pos; }

private:
    void SkipBlanks();
    // Steps over a leading '+' as a stream accepts it; false when the number cannot start here.
    bool StartNumber(std::size_t& begin) const;

    std::string_view m_Text;
    std::size_t m_Pos = 0;
};

} // namespace Game
