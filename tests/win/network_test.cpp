// The network game's shell: the system's hash, the stored network values, the dialog and its
// link, games against a scripted partner over loopback, and a whole game between two programs.
// The partner and the program under test share one thread: waits hand on the program's messages.
#include <winsock2.h>

#include <algorithm>
#include <cstring>
#include <set>

#include "app/network_game.h"
#include "base/crypto.h"
#include "base/lan.h"
#include "base/link.h"
#include "game/network.h"
#include "game/protocol.h"
#include "tests/win/network_programs.h"

namespace {

// Far from the default port, so that a test never meets a program someone plays.
constexpr unsigned kTestPort = 47391;

// A partner on a loopback socket that reads through the model's own decoder.
class Partner {
public:
    ~Partner() { Close(); }

    // The system of a listening program takes the connection before the program itself does.
    // Winsock stays started: the program's own cleanup must not take the partner's socket along.
    bool Connect()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address = {AF_INET, htons(kTestPort), {{{127, 0, 0, 1}}}, {}};
        u_long nonBlocking = 1;
        const bool connected = connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
        ioctlsocket(socket_, FIONBIO, &nonBlocking);
        return connected;
    }
    void Close()
    {
        closesocket(socket_);
        socket_ = INVALID_SOCKET;
    }
    void Send(const std::string& bytes) { send(socket_, bytes.data(), static_cast<int>(bytes.size()), 0); }

    // Returns once the program has taken the hello or stopped.
    void SendHello()
    {
        Send(std::string("\0\x0EHTIDEWAR\x02\x04" "Anna", 16));
        WaitFor([] { return PartnerName(Game)[0] || !NetworkGameRunning(Game); });
    }
    // The program's next message of the type, past any others; false when the program hangs up
    // or 20 s pass first.
    bool Expect(MessageType type)
    {
        bool found = false;
        return WaitFor([&] {
            char bytes[4096];
            int count = 0;
            while (!found && (count = recv(socket_, bytes, sizeof bytes, 0)) > 0) {
                pending_.append(bytes, count);
                static Message read;
                while (!found) {
                    pending_.erase(0, reader_.take((const uint8_t*)pending_.data(), pending_.size()));
                    if (!reader_.complete())
                        break;
                    found = DecodeFrame(reader_.frame(), reader_.length(), read) == MessageDecoded && read.type == type;
                    reader_.next();
                }
            }
            closed_ = closed_ || count == 0 || (count < 0 && WSAGetLastError() != WSAEWOULDBLOCK);
            return found || closed_;
        }) && found;
    }
    // Whether the program hangs up within 20 s, whatever it sends before: no message is of type 0.
    bool Closed() { return !Expect(MessageType{}) && closed_; }

private:
    SOCKET socket_ = INVALID_SOCKET;
    FrameReader reader_;
    std::string pending_;
    bool closed_ = false;
};

// The provider is opened once for both and kept.
TEST(NetworkCrypto, HashIsSha256AndTheProviderIsKept)
{
    ResetCrypto();
    uint8_t digest[32], random[16] = {};
    ASSERT_TRUE(Sha256(reinterpret_cast<const uint8_t*>("abc"), 3, digest));
    const uintptr_t provider = Crypto.provider;
    EXPECT_TRUE(SecretRandomBytes(random, sizeof random));
    EXPECT_NE(provider, 0u);
    EXPECT_EQ(Crypto.provider, provider) << "the provider is kept";
    EXPECT_NE(std::count(random, random + 16, 0), 16) << "random bytes drawn";
    EXPECT_EQ(std::vector<uint8_t>(digest, digest + 32), std::vector<uint8_t>({0xba, 0x78, 0x16, 0xbf, 0x8f, 0x01, 0xcf, 0xea, 0x41, 0x41, 0x40, 0xde, 0x5d, 0xae, 0x22, 0x23,
                                                                                0xb0, 0x03, 0x61, 0xa3, 0x96, 0x17, 0x7a, 0x9c, 0xb4, 0x10, 0xff, 0x61, 0xf2, 0x00, 0x15, 0xad}));
    ResetCrypto();
}

