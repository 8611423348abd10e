#include "game/gui/CHighscoreRecord.h"

#include "core/AtomicFile.h"
#include "core/Log.h"
#include "platform/win/RegularFile.h"

#include <algorithm>
#include <cstring>

namespace Game {

namespace {

constexpr size_t kRecordBytes = sizeof(HighscoreEntry);
constexpr size_t kNameBytes = 255;

void CopyName(char (&field)[255], const std::string& text)
{
    std::memset(field, 0, kNameBytes);
    std::memcpy(field, text.data(), std::min(text.size(), kNameBytes - 1));
}

HighscoreEntry ReadRecord(const char* bytes)
{
    HighscoreEntry entry{};
    std::memcpy(entry.levelName, bytes, kNameBytes);
    std::memcpy(entry.playerName, bytes + kNameBytes, kNameBytes);
    const auto* score = reinterpret_cast<const unsigned char*>(bytes + 512);
    entry.score = static_cast<uint32_t>(score[0]) | static_cast<uint32_t>(score[1]) << 8 |
                  static_cast<uint32_t>(score[2]) << 16 | static_cast<uint32_t>(score[3]) << 24;
    return entry;
}

void AppendRecord(std::string& out, const HighscoreEntry& entry)
{
    out.append(entry.levelName, kNameBytes);
    out.append(entry.playerName, kNameBytes);
    out.append(2, '\0');
    for (int i = 0; i < 4; ++i)
        out += static_cast<char>((entry.score >> (8 * i)) & 0xFF);
}

} // namespace

HighscoreEntry MakeHighscoreEntry(const std::string& level, const std::string& name, uint32_t score)
{
    HighscoreEntry entry{};
    CopyName(entry.levelName, level);
    CopyName(entry.playerName, name);
    entry.score = score;
    return entry;
}

std::string HighscoreName(const char (&field)[255]) { return std::string(field, strnlen(field, kNameBytes)); }

bool CHighscoreRecord::Init()
{
    Clear();
    Load();
    return true;
}

void CHighscoreRecord::SetPath(const std::string& path)
{
    m_Path = path;
    Shutdown();
}

void CHighscoreRecord::Shutdown()
{
    m_Levels.clear();
    m_Loaded = false;
}

void CHighscoreRecord::Clear()
{
    for (auto& level : m_Levels)
        level.second.clear();
}

void CHighscoreRecord::EnsureLoaded()
{
    if (!m_Loaded)
        Init();
}

void CHighscoreRecord::Load()
{
    m_Loaded = true;
    std::string bytes, error;
    if (!win::ReadRegularFile(m_Path, bytes, error))
        return;
    const size_t whole = bytes.size() / kRecordBytes;
    if (bytes.size() % kRecordBytes != 0)
        Vesk::LogLine("CHighscoreRecord: " + m_Path + " ends in a partial record; its " + std::to_string(whole) +
                      " whole records are kept");
    for (size_t i = 0; i < whole; ++i) {
        const HighscoreEntry entry = ReadRecord(bytes.data() + i * kRecordBytes);
        m_Levels[HighscoreName(entry.levelName)].push_back(entry);
    }
}

uint32_t CHighscoreRecord::GetLowestScore(const std::string& level)
{
    EnsureLoaded();
    const auto found = m_Levels.find(level);
    if (found == m_Levels.end() || found->second.empty())
        return 0;
    return found->second.back().score;
}

void CHighscoreRecord::AddRecord(const std::string& level, const std::string& name, uint32_t score)
{
    EnsureLoaded();
    // The key is the name as the file keeps it, so a long name finds its list again after a load.
    const HighscoreEntry entry = MakeHighscoreEntry(level, name, score);
    const std::string key = HighscoreName(entry.levelName);
    auto found = m_Levels.find(key);
    if (found == m_Levels.end()) {
        found = m_Levels.emplace(key, std::vector<HighscoreEntry>()).first;
        found->second.assign(kListLength - 1, MakeHighscoreEntry(level, "AAA", kDefaultScore));
    }
    std::vector<HighscoreEntry>& list = found->second;
    list.push_back(entry);
    std::sort(list.begin(), list.end(),
              [](const HighscoreEntry& a, const HighscoreEntry& b) { return a.score > b.score; });
    list.resize(kListLength, HighscoreEntry{});
}

bool CHighscoreRecord::Save()
{
    EnsureLoaded();
    std::string bytes;
    for (const auto& level : m_Levels)
        for (const HighscoreEntry& entry : level.second)
            AppendRecord(bytes, entry);
    if (!Vesk::WriteFileAtomically(m_Path, bytes, "CHighscoreRecord"))
        return false;
    Vesk::LogLine("CHighscoreRecord: saved " + std::to_string(bytes.size() / kRecordBytes) + " records to " + m_Path);
    return true;
}

std::vector<HighscoreEntry> CHighscoreRecord::GetRecords(const std::string& level)
{
    EnsureLoaded();
    const auto found = m_Levels.find(level);
    return found == m_Levels.end() ? std::vector<HighscoreEntry>() : found->second;
}

} // namespace Game
