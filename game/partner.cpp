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

void SendNothing(const uint8_t*, size_t) {}
void HangUpNothing() {}
bool NoHash(const uint8_t*, size_t, uint8_t (&)[kDigestSize])
{
    return false;
}
bool NoRandomBytes(uint8_t*, size_t)
{
    return false;
}

// Until the shell installs its port, a network game stops for want of crypto.
NetworkPort Port = {SendNothing, HangUpNothing, NoHash, NoRandomBytes};

void Send(const Message& message)
{
    const size_t size = EncodeMessage(message, Network.frame);
    if (size > 0)
        Port.send(Network.frame, size);
}

// The stop of a game with no winner. The partner hears why unless it has gone already.
void StopNetworkGame(NetworkEnd why)
{
    if (why != PartnerLeft && why != ConnectionLost && why != PartnerDeclined) {
        Network.outgoing.type = ByeMessage;
        Network.outgoing.reason = static_cast<uint8_t>(why);
        Send(Network.outgoing);
    }
    if (why != ConnectionLost)
        Port.hangUp();
    Network.running = false;
    CloseGame();
    Game.GamePhase = GameOver;   // also before the partner's hello, when no game was begun
    View().networkStopped(why);
}

bool FleetGone()
{
    return Game.EnemyDecksLeft == 0 || Game.HomeDecksLeft == 0;
}

void SendCoin()
{
    Network.outgoing.type = CoinMessage;
    std::memcpy(Network.outgoing.coinSalt, Network.ours.coinSalt, kSaltSize);
    Network.outgoing.coinBit = Network.ours.coinBit;
    Send(Network.outgoing);
}

void SendReveal()
{
    Network.outgoing.type = RevealMessage;
    std::memcpy(Network.outgoing.contents, Network.ours.contents, sizeof Network.outgoing.contents);
    std::memcpy(Network.outgoing.salts, Network.ours.salts, sizeof Network.outgoing.salts);
    Send(Network.outgoing);
}

void RevealOwnCell(RevealedCell& cell, int x, int y)
{
    const int i = y * kFieldSize + x;
    cell.column = static_cast<uint8_t>(x);
    cell.row = static_cast<uint8_t>(y);
    cell.content = Network.ours.contents[i];
    std::memcpy(cell.salt, Network.ours.salts[i], kSaltSize);
}

// The answer to the partner's shot: the cell, and for a sinking the water beyond the ship.
void SendAnswer(int x, int y, ShotResult result)
{
    Network.outgoing.type = AnswerMessage;
    Network.outgoing.column = static_cast<uint8_t>(x);
    Network.outgoing.row = static_cast<uint8_t>(y);
    Network.outgoing.result = static_cast<uint8_t>(result);
    Network.outgoing.count = 1;
    RevealOwnCell(Network.outgoing.cells[0], x, y);
    const int ship = result == ShotSunk ? ShipThrough(Game.HomeFleet, x, y) : -1;
    if (ship >= 0) {   // the water beyond the sunk ship
        TargetCell beyond[4];
        const int ends = CellsBeyondShip(Game.HomeFleet[ship], beyond);
        for (int i = 0; i < ends; ++i)
            RevealOwnCell(Network.outgoing.cells[Network.outgoing.count++], beyond[i].x, beyond[i].y);
    }
    Send(Network.outgoing);
}

void ReceiveHello(const Message& hello)
{
    std::memcpy(Network.partnerName, hello.name, sizeof Network.partnerName);
    Network.greeted = true;
    BeginGameAgainst(PartnerOpponent);
    View().partnerChanged();
}

void ReceiveReady(const Message& ready)
{
    if (Network.readyReceived || Game.GamePhase != Placement)
        return StopNetworkGame(BrokenMessage);
    std::memcpy(Network.commitments, ready.commitments, sizeof Network.commitments);
    std::memcpy(Network.coinCommitment, ready.coinCommitment, kDigestSize);
    Network.readyReceived = true;
    if (Network.readySent)
        SendCoin();
    View().partnerChanged();
}

