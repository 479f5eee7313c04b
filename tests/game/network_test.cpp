// Two players in one process, each side a game of its own, play network games through the
// real messages; a lying or broken partner is made by changing messages in transit.
#include <functional>
#include <random>
#include <set>
#include <string>
#include <tuple>

#include "game/opponent.h"
#include "game/placement.h"
#include "game/referee.h"
#include "game/shots.h"
#include "tests/game/model_fixture.h"

namespace {

using Tampering = std::function<void(int from, Message&)>;

// Everything a game sets up but the sides, fresh for each.
struct World {
    std::vector<std::string> handFleet;   // side 1's, else a random one
    int stride = 1;                       // the aimer tries cell stride * i % 100 in turn
    int shots = 200;                      // at most; then the battle is left as it stands
    std::mt19937 dice{7};
    bool crypto = true;
    bool hashes = true;   // false: hashing fails though random bytes come
    Tampering tamper;
} W;

// One player: its game, what its view was told, and its end of the connection.
struct Side final : NetworkPort {
    GameState game;
    Recorder seen;
    std::vector<uint8_t> outbox;
    int sent[128] = {};   // by type letter, as the side sent them

    // A hash is only ever compared: the bytes themselves will do while they fit, padded so that
    // no digest is all zero like a commitment not yet received.
    bool hash(const uint8_t* bytes, size_t size, uint8_t (&digest)[kDigestSize]) override
    {
        std::memset(digest, 0xFF, kDigestSize);
        std::memcpy(digest, bytes, std::min(size, sizeof digest));
        return W.crypto && W.hashes && size <= sizeof digest;
    }

    bool randomBytes(uint8_t* bytes, size_t size) override
    {
        std::generate(bytes, bytes + size, [] { return static_cast<uint8_t>(W.dice()); });
        return W.crypto;
    }