// At each line's end, a buffer one short of the line and its zero, and one that holds them: the
// lines before it, or it too, and not a character past the buffer, which ends at a page that
// cannot be read.
TEST(NetworkLink, ThisComputerIsDescribedInWholeLinesAsFarAsTheyFit)
{
    wchar_t full[1024] = L"";
    DescribeThisComputer(full, 1024);
    const std::wstring all = full;
    std::vector<size_t> ends;
    for (size_t at = all.find(L"\r\n"); at != std::wstring::npos; at = all.find(L"\r\n", at + 2))
        ends.push_back(at);
    ends.push_back(all.size());
    ASSERT_GT(ends[0], 0u) << "the computer's name";
    for (size_t i = 0; i < ends.size(); ++i)
        for (size_t size : {ends[i], ends[i] + 1}) {
            const GuardedBytes buffer(std::string(size * sizeof(wchar_t), '\0'));
            const auto text = reinterpret_cast<wchar_t*>(const_cast<BYTE*>(buffer.data()));
            DescribeThisComputer(text, static_cast<int>(size));
            EXPECT_EQ(std::wstring(text, wcsnlen(text, size)), all.substr(0, size > ends[i] ? ends[i] : i ? ends[i - 1] : 0)) << size;
        }
}

using NetworkShell = ShellTest;

// A network game's end counts in the network record, a win as a win; a stop counts nothing
// and says why, naming the partner, but to the player who left. The stops the link can bring
// about are the scripted partner's below, the other record and the end boxes the two programs'.
TEST_F(NetworkShell, EndsCountAWinAsAWinAndStopsSayWhy)
{
    Game.Opponent = PartnerOpponent;
    for (bool won : {true, true, false}) {
        Game.View->gameEnded(won);
        AnnounceDue();
    }
    std::strcpy(Game.Network.partnerName, "Anna");
    answered.clear();
    for (NetworkEnd why : {PartnerLied, OtherVersion, PlayerLeft, NoCrypto}) {
        Game.View->networkStopped(why);
        AnnounceDue();
    }
    std::wstring boxes;
    for (const AnsweredBox& box : answered)
        boxes += box.text + L"|";
    EXPECT_EQ(boxes, L"Anna answered against the fleet it had committed to. The game does not count.|"
                     L"The other side plays another version of Tidewar.|This computer cannot make the secrets a network game needs.|");
    EXPECT_EQ(SettingBytes("NetworkStatistic"), std::vector<unsigned char>({2, 0, 0, 0, 1, 0, 0, 0}));
}

// The last drop promises the fleet, which a system that cannot hash cannot do: the game stops
// there and says why before the drop's message has returned.
TEST_F(NetworkShell, AStopAtTheLastDropIsAnnouncedAtOnce)
{
    static NetworkPort withoutCrypto;
    Game.Port = &withoutCrypto;
    StartNetworkGame(Game, true, "Kim");
    const std::string hello("\0\x0EHTIDEWAR\x02\x04" "Anna", 16);
    ReceivePartnerBytes(Game, reinterpret_cast<const uint8_t*>(hello.data()), hello.size());
    ASSERT_EQ(Game.GamePhase, Placement);
    PlaceShips(kFleetShips);
    ASSERT_EQ(answered.size(), 1u);
    EXPECT_EQ(answered[0].text, L"This computer cannot make the secrets a network game needs.");
}

