// A battle kept as bytes: restored after every move it plays on to the same end, and any
// value that breaks the layout or the rules is refused whole.
#include <cstring>
#include <functional>
#include <memory>
#include <random>
#include <vector>

#include "game/placement.h"
#include "game/saved_battle.h"
#include "game/shots.h"
#include "tests/game/model_fixture.h"

namespace {

std::time_t Second = 1700000000;

// The layout's offsets, as docs/saved-battle.md gives them.
constexpr size_t kPhase = 8, kTurn = 9, kLevel = 10, kMarks = 11, kPlaced = 12, kHunt = 13, kStackCount = 14,
                 kStack = 15, kLastShot = 23, kCounters = 31, kEnemyBoard = 35, kHomeBoard = 135, kEnemyFleet = 235,
                 kHomeShips = 265;

// The game goes through bytes and back into a fresh game with the same ports; the bytes
// read back encode to the same bytes.
void Reload()
{
    uint8_t bytes[kSavedBattleSize], again[kSavedBattleSize];
    ASSERT_TRUE(EncodeBattle(Game, 77, bytes));
    const auto fresh = std::make_unique<GameState>();
    fresh->View = Game.View, fresh->Dice = Game.Dice;
    uint32_t serial = 0;
    ASSERT_TRUE(DecodeBattle(bytes, sizeof bytes, *fresh, serial));
    EXPECT_EQ(serial, 77u);
    ASSERT_TRUE(EncodeBattle(*fresh, 77, again));
    ASSERT_EQ(std::memcmp(bytes, again, sizeof bytes), 0);
    Game = *fresh;
}

struct Outcome {
    int enemyDecks, homeDecks, moves;
    std::vector<int32_t> boards;
};

// A whole battle from `seed`: ships laid one by one, the player at random cells, the computer
// at each of its pauses; with `reload`, the game goes through its bytes after every move.
Outcome PlayBattle(unsigned seed, bool reload)
{
    ResetRecordedModel();
    Second = 1700000000 + seed;
    Game.Dice = {[] { return Second++; }};
    Game.Rules = {static_cast<uint8_t>(1 + seed % 3), seed % 2 == 0, seed % 4 < 2};
    Game.OpponentTurn = seed % 5 == 0;
    NewGame(Game);
    HomeShipPlace plan[kFleetShips];
    EXPECT_EQ(PlanHomeFleet(Game, kLargestShip, 1, seed, plan), kFleetShips);
    std::mt19937 dice(seed);
    int moves = 0;
    for (const HomeShipPlace& place : plan) {
        if (reload)
            Reload();
        EXPECT_TRUE(PlaceOfferedShip(Game, place.orientation, place.column, place.row));
        ++moves;
    }
    while (Game.GamePhase == Battle && moves < 1000) {
        if (reload)
            Reload();
        if (Game.OpponentTurn) {
            GameTimerFired(Game);
        } else {
            int x, y;
            do
                x = static_cast<int>(dice() % kFieldSize), y = static_cast<int>(dice() % kFieldSize);
            while (!CanFireAtEnemyCell(Game, x, y));
            FireAtEnemyCell(Game, x, y);
        }
        ++moves;
    }
    Outcome outcome = {Game.EnemyDecksLeft, Game.HomeDecksLeft, moves, {}};
    outcome.boards.assign(&Game.EnemyBoard[0][0], &Game.EnemyBoard[0][0] + kFieldCells);
    outcome.boards.insert(outcome.boards.end(), &Game.HomeBoard[0][0], &Game.HomeBoard[0][0] + kFieldCells);
    return outcome;
}

class SavedBattle : public ModelTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(SavedBattle, RestoredAfterEveryMoveEndsAsTheBattlePlayedThrough)
{
    const Outcome straight = PlayBattle(GetParam(), false);
    const Outcome restored = PlayBattle(GetParam(), true);
    EXPECT_EQ(Game.GamePhase, GameOver);
    EXPECT_EQ(restored.moves, straight.moves);
    EXPECT_EQ(restored.boards, straight.boards);
    EXPECT_EQ(restored.enemyDecks, straight.enemyDecks);
    EXPECT_EQ(restored.homeDecks, straight.homeDecks);
}

INSTANTIATE_TEST_SUITE_P(Seeds, SavedBattle, ::testing::Range(1u, 13u));

// A battle in its middle: the player's fleet down, shots on both boards, the computer hunting.
std::vector<uint8_t> MidBattle()
{
    ResetRecordedModel();
    Second = 1700000000;
    Game.Dice = {[] { return Second++; }};
    Game.Rules = {3, true, true};
    NewGame(Game);
    EXPECT_TRUE(PlaceRestOfFleet(Game, 5));
    for (int cell = 0; Game.GamePhase == Battle && (Game.EnemyShipsLeft == kFleetShips || !Game.HuntActive);)
        if (Game.OpponentTurn)
            GameTimerFired(Game);
        else
            FireAtEnemyCell(Game, cell % kFieldSize, cell / kFieldSize), ++cell;
    std::vector<uint8_t> bytes(kSavedBattleSize);
    EXPECT_EQ(Game.GamePhase, Battle);
    EXPECT_TRUE(EncodeBattle(Game, 1, *reinterpret_cast<uint8_t(*)[kSavedBattleSize]>(bytes.data())));
    return bytes;
}

bool Decodes(const std::vector<uint8_t>& bytes)
{
    GameState before = Game;
    uint32_t serial = 0;
    const bool read = DecodeBattle(bytes.data(), bytes.size(), Game, serial);
    if (!read) {
        EXPECT_EQ(std::memcmp(Game.EnemyBoard, before.EnemyBoard, sizeof before.EnemyBoard), 0) << "a refusal changed the game";
    }
    return read;
}

// The first cell of the board at `board` holding `code`, as an offset.
size_t FirstCell(const std::vector<uint8_t>& bytes, size_t board, int code)
{
    size_t at = board;
    while (at < board + kFieldCells && bytes[at] != code)
        ++at;
    return at;
}

// An unhit ship of one deck moved, on both the board and its record, to the water at a corner
// of another ship: everything but the no-touch rule still holds.
void MoveShipToTouch(std::vector<uint8_t>& b)
{
    for (int s = kFleetShips - 4; s < kFleetShips; ++s) {
        const int x = b[kEnemyFleet + 3 * s], y = b[kEnemyFleet + 3 * s + 1];
        if (b[kEnemyBoard + x * 10 + y] != Deck)
            continue;
        for (int t = 0; t < s; ++t) {
            const int nx = b[kEnemyFleet + 3 * t] - 1, ny = b[kEnemyFleet + 3 * t + 1] - 1;
            if (nx < 0 || ny < 0 || b[kEnemyBoard + nx * 10 + ny] != Water)
                continue;
            b[kEnemyBoard + x * 10 + y] = Water, b[kEnemyBoard + nx * 10 + ny] = Deck;
            b[kEnemyFleet + 3 * s] = static_cast<uint8_t>(nx), b[kEnemyFleet + 3 * s + 1] = static_cast<uint8_t>(ny);
            return;
        }
    }
    ADD_FAILURE() << "no ship to move";
}

struct Corruption {
    const char* name;
    std::function<void(std::vector<uint8_t>&)> apply;
};

void PrintTo(const Corruption& c, std::ostream* os)
{
    *os << c.name;
}

class CorruptBattle : public ModelTest, public ::testing::WithParamInterface<Corruption> {};

TEST_F(ModelTest, TheMidBattleSampleDecodesAsItIs)
{
    EXPECT_TRUE(Decodes(MidBattle()));
    EXPECT_TRUE(Game.HuntActive);
}

TEST_P(CorruptBattle, IsRefusedEvenWithItsChecksumRight)
{
    std::vector<uint8_t> bytes = MidBattle();
    GetParam().apply(bytes);
    const uint32_t sum = BattleChecksum(bytes.data(), kSavedBattleSize - 4);
    for (int i = 0; i < 4; ++i)
        bytes[kSavedBattleSize - 4 + i] = static_cast<uint8_t>(sum >> (8 * i));
    EXPECT_FALSE(Decodes(bytes));
}

void Set(std::vector<uint8_t>& bytes, size_t at, int value)
{
    bytes[at] = static_cast<uint8_t>(value);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, CorruptBattle,
    ::testing::Values(
        Corruption{"NextVersion", [](auto& b) { Set(b, 0, 2); }},
        Corruption{"SizeFieldShort", [](auto& b) { Set(b, 2, kSavedBattleSize - 1); }},
        Corruption{"PhaseGameOver", [](auto& b) { Set(b, kPhase, GameOver); }},
        Corruption{"PhasePlacingWithFleetDown", [](auto& b) { Set(b, kPhase, Placement); }},
        Corruption{"TurnTwo", [](auto& b) { Set(b, kTurn, 2); }},
        Corruption{"LevelZero", [](auto& b) { Set(b, kLevel, 0); }},
        Corruption{"LevelFour", [](auto& b) { Set(b, kLevel, 4); }},
        Corruption{"MarksUnknownBit", [](auto& b) { Set(b, kMarks, 4); }},
        Corruption{"NineShipsInBattle", [](auto& b) { Set(b, kPlaced, 9); }},
        Corruption{"HuntTwo", [](auto& b) { Set(b, kHunt, 2); }},
        Corruption{"StackFive", [](auto& b) { Set(b, kStackCount, 5); }},
        Corruption{"StackEntryOffField", [](auto& b) { Set(b, kStackCount, 1), Set(b, kStack, 10); }},
        Corruption{"LastShotOffField", [](auto& b) { Set(b, kLastShot, 10); }},
        Corruption{"LastShotOnWater", [](auto& b) { const size_t w = FirstCell(b, kEnemyBoard, Water) - kEnemyBoard; Set(b, kLastShot, int(w / 10)), Set(b, kLastShot + 1, int(w % 10)); }},
        Corruption{"EnemyDecksCounterHigh", [](auto& b) { Set(b, kCounters, b[kCounters] + 1); }},
        Corruption{"HomeShipsCounterLow", [](auto& b) { Set(b, kCounters + 3, b[kCounters + 3] - 1); }},
        Corruption{"UnknownCellCode", [](auto& b) { Set(b, FirstCell(b, kEnemyBoard, Water), 8); }},
        Corruption{"DeckWithoutShip", [](auto& b) { Set(b, FirstCell(b, kEnemyBoard, Water), Deck); }},
        Corruption{"ShipDeckTurnedWater", [](auto& b) { Set(b, FirstCell(b, kEnemyBoard, Deck), Water); }},
        Corruption{"SunkDeckOnShipAfloat", [](auto& b) { Set(b, FirstCell(b, kHomeBoard, Deck), Sunk); }},
        Corruption{"HomeCodeOnEnemyBoard", [](auto& b) { Set(b, FirstCell(b, kEnemyBoard, EnemyMiss), HomeMiss); }},
        Corruption{"DeadZoneAwayFromSunk", [](auto& b) { Set(b, FirstCell(b, kEnemyBoard, Water), DeadZone); }},
        Corruption{"EnemyShipDirectionFour", [](auto& b) { Set(b, kEnemyFleet + 2, 4); }},
        Corruption{"EnemyShipOffField", [](auto& b) { Set(b, kEnemyFleet, 200); }},
        Corruption{"ShipsTouching", MoveShipToTouch},
        Corruption{"HomeOrientationTwo", [](auto& b) { Set(b, kHomeShips + 2, 2); }}),
    [](const ::testing::TestParamInfo<Corruption>& info) { return std::string(info.param.name); });

TEST_F(ModelTest, EveryFlippedBitAndEveryTruncationIsRefused)
{
    const std::vector<uint8_t> bytes = MidBattle();
    for (size_t at = 0; at < bytes.size(); ++at)
        for (int bit = 0; bit < 8; ++bit) {
            std::vector<uint8_t> flipped = bytes;
            flipped[at] ^= static_cast<uint8_t>(1 << bit);
            EXPECT_FALSE(Decodes(flipped)) << "byte " << at << " bit " << bit;
        }
    for (size_t size = 0; size < bytes.size(); ++size)   // each its own allocation: a read past it is caught
        EXPECT_FALSE(Decodes(std::vector<uint8_t>(bytes.begin(), bytes.begin() + static_cast<std::ptrdiff_t>(size)))) << size;
    std::vector<uint8_t> longer = bytes;
    longer.push_back(0);
    EXPECT_FALSE(Decodes(longer));
}

} // namespace
