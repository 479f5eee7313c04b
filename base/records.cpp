#include "base/records.h"

#include <windows.h>

#include "base/settings.h"

GameRecords Records;

void ResetRecords()
{
    Records = GameRecords{};
}

namespace {

constexpr int kLevelFields = 10;
constexpr int kRecentOffset = 4 + kRecordLevels * kLevelFields * 4 + 4;
constexpr int kSumOffset = kRecordsSize - 4;

void Put16(uint8_t* at, uint32_t value)
{
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* at, uint32_t value)
{
    Put16(at, value);
    Put16(at + 2, value >> 16);
}

uint32_t Get16(const uint8_t* at)
{
    return at[0] | at[1] << 8;
}

uint32_t Get32(const uint8_t* at)
{
    return Get16(at) | Get16(at + 2) << 16;
}

uint32_t Sum(const uint8_t* bytes, int size)
{
    uint32_t sum = 2166136261u;
    for (int i = 0; i < size; ++i)
        sum = (sum ^ bytes[i]) * 16777619u;
    return sum;
}

void LevelFields(LevelRecord& level, uint32_t* (&fields)[kLevelFields])
{
    uint32_t* list[kLevelFields] = {&level.Won, &level.Lost, &level.FewestShots, &level.FewestDate, &level.BestHits,
                                    &level.BestShots, &level.AccuracyDate, &level.LongestRun, &level.RunDate, &level.CurrentRun};
    for (int i = 0; i < kLevelFields; ++i)
        fields[i] = list[i];
}

bool IsDate(RecordDate date)
{
    const uint32_t year = date >> 16, month = date >> 8 & 0xFF, day = date & 0xFF;
    return year >= 1601 && year <= 30827 && month >= 1 && month <= 12 && day >= 1 && day <= 31;
}

// A best is there with its date, or neither is.
bool IsBest(uint32_t value, RecordDate date)
{
    return value ? IsDate(date) : date == 0;
}

constexpr uint32_t kMostShots = kFieldSize * kFieldSize;

bool IsSound(const LevelRecord& level)
{
    const bool fewest = level.FewestShots == 0 || (level.FewestShots >= kFleetDecks && level.FewestShots <= kMostShots);
    const bool accuracy = level.BestShots == 0 ? level.BestHits == 0
                                               : level.BestShots <= kMostShots && level.BestHits >= 1 && level.BestHits <= kFleetDecks &&
                                                     level.BestHits <= level.BestShots;
    const bool won = (level.FewestShots != 0) == (level.Won != 0) && (level.BestShots != 0) == (level.Won != 0);
    return fewest && accuracy && won && level.LongestRun <= level.Won && level.CurrentRun <= level.LongestRun &&
           IsBest(level.FewestShots, level.FewestDate) && IsBest(level.BestShots, level.AccuracyDate) && IsBest(level.LongestRun, level.RunDate);
}

bool IsSound(const RecentGame& game)
{
    return game.Level >= 1 && game.Level <= kRecordLevels && game.Shots <= kMostShots && (!game.Won || game.Shots >= kFleetDecks);
}

RecordDate Today()
{
    SYSTEMTIME now;
    GetLocalTime(&now);
    return static_cast<RecordDate>(now.wYear) << 16 | now.wMonth << 8 | now.wDay;
}

void SaveRecords()
{
    uint8_t bytes[kRecordsSize];
    EncodeRecords(Records, bytes);
    HKEY key = OpenSettingsKey();
    if (!key)
        return;
    RegSetValueExW(key, L"Records", 0, REG_BINARY, bytes, kRecordsSize);
    RegCloseKey(key);
}

} // namespace

void EncodeRecords(const GameRecords& records, uint8_t (&bytes)[kRecordsSize])
{
    GameRecords copy = records;
    uint8_t* at = bytes;
    Put16(at, kRecordsVersion);
    Put16(at + 2, kRecordsSize);
    at += 4;
    for (LevelRecord& level : copy.Levels) {
        uint32_t* fields[kLevelFields];
        LevelFields(level, fields);
        for (uint32_t* field : fields) {
            Put32(at, *field);
            at += 4;
        }
    }
    Put32(at, static_cast<uint32_t>(copy.RecentCount));
    at += 4;
    for (const RecentGame& game : copy.Recent) {
        at[0] = game.Level;
        at[1] = game.Won;
        Put16(at + 2, game.Shots);
        at += 4;
    }
    Put32(bytes + kSumOffset, Sum(bytes, kSumOffset));
}