// The dialog shows this computer's name and the record. A port out of 1024..65535 or a bad
// name says so and waits for nothing; so does a join no one answers; Cancel stops the waiting.
TEST_F(NetworkShell, BadChoicesAndFailedJoinsSaySoAndWaitForNothing)
{
    StoreSetting("NetworkStatistic", REG_DWORD, {3, 0, 0, 0, 4, 0, 0, 0});
    wchar_t computer[256] = L"";
    DWORD size = 256;
    GetComputerNameExW(ComputerNameDnsHostname, computer, &size);
    struct Case { int choice; const wchar_t *port, *name, *line, *host = L"127.0.0.1"; };
    const Case cases[] = {
        {IDC_NET_HOST, L"1023", L"Anna", L"Port: 1024 to 65535"}, {IDC_NET_HOST, L"65536", L"Anna", L"Port: 1024 to 65535"},
        {IDC_NET_HOST, L"47391", L"An\tna", L"Name: 1 to 32 characters, no control characters"},
        {IDC_NET_JOIN, L"1024", L"Anna", L"127.0.0.1 does not answer on port 1024"},
        {IDC_NET_JOIN, L"65535", L"Anna", L"127.0.0.1 does not answer on port 65535"},
        // an address in brackets, as the list shows IPv6, with the port after it
        {IDC_NET_JOIN, L"1024", L"Anna", L"::1 does not answer on port 1025", L"[::1]:1025"},
        {IDC_NET_HOST, L"47391", L"Anna", L"Waiting for a partner on port 47391..."},
    };
    for (const Case& c : cases) {
        RunInDialog(CMD_NETWORK_GAME, [&](HWND dialog) {
            EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_NET_THIS_COMPUTER)).find(computer), 0u);
            EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_NET_RECORD)), L"Network games: 3 won, 4 lost");
            CheckRadioButton(dialog, IDC_NET_HOST, IDC_NET_JOIN, c.choice);
            SetDlgItemTextW(dialog, IDC_NET_HOST_NAME, c.host);
            SetDlgItemTextW(dialog, IDC_NET_PORT, c.port);
            SetDlgItemTextW(dialog, IDC_NET_NAME, c.name);
            ClickButton(dialog, IDOK);
            EXPECT_TRUE(WaitFor([&] { return TextOf(GetDlgItem(dialog, IDC_NET_STATUS)) == c.line; })) << TextOf(GetDlgItem(dialog, IDC_NET_STATUS));
        });
        Partner partner;
        EXPECT_FALSE(partner.Connect()) << c.line;
    }
}

// The list is refilled as games come and go: the selection stays on the game chosen, and where
// that game's address changed, the join takes the new one.
TEST_F(NetworkShell, TheSelectionFollowsItsGameAsTheListIsRefilled)
{
    RunInDialog(CMD_NETWORK_GAME, [](HWND dialog) {
        const HWND list = GetDlgItem(dialog, IDC_NET_GAMES);
        HostedGame anna, boris;
        anna.port = 2000;
        std::strcpy(anna.player, "Anna");
        std::strcpy(anna.computer, "PC");
        boris = anna;
        std::strcpy(boris.player, "Boris");
        const auto refill = [dialog] {
            Lan.changed = true;
            SendMessageW(dialog, WM_TIMER, 1, 0);
        };
        const DWORD now = GetTickCount();
        HearGame(Lan.heard, anna, "10.0.0.1", now - 2000);
        HearGame(Lan.heard, boris, "fe80::2%3", now);
        refill();
        SendMessageW(list, LB_SETCURSEL, 1, 0);
        SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_NET_GAMES, LBN_SELCHANGE), reinterpret_cast<LPARAM>(list));
        EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_NET_HOST_NAME)) + L" " + TextOf(GetDlgItem(dialog, IDC_NET_PORT)), L"[fe80::2%3] 2000");
        ForgetSilentGames(Lan.heard, now + 1500);   // Anna goes: Boris moves up
        HearGame(Lan.heard, boris, "10.0.0.2", now);
        refill();
        ASSERT_EQ(SendMessageW(list, LB_GETCOUNT, 0, 0), 1);
        EXPECT_EQ(SendMessageW(list, LB_GETCURSEL, 0, 0), 0) << "the selection left its game";
        EXPECT_EQ(TextOf(GetDlgItem(dialog, IDC_NET_HOST_NAME)), L"10.0.0.2") << "the join would go to an address no longer listed";
    });
}

// The program, started afresh, hosts on the test port and takes the first partner that
// connects, no other.
class NetworkStops : public ShellTest {
protected:
    void RestartAndConnect(Partner& partner)
    {
        RestartProgram();
        answered.clear();
        StoreSetting("NetworkPort", REG_DWORD, {kTestPort & 0xFF, kTestPort >> 8, 0, 0});
        Partner second, third;
        RunInDialog(CMD_NETWORK_GAME, [&](HWND dialog) {
            SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
            ASSERT_TRUE(partner.Connect());
            ASSERT_TRUE(second.Connect());
            EXPECT_TRUE(WaitFor([&] { return !IsWindowVisible(dialog); }));
        });
        ASSERT_TRUE(partner.Expect(HelloMessage));
        EXPECT_TRUE(second.Closed()) << "one partner only";
        EXPECT_FALSE(third.Connect()) << "no one once the dialog has ended";
    }
    static std::wstring Band()
    {
        wchar_t line[128] = L"";
        PartnerLineText(line, 128);
        return line;
    }
};

