// A game against a partner over the network: the messages in and out, what each may do when,
// and the partner's side of the game's course.
#include <cstring>

#include "game/game.h"
#include "game/network.h"
#include "game/opponent.h"
#include "game/protocol.h"
#include "game/referee.h"
#include "game/shots.h"
#include "game/view.h"

namespace {

// How long a partner may think before the player is told that the program waits for it.
constexpr int kPartnerPatienceMs = 10000;

void Send(GameState& game, const Message& message)
{
    const size_t size = EncodeMessage(message, game.Network.frame);
    if (size > 0)
        game.Port->send(game.Network.frame, size);
}

// The stop of a game with no winner. The partner hears why unless it has gone already.
void StopNetworkGame(GameState& game, NetworkEnd why)
{
    if (why != PartnerLeft && why != ConnectionLost && why != PartnerDeclined) {
        game.Network.outgoing.type = ByeMessage;
        game.Network.outgoing.reason = static_cast<uint8_t>(why);
        Send(game, game.Network.outgoing);
    }
    if (why != ConnectionLost)
        game.Port->hangUp();
    game.Network.running = false;
    CloseGame(game);
    game.GamePhase = GameOver;   // also before the partner's hello, when no game was begun
    SettleBattle(game);          // the wait for another game stops too
    game.View->networkStopped(why);
}

bool FleetGone(const GameState& game)
{
    return game.EnemyDecksLeft == 0 || game.HomeDecksLeft == 0;
}

void SendCoin(GameState& game)
{
    game.Network.outgoing.type = CoinMessage;
    std::memcpy(game.Network.outgoing.coinSalt, game.Network.ours.coinSalt, kSaltSize);
    game.Network.outgoing.coinBit = game.Network.ours.coinBit;
    Send(game, game.Network.outgoing);
}

void SendReveal(GameState& game)
{
    game.Network.outgoing.type = RevealMessage;
    std::memcpy(game.Network.outgoing.contents, game.Network.ours.contents, sizeof game.Network.outgoing.contents);
    std::memcpy(game.Network.outgoing.salts, game.Network.ours.salts, sizeof game.Network.outgoing.salts);
    Send(game, game.Network.outgoing);
}

void RevealOwnCell(GameState& game, RevealedCell& cell, int x, int y)
{
    const int i = y * kFieldSize + x;
    cell.column = static_cast<uint8_t>(x);
    cell.row = static_cast<uint8_t>(y);
    cell.content = game.Network.ours.contents[i];
    std::memcpy(cell.salt, game.Network.ours.salts[i], kSaltSize);
}

// The answer to the partner's shot: the cell, and for a sinking the water beyond the ship.
void SendAnswer(GameState& game, int x, int y, ShotResult result)
{
    game.Network.outgoing.type = AnswerMessage;
    game.Network.outgoing.column = static_cast<uint8_t>(x);
    game.Network.outgoing.row = static_cast<uint8_t>(y);
    game.Network.outgoing.result = static_cast<uint8_t>(result);
    game.Network.outgoing.count = 1;
    RevealOwnCell(game, game.Network.outgoing.cells[0], x, y);
    const int ship = result == ShotSunk ? ShipThrough(game.HomeFleet, x, y) : -1;
    if (ship >= 0) {   // the water beyond the sunk ship
        TargetCell beyond[4];
        const int ends = CellsBeyondShip(game.HomeFleet[ship], beyond);
        for (int i = 0; i < ends; ++i)
            RevealOwnCell(game, game.Network.outgoing.cells[game.Network.outgoing.count++], beyond[i].x, beyond[i].y);
    }
    Send(game, game.Network.outgoing);
}

void ReceiveHello(GameState& game, const Message& hello)
{
    std::memcpy(game.Network.partnerName, hello.name, sizeof game.Network.partnerName);
    game.Network.greeted = true;
    BeginGameAgainst(game, PartnerOpponent);
    game.View->partnerChanged();
}

// Whether the Ready makes a commitment twice, or one already made on this connection: ours of
// this game, or either side's of the game before. Fresh salts never repeat one.
bool RepeatsACommitment(const NetworkGameState& network, const Message& ready)
{
    const uint8_t* made[4 * (kFieldCells + 1)];
    int count = 0;
    for (const auto& digest : ready.commitments)
        made[count++] = digest;
    made[count++] = ready.coinCommitment;
    const int partners = count;
    if (network.readySent) {
        for (const auto& digest : network.ourCommitments)
            made[count++] = digest;
        made[count++] = network.ourCoinCommitment;
    }
    if (network.earlierKept)
        for (const auto& digest : network.earlier)
            made[count++] = digest;
    for (int i = 0; i < partners; ++i)
        for (int j = i + 1; j < count; ++j)
            if (std::memcmp(made[i], made[j], kDigestSize) == 0)
                return true;
    return false;
}

void ReceiveReady(GameState& game, const Message& ready)
{
    if (game.Network.readyReceived || game.GamePhase != Placement || RepeatsACommitment(game.Network, ready))
        return StopNetworkGame(game, BrokenMessage);
    std::memcpy(game.Network.commitments, ready.commitments, sizeof game.Network.commitments);
    std::memcpy(game.Network.coinCommitment, ready.coinCommitment, kDigestSize);
    game.Network.readyReceived = true;
    if (game.Network.readySent)
        SendCoin(game);
    game.View->partnerChanged();
}

void ReceiveCoin(GameState& game, const Message& coin)
{
    // A copy of our own commitment or coin would force the bits equal.
    const bool copied = std::memcmp(game.Network.coinCommitment, game.Network.ourCoinCommitment, kDigestSize) == 0 ||
                        (std::memcmp(coin.coinSalt, game.Network.ours.coinSalt, kSaltSize) == 0 &&
                         coin.coinBit == game.Network.ours.coinBit);
    if (!game.Network.readySent || !game.Network.readyReceived || game.Network.coinReceived || copied)
        return StopNetworkGame(game, BrokenMessage);
    const Proof proof = CheckCommitment(*game.Port, game.Network.coinCommitment, coin.coinSalt, coin.coinBit);
    if (proof != Proven)
        return StopNetworkGame(game, proof == CannotHash ? NoCrypto : PartnerLied);
    game.Network.coinReceived = true;
    // Equal bits: the host fires first; different bits: the joiner.
    game.OpponentTurn = (coin.coinBit == game.Network.ours.coinBit) != game.Network.hosting;
    BeginBattle(game);
}

void ReceiveShot(GameState& game, const Message& shot)
{
    const int32_t cell = game.HomeBoard[shot.column][shot.row];
    if (game.GamePhase != Battle || !game.OpponentTurn || FleetGone(game) || (cell != Water && cell != Deck))
        return StopNetworkGame(game, BrokenMessage);
    const ShotResult result = OpponentFiresAt(game, shot.column, shot.row);
    SendAnswer(game, shot.column, shot.row, result);
    if (game.HomeDecksLeft == 0)
        SendReveal(game);
}

// Every revealed cell against its commitment, and what the shot cell holds against the result.
Proof CheckRevealedCells(GameState& game, const Message& answer)
{
    if (answer.cells[0].content != (answer.result != ShotMissed))
        return Disproven;
    for (int i = 0; i < answer.count; ++i) {
        const RevealedCell& cell = answer.cells[i];
        const int index = cell.row * kFieldSize + cell.column;
        const Proof proof = CheckCommitment(*game.Port, game.Network.commitments[index], cell.salt, cell.content);
        if (proof != Proven)
            return proof;
    }
    return Proven;
}

void ReceiveAnswer(GameState& game, const Message& answer)
{
    const int x = answer.column, y = answer.row;
    const NetworkGameState& network = game.Network;
    if (!network.shotOutstanding || x != network.shotColumn || y != network.shotRow || answer.cells[0].column != x ||
        answer.cells[0].row != y || (answer.result != ShotSunk && answer.count != 1))
        return StopNetworkGame(game, BrokenMessage);
    Proof proof = CheckRevealedCells(game, answer);
    ShipRecord sunk;
    if (proof == Proven && answer.result == ShotSunk && !SinkingFitsHits(game.EnemyBoard, game.EnemyFleet, answer, sunk))
        proof = Disproven;
    if (proof != Proven)
        return StopNetworkGame(game, proof == CannotHash ? NoCrypto : PartnerLied);
    game.Network.shotOutstanding = false;
    game.Network.answers[game.Network.answerCount++] = {answer.column, answer.row, answer.result};
    if (answer.result == ShotMissed)
        return MissEnemyCell(game, x, y);
    HitEnemyCell(game, x, y);
    if (answer.result == ShotSunk) {
        game.EnemyShipsLeft -= 1;
        game.EnemyFleet[kFleetShips - 1 - game.EnemyShipsLeft] = sunk;
        MarkSunkEnemyShip(game, sunk);
    }
    game.View->shotResolved(PlayerShooter, static_cast<ShotResult>(answer.result));
    if (game.EnemyDecksLeft == 0)
        SendReveal(game);
}

// The partner's fleet for the end: its ships into the records, afloat by the decks not hit,
// and those decks onto the EnemyBoard as in a game against the computer.
void TakeRevealedFleet(GameState& game, const ShipRecord (&fleet)[kFleetShips])
{
    for (int s = 0; s < kFleetShips; ++s) {
        ShipRecord& ship = game.EnemyFleet[s] = fleet[s];
        for (int k = 0; k < ship.size; ++k) {
            int32_t& cell = game.EnemyBoard[ship.deckX[k]][ship.deckY[k]];
            if (cell == EnemyHit || cell == Sunk)
                ship.decksLeft -= 1;
            else
                cell = Deck;
        }
        if (ship.decksLeft == 0)
            ship.decksLeft = -1;
    }
}

void ReceiveReveal(GameState& game, const Message& reveal)
{
    if (game.GamePhase != Battle || !FleetGone(game))
        return StopNetworkGame(game, BrokenMessage);
    for (int i = 0; i < kFieldCells; ++i) {
        const Proof proof = CheckCommitment(*game.Port, game.Network.commitments[i], reveal.salts[i], reveal.contents[i]);
        if (proof != Proven)
            return StopNetworkGame(game, proof == CannotHash ? NoCrypto : PartnerLied);
    }
    ShipRecord fleet[kFleetShips] = {};
    if (!ReadFleet(reveal.contents, fleet) || !ReplayAnswers(fleet, game.Network.answers, game.Network.answerCount))
        return StopNetworkGame(game, PartnerLied);
    TakeRevealedFleet(game, fleet);
    game.Network.ended = true;
    EndGame(game, game.EnemyDecksLeft == 0);
}

// The connection and the partner stay; everything of the game before goes, its secrets first.
void BeginNextGame(GameState& game)
{
    NetworkGameState next;
    next.running = next.greeted = true;
    next.hosting = game.Network.hosting;
    std::memcpy(next.partnerName, game.Network.partnerName, sizeof next.partnerName);
    next.reader = game.Network.reader;
    std::memcpy(next.earlier, game.Network.commitments, sizeof game.Network.commitments);
    std::memcpy(next.earlier[kFieldCells], game.Network.coinCommitment, kDigestSize);
    std::memcpy(next.earlier[kFieldCells + 1], game.Network.ourCommitments, sizeof game.Network.ourCommitments);
    std::memcpy(next.earlier[2 * kFieldCells + 1], game.Network.ourCoinCommitment, kDigestSize);
    next.earlierKept = true;
    game.Network = next;
    BeginGameAgainst(game, PartnerOpponent);
    SettleBattle(game);
    game.View->partnerChanged();
}

void ReceiveAgain(GameState& game)
{
    if (!game.Network.ended || game.Network.againReceived)
        return StopNetworkGame(game, BrokenMessage);
    game.Network.againReceived = true;
    if (game.Network.againSent)
        return BeginNextGame(game);
    game.View->partnerChanged();
}

// The first frame must be a hello of this protocol and version.
void ReceiveFirstFrame(GameState& game, Decoding decoding, const Message& message)
{
    if (message.type != HelloMessage || decoding == NotThisProtocol)
        return StopNetworkGame(game, ForeignProgram);
    if (decoding != MessageDecoded)
        return StopNetworkGame(game, decoding == AnotherVersion ? OtherVersion : BrokenMessage);
    ReceiveHello(game, message);
}

// The partner's move came, or was late: the player sees which.
void SetOverdue(GameState& game, bool overdue)
{
    if (game.Network.overdue == overdue)
        return;
    game.Network.overdue = overdue;
    game.View->partnerChanged();
}

// In battle, the partner's shot on its turn, or its answer to the player's; after the end, its
// answer to the player's offer of another game.
int PatienceMs(const GameState& game)
{
    const bool awaited = game.GamePhase == Battle ? game.OpponentTurn || game.Network.shotOutstanding
                                                  : game.Network.running && game.Network.againSent && !game.Network.againReceived;
    return awaited && !game.Network.overdue ? kPartnerPatienceMs : 0;
}

void ReceiveFrame(GameState& game, const uint8_t* frame, size_t length)
{
    const Decoding decoding = DecodeFrame(frame, length, game.Network.incoming);
    if (!game.Network.greeted)
        return ReceiveFirstFrame(game, decoding, game.Network.incoming);
    if (decoding != MessageDecoded)
        return StopNetworkGame(game, BrokenMessage);
    switch (game.Network.incoming.type) {
    case ReadyMessage: return ReceiveReady(game, game.Network.incoming);
    case CoinMessage: return ReceiveCoin(game, game.Network.incoming);
    case ShotMessage: return ReceiveShot(game, game.Network.incoming);
    case AnswerMessage: return ReceiveAnswer(game, game.Network.incoming);
    case RevealMessage: return ReceiveReveal(game, game.Network.incoming);
    case AgainMessage: return ReceiveAgain(game);
    case ByeMessage: return StopNetworkGame(game, game.Network.ended ? PartnerDeclined : PartnerLeft);
    default: return StopNetworkGame(game, BrokenMessage);   // a second hello
    }
}

// The player's fleet is down: it is promised, and the coin follows when both are.
void PromiseFleet(GameState& game)
{
    if (game.Network.readySent)
        return;
    if (!CommitToFleet(*game.Port, game.HomeBoard, game.Network.ours, game.Network.outgoing))
        return StopNetworkGame(game, NoCrypto);
    std::memcpy(game.Network.ourCoinCommitment, game.Network.outgoing.coinCommitment, kDigestSize);
    std::memcpy(game.Network.ourCommitments, game.Network.outgoing.commitments, sizeof game.Network.ourCommitments);
    Send(game, game.Network.outgoing);
    game.Network.readySent = true;
    if (game.Network.readyReceived)
        SendCoin(game);
}

void FireAtPartner(GameState& game, int x, int y)
{
    game.Network.outgoing.type = ShotMessage;
    game.Network.outgoing.column = static_cast<uint8_t>(x);
    game.Network.outgoing.row = static_cast<uint8_t>(y);
    Send(game, game.Network.outgoing);
    game.Network.shotOutstanding = true;
    game.Network.shotColumn = game.Network.outgoing.column;
    game.Network.shotRow = game.Network.outgoing.row;
}

void ClearEnemyFleet(GameState& game)
{
    for (ShipRecord& ship : game.EnemyFleet)
        ship = ShipRecord{};
}

}  // namespace

