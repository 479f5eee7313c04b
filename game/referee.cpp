#include "game/referee.h"

#include <cstring>

#include "game/board.h"

static bool Digest(NetworkPort& port, const uint8_t* salt, uint8_t content, uint8_t (&digest)[kDigestSize])
{
    uint8_t bytes[kSaltSize + 1];
    std::memcpy(bytes, salt, kSaltSize);
    bytes[kSaltSize] = content;
    return port.hash(bytes, sizeof bytes, digest);
}

bool CommitToFleet(NetworkPort& port, const Board home, Secrets& secrets, Message& ready)
{
    uint8_t drawn[sizeof secrets.salts + kSaltSize + 1];
    if (!port.randomBytes(drawn, sizeof drawn))
        return false;
    std::memcpy(secrets.salts, drawn, sizeof secrets.salts);
    std::memcpy(secrets.coinSalt, drawn + sizeof secrets.salts, kSaltSize);
    secrets.coinBit = drawn[sizeof drawn - 1] & 1;
    ready.type = ReadyMessage;
    for (int i = 0; i < kFieldCells; ++i) {
        secrets.contents[i] = home[i % kFieldSize][i / kFieldSize] == Deck;
        if (!Digest(port, secrets.salts[i], secrets.contents[i], ready.commitments[i]))
            return false;
    }
    return Digest(port, secrets.coinSalt, secrets.coinBit, ready.coinCommitment);
}

Proof CheckCommitment(NetworkPort& port, const uint8_t (&digest)[kDigestSize], const uint8_t* salt, uint8_t content)
{
    uint8_t made[kDigestSize];
    if (!Digest(port, salt, content, made))
        return CannotHash;
    return std::memcmp(made, digest, kDigestSize) == 0 ? Proven : Disproven;
}

// The decks touching cell `first`, even at a corner; `seen` marks them. Returns how many,
// or more than a ship may have once it passes that.
static int GatherShip(const uint8_t (&contents)[kFieldCells], int first, bool (&seen)[kFieldCells],
                      int (&cells)[kLargestShip])
{
    int pending[kFieldCells], waiting = 0, count = 0;
    pending[waiting++] = first;
    seen[first] = true;
    while (waiting > 0 && count <= kLargestShip) {
        const int cell = pending[--waiting];
        if (count < kLargestShip)
            cells[count] = cell;
        ++count;
        for (const PlaceStep& step : kNeighbourSteps) {
            const int x = cell % kFieldSize + step.dx, y = cell / kFieldSize + step.dy;
            if (InField(x, y) && contents[y * kFieldSize + x] && !seen[y * kFieldSize + x]) {
                seen[y * kFieldSize + x] = true;
                pending[waiting++] = y * kFieldSize + x;
            }
        }
    }
    return count;
}

bool ReadFleet(const uint8_t (&contents)[kFieldCells], ShipRecord (&fleet)[kFleetShips])
{
    bool seen[kFieldCells] = {};
    int ofSize[kLargestShip + 1] = {}, ships = 0;
    for (int first = 0; first < kFieldCells; ++first) {
        if (!contents[first] || seen[first])
            continue;
        int cells[kLargestShip];
        const int size = GatherShip(contents, first, seen, cells);
        if (size > kLargestShip || ofSize[size] == ShipsOfSize(size))
            return false;
        int left = kFieldSize, top = kFieldSize, right = -1, bottom = -1;
        for (int k = 0; k < size; ++k) {
            const int x = cells[k] % kFieldSize, y = cells[k] / kFieldSize;
            left = x < left ? x : left, right = x > right ? x : right;
            top = y < top ? y : top, bottom = y > bottom ? y : bottom;
        }
        if ((left != right || bottom - top + 1 != size) && (top != bottom || right - left + 1 != size))
            return false;   // not straight
        // The records run largest first: a ship of `size` follows every larger one.
        int record = ofSize[size]++;
        for (int larger = size + 1; larger <= kLargestShip; ++larger)
            record += ShipsOfSize(larger);
        fleet[record] = MakeShip(left, top, {left != right, top != bottom}, size);
        ++ships;
    }
    return ships == kFleetShips;
}

bool ReplayAnswers(const ShipRecord (&fleet)[kFleetShips], const AnsweredShot* answers, int count)
{
    int hits[kFleetShips] = {};
    for (int i = 0; i < count; ++i) {
        const int ship = ShipThrough(fleet, answers[i].column, answers[i].row);
        if (ship < 0) {
            if (answers[i].result != ShotMissed)
                return false;
            continue;
        }
        const bool sinks = ++hits[ship] == fleet[ship].size;
        if (answers[i].result != (sinks ? ShotSunk : ShotHit))
            return false;
    }
    return true;
}

bool SinkingFitsHits(const Board enemy, const ShipRecord (&enemyFleet)[kFleetShips], const Message& answer,
                     ShipRecord& ship)
{
    const int x = answer.column, y = answer.row;
    const auto hit = [&](int cx, int cy) {
        const int32_t cell = CellAt(enemy, cx, cy);
        return (cx == x && cy == y) || cell == EnemyHit || cell == Sunk;
    };
    int reach[4] = {};   // hits beyond the shot, by direction
    for (int d = Up; d <= Right; ++d)
        while (reach[d] < kLargestShip &&
               hit(x + kDirectionSteps[d].dx * (reach[d] + 1), y + kDirectionSteps[d].dy * (reach[d] + 1)))
            ++reach[d];
    const int down = reach[Up] + reach[Down], across = reach[Left] + reach[Right], length = 1 + down + across;
    if ((down > 0 && across > 0) || length > kLargestShip)
        return false;
    int sunkOfSize = 0;
    for (const ShipRecord& sunk : enemyFleet)
        sunkOfSize += sunk.decksLeft < 0 && sunk.size == length;
    if (sunkOfSize >= ShipsOfSize(length))
        return false;
    ship = MakeShip(x - reach[Left], y - reach[Up], {across > 0, down > 0}, length);
    ship.decksLeft = -1;
    TargetCell beyond[4];
    const int ends = CellsBeyondShip(ship, beyond);
    if (answer.count != 1 + ends)
        return false;
    bool shown[4] = {};
    for (int i = 1; i < answer.count; ++i) {
        int end = 0;
        while (end < ends && (beyond[end].x != answer.cells[i].column || beyond[end].y != answer.cells[i].row))
            ++end;
        if (end == ends || shown[end] || answer.cells[i].content != 0)
            return false;
        shown[end] = true;
    }
    return true;
}