// Each stop through the link shows why, hangs up, and leaves the program ready for a new game.
// Connected, before the partner's hello, the band says to whom; after a finished game, that the
// player waits for the partner's answer; from either Escape or "Begin..." stops waiting with no
// battle question and no box, and the partner hears goodbye.
TEST_F(NetworkStops, EveryStopSaysWhyAndCountsNothing)
{
    struct Case { const char* what; std::function<void(Partner&)> script; const wchar_t* box; };
    const Case cases[] = {
        {"garbage", [](Partner& p) { p.Send("GET / HTTP/1.1\r\n\r\n"); }, L"The other side is not Tidewar."},
        {"overlong", [](Partner& p) { p.SendHello(); p.Send("\x0C\xE5"); }, L"Anna sent a message against the rules."},
        {"goodbye", [](Partner& p) { p.SendHello(); p.Send({0, 2, 'B', 0}); }, L"Anna has left the game."},
        {"gone before its hello", [](Partner& p) { p.Close(); }, L"The connection to Partner was lost."},
        // Once the system holds all it will, the program's queue fills, and one more message is lost.
        {"reading nothing", [](Partner& p) {
             p.SendHello();
             const uint8_t message[1000] = {};
             size_t sent = 0;
             for (; sent < 64'000'000 && !Link.overflowed; sent += sizeof message)
                 SendToPartner(message, sizeof message);
             EXPECT_TRUE(Link.overflowed) << sent;
         }, L"The connection to Anna was lost."},
        {"Escape before its hello", [this](Partner& p) {
             EXPECT_EQ(Band(), L"Connected to 127.0.0.1, waiting for the other side...");
             SendMessageW(MainWindow, WM_KEYDOWN, VK_ESCAPE, 0);
             EXPECT_TRUE(p.Expect(ByeMessage));
             EXPECT_TRUE(PictureShownAt(BackgroundPicture, 0, kStartHintTop, kSceneWidth, kStartHintHeight)) << "the line is gone";
         }, nullptr},
        {"Begin after a game", [this](Partner& p) {   // both reveals closed, the player having asked for another
             Game.Network.greeted = true;
             Game.Network.ended = true;
             Game.Network.againSent = true;
             Game.Opponent = PartnerOpponent;
             Game.GamePhase = GameOver;
             EXPECT_EQ(Band(), L"Waiting for Partner to answer: another game?");
             Command(CMD_NEW_GAME);
             EXPECT_TRUE(p.Expect(ByeMessage));
         }, nullptr},
    };
    for (const Case& c : cases) {
        Partner partner;
        RestartAndConnect(partner);
        c.script(partner);
        ASSERT_TRUE(!c.box || WaitFor([&] { return !answered.empty(); })) << c.what;
        EXPECT_EQ(answered.empty() ? L"" : answered.back().text, c.box ? c.box : L"") << c.what << ": no question, no box, unless one is due";
        EXPECT_TRUE(partner.Closed()) << c.what;
        EXPECT_FALSE(NetworkGameRunning(Game)) << c.what;
        EXPECT_EQ(Band(), L"") << c.what << ": the band names no partner once stopped";
        Command(CMD_NEW_GAME);
        EXPECT_EQ(std::make_pair(Game.GamePhase, Game.Opponent), std::make_pair(Placement, ComputerOpponent)) << c.what;
    }
}

// The question of another game closes as soon as the partner goes, and the reason follows at
// once. The partner's bytes go out when the question is first seen; the question is left
// unanswered, but for a No long after, should it stay open.
TEST_F(NetworkStops, TheQuestionOfAnotherGameClosesWhenThePartnerGoes)
{
    struct Case { const char* what; std::string bytes; const wchar_t* box; };
    const Case cases[] = {
        {"goodbye", std::string("\0\x02" "B\0", 4), L"Anna does not want another game."},
        {"a message against the rules", "\x0C\xE5", L"Anna sent a message against the rules."},
    };
    for (const Case& c : cases) {
        Partner partner;
        RestartAndConnect(partner);
        partner.SendHello();
        Game.Network.ended = true;   // a game has ended properly
        Game.GamePhase = GameOver;
        ULONGLONG giveUpAt = 0;
        bool gaveUp = false;
        BoxReply = [&](HWND box) -> WPARAM {
            if (TextOf(box) != L"VICTORY")
                return IDOK;
            if (!giveUpAt) {
                partner.Send(c.bytes);
                giveUpAt = GetTickCount64() + 10000;
            }
            gaveUp = GetTickCount64() > giveUpAt;
            return gaveUp ? IDNO : 0;
        };
        Game.View->gameEnded(true);
        AnnounceDue();
        BoxReply = nullptr;
        EXPECT_FALSE(gaveUp) << c.what << ": the question stayed open";
        ASSERT_FALSE(answered.empty()) << c.what;
        EXPECT_EQ(answered.back().text, c.box) << c.what;
    }
}