    // One frame a call, changed by the tampering on its way.
    void send(const uint8_t* bytes, size_t size) override;
} Sides[2];

GameState& G(int side) { return Sides[side].game; }
Recorder& Seen(int side) { return Sides[side].seen; }

void Side::send(const uint8_t* bytes, size_t size)
{
    Message m;
    uint8_t frame[kMaxFrameSize];
    DecodeFrame(bytes + 2, size - 2, m);
    sent[m.type] += 1;
    if (W.tamper)
        W.tamper(static_cast<int>(this - Sides), m);
    outbox.insert(outbox.end(), frame, frame + EncodeMessage(m, frame));
}

// Delivered in pieces of 1 to 7 bytes, so that frames also end and begin inside a piece.
void Flush()
{
    for (int from = 0; !Sides[0].outbox.empty() || !Sides[1].outbox.empty(); from = 1 - from) {
        const std::vector<uint8_t> bytes = std::move(Sides[from].outbox);   // leaves it empty
        for (size_t at = 0, piece = 1; at < bytes.size(); at += piece, piece = piece % 7 + 1)
            ReceivePartnerBytes(G(1 - from), bytes.data() + at, std::min(piece, bytes.size() - at));
    }
}

// The cell as side 1's promise has it.
RevealedCell TrueCell(int x, int y)
{
    RevealedCell cell = {static_cast<uint8_t>(x), static_cast<uint8_t>(y), G(1).Network.ours.contents[y * 10 + x], {}};
    std::memcpy(cell.salt, G(1).Network.ours.salts[y * 10 + x], kSaltSize);
    return cell;
}

// The first cell of the board in the state, as x + 10 y.
int FirstCell(const Board board, int32_t state)
{
    int i = 0;
    for (; i < 99 && board[i % 10][i / 10] != state; ++i) {}
    return i;
}

// Changes the first message of the type that side 1 sends; of answers, the first of the result.
Tampering Lie(MessageType type, const std::function<void(Message&)>& change, int result = -1)
{
    return [=, done = false](int from, Message& m) mutable {
        if (!done && from == 1 && m.type == type && (result < 0 || m.result == result)) {
            change(m);
            done = true;
        }
    };
}

enum Stage { Greeting, Placing, Waiting, Fighting, Ended };

// A fleet laid by hand, rules or no rules, and promised: each group of touching decks one ship,
// as the player's side sinks it, of at most four decks. The board, water at first, marks the
// decks gathered.
void LayHandFleet(GameState& game, const std::vector<std::string>& rows)
{
    int ships = 0;
    const std::function<void(int, int, ShipRecord&)> gather = [&](int x, int y, ShipRecord& ship) {
        if (!InField(x, y) || game.HomeBoard[x][y] == Deck || rows[y][x] != 'X')
            return;
        game.HomeBoard[x][y] = Deck;
        if (ship.size < kLargestShip) {
            ship.deckX[ship.size] = static_cast<int8_t>(x);
            ship.deckY[ship.size] = static_cast<int8_t>(y);
            ship.decksLeft = ++ship.size;
        }
        for (int n = 0; n < 9; ++n)
            gather(x + n % 3 - 1, y + n / 3 - 1, ship);
    };
    for (int i = 0; i < 100; ++i)
        if (ships < kFleetShips && game.HomeBoard[i % 10][i / 10] != Deck && rows[i / 10][i % 10] == 'X')
            gather(i % 10, i / 10, game.HomeFleet[ships++] = ShipRecord{});
    CurrentOpponent(game).fleetLaid(game);
}

// Side 0 hosts. The aimer fires at the other's decks first and so wins; the other fires row by
// row from the top left corner, water in every fleet laid by hand. Without a greeting, the game
// goes on a connection whose game has just begun again.
void PlayGame(int aimer, const std::function<void(Stage)>& at, bool greet = true)
{
    if (greet) {
        StartNetworkGame(G(0), true, "Host");
        StartNetworkGame(G(1), false, "Joiner");
        at(Greeting);
        Flush();
    }
    at(Placing);
    PlaceRestOfFleet(G(0), W.dice());
    at(Waiting);
    Flush();
    if (W.handFleet.empty())
        PlaceRestOfFleet(G(1), W.dice());
    else
        LayHandFleet(G(1), W.handFleet);
    Flush();
    at(Fighting);
    Flush();
    for (int shots = 0; shots < W.shots && (G(0).GamePhase == Battle || G(1).GamePhase == Battle); ++shots) {
        const int shooter = G(0).GamePhase == Battle && !G(0).OpponentTurn ? 0 : 1;
        for (int i = shooter == aimer ? 0 : 100; i < 200; ++i) {   // first the decks, then every cell
            const int cell = i < 100 ? W.stride * i % 100 : i % 100, x = cell % 10, y = cell / 10;
            if ((i >= 100 || G(1 - shooter).HomeBoard[x][y] == Deck) && FireAtEnemyCell(G(shooter), x, y))
                break;
        }
        Flush();
    }
    at(Ended);
    Flush();
}

// How the side's last game ended: 1 won, 0 lost, or 10 + the NetworkEnd of a stop.
int Outcome(int side)
{
    EXPECT_EQ(NetworkGameRunning(G(side)), BetweenNetworkGames(G(side))) << "open only for another game";
    EXPECT_EQ(std::make_tuple(G(side).GamePhase, G(side).EnemyDecksLeft, G(side).HomeDecksLeft), std::make_tuple(GameOver, -1, -1));
    const auto last = [](const Recorded& r) { return r.kind == Recorded::Ended || r.kind == Recorded::Stopped; };
    const auto r = std::find_if(Seen(side).rbegin(), Seen(side).rend(), last);
    return r == Seen(side).rend() ? -1 : r->kind == Recorded::Ended ? r->a : 10 + r->a;
}

class NetworkGame : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        W = World{};
        for (Side& side : Sides) {
            side = Side{};
            side.game.View = &side.seen;
            side.game.Port = &side;
        }
    }
};