bool DecodeRecords(const uint8_t* bytes, unsigned long size, GameRecords& records)
{
    if (size != kRecordsSize || Get16(bytes) != kRecordsVersion || Get16(bytes + 2) != kRecordsSize ||
        Get32(bytes + kSumOffset) != Sum(bytes, kSumOffset))
        return false;
    GameRecords read;
    const uint8_t* at = bytes + 4;
    for (LevelRecord& level : read.Levels) {
        uint32_t* fields[kLevelFields];
        LevelFields(level, fields);
        for (uint32_t* field : fields) {
            *field = Get32(at);
            at += 4;
        }
        if (!IsSound(level))
            return false;
    }
    const uint32_t count = Get32(at);
    if (count > kRecentGames)
        return false;
    read.RecentCount = static_cast<int>(count);
    at = bytes + kRecentOffset;
    for (int i = 0; i < kRecentGames; ++i, at += 4) {
        if (at[1] > 1)
            return false;
        read.Recent[i] = {at[0], at[1] == 1, static_cast<uint16_t>(Get16(at + 2))};
        if (i < read.RecentCount && !IsSound(read.Recent[i]))
            return false;
    }
    records = read;
    return true;
}

int RecordLevel(int skillLevel)
{
    if (skillLevel <= 1)
        return 1;
    return skillLevel == 3 ? 3 : 2;
}

ShotCount CountShots(const Board& enemyBoard)
{
    ShotCount count;
    for (int x = 0; x < kFieldSize; ++x)
        for (int y = 0; y < kFieldSize; ++y) {
            const int32_t cell = enemyBoard[x][y];
            count.Shots += cell == EnemyMiss || cell == EnemyHit || cell == Sunk;
            count.Hits += cell == EnemyHit || cell == Sunk;
        }
    return count;
}

// Accuracy compares hits x shots across, in 64 bits; a tie keeps the older best.
bool AddGameToRecords(GameRecords& records, int level, bool won, ShotCount count, RecordDate today)
{
    LevelRecord& record = records.Levels[level - 1];
    const uint32_t shots = static_cast<uint32_t>(count.Shots), hits = static_cast<uint32_t>(count.Hits);
    bool fewer = false;
    if (won) {
        ++record.Won;
        fewer = record.FewestShots == 0 || shots < record.FewestShots;
        if (fewer) {
            record.FewestShots = shots;
            record.FewestDate = today;
        }
        if (record.BestShots == 0 || uint64_t{hits} * record.BestShots > uint64_t{record.BestHits} * shots) {
            record.BestHits = hits;
            record.BestShots = shots;
            record.AccuracyDate = today;
        }
        if (++record.CurrentRun > record.LongestRun) {
            record.LongestRun = record.CurrentRun;
            record.RunDate = today;
        }
    } else {
        ++record.Lost;
        record.CurrentRun = 0;
    }
    if (records.RecentCount == kRecentGames) {
        for (int i = 1; i < kRecentGames; ++i)
            records.Recent[i - 1] = records.Recent[i];
        --records.RecentCount;
    }
    records.Recent[records.RecentCount++] = {static_cast<uint8_t>(level), won, static_cast<uint16_t>(shots)};
    return fewer;
}

void LoadRecords()
{
    ResetRecords();
    HKEY key = OpenSettingsKey();
    if (!key)
        return;
    uint8_t bytes[kRecordsSize + 1];
    DWORD size = sizeof bytes;
    if (RegQueryValueExW(key, L"Records", nullptr, nullptr, bytes, &size) == ERROR_SUCCESS)
        DecodeRecords(bytes, size, Records);
    RegCloseKey(key);
}

bool CountRecordGame(int level, bool won, ShotCount count)
{
    LoadRecords();
    const bool fewer = AddGameToRecords(Records, level, won, count, Today());
    SaveRecords();
    return fewer;
}

void ClearRecords()
{
    ResetRecords();
    SaveRecords();
}