// Two programs on 127.0.0.1 play two games on one connection through their windows: each
// game one wins and one loses, the boxes name the partner, only the network record counts
// them; the first program says no to a third game, and the second is told so. Both live on.
TEST(NetworkPrograms, TwoProgramsPlayTwoGamesOnOneConnection)
{
    DeleteSettingsKey();
    StoreSetting("NetworkPort", REG_DWORD, {(kTestPort + 2) & 0xFF, (kTestPort + 2) >> 8, 0, 0});
    StoreSetting("PlayerName", REG_SZ, TextBytes("Ким"));
    Process programs[2] = {Process(""), Process("")};
    HWND windows[2];
    for (int i : {0, 1}) {
        windows[i] = programs[i].Window("Tidewar", nullptr);
        const HWND dialog = OpenNetworkDialog(programs[i]);
        SendDlgItemMessageW(dialog, i ? IDC_NET_JOIN : IDC_NET_HOST, BM_CLICK, 0, 0);
        SetDlgItemTextW(dialog, IDC_NET_HOST_NAME, L"127.0.0.1");
        SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
    }
    // 'A' lays the fleet once the partner's hello has come; then every cell of the enemy board
    // in turn, on both, until the second program is told of the no or a program stops
    // answering. A click counts only on its player's turn with no answer outstanding. Each box
    // is read by its first line and answered Yes, but the first program's second end box.
    std::vector<std::wstring> boxes[2];
    std::set<HWND> read;
    bool answering = true;
    WaitFor([&] {
        for (HWND window : windows)
            PostMessageW(window, WM_KEYDOWN, 'A', 0);
        for (int cell = 0; cell < 200 && answering; ++cell) {
            const LPARAM point = MAKELPARAM(kEnemyBoardLeft + kCellSize / 2 + cell / 2 % 10 * kCellSize,
                                            kBoardTop + kCellSize / 2 + cell / 20 * kCellSize);
            for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP})
                answering = answering && SendMessageTimeoutW(windows[cell % 2], message, MK_LBUTTON, point,
                                                             SMTO_NORMAL, 5000, nullptr);
        }
        for (int i : {0, 1})
            for (const char* caption : {"VICTORY", "DEFEAT", "Network game stopped"})
                for (HWND box = nullptr; (box = FindWindowExA(nullptr, box, "#32770", caption));)
                    if (GetWindow(box, GW_OWNER) == windows[i] && read.insert(box).second) {
                        const std::wstring text = TextOf(GetDlgItem(box, 0xFFFF));
                        boxes[i].push_back(Wide(caption) + L": " + text.substr(0, text.find(L'\n')));
                        PostMessageW(box, WM_COMMAND, caption[0] == 'N' ? IDOK : i == 0 && boxes[0].size() == 2 ? IDNO : IDYES, 0);
                    }
        return boxes[1].size() >= 3 || !answering;
    }, 90000);
    for (const Process& program : programs)
        EXPECT_EQ(WaitForSingleObject(program.info.hProcess, 0), static_cast<DWORD>(WAIT_TIMEOUT)) << "a program ended";
    EXPECT_EQ(boxes[1].back(), L"Network game stopped: Ким does not want another game.");
    boxes[0].insert(boxes[0].end(), boxes[1].begin(), boxes[1].end() - 1);
    std::sort(boxes[0].begin(), boxes[0].end());
    EXPECT_EQ(boxes[0], std::vector<std::wstring>({L"DEFEAT: Ким has beaten you", L"DEFEAT: Ким has beaten you",
                                                    L"VICTORY: You have beaten Ким", L"VICTORY: You have beaten Ким"}));
    EXPECT_EQ(SettingBytes("NetworkStatistic"), std::vector<unsigned char>({2, 0, 0, 0, 2, 0, 0, 0}));
    EXPECT_TRUE(SettingBytes("Statistic").empty());
}

}  // namespace