// The partner's fleet after a defeat and the record of every honest game. The aimer's strides
// sink ships at their first, last and middle decks; once the partner's fleet is gone it has
// nothing left to fire at. Every second game follows the one before on its connection once
// both have asked for it, each side asking first in turn, with the joiner's fleet promised anew;
// the others begin on a fresh connection, the last two on one that follows a closed one.
TEST_F(NetworkGame, HonestGamesEndWithOneWinnerAndThePartnersFleetKnown)
{
    const auto promised = [] { return std::string((const char*)G(0).Network.commitments, sizeof G(0).Network.commitments); };
    int hostFirst = 0;
    for (int game = 0; game < 12; ++game) {
        const int winner = game % 2;
        const std::string before = promised();
        for (int side : {0, 1})
            Seen(side).clear();
        if (winner)
            for (int side : {game / 2 % 2, 1 - game / 2 % 2}) {
                EXPECT_FALSE(AwaitingAnotherGame(G(side))) << "nothing asked yet";
                OfferAnotherGame(G(side));
                OfferAnotherGame(G(side));   // sends nothing
                Flush();
                EXPECT_EQ(AwaitingAnotherGame(G(side)), side == game / 2 % 2) << "the first to ask waits";
            }
        else if (game < 8)
            SetUp();
        else {   // both games as the closed connection left them
            LosePartner(G(0));
            LosePartner(G(1));
        }
        W.dice.seed(game);
        W.stride = 1 + game % 3 * 36;
        W.tamper = [](int from, Message& m) {
            const int water = FirstCell(G(from).EnemyBoard, Water);
            EXPECT_TRUE(m.type != RevealMessage || G(from).EnemyDecksLeft != 0 || !FireAtEnemyCell(G(from), water % 10, water / 10));
        };
        PlayGame(winner, [&hostFirst](Stage s) {
            EXPECT_TRUE(s != Waiting || !TakeBackLastShip(G(0))) << "a promised fleet stays";
            if (s == Fighting) {
                const bool equalCoins = G(0).Network.ours.coinBit == G(1).Network.ours.coinBit;
                hostFirst += equalCoins;
                EXPECT_EQ(G(0).OpponentTurn, !equalCoins) << "equal coins: the host fires first";
                EXPECT_TRUE(FireAtEnemyCell(G(!equalCoins), 9, 9));
                EXPECT_FALSE(FireAtEnemyCell(G(!equalCoins), 8, 9)) << "one shot at a time";
            }
        }, !winner);
        EXPECT_TRUE(!winner || promised() != before) << "game " << game;
        ASSERT_EQ(Outcome(winner), 1) << "game " << game;
        ASSERT_EQ(Outcome(1 - winner), 0) << "game " << game;
        const int loser = 1 - winner;
        EXPECT_EQ(std::string(PartnerName(G(loser))), winner ? "Joiner" : "Host");
        EXPECT_EQ(std::count(Seen(loser).begin(), Seen(loser).end(), Recorded{Recorded::Partner}), 2 + winner) << "hello or asks, fleet";
        const GameState& won = G(winner);
        int decks = 0, afloat = 0, sunk = 0;
        for (const ShipRecord& ship : G(loser).EnemyFleet) {
            afloat += ship.decksLeft > 0;
            sunk += ship.decksLeft == -1;
            for (int k = 0; k < ship.size; ++k)
                decks += won.HomeBoard[ship.deckX[k]][ship.deckY[k]] != Water && won.HomeBoard[ship.deckX[k]][ship.deckY[k]] != HomeMiss;
        }
        EXPECT_EQ(std::make_tuple(decks, afloat, sunk), std::make_tuple(20, won.HomeShipsLeft, 10 - afloat)) << "game " << game;
        EXPECT_EQ(CountCells(won.EnemyBoard, Sunk), 20) << "the partner's sunk ships marked";
    }
    EXPECT_TRUE(hostFirst > 0 && hostFirst < 12) << "the coin gave the first shot to the host in " << hostFirst << " games of 12";
}