void ReceiveCoin(const Message& coin)
{
    // A copy of our own commitment or coin would force the bits equal.
    const bool copied = std::memcmp(Network.coinCommitment, Network.ourCoinCommitment, kDigestSize) == 0 ||
                        (std::memcmp(coin.coinSalt, Network.ours.coinSalt, kSaltSize) == 0 &&
                         coin.coinBit == Network.ours.coinBit);
    if (!Network.readySent || !Network.readyReceived || Network.coinReceived || copied)
        return StopNetworkGame(BrokenMessage);
    const Proof proof = CheckCommitment(Port.hash, Network.coinCommitment, coin.coinSalt, coin.coinBit);
    if (proof != Proven)
        return StopNetworkGame(proof == CannotHash ? NoCrypto : PartnerLied);
    Network.coinReceived = true;
    // Equal bits: the host fires first; different bits: the joiner.
    Game.ComputerTurn = (coin.coinBit == Network.ours.coinBit) != Network.hosting;
    BeginBattle();
}

void ReceiveShot(const Message& shot)
{
    const int32_t cell = Game.HomeBoard[shot.column][shot.row];
    if (Game.GamePhase != Battle || !Game.ComputerTurn || FleetGone() || (cell != Water && cell != Deck))
        return StopNetworkGame(BrokenMessage);
    const ShotResult result = OpponentFiresAt(shot.column, shot.row);
    SendAnswer(shot.column, shot.row, result);
    if (Game.HomeDecksLeft == 0)
        SendReveal();
}

// Every revealed cell against its commitment, and what the shot cell holds against the result.
Proof CheckRevealedCells(const Message& answer)
{
    if (answer.cells[0].content != (answer.result != ShotMissed))
        return Disproven;
    for (int i = 0; i < answer.count; ++i) {
        const RevealedCell& cell = answer.cells[i];
        const int index = cell.row * kFieldSize + cell.column;
        const Proof proof = CheckCommitment(Port.hash, Network.commitments[index], cell.salt, cell.content);
        if (proof != Proven)
            return proof;
    }
    return Proven;
}

void ReceiveAnswer(const Message& answer)
{
    const int x = answer.column, y = answer.row;
    if (!Network.shotOutstanding || x != Network.shotColumn || y != Network.shotRow || answer.cells[0].column != x ||
        answer.cells[0].row != y || (answer.result != ShotSunk && answer.count != 1))
        return StopNetworkGame(BrokenMessage);
    Proof proof = CheckRevealedCells(answer);
    ShipRecord sunk;
    if (proof == Proven && answer.result == ShotSunk && !SinkingFitsHits(answer, sunk))
        proof = Disproven;
    if (proof != Proven)
        return StopNetworkGame(proof == CannotHash ? NoCrypto : PartnerLied);
    Network.shotOutstanding = false;
    Network.answers[Network.answerCount++] = {answer.column, answer.row, answer.result};
    if (answer.result == ShotMissed)
        return MissEnemyCell(x, y);
    HitEnemyCell(x, y);
    if (answer.result == ShotSunk) {
        Game.EnemyShipsLeft -= 1;
        Game.EnemyFleet[kFleetShips - 1 - Game.EnemyShipsLeft] = sunk;
        MarkSunkEnemyShip(sunk);
    }
    View().shotResolved(PlayerShooter, static_cast<ShotResult>(answer.result));
    if (Game.EnemyDecksLeft == 0)
        SendReveal();
}

