// Two players in one process, each side's game swapped in while it acts, play network games
// through the real messages; a lying or broken partner is made by changing messages in transit.
#include <cstring>
#include <functional>
#include <numeric>
#include <random>
#include <string>

#include "game/network.h"
#include "game/placement.h"
#include "game/referee.h"
#include "game/shots.h"
#include "tests/game/model_fixture.h"

namespace {

struct Side {
    GameState game;
    NetworkGameState network;
    std::vector<Recorded> seen;
    std::vector<uint8_t> outbox;
    std::vector<std::string> board;   // a fleet laid by hand, else a random one
};
Side Sides[2];
int Active = 0;
std::mt19937 Dice;
bool Crypto = true;
std::function<void(int from, Message&)> Tamper;

void Enter(int side)
{
    std::swap(Sides[Active].game, Game), std::swap(Sides[Active].network, Network), std::swap(Sides[Active].seen, Recording);
    std::swap(Sides[side].game, Game), std::swap(Sides[side].network, Network), std::swap(Sides[side].seen, Recording);
    Active = side;
}

const GameState& GameOf(int side)
{
    return side == Active ? Game : Sides[side].game;
}

// A hash is only ever compared: any deterministic mix of every byte will do.
bool Mix(const uint8_t* bytes, size_t size, uint8_t (&digest)[kDigestSize])
{
    uint64_t h = 1469598103934665603u;
    for (size_t i = 0; i < size; ++i)
        h = (h ^ bytes[i]) * 1099511628211u;
    for (uint8_t& d : digest)
        h = (h ^ h >> 29) * 0xbf58476d1ce4e5b9u, d = static_cast<uint8_t>(h >> 56);
    return Crypto;
}

// One frame a call, changed by Tamper on its way.
void Send(const uint8_t* bytes, size_t size)
{
    static Message m;
    uint8_t frame[kMaxFrameSize];
    if (Tamper && DecodeFrame(bytes + 2, size - 2, m) == MessageDecoded)
        Tamper(Active, m), size = EncodeMessage(m, frame), bytes = frame;
    Sides[Active].outbox.insert(Sides[Active].outbox.end(), bytes, bytes + size);
}

void Inject(int to, const Message& message)
{
    uint8_t frame[kMaxFrameSize];
    const size_t size = EncodeMessage(message, frame);
    Enter(to);
    ReceivePartnerBytes(frame, size);
}

void Flush()
{
    for (int from = 0; !Sides[0].outbox.empty() || !Sides[1].outbox.empty(); from = 1 - from) {
        const std::vector<uint8_t> bytes = std::move(Sides[from].outbox);
        Sides[from].outbox.clear();
        Enter(1 - from);
        ReceivePartnerBytes(bytes.data(), bytes.size());
    }
}

// The cell as the promise of the side now sending has it.
RevealedCell TrueCell(int x, int y)
{
    RevealedCell cell = {static_cast<uint8_t>(x), static_cast<uint8_t>(y), Network.ours.contents[y * 10 + x], {}};
    std::memcpy(cell.salt, Network.ours.salts[y * 10 + x], kSaltSize);
    return cell;
}

enum Stage { Greeting, Placing, Waiting, Fighting };

// Side 0 hosts. The aimer fires at the other's decks first and so wins; the other fires row by
// row from the top left corner, water in every fleet laid by hand.
void PlayGame(int aimer, const std::function<void(Stage)>& at = [](Stage) {})
{
    Enter(0), StartNetworkGame(true, "Host");
    Enter(1), StartNetworkGame(false, "Joiner");
    at(Greeting);
    Flush();
    at(Placing);
    for (int side : {0, 1}) {
        Enter(side);
        if (Sides[side].board.empty()) {
            PlaceRestOfFleet(Dice());
        } else {
            for (int y = 0; y < 10; ++y)
                for (int x = 0; x < 10; ++x)
                    Game.HomeBoard[x][y] = Sides[side].board[y][x] == 'X' ? Deck : Water;
            Game.PlacementSize = 0, Game.PlacementLeft = 5;
        }
        GameTick();
        if (side == 0)
            at(Waiting);
        Flush();
    }
    at(Fighting);
    Flush();
    std::vector<int> cells[2] = {std::vector<int>(100), std::vector<int>(100)};
    std::iota(cells[0].begin(), cells[0].end(), 0), std::iota(cells[1].begin(), cells[1].end(), 0);
    std::stable_partition(cells[aimer].begin(), cells[aimer].end(),
                          [&](int i) { return GameOf(1 - aimer).HomeBoard[i % 10][i / 10] == Deck; });
    for (int shots = 0; shots < 200 && (GameOf(0).GamePhase == Battle || GameOf(1).GamePhase == Battle); ++shots) {
        Enter(Game.GamePhase == Battle && !Game.ComputerTurn ? Active : 1 - Active);
        while (!cells[Active].empty() && !FireAtEnemyCell(cells[Active].front() % 10, cells[Active].front() / 10) &&
               Game.GamePhase == Battle && !Game.ComputerTurn)
            cells[Active].erase(cells[Active].begin());
        Flush();
    }
}

class NetworkGame : public ModelTest {
protected:
    void SetUp() override
    {
        ModelTest::SetUp();
        for (Side& side : Sides)
            side = Side{};
        Active = 0;
        Dice.seed(7);
        Crypto = true;
        Tamper = nullptr;
        InstallNetworkPort({Send, [] {}, Mix, [](uint8_t* bytes, size_t size) {
                                std::generate(bytes, bytes + size, [] { return static_cast<uint8_t>(Dice()); });
                                return Crypto;
                            }});
    }