// In battle the player waits 10 s for the partner's answer or shot, then hears that the
// partner is overdue; the next message ends that, and what it leaves awaited is waited for
// afresh. Nothing is awaited on the player's own turn.
TEST_F(NetworkGame, APartnerTooLongAwaitedIsToldAndItsNextMessageEndsIt)
{
    W.shots = 0;
    PlayGame(0, [](Stage) {});
    const int player = G(0).OpponentTurn, partner = 1 - player;
    const auto fire = [](int side, int32_t at) {
        const int cell = FirstCell(G(1 - side).HomeBoard, at);
        ASSERT_TRUE(FireAtEnemyCell(G(side), cell % 10, cell / 10));
        Flush();
    };
    Recorder& seen = Seen(player);
    const int water = FirstCell(G(partner).HomeBoard, Water);
    ASSERT_TRUE(FireAtEnemyCell(G(player), water % 10, water / 10));
    EXPECT_EQ(seen.back(), (Recorded{Recorded::Timer, 10000})) << "the answer awaited";
    seen.clear();
    GameTimerFired(G(player));
    EXPECT_TRUE(PartnerOverdue(G(player)));
    EXPECT_EQ(seen, std::vector<Recorded>{{Recorded::Partner}}) << "told once, and no timer more";
    seen.clear();
    Flush();
    EXPECT_FALSE(PartnerOverdue(G(player)));
    EXPECT_EQ(std::count(seen.begin(), seen.end(), Recorded{Recorded::Partner}), 1) << "told the wait is over";
    EXPECT_EQ(seen.back(), (Recorded{Recorded::Timer, 10000})) << "a miss: the partner's shot awaited";
    fire(partner, Deck);
    EXPECT_EQ(std::vector<Recorded>(seen.end() - 2, seen.end()),
              (std::vector<Recorded>{{Recorded::TimerStopped}, {Recorded::Timer, 10000}})) << "a hit: its next shot awaited afresh";
    fire(partner, Water);
    EXPECT_EQ(seen.back(), (Recorded{Recorded::TimerStopped})) << "the player's turn";
}

// After the end, the player who offered another game waits for the partner's answer as for a
// shot: 10 s, then the partner is overdue, until the answer comes. A close ends the wait.
TEST_F(NetworkGame, AnOfferOfAnotherGameIsAwaitedLikeAShot)
{
    PlayGame(0, [](Stage) {});
    Recorder& seen = Seen(0);
    seen.clear();
    OfferAnotherGame(G(0));
    EXPECT_EQ(seen.front(), (Recorded{Recorded::Timer, 10000})) << "the answer awaited";
    seen.clear();
    GameTimerFired(G(0));
    EXPECT_TRUE(PartnerOverdue(G(0)));
    EXPECT_EQ(seen, std::vector<Recorded>{{Recorded::Partner}}) << "told once, and no timer more";
    OfferAnotherGame(G(1));
    Flush();
    EXPECT_FALSE(PartnerOverdue(G(0)));
    EXPECT_EQ(G(0).GamePhase, Placement);

    PlayGame(0, [](Stage) {}, false);
    OfferAnotherGame(G(0));
    seen.clear();
    LosePartner(G(0));
    EXPECT_EQ(seen.front(), (Recorded{Recorded::TimerStopped}));
}

// No commitment comes again on one connection: the next game's Ready may not repeat one of
// the game before, the partner's own or the host's.
TEST_F(NetworkGame, ACommitmentOfTheGameBeforeIsRefused)
{
    for (const bool own : {true, false}) {
        SetUp();
        PlayGame(0, [](Stage) {});
        uint8_t before[kDigestSize];
        std::memcpy(before, own ? G(0).Network.commitments[7] : G(0).Network.ourCoinCommitment, kDigestSize);
        OfferAnotherGame(G(0));
        OfferAnotherGame(G(1));
        Flush();
        W.tamper = Lie(ReadyMessage, [&](auto& m) { std::memcpy(own ? m.commitments[7] : m.coinCommitment, before, kDigestSize); });
        PlayGame(0, [](Stage) {}, false);
        EXPECT_EQ(Outcome(0), 10 + BrokenMessage) << (own ? "the partner's own" : "the host's coin");
    }
}

