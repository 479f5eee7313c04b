#include "game/saved_battle.h"

#include <cstring>

#include "game/board.h"

namespace {

// Where each field sits; docs/saved-battle.md tells the same byte by byte.
constexpr size_t kVersionAt = 0, kSizeAt = 2, kSerialAt = 4, kPhaseAt = 8, kTurnAt = 9, kLevelAt = 10,
                 kMarksAt = 11, kPlacedAt = 12, kHuntAt = 13, kStackCountAt = 14, kStackAt = 15, kLastShotAt = 23,
                 kDiceAt = 27, kCountersAt = 31, kEnemyBoardAt = 35, kHomeBoardAt = 135, kEnemyFleetAt = 235,
                 kHomeShipsAt = 265, kChecksumAt = 295;
static_assert(kChecksumAt + 4 == kSavedBattleSize, "the layout fills the value");

// The sizes of the ships in the order both fleets hold them, largest first.
constexpr int kShipSizes[kFleetShips] = {4, 3, 3, 2, 2, 2, 1, 1, 1, 1};

void Put16(uint8_t* at, uint16_t value)
{
    at[0] = static_cast<uint8_t>(value), at[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* at, uint32_t value)
{
    for (int i = 0; i < 4; ++i)
        at[i] = static_cast<uint8_t>(value >> (8 * i));
}

uint16_t Get16(const uint8_t* at)
{
    return static_cast<uint16_t>(at[0] | at[1] << 8);
}

uint32_t Get32(const uint8_t* at)
{
    return at[0] | at[1] << 8 | at[2] << 16 | static_cast<uint32_t>(at[3]) << 24;
}

// FNV-1a: any one byte changed changes it, as each step is a bijection of the hash.
uint32_t Checksum(const uint8_t* bytes, size_t size)
{
    uint32_t hash = 2166136261u;
    for (size_t i = 0; i < size; ++i)
        hash = (hash ^ bytes[i]) * 16777619u;
    return hash;
}

int DirectionOf(const ShipRecord& ship)
{
    if (ship.size < 2)
        return Up;
    for (int d = Up; d <= Right; ++d)
        if (ship.deckX[1] - ship.deckX[0] == kDirectionSteps[d].dx && ship.deckY[1] - ship.deckY[0] == kDirectionSteps[d].dy)
            return d;
    return Up;
}

// The panel as the placing leaves it with `placed` ships down.
void OfferAfter(int placed, int32_t& size, int32_t& left)
{
    size = placed < kFleetShips ? kShipSizes[placed] : 0;
    left = 0;
    for (int i = placed; i < kFleetShips; ++i)
        left += kShipSizes[i] == size;
    if (placed == kFleetShips)
        left = ShipsOfSize(0);
}

bool Either(int value, int a, int b)
{
    return value == a || value == b;
}

// A fleet read back: each ship inside the field, none over or beside another. `owner` takes
// each deck's ship, 1 up.
bool LayOwnedShips(const ShipRecord (&fleet)[kFleetShips], int ships, int (&owner)[kFieldSize][kFieldSize])
{
    for (int s = 0; s < ships; ++s)
        for (int k = 0; k < fleet[s].size; ++k) {
            const int x = fleet[s].deckX[k], y = fleet[s].deckY[k];
            if (!InField(x, y) || owner[x][y])
                return false;
            owner[x][y] = s + 1;
        }
    for (int x = 0; x < kFieldSize; ++x)
        for (int y = 0; y < kFieldSize; ++y)
            for (const PlaceStep& step : kNeighbourSteps) {
                const int nx = x + step.dx, ny = y + step.dy;
                if (owner[x][y] && InField(nx, ny) && owner[nx][ny] && owner[nx][ny] != owner[x][y])
                    return false;
            }
    return true;
}

struct SideCodes {
    int hit, miss, extraWater;   // extraWater: DeadZone or RuledOut
};
constexpr SideCodes kEnemyCodes = {EnemyHit, EnemyMiss, DeadZone};
constexpr SideCodes kHomeCodes = {HomeHit, HomeMiss, RuledOut};

// The board agrees with its fleet: decks only where ships are, shots only in battle, a sunk
// code only on a ship all hit. Sets each ship's decks left and counts what is afloat.
bool BoardMatchesFleet(const Board board, ShipRecord (&fleet)[kFleetShips], const int (&owner)[kFieldSize][kFieldSize],
                       bool battle, SideCodes codes, int& decksLeft, int& shipsLeft)
{
    for (int x = 0; x < kFieldSize; ++x)
        for (int y = 0; y < kFieldSize; ++y) {
            const int cell = board[x][y];
            const bool fits = owner[x][y] ? cell == Deck || (battle && Either(cell, codes.hit, Sunk))
                                          : cell == Water || (battle && Either(cell, codes.miss, codes.extraWater));
            if (!fits)
                return false;
        }
    decksLeft = shipsLeft = 0;
    for (ShipRecord& ship : fleet) {
        int hits = 0, sunk = 0;
        for (int k = 0; k < ship.size; ++k) {
            hits += board[ship.deckX[k]][ship.deckY[k]] != Deck;
            sunk += board[ship.deckX[k]][ship.deckY[k]] == Sunk;
        }
        if (sunk && hits < ship.size)
            return false;
        ship.decksLeft = static_cast<int8_t>(hits == ship.size ? -1 : ship.size - hits);
        decksLeft += ship.size - hits;
        shipsLeft += ship.size && hits < ship.size;
    }
    return true;
}

// A DeadZone cell lies beside a sunk ship.
bool DeadZoneBesideSunk(const Board board, const ShipRecord (&fleet)[kFleetShips], const int (&owner)[kFieldSize][kFieldSize])
{
    for (int x = 0; x < kFieldSize; ++x)
        for (int y = 0; y < kFieldSize; ++y) {
            bool beside = false;
            for (const PlaceStep& step : kNeighbourSteps) {
                const int nx = x + step.dx, ny = y + step.dy;
                beside = beside || (InField(nx, ny) && owner[nx][ny] && fleet[owner[nx][ny] - 1].decksLeft < 0);
            }
            if (board[x][y] == DeadZone && !beside)
                return false;
        }
    return true;
}

// No shot yet, or a cell the board shows as shot.
bool LastShotFits(const Board board, TargetCell shot, SideCodes codes)
{
    if (shot.x == -1 && shot.y == -1)
        return true;
    return InField(shot.x, shot.y) &&
           (board[shot.x][shot.y] == codes.hit || board[shot.x][shot.y] == codes.miss || board[shot.x][shot.y] == Sunk);
}

bool ReadBoard(const uint8_t* at, Board board)
{
    for (int x = 0; x < kFieldSize; ++x)
        for (int y = 0; y < kFieldSize; ++y) {
            const uint8_t code = at[x * kFieldSize + y];
            if (code > DeadZone && code != Sunk)
                return false;
            board[x][y] = code;
        }
    return true;
}

// The header and the flags, each in its range.
bool ReadHeader(const uint8_t* bytes, size_t size, GameState& g)
{
    if (size != kSavedBattleSize || Get16(bytes + kVersionAt) != kSavedBattleVersion ||
        Get16(bytes + kSizeAt) != kSavedBattleSize || Get32(bytes + kChecksumAt) != Checksum(bytes, kChecksumAt))
        return false;
    const uint8_t phase = bytes[kPhaseAt], turn = bytes[kTurnAt], level = bytes[kLevelAt], marks = bytes[kMarksAt];
    const uint8_t placed = bytes[kPlacedAt], hunt = bytes[kHuntAt], stacked = bytes[kStackCountAt];
    if (phase > Battle || turn > 1 || level < 1 || level > 3 || marks > 3 || hunt > 1 || stacked > 4 ||
        placed > kFleetShips || (placed == kFleetShips) != (phase == Battle))
        return false;
    g.GamePhase = static_cast<Phase>(phase);
    g.OpponentTurn = turn;
    g.Rules = {level, (marks & 1) != 0, (marks & 2) != 0};
    g.PlacedShipCount = placed;
    OfferAfter(placed, g.PlacementSize, g.PlacementLeft);
    g.HuntActive = hunt;
    g.TargetStack = {};
    g.TargetStack.count = stacked;
    for (int i = 0; i < 4; ++i) {
        const int x = bytes[kStackAt + 2 * i], y = bytes[kStackAt + 2 * i + 1];
        if (i < stacked ? !InField(x, y) : x || y)
            return false;
        g.TargetStack.entries[i] = {x, y};
    }
    for (int side = 0; side < 2; ++side)
        g.LastShot[side] = {static_cast<int8_t>(bytes[kLastShotAt + 2 * side]), static_cast<int8_t>(bytes[kLastShotAt + 2 * side + 1])};
    g.DiceState = Get32(bytes + kDiceAt);
    g.EnemyDecksLeft = bytes[kCountersAt], g.HomeDecksLeft = bytes[kCountersAt + 1];
    g.EnemyShipsLeft = bytes[kCountersAt + 2], g.HomeShipsLeft = bytes[kCountersAt + 3];
    return ReadBoard(bytes + kEnemyBoardAt, g.EnemyBoard) && ReadBoard(bytes + kHomeBoardAt, g.HomeBoard);
}

// Both fleets' geometry: every ship a straight run inside the field, the player's down or across.
bool ReadFleets(const uint8_t* bytes, GameState& g)
{
    for (int s = 0; s < kFleetShips; ++s) {
        const uint8_t* ship = bytes + kEnemyFleetAt + 3 * s;
        if (ship[2] > Right)
            return false;
        g.EnemyFleet[s] = MakeShip(ship[0], ship[1], kDirectionSteps[ship[2]], kShipSizes[s]);
    }
    for (int s = 0; s < kFleetShips; ++s) {
        const uint8_t* ship = bytes + kHomeShipsAt + 3 * s;
        if (s >= g.PlacedShipCount) {
            if (ship[0] || ship[1] || ship[2])
                return false;
            g.PlacedShips[s] = {};
            g.HomeFleet[s] = {};
            continue;
        }
        if (ship[2] > Horizontal)
            return false;
        const Orientation orientation = static_cast<Orientation>(ship[2]);
        g.PlacedShips[s] = {orientation, kShipSizes[s], ship[0], ship[1]};
        g.HomeFleet[s] = MakeShip(ship[0], ship[1], kDirectionSteps[orientation == Horizontal ? Right : Down], kShipSizes[s]);
    }
    return true;
}

// Boards, fleets, counters and the last shots agree, as the rules leave them.
bool FollowsRules(GameState& g)
{
    const bool battle = g.GamePhase == Battle;
    int enemyOwner[kFieldSize][kFieldSize] = {}, homeOwner[kFieldSize][kFieldSize] = {};
    int enemyDecks = 0, enemyShips = 0, homeDecks = 0, homeShips = 0;
    if (!LayOwnedShips(g.EnemyFleet, kFleetShips, enemyOwner) || !LayOwnedShips(g.HomeFleet, g.PlacedShipCount, homeOwner) ||
        !BoardMatchesFleet(g.EnemyBoard, g.EnemyFleet, enemyOwner, battle, kEnemyCodes, enemyDecks, enemyShips) ||
        !BoardMatchesFleet(g.HomeBoard, g.HomeFleet, homeOwner, battle, kHomeCodes, homeDecks, homeShips) ||
        !DeadZoneBesideSunk(g.EnemyBoard, g.EnemyFleet, enemyOwner) || !LastShotFits(g.EnemyBoard, g.LastShot[EnemySide], kEnemyCodes) ||
        !LastShotFits(g.HomeBoard, g.LastShot[HomeSide], kHomeCodes))
        return false;
    // While placing, the player's counters stand full whatever is laid.
    if (!battle)
        homeDecks = kFleetDecks, homeShips = kFleetShips;
    return g.EnemyDecksLeft == enemyDecks && g.EnemyShipsLeft == enemyShips && g.HomeDecksLeft == homeDecks &&
           g.HomeShipsLeft == homeShips && enemyDecks > 0 && homeDecks > 0;
}

} // namespace

bool BattleKeepable(const GameState& game)
{
    return game.Opponent == ComputerOpponent && (game.GamePhase == Placement || game.GamePhase == Battle);
}

bool EncodeBattle(const GameState& game, uint32_t serial, uint8_t (&bytes)[kSavedBattleSize])
{
    if (!BattleKeepable(game))
        return false;
    std::memset(bytes, 0, sizeof bytes);
    Put16(bytes + kVersionAt, kSavedBattleVersion);
    Put16(bytes + kSizeAt, kSavedBattleSize);
    Put32(bytes + kSerialAt, serial);
    bytes[kPhaseAt] = static_cast<uint8_t>(game.GamePhase);
    bytes[kTurnAt] = game.OpponentTurn;
    // A hand-edited store's level plays as the level whose rules it matches, and is kept as that.
    const int level = game.Rules.SkillLevel;
    bytes[kLevelAt] = static_cast<uint8_t>(level <= 1 ? 1 : level == 3 ? 3 : 2);
    bytes[kMarksAt] = static_cast<uint8_t>(game.Rules.MarkDeadShips | game.Rules.MarkDeadZone << 1);
    bytes[kPlacedAt] = static_cast<uint8_t>(game.PlacedShipCount);
    bytes[kHuntAt] = game.HuntActive;
    bytes[kStackCountAt] = static_cast<uint8_t>(game.TargetStack.count);
    for (int i = 0; i < game.TargetStack.count && i < 4; ++i) {
        bytes[kStackAt + 2 * i] = static_cast<uint8_t>(game.TargetStack.entries[i].x);
        bytes[kStackAt + 2 * i + 1] = static_cast<uint8_t>(game.TargetStack.entries[i].y);
    }
    for (int side = 0; side < 2; ++side) {
        bytes[kLastShotAt + 2 * side] = static_cast<uint8_t>(game.LastShot[side].x);
        bytes[kLastShotAt + 2 * side + 1] = static_cast<uint8_t>(game.LastShot[side].y);
    }
    Put32(bytes + kDiceAt, game.DiceState);
    const int32_t counters[4] = {game.EnemyDecksLeft, game.HomeDecksLeft, game.EnemyShipsLeft, game.HomeShipsLeft};
    for (int i = 0; i < 4; ++i)
        bytes[kCountersAt + i] = static_cast<uint8_t>(counters[i]);
    for (int x = 0; x < kFieldSize; ++x)
        for (int y = 0; y < kFieldSize; ++y) {
            bytes[kEnemyBoardAt + x * kFieldSize + y] = static_cast<uint8_t>(game.EnemyBoard[x][y]);
            bytes[kHomeBoardAt + x * kFieldSize + y] = static_cast<uint8_t>(game.HomeBoard[x][y]);
        }
    for (int s = 0; s < kFleetShips; ++s) {
        uint8_t* enemy = bytes + kEnemyFleetAt + 3 * s;
        enemy[0] = static_cast<uint8_t>(game.EnemyFleet[s].deckX[0]);
        enemy[1] = static_cast<uint8_t>(game.EnemyFleet[s].deckY[0]);
        enemy[2] = static_cast<uint8_t>(DirectionOf(game.EnemyFleet[s]));
        if (s < game.PlacedShipCount) {
            uint8_t* home = bytes + kHomeShipsAt + 3 * s;
            home[0] = static_cast<uint8_t>(game.PlacedShips[s].column);
            home[1] = static_cast<uint8_t>(game.PlacedShips[s].row);
            home[2] = static_cast<uint8_t>(game.PlacedShips[s].orientation);
        }
    }
    Put32(bytes + kChecksumAt, Checksum(bytes, kChecksumAt));
    return true;
}

bool DecodeBattle(const uint8_t* bytes, size_t size, GameState& game, uint32_t& serial)
{
    // Read into a copy, so that a refusal leaves the game untouched. On the stack, not the
    // heap: the program links no operator new (its failure would throw).
    GameState g = game;
    if (!bytes || !ReadHeader(bytes, size, g) || !ReadFleets(bytes, g) || !FollowsRules(g))
        return false;
    g.Opponent = ComputerOpponent;
    g.Network = {};
    game = g;
    serial = Get32(bytes + kSerialAt);
    return true;
}

uint32_t BattleChecksum(const uint8_t* bytes, size_t size)
{
    return Checksum(bytes, size);
}