// The partner's fleet for the end: its ships into the records, afloat by the decks not hit,
// and those decks onto the EnemyBoard as in a game against the computer.
void TakeRevealedFleet(const ShipRecord (&fleet)[kFleetShips])
{
    for (int s = 0; s < kFleetShips; ++s) {
        ShipRecord& ship = Game.EnemyFleet[s] = fleet[s];
        for (int k = 0; k < ship.size; ++k) {
            int32_t& cell = Game.EnemyBoard[ship.deckX[k]][ship.deckY[k]];
            if (cell == EnemyHit || cell == Sunk)
                ship.decksLeft -= 1;
            else
                cell = Deck;
        }
        if (ship.decksLeft == 0)
            ship.decksLeft = -1;
    }
}

void ReceiveReveal(const Message& reveal)
{
    if (Game.GamePhase != Battle || !FleetGone())
        return StopNetworkGame(BrokenMessage);
    for (int i = 0; i < kFieldCells; ++i) {
        const Proof proof = CheckCommitment(Port.hash, Network.commitments[i], reveal.salts[i], reveal.contents[i]);
        if (proof != Proven)
            return StopNetworkGame(proof == CannotHash ? NoCrypto : PartnerLied);
    }
    ShipRecord fleet[kFleetShips] = {};
    if (!ReadFleet(reveal.contents, fleet) || !ReplayAnswers(fleet, Network.answers, Network.answerCount))
        return StopNetworkGame(PartnerLied);
    TakeRevealedFleet(fleet);
    Network.ended = true;
    EndGame(Game.EnemyDecksLeft == 0);
}

// The connection and the partner stay; everything of the game before goes, its secrets first.
void BeginNextGame()
{
    NetworkGameState next;
    next.running = next.greeted = true;
    next.hosting = Network.hosting;
    std::memcpy(next.partnerName, Network.partnerName, sizeof next.partnerName);
    next.reader = Network.reader;
    Network = next;
    BeginGameAgainst(PartnerOpponent);
    View().partnerChanged();
}

void ReceiveAgain()
{
    if (!Network.ended || Network.againReceived)
        return StopNetworkGame(BrokenMessage);
    Network.againReceived = true;
    if (Network.againSent)
        return BeginNextGame();
    View().partnerChanged();
}

// The first frame must be a hello of this protocol and version.
void ReceiveFirstFrame(Decoding decoding, const Message& message)
{
    if (message.type != HelloMessage || decoding == NotThisProtocol)
        return StopNetworkGame(ForeignProgram);
    if (decoding != MessageDecoded)
        return StopNetworkGame(decoding == AnotherVersion ? OtherVersion : BrokenMessage);
    ReceiveHello(message);
}

// The partner's move came, or was late: the player sees which.
void SetOverdue(bool overdue)
{
    if (Network.overdue == overdue)
        return;
    Network.overdue = overdue;
    View().partnerChanged();
}

// In battle, the partner's shot on its turn, or its answer to the player's.
int PatienceMs()
{
    const bool awaited = Game.GamePhase == Battle && (Game.ComputerTurn || Network.shotOutstanding);
    return awaited && !Network.overdue ? kPartnerPatienceMs : 0;
}

void ReceiveFrame(const uint8_t* frame, size_t length)
{
    const Decoding decoding = DecodeFrame(frame, length, Network.incoming);
    if (!Network.greeted)
        return ReceiveFirstFrame(decoding, Network.incoming);
    if (decoding != MessageDecoded)
        return StopNetworkGame(BrokenMessage);
    switch (Network.incoming.type) {
    case ReadyMessage: return ReceiveReady(Network.incoming);
    case CoinMessage: return ReceiveCoin(Network.incoming);
    case ShotMessage: return ReceiveShot(Network.incoming);
    case AnswerMessage: return ReceiveAnswer(Network.incoming);
    case RevealMessage: return ReceiveReveal(Network.incoming);
    case AgainMessage: return ReceiveAgain();
    case ByeMessage: return StopNetworkGame(Network.ended ? PartnerDeclined : PartnerLeft);
    default: return StopNetworkGame(BrokenMessage);   // a second hello
    }
}