// The partner's shots come as messages, the battle begins with the coin, and the end waits
// for the partner's fleet to be revealed.
// Once Ready has gone the partner holds the fleet's commitment: no ship may move.
static bool MayTakeBackBeforeReady(const GameState& game)
{
    return !game.Network.readySent;
}

static bool MayFireWhileNothingAwaited(const GameState& game)
{
    return !game.Network.shotOutstanding && !FleetGone(game);
}

static void PartnerIsOverdue(GameState& game)
{
    SetOverdue(game, true);
}

const OpponentPlay kPartnerPlay = {
    ClearEnemyFleet,              // layFleet
    MayTakeBackBeforeReady,       // mayTakeBack
    MayFireWhileNothingAwaited,   // mayFire
    FireAtPartner,                // fire
    PatienceMs,                   // waitMs
    PartnerIsOverdue,             // waited
    PromiseFleet,                 // fleetLaid
    false,                        // decksEndGame
};

NetworkPort* GameState::ReachingNoPartner()
{
    static NetworkPort none;
    return &none;
}

void StartNetworkGame(GameState& game, bool hosting, const char* playerNameUtf8)
{
    LeaveNetworkGame(game);
    game.Network = NetworkGameState{};
    game.Network.running = true;
    game.Network.hosting = hosting;
    game.Network.outgoing.type = HelloMessage;
    game.Network.outgoing.version = kProtocolVersion;
    const size_t size = playerNameUtf8 ? std::strlen(playerNameUtf8) : 0;
    const bool valid = size <= kMaxNameBytes && ValidPartnerName(reinterpret_cast<const uint8_t*>(playerNameUtf8), size);
    std::strcpy(game.Network.outgoing.name, valid ? playerNameUtf8 : "?");   // a hello the partner would refuse never goes
    Send(game, game.Network.outgoing);
}