// Side 1 lies or breaks the rules; side 0 must catch it, at once or only once the fleets are
// revealed, end with no winner, and say goodbye unless the partner left or was lost.
TEST_F(NetworkGame, LiesAndBrokenMessagesStopTheGameWithNoWinner)
{
    // Side 1's fleet, changed by the row: water in column 9 and row 0, the first ship an aimer
    // sinks has two ends.
    const std::vector<std::string> fleet = {"..........", ".XXXX.X.X.", "..........", ".XXX.XXX..", "..........",
                                            ".XX.XX.XX.", "..........", "X.X.......", "..........", ".........."};
    using Edits = std::vector<std::pair<int, const char*>>;
    const Edits bent = {{3, ".XXX......"}, {7, "X........."}, {8, "......X..."}, {9, ".....XX..X"}};
    const Edits fiveSingles = {{5, ".XX.XX...."}, {7, "X.X.X....."}};
    const auto hit = [](const std::function<void(Message&)>& change) { return Lie(AnswerMessage, change, ShotHit); };
    const auto as = [](MessageType was, MessageType now) { return Lie(was, [now](auto& m) { m.type = now; }); };
    const auto when = [](Stage stage, std::function<void()> act) { return [=](Stage now) { if (now == stage) act(); }; };
    const auto leave = [](void (*how)(GameState&)) {   // side 1's player leaves
        return [=] { how(G(1)); EXPECT_EQ(std::count(Seen(1).begin(), Seen(1).end(), Recorded{Recorded::Stopped, PlayerLeft}), 1); };
    };
    // The corner of the bent ship, sunk last, and a true cell past it on the slant.
    const Tampering slant = [](int from, Message& m) {
        if (from == 1 && m.type == AnswerMessage && m.column == 6 && m.row == 9) {
            m.count = 2;
            m.cells[1] = TrueCell(4, 7);
        }
    };
    const auto sunkEarly = [](Message& m) {   // the neighbours of a first hit, shown as they are
        TargetCell around[4];
        m.result = ShotSunk;
        m.count = static_cast<uint8_t>(1 + CellsBeyondShip(MakeShip(m.column, m.row, {0, 0}, 1), around));
        for (int i = 1; i < m.count; ++i)
            m.cells[i] = TrueCell(around[i - 1].x, around[i - 1].y);
    };
    const auto missAt = [](int x, int y) {   // a hit answered as a miss at (x, y), -1 for the shot's own
        return [=](Message& m) { m.result = ShotMissed; m.cells[0] = TrueCell(x < 0 ? m.column : x, y < 0 ? m.row : y); };
    };
    const auto shotAtWater = [](Message& m) {   // side 0's fleet is gone: side 1 fired only at decks
        const int cell = FirstCell(G(0).HomeBoard, Water);
        m.type = ShotMessage;
        m.column = cell % 10;
        m.row = cell / 10;
    };
    struct Row {   // `end` as side 0 sees it
        const char* lie; NetworkEnd end; Tampering tamper = {}; std::function<void(Stage)> at = {};
        Edits edits = {}; bool atReveal = false; int aimer = 0;
    };
    const Row rows[] = {
        {"a hit answered as a miss", PartnerLied, hit(missAt(-1, -1))}, {"a hit answered as sunk, the next deck shown", PartnerLied, hit(sunkEarly)},
        {"a hit answered as water", PartnerLied, hit([](auto& m) { m.result = ShotMissed; m.cells[0].content = 0; })},
        {"a hit answered as sunk, no end shown", PartnerLied, hit([](auto& m) { m.result = ShotSunk; })},
        {"a hit shown by water of its row", BrokenMessage, hit(missAt(9, -1))}, {"a hit shown by water of its column", BrokenMessage, hit(missAt(-1, 0))},
        {"a hit revealing two cells", BrokenMessage, hit([](auto& m) { m.count = 2; })},
        {"a sinking showing one end twice", PartnerLied, Lie(AnswerMessage, [](auto& m) { m.cells[2] = m.cells[1]; }, ShotSunk)},
        {"a sinking answered as a hit", PartnerLied, Lie(AnswerMessage, [](auto& m) { m.result = ShotHit; m.count = 1; }, ShotSunk), {}, {}, true},
        {"ships touching at a corner", PartnerLied, {}, {}, {{7, "X........."}, {8, ".X........"}}, true, 1},
        {"a ship of five decks", PartnerLied, {}, {}, {{1, ".XXXXX.X.X"}}, true, 1}, {"a bent ship", PartnerLied, {}, {}, bent, true, 1},
        {"a bent ship sunk, the cell past it on the slant shown", PartnerLied, slant, {}, bent},
        {"five ships of one deck", PartnerLied, {}, {}, fiveSingles, true, 1}, {"a fifth ship of one deck sunk", PartnerLied, {}, {}, fiveSingles},
        {"nine ships", PartnerLied, {}, {}, {{7, "X........."}}, true, 1},
        {"a reveal off its commitment", PartnerLied, Lie(RevealMessage, [](auto& m) { m.salts[0][0] ^= 1; }), {}, {}, true},
        {"a coin off its commitment", PartnerLied, Lie(CoinMessage, [](auto& m) { m.coinBit ^= 1; })},
        {"a copy of the host's coin commitment", BrokenMessage,
         Lie(ReadyMessage, [](auto& m) { std::memcpy(m.coinCommitment, G(0).Network.ourCoinCommitment, kDigestSize); })},
        {"a cell commitment made twice", BrokenMessage, Lie(ReadyMessage, [](auto& m) { std::memcpy(m.commitments[99], m.commitments[0], kDigestSize); })},
        {"a copy of a cell commitment of the host's", BrokenMessage,
         Lie(ReadyMessage, [](auto& m) { std::memcpy(m.commitments[42], G(0).Network.ourCommitments[42], kDigestSize); })},
        {"a copy of the host's coin", BrokenMessage,
         Lie(CoinMessage, [](auto& m) { std::memcpy(m.coinSalt, G(0).Network.ours.coinSalt, kSaltSize); m.coinBit = G(0).Network.ours.coinBit; })},
        {"an answer to another row", BrokenMessage, hit([=](auto& m) { m.row = 0; missAt(-1, 0)(m); })},
        {"an answer to another column", BrokenMessage, hit([=](auto& m) { m.column = 9; missAt(9, -1)(m); })},
        {"a shot for an answer, out of turn", BrokenMessage, as(AnswerMessage, ShotMessage)},
        {"a shot repeated", BrokenMessage, [](int from, Message& m) { if (from == 1 && m.type == ShotMessage) m.column = m.row = 0; }, {}, {}, false, 1},
        {"a shot off the field", BrokenMessage, Lie(ShotMessage, [](auto& m) { m.column = 10; }), {}, {}, false, 1},
        {"a shot once the host's fleet is gone", BrokenMessage, Lie(RevealMessage, shotAtWater), {}, {}, true, 1},
        {"an answer to no shot", BrokenMessage, Lie(ReadyMessage, [](auto& m) { m.type = AnswerMessage; m.count = 1; })},
        {"a coin before the fleets", BrokenMessage, as(ReadyMessage, CoinMessage)}, {"a second ready", BrokenMessage, as(CoinMessage, ReadyMessage)},
        {"a second coin", BrokenMessage, as(AnswerMessage, CoinMessage)}, {"a reveal in battle", BrokenMessage, as(AnswerMessage, RevealMessage)},
        {"an HTTP request", ForeignProgram, {}, when(Greeting, [] { ReceivePartnerBytes(G(0), reinterpret_cast<const uint8_t*>("GET / HTTP/1.1\r\n"), 16); })},
        {"a shot for a hello", ForeignProgram, as(HelloMessage, ShotMessage)}, {"a second hello", BrokenMessage, as(ReadyMessage, HelloMessage)},
        {"a hello of version 1", OtherVersion, Lie(HelloMessage, [](auto& m) { m.version = 1; })},
        {"another game asked for in place of the reveal", BrokenMessage, as(RevealMessage, AgainMessage), {}, {}, true},
        {"no random bytes", NoCrypto, {}, [](Stage s) { W.crypto = s != Placing; }}, {"no hashes", NoCrypto, {}, [](Stage s) { W.hashes = s != Placing; }},
        {"a bye while placing", PartnerLeft, {}, when(Placing, leave(LeaveNetworkGame))}, {"a new game in battle", PartnerLeft, {}, when(Fighting, leave(NewGame))},
        {"connection lost", ConnectionLost, {}, when(Fighting, [] { LosePartner(G(0)); LosePartner(G(1)); })},
        {"a no after the end", PartnerDeclined, {}, when(Ended, [] { OfferAnotherGame(G(0)); LeaveNetworkGame(G(1)); }), {}, true},
        {"a close after the end", PartnerDeclined, {}, when(Ended, [] { LosePartner(G(0)); }), {}, true},
        {"another game asked twice", BrokenMessage, {}, when(Ended, [] { OfferAnotherGame(G(1)); G(1).Network.againSent = false; OfferAnotherGame(G(1)); }), {}, true},
    };
    for (const Row& row : rows) {
        SetUp();
        W.handFleet = fleet;
        for (const auto& edit : row.edits)
            W.handFleet[edit.first] = edit.second;
        W.tamper = row.tamper;
        PlayGame(row.aimer, row.at ? row.at : [](Stage) {});
        EXPECT_EQ(Outcome(0), 10 + row.end) << row.lie;
        EXPECT_EQ(Sides[1].sent[RevealMessage], row.atReveal ? 1 : 0) << row.lie;
        EXPECT_EQ(Sides[0].sent[ByeMessage], row.end == PartnerLeft || row.end == ConnectionLost || row.end == PartnerDeclined ? 0 : 1) << row.lie;
        EXPECT_EQ(NetworkGameRunning(G(1)), BetweenNetworkGames(G(1))) << row.lie << ": the partner hears of the stop";
    }
}

