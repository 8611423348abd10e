#include "game/voxel/VskcScanner.h"

#include <charconv>
#include <cmath>

namespace Game {

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r'; }

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

} // namespace

void VskcScanner::SkipBlanks()
{
    while (m_Pos < m_Text.size() && IsBlank(m_Text[m_Pos]))
        ++m_Pos;
}

bool VskcScanner::NextChar(char& c)
{
    SkipBlanks();
    if (m_Pos >= m_Text.size())
        return false;
    c = m_Text[m_Pos++];
    return true;
}

bool VskcScanner::PeekChar(char& c)
{
    SkipBlanks();
    if (m_Pos >= m_Text.size())
        return false;
    c = m_Text[m_Pos];
    return true;
}

bool VskcScanner::ReadWord(std::string_view& word)
{
    SkipBlanks();
    const std::size_t begin = m_Pos;
    while (m_Pos < m_Text.size() && !IsBlank(m_Text[m_Pos]))
        ++m_Pos;
    word = m_Text.substr(begin, m_Pos - begin);
    return !word.empty();
}

bool VskcScanner::StartNumber(std::size_t& begin) const
{
    begin = m_Pos;
    if (m_Text[begin] == '+')
        ++begin;
    // Only digits, a point or a minus sign start a number: this refuses "inf", "nan" and a
    // doubled sign, which a stream does not read either.
    std::size_t first = begin;
    if (first < m_Text.size() && m_Text[first] == '-' && begin == m_Pos)
        ++first;
    if (first >= m_Text.size())
        return false;
    return IsDigit(m_Text[first]) || m_Text[first] == '.';
}

VskcScanner::Result VskcScanner::ReadFloat(float& value)
{
    SkipBlanks();
    if (m_Pos >= m_Text.size())
        return Result::End;
    std::size_t begin;
    if (!StartNumber(begin))
        return Result::Bad;
    const char* end = m_Text.data() + m_Text.size();
    float parsed = 0.0f;
    const auto result = std::from_chars(m_Text.data() + begin, end, parsed, std::chars_format::general);
    if (result.ec != std::errc() || !std::isfinite(parsed))
        return Result::Bad;
    m_Pos = static_cast<std::size_t>(result.ptr - m_Text.data());
    value = parsed;
    return Result::Ok;
}

VskcScanner::Result VskcScanner::ReadInt(int& value)
{
    SkipBlanks();
    if (m_Pos >= m_Text.size())
        return Result::End;
    std::size_t begin;
    if (!StartNumber(begin) || m_Text[begin] == '.')
        return Result::Bad;
    int parsed = 0;
    const auto result = std::from_chars(m_Text.data() + begin, m_Text.data() + m_Text.size(), parsed);
    if (result.ec != std::errc())
        return Result::Bad;
    m_Pos = static_cast<std::size_t>(result.ptr - m_Text.data());
    value = parsed;
    return Result::Ok;
}

} // namespace Game