void ReceivePartnerBytes(GameState& game, const uint8_t* bytes, size_t size)
{
    while (game.Network.running && size > 0) {
        const size_t taken = game.Network.reader.take(bytes, size);
        bytes += taken;
        size -= taken;
        if (game.Network.reader.refused())
            return StopNetworkGame(game, game.Network.greeted ? BrokenMessage : ForeignProgram);
        if (game.Network.reader.complete()) {
            ReceiveFrame(game, game.Network.reader.frame(), game.Network.reader.length());
            game.Network.reader.next();
            if (game.Network.running) {
                SetOverdue(game, false);
                RestartOpponentWait(game);
            }
        }
    }
}

void LosePartner(GameState& game)
{
    if (game.Network.running)
        StopNetworkGame(game, game.Network.ended ? PartnerDeclined : ConnectionLost);
}

void LeaveNetworkGame(GameState& game)
{
    if (game.Network.running)
        StopNetworkGame(game, PlayerLeft);
}

bool NetworkGameRunning(const GameState& game)
{
    return game.Network.running;
}

bool BetweenNetworkGames(const GameState& game)
{
    return game.Network.running && game.Network.ended;
}

void OfferAnotherGame(GameState& game)
{
    if (!BetweenNetworkGames(game) || game.Network.againSent)
        return;
    game.Network.outgoing.type = AgainMessage;
    Send(game, game.Network.outgoing);
    game.Network.againSent = true;
    if (game.Network.againReceived)
        return BeginNextGame(game);
    SettleBattle(game);
    game.View->partnerChanged();
}

bool AwaitingAnotherGame(const GameState& game)
{
    return BetweenNetworkGames(game) && game.Network.againSent;
}

const char* PartnerName(const GameState& game)
{
    return game.Network.partnerName;
}

bool PartnerPlacing(const GameState& game)
{
    return !game.Network.readyReceived;
}

bool AwaitingHello(const GameState& game)
{
    return game.Network.running && !game.Network.greeted;
}

bool PartnerOverdue(const GameState& game)
{
    return game.Network.overdue;
}