// The player's fleet is down: it is promised, and the coin follows when both are.
void PromiseFleet()
{
    if (Network.readySent)
        return;
    if (!CommitToFleet(Port, Network.ours, Network.outgoing))
        return StopNetworkGame(NoCrypto);
    std::memcpy(Network.ourCoinCommitment, Network.outgoing.coinCommitment, kDigestSize);
    Send(Network.outgoing);
    Network.readySent = true;
    if (Network.readyReceived)
        SendCoin();
}

void FireAtPartner(int x, int y)
{
    Network.outgoing.type = ShotMessage;
    Network.outgoing.column = static_cast<uint8_t>(x);
    Network.outgoing.row = static_cast<uint8_t>(y);
    Send(Network.outgoing);
    Network.shotOutstanding = true;
    Network.shotColumn = Network.outgoing.column;
    Network.shotRow = Network.outgoing.row;
}

void ClearEnemyFleet()
{
    for (ShipRecord& ship : Game.EnemyFleet)
        ship = ShipRecord{};
}

}  // namespace

// The partner's shots come as messages, the battle begins with the coin, and the end waits
// for the partner's fleet to be revealed.
const OpponentPlay kPartnerPlay = {
    ClearEnemyFleet,
    [] { return !Network.readySent; },
    [] { return !Network.shotOutstanding && !FleetGone(); },
    FireAtPartner,
    PatienceMs,
    [] { SetOverdue(true); },
    PromiseFleet,
    false,
};

void InstallNetworkPort(const NetworkPort& port)
{
    Port = port;
}

void StartNetworkGame(bool hosting, const char* playerNameUtf8)
{
    LeaveNetworkGame();
    ResetNetworkGame();
    Network.running = true;
    Network.hosting = hosting;
    Network.outgoing.type = HelloMessage;
    Network.outgoing.version = kProtocolVersion;
    const size_t size = playerNameUtf8 ? std::strlen(playerNameUtf8) : 0;
    const bool valid = size <= kMaxNameBytes && ValidPartnerName(reinterpret_cast<const uint8_t*>(playerNameUtf8), size);
    std::strcpy(Network.outgoing.name, valid ? playerNameUtf8 : "?");   // a hello the partner would refuse never goes
    Send(Network.outgoing);
}

void ReceivePartnerBytes(const uint8_t* bytes, size_t size)
{
    while (Network.running && size > 0) {
        const size_t taken = Network.reader.take(bytes, size);
        bytes += taken;
        size -= taken;
        if (Network.reader.refused())
            return StopNetworkGame(Network.greeted ? BrokenMessage : ForeignProgram);
        if (Network.reader.complete()) {
            ReceiveFrame(Network.reader.frame(), Network.reader.length());
            Network.reader.next();
            if (Network.running) {
                SetOverdue(false);
                RestartOpponentWait();
            }
        }
    }
}

void LosePartner()
{
    if (Network.running)
        StopNetworkGame(Network.ended ? PartnerDeclined : ConnectionLost);
}

void LeaveNetworkGame()
{
    if (Network.running)
        StopNetworkGame(PlayerLeft);
}

bool NetworkGameRunning()
{
    return Network.running;
}

bool BetweenNetworkGames()
{
    return Network.running && Network.ended;
}

void OfferAnotherGame()
{
    if (!BetweenNetworkGames() || Network.againSent)
        return;
    Network.outgoing.type = AgainMessage;
    Send(Network.outgoing);
    Network.againSent = true;
    if (Network.againReceived)
        return BeginNextGame();
    View().partnerChanged();
}

bool AwaitingAnotherGame()
{
    return BetweenNetworkGames() && Network.againSent;
}

const char* PartnerName()
{
    return Network.partnerName;
}

bool PartnerPlacing()
{
    return !Network.readyReceived;
}

bool AwaitingHello()
{
    return Network.running && !Network.greeted;
}

bool PartnerOverdue()
{
    return Network.overdue;
}