// The water a sinking reveals: the cells before and after the ship along its line, whichever
// way its decks run, the four sides of a ship of one deck, only those in the field.
TEST(Referee, CellsBeyondAShipLieInTheField)
{
    struct Row { int x, y, dx, dy, length; std::multiset<std::pair<int, int>> beyond; };
    const Row rows[] = {
        {3, 5, 1, 0, 2, {{2, 5}, {5, 5}}}, {0, 0, 1, 0, 4, {{4, 0}}}, {6, 9, 1, 0, 4, {{5, 9}}},
        {4, 4, 0, 1, 3, {{4, 3}, {4, 7}}}, {9, 0, 0, 1, 3, {{9, 3}}}, {0, 8, 0, 1, 2, {{0, 7}}},
        {5, 5, 0, 0, 1, {{5, 4}, {5, 6}, {4, 5}, {6, 5}}}, {0, 0, 0, 0, 1, {{1, 0}, {0, 1}}},
        {9, 9, 0, 0, 1, {{8, 9}, {9, 8}}}, {5, 0, 0, 0, 1, {{4, 0}, {6, 0}, {5, 1}}}, {9, 4, 0, 0, 1, {{9, 3}, {9, 5}, {8, 4}}},
        {5, 5, 0, -1, 3, {{5, 6}, {5, 2}}}, {3, 5, -1, 0, 2, {{4, 5}, {1, 5}}}, {9, 3, 0, -1, 4, {{9, 4}}},
    };
    for (const Row& row : rows) {
        TargetCell cells[4];
        std::multiset<std::pair<int, int>> beyond;   // a cell given twice shows
        for (int i = 0, count = CellsBeyondShip(MakeShip(row.x, row.y, {row.dx, row.dy}, row.length), cells); i < count; ++i)
            beyond.insert({cells[i].x, cells[i].y});
        EXPECT_EQ(beyond, row.beyond) << row.x << "," << row.y << " of " << row.length;
    }
}

}  // namespace