    // How the side's game ended: 1 won, 0 lost, or 10 + the NetworkEnd of a stop.
    static int Outcome(int side)
    {
        Enter(side);
        EXPECT_FALSE(NetworkGameRunning());
        EXPECT_TRUE(Game.GamePhase == GameOver && Game.EnemyDecksLeft == -1 && Game.HomeDecksLeft == -1);
        for (const Recorded& r : Recording)
            if (r.kind == Recorded::Ended || r.kind == Recorded::Stopped)
                return r.kind == Recorded::Ended ? r.a : 10 + r.a;
        return -1;
    }
};

// The partner's fleet after a defeat and the record of every honest game.
TEST_F(NetworkGame, HonestGamesEndWithOneWinnerAndThePartnersFleetKnown)
{
    for (int game = 0; game < 12; ++game) {
        const int winner = game % 2;
        SetUp();
        Dice.seed(game);
        Options.MarkDeadZone = game % 3 == 0;
        int bits[2] = {-1, -1}, firstShooter = -1;
        Tamper = [&](int from, Message& m) {
            if (m.type == CoinMessage)
                bits[from] = m.coinBit;
            if (m.type == ShotMessage && firstShooter < 0)
                firstShooter = from;
        };
        PlayGame(winner, [](Stage s) {
            EXPECT_TRUE(s != Waiting || (Enter(0), !TakeBackLastShip())) << "a promised fleet stays";
            if (s == Fighting) {   // the side on turn
                Enter(GameOf(0).ComputerTurn);
                EXPECT_TRUE(FireAtEnemyCell(9, 9) && !FireAtEnemyCell(8, 9)) << "one shot at a time";
            }
        });
        ASSERT_EQ(Outcome(winner), 1) << "game " << game;
        ASSERT_EQ(Outcome(1 - winner), 0) << "game " << game;
        EXPECT_EQ(firstShooter, bits[0] == bits[1] ? 0 : 1) << "equal bits: the host fires first";
        EXPECT_EQ(std::string(PartnerName()), winner ? "Joiner" : "Host");
        EXPECT_EQ(std::count(Recording.begin(), Recording.end(), Recorded{Recorded::Partner}), 2) << "hello and fleet";
        int decks = 0, afloat = 0, sunk = 0;
        for (const ShipRecord& ship : Game.EnemyFleet) {
            afloat += ship.decksLeft > 0, sunk += ship.decksLeft == -1;
            for (int k = 0; k < ship.size; ++k)
                decks += GameOf(winner).HomeBoard[ship.deckX[k]][ship.deckY[k]] != Water &&
                         GameOf(winner).HomeBoard[ship.deckX[k]][ship.deckY[k]] != HomeMiss;
        }
        EXPECT_EQ(decks, 20);
        EXPECT_TRUE(afloat == GameOf(winner).HomeShipsLeft && sunk == 10 - afloat) << afloat << " afloat, " << sunk << " sunk";
        EXPECT_EQ(CountCells(GameOf(winner).EnemyBoard, Sunk), 20) << "the partner's sunk ships marked";
        EXPECT_EQ(CountCells(GameOf(winner).EnemyBoard, DeadZone) > 0, Options.MarkDeadZone);
    }
}

// Side 1 lies or breaks the rules; side 0 must catch it, at once or only once the fleets are
// revealed, and end with no winner.
TEST_F(NetworkGame, LiesAndBrokenMessagesStopTheGameWithNoWinner)
{
    const std::vector<std::string> fleet = {"..........", ".XXXX.X.X.", "..........", ".XXX.XXX..", "..........",
                                            ".XX.XX.XX.", "..........", "X.X.......", "..........", ".........."};
    const auto edit = [&](std::vector<std::pair<int, const char*>> rows) {
        std::vector<std::string> board = fleet;
        for (const auto& row : rows)
            board[row.first] = row.second;
        return board;
    };
    const auto touching = edit({{7, "X........."}, {8, ".X........"}}), fiveDecks = edit({{1, ".XXXXX.X.X"}});
    const auto bent = edit({{3, ".XXX......"}, {7, "X........."}, {8, "......X..."}, {9, ".....XX..X"}});
    const auto nineShips = edit({{7, "X........."}});
    const auto fiveSingles = edit({{5, ".XX.XX...."}, {7, "X.X.X....."}});
    // Changes the first message of the type from side 1 that `change` takes.
    const auto first = [](MessageType type, std::function<bool(Message&)> change) {
        return [type, change, done = false](int from, Message& m) mutable { done = done || (from == 1 && m.type == type && change(m)); };
    };
    const auto answered = [&](int was, int now) {
        return first(AnswerMessage, [=](Message& m) { return m.result == was && (m.result = static_cast<uint8_t>(now), m.count = 1, true); });
    };
    const auto when = [](Stage stage, std::function<void()> act) { return [=](Stage now) { if (now == stage) act(); }; };
    const auto leave = [] {
        Enter(1), LeaveNetworkGame();
        EXPECT_EQ(Outcome(1), 10 + PlayerLeft);
    };
    Message shot, answer, hello, coin, ready, reveal;
    shot.type = ShotMessage, answer.type = AnswerMessage, answer.count = 1, hello.type = HelloMessage;
    coin.type = CoinMessage, ready.type = ReadyMessage, reveal.type = RevealMessage;
    std::strcpy(hello.name, "Liar"), hello.version = kProtocolVersion;
    int shots = 0;
    const auto repeat = [&](int from, Message& m) {   // side 1's second shot goes where its first went
        if (from == 1 && m.type == ShotMessage && shots++ > 0)
            m.column = shot.column, m.row = shot.row;
        else if (from == 1 && m.type == ShotMessage)
            shot = m;
    };
    const auto slant = [](int from, Message& m) {   // the corner of the bent ship, sunk last, and a true cell past it
        if (from == 1 && m.type == AnswerMessage && m.column == 6 && m.row == 9) {
            m.count = 2, m.cells[1] = TrueCell(4, 7);
        }
    };
    const auto sunkEarly = first(AnswerMessage, [](Message& m) {   // the cells around the first hit, shown as they are
        TargetCell around[4];
        if (m.result != ShotHit)
            return false;
        m.result = ShotSunk, m.count = static_cast<uint8_t>(1 + CellsBeyondShip(m.column, m.row, 0, 0, 1, around));
        for (int i = 1; i < m.count; ++i)
            m.cells[i] = TrueCell(around[i - 1].x, around[i - 1].y);
        return true;
    });
    uint8_t http[] = "GET / HTTP/1.1\r\n";
    struct Row {
        const char* lie;
        NetworkEnd end;   // as side 0 sees it
        bool atReveal;
        int aimer = 0;
        std::function<void(int, Message&)> tamper = {};
        std::function<void(Stage)> at = {};
        std::vector<std::string> board = {};
    };
    const Row rows[] = {
        {"a hit answered as a miss", PartnerLied, false, 0, answered(ShotHit, ShotMissed)},
        {"a hit answered as sunk, the next deck shown", PartnerLied, false, 0, sunkEarly},
        {"a hit answered as a miss shown by water of its row", BrokenMessage, false, 0, first(AnswerMessage, [](Message& m) {
             int x = 0;
             while (x < 9 && (x == m.column || Network.ours.contents[m.row * 10 + x]))
                 ++x;
             const bool water = x != m.column && !Network.ours.contents[m.row * 10 + x];
             return m.result == ShotHit && water && (m.result = ShotMissed, m.cells[0] = TrueCell(x, m.row), true);
         })},
        {"a hit revealing two cells", BrokenMessage, false, 0, first(AnswerMessage, [](Message& m) {
             return m.result == ShotHit && (m.cells[1] = m.cells[0], m.count = 2, true);
         })},
        {"a sinking showing one end twice", PartnerLied, false, 0, first(AnswerMessage, [](Message& m) {
             return m.result == ShotSunk && m.count == 3 && (m.cells[2] = m.cells[1], true);
         })},
        {"a sinking answered as a hit", PartnerLied, true, 0, answered(ShotSunk, ShotHit)},
        {"ships touching at a corner", PartnerLied, true, 1, {}, {}, touching},
        {"a ship of five decks", PartnerLied, true, 1, {}, {}, fiveDecks},
        {"a bent ship", PartnerLied, true, 1, {}, {}, bent},
        {"a bent ship sunk, the cell past it on the slant shown", PartnerLied, false, 0, slant, {}, bent},
        {"five ships of one deck", PartnerLied, true, 1, {}, {}, fiveSingles},
        {"a fifth ship of one deck sunk", PartnerLied, false, 0, {}, {}, fiveSingles},
        {"nine ships", PartnerLied, true, 1, {}, {}, nineShips},
        {"a reveal off its commitment", PartnerLied, true, 0, first(RevealMessage, [](Message& m) { return m.salts[0][0] ^= 1, true; })},
        {"a coin off its commitment", PartnerLied, false, 0, first(CoinMessage, [](Message& m) { return m.coinBit ^= 1, true; })},
        {"a shot out of turn", BrokenMessage, false, 0, {}, when(Fighting, [&] { Inject(GameOf(0).ComputerTurn ? 1 : 0, shot); })},
        {"a shot repeated", BrokenMessage, false, 1, repeat},
        {"a shot off the field", BrokenMessage, false, 1, first(ShotMessage, [](Message& m) { return m.column = 10, true; })},
        {"an answer to no shot", BrokenMessage, false, 0, {}, when(Placing, [&] { Inject(0, answer); })},
        {"a coin before the fleets", BrokenMessage, false, 0, {}, when(Placing, [&] { Inject(0, coin); })},
        {"a second ready", BrokenMessage, false, 0, {}, when(Placing, [&] { Inject(0, ready), Inject(0, ready); })},
        {"a reveal in battle", BrokenMessage, false, 0, {}, when(Fighting, [&] { Inject(0, reveal); })},
        {"a second hello", BrokenMessage, false, 0, {}, when(Placing, [&] { Inject(0, hello); })},
        {"another program", ForeignProgram, false, 0, {}, when(Greeting, [&] { Enter(0), ReceivePartnerBytes(http, sizeof http); })},
        {"a shot for a hello", ForeignProgram, false, 0, {}, when(Greeting, [&] { Inject(0, shot); })},
        {"another version", OtherVersion, false, 0, first(HelloMessage, [](Message& m) { return m.version = 2, true; })},
        {"no random bytes", NoCrypto, false, 0, {}, [](Stage s) { Crypto = s != Placing; }},
        {"a bye after the hello", PartnerLeft, false, 0, {}, when(Greeting, leave)},
        {"a bye while placing", PartnerLeft, false, 0, {}, when(Placing, leave)},
        {"a bye with the fleet down", PartnerLeft, false, 0, {}, when(Waiting, leave)},
        {"a bye in battle", PartnerLeft, false, 0, {}, when(Fighting, leave)},
        {"a new game in battle", PartnerLeft, false, 0, {}, when(Fighting, [] {
             Enter(1), NewGame();
             EXPECT_FALSE(NetworkGameRunning()) << "a new game leaves the network game";
         })},
        {"the connection lost in battle", ConnectionLost, false, 0, {}, when(Fighting, [] { Enter(0), LosePartner(), Enter(1), LosePartner(); })},
        {"a bye for the reveal", PartnerLeft, false, 0, first(RevealMessage, [](Message& m) { return m.type = ByeMessage, true; })},
    };
    for (const Row& row : rows) {
        SetUp();
        shot.column = shot.row = 0, shots = 0;
        Sides[1].board = row.board;
        int reveals = 0;
        Tamper = [&](int from, Message& m) {
            if (row.tamper)
                row.tamper(from, m);
            reveals += from == 1 && m.type == RevealMessage;
        };
        PlayGame(row.aimer, row.at ? row.at : [](Stage) {});
        EXPECT_EQ(Outcome(0), 10 + row.end) << row.lie;
        EXPECT_EQ(reveals, row.atReveal ? 1 : 0) << row.lie;
        EXPECT_FALSE((Enter(1), NetworkGameRunning())) << row.lie << ": the partner hears of the stop";
    }
}

}  // namespace
