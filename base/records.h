// The records of games against the computer, for each skill level, and the last games for the
// chart: one value of the settings key, "Records", beside the plain count of wins and losses.
#pragma once
#include <cstdint>

#include "game/board.h"

constexpr int kRecordLevels = 3;
constexpr int kRecentGames = 20;

// A local date as year << 16 | month << 8 | day; 0 when there is none.
using RecordDate = uint32_t;

struct LevelRecord {
    uint32_t Won = 0;
    uint32_t Lost = 0;
    uint32_t FewestShots = 0;   // in a won game; 0 until one is won
    RecordDate FewestDate = 0;
    uint32_t BestHits = 0;      // the best hits / shots of a won game
    uint32_t BestShots = 0;
    RecordDate AccuracyDate = 0;
    uint32_t LongestRun = 0;    // of wins in a row
    RecordDate RunDate = 0;
    uint32_t CurrentRun = 0;
};

struct RecentGame {
    uint8_t Level = 0;    // 1 to 3
    bool Won = false;
    uint16_t Shots = 0;
};

struct GameRecords {
    LevelRecord Levels[kRecordLevels];
    RecentGame Recent[kRecentGames];   // the oldest first
    int RecentCount = 0;
};

extern GameRecords Records;

void ResetRecords();

// The stored layout, little-endian: version (2 bytes), size (2), then per level its ten
// numbers of 4 bytes in the order of LevelRecord, the count of recent games (1) and 3 zeros,
// 20 recent games of level (1), won (1), shots (2), and an FNV-1a sum of all bytes before it.
constexpr uint16_t kRecordsVersion = 1;
constexpr int kRecordsSize = 4 + kRecordLevels * 40 + 4 + kRecentGames * 4 + 4;

void EncodeRecords(const GameRecords& records, uint8_t (&bytes)[kRecordsSize]);
// False, and `records` untouched, for any value that is not a whole, sound record.
bool DecodeRecords(const uint8_t* bytes, unsigned long size, GameRecords& records);

// The level whose rules a stored skill level plays by: 1 below 2, 2 above 3.
int RecordLevel(int skillLevel);

// Cells fired at on the enemy board (a dead zone's marks are no shots), and those that hit.
struct ShotCount {
    int Shots = 0;
    int Hits = 0;
};
ShotCount CountShots(const Board& enemyBoard);

// Adds a game at `level` (1 to 3) to `records`; true when it won in fewer shots than any before.
bool AddGameToRecords(GameRecords& records, int level, bool won, ShotCount count, RecordDate today);

// Reads the store (none on any fault), adds the game, writes it back; true for a new fewest.
bool CountRecordGame(int level, bool won, ShotCount count);
void LoadRecords();
void ClearRecords();
