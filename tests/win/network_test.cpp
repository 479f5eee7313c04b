// The network game's shell: the system's hash, the stored network values, the dialog and its
// link, games against a scripted partner over loopback, and a whole game between two programs.
#include "tests/win/network_peer.h"

#include <algorithm>
#include <cstring>

#include "base/crypto.h"
#include "base/link.h"
#include "game/network.h"
#include "tests/win/shell_fixture.h"
#include "ui/network_dialog.h"

namespace {

std::wstring ControlText(HWND dialog, int control)
{
    wchar_t text[1024] = L"";
    GetDlgItemTextW(dialog, control, text, 1024);
    return text;
}

TEST(NetworkCrypto, HashIsSha256AndRandomBytesVary)
{
    uint8_t digest[32];
    ASSERT_TRUE(Sha256(reinterpret_cast<const uint8_t*>("abc"), 3, digest));
    std::string hex;
    for (uint8_t byte : digest)
        hex += "0123456789abcdef"[byte >> 4], hex += "0123456789abcdef"[byte & 15];
    EXPECT_EQ(hex, "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    uint8_t first[16] = {}, second[16] = {};
    ASSERT_TRUE(SecretRandomBytes(first, 16) && SecretRandomBytes(second, 16));
    EXPECT_NE(std::string(first, first + 16), std::string(second, second + 16));
}

using NetworkStore = ShellTest;

// A port outside 1024..65535 or not four bytes, and a name that is empty, longer than 32
// characters (a surrogate pair is one), holds a control character or broken UTF-16, read as
// the defaults; the bytes end at a page that cannot be read.
TEST_F(NetworkStore, BadStoredValuesReadAsTheDefaults)
{
    wchar_t user[257] = L"";
    DWORD length = 257;
    GetUserNameW(user, &length);
    const std::string you = Utf8(user).substr(0, 32), smile = "\xF0\x9F\x98\x80";
    std::string smiles;
    for (int i = 0; i < 32; ++i)
        smiles += smile;
    const auto port = [](uint32_t value, size_t size = 4) {
        return std::string(reinterpret_cast<const char*>(&value), size);
    };
    const auto name = [](const std::string& utf8, bool zero = true) {
        const std::vector<unsigned char> bytes = TextBytes(utf8, zero);
        return std::string(bytes.begin(), bytes.end());
    };
    struct Case { const char* value; std::string stored; std::string loaded; };
    const std::vector<Case> cases = {
        {"NetworkPort", port(1024), "1024"}, {"NetworkPort", port(65535), "65535"},
        {"NetworkPort", port(1023), "41770"}, {"NetworkPort", port(65536), "41770"},
        {"NetworkPort", port(5000, 2), "41770"}, {"NetworkPort", "", "41770"},
        {"PlayerName", name("Игрок 海"), "Игрок 海"}, {"PlayerName", name(std::string(32, 'x'), false), std::string(32, 'x')},
        {"PlayerName", name(smiles), smiles}, {"PlayerName", name(std::string(33, 'x')), you},
        {"PlayerName", name(smiles + "x"), you}, {"PlayerName", name(""), you}, {"PlayerName", name("a\x07z"), you},
        {"PlayerName", name("a\xC2\x85z"), you}, {"PlayerName", std::string("\x00\xD8\x41\x00\x00\x00", 6), you},
    };
    for (const Case& c : cases) {
        Settings.NetworkPort = 1;
        Settings.PlayerName[0] = L'?';
        const GuardedBytes guarded(c.stored);
        TakeStoredValue(c.value, guarded.data(), guarded.size());
        const std::string loaded = c.value[0] == 'N' ? std::to_string(Settings.NetworkPort) : Utf8(Settings.PlayerName);
        EXPECT_EQ(loaded, c.loaded) << c.value << " " << c.stored.size();
    }
}

using NetworkDialogTest = ShellTest;

// The host's dialog shows the record and this computer's name, waits, takes the first partner
// and starts the game (its hello goes out), and refuses a second connection.
TEST_F(NetworkDialogTest, HostTakesOnePartnerAndRefusesTheNext)
{
    const unsigned char record[8] = {3, 0, 0, 0, 4, 0, 0, 0};
    RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKeyPath, "NetworkStatistic", REG_DWORD, record, 8);
    RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKeyPath, "NetworkPort", REG_DWORD, (const BYTE*)"\x1F\xB9\0\0", 4);
    Peer first, second;
    bool ended = false;
    RunInDialog(CMD_NETWORK_GAME, [&](HWND dialog) {
        wchar_t computer[256] = L"";
        DWORD size = 256;
        GetComputerNameExW(ComputerNameDnsHostname, computer, &size);
        EXPECT_EQ(ControlText(dialog, IDC_NET_THIS_COMPUTER).find(computer), 0u);
        EXPECT_EQ(ControlText(dialog, IDC_NET_RECORD), L"Network games: 3 won, 4 lost");
        EXPECT_EQ(ControlText(dialog, IDC_NET_PORT), L"47391");
        SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
        EXPECT_EQ(ControlText(dialog, IDC_NET_STATUS), L"Waiting for a partner on port 47391...");
        ASSERT_TRUE(first.Connect());
        ASSERT_TRUE(second.Connect());
        ended = !IsWindowVisible(dialog) || !IsWindow(dialog);
    });
    EXPECT_TRUE(ended);
    EXPECT_EQ(first.Receive(3).substr(2, 1), "H");
    EXPECT_TRUE(second.Closed());
    Peer third;
    EXPECT_FALSE(third.Connect()) << "no one listens once the dialog has ended";
    EXPECT_TRUE(NetworkGameRunning());
}

// Start with a bad port or name says so and waits for nothing; a join that no one answers
// says so and lets the player try again; Cancel stops the waiting.
TEST_F(NetworkDialogTest, BadChoicesAndFailedJoinsSaySoAndWaitForNothing)
{
    struct Case { int choice; const wchar_t* port; const wchar_t* name; const wchar_t* line; bool enabled; };
    const Case cases[] = {
        {IDC_NET_HOST, L"1023", L"Anna", L"Port: 1024 to 65535", true},
        {IDC_NET_HOST, L"47391", L"", L"Name: 1 to 32 characters, no control characters", true},
        {IDC_NET_JOIN, L"47392", L"Anna", L"127.0.0.1 does not answer on port 47392", true},
        {IDC_NET_HOST, L"47391", L"Anna", L"Waiting for a partner on port 47391...", false},
    };
    for (const Case& c : cases) {
        RunInDialog(CMD_NETWORK_GAME, [&](HWND dialog) {
            CheckRadioButton(dialog, IDC_NET_HOST, IDC_NET_JOIN, c.choice);
            SetDlgItemTextW(dialog, IDC_NET_HOST_NAME, L"127.0.0.1");
            SetDlgItemTextW(dialog, IDC_NET_PORT, c.port);
            SetDlgItemTextW(dialog, IDC_NET_NAME, c.name);
            SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
            Pump(300);
            EXPECT_EQ(ControlText(dialog, IDC_NET_STATUS), c.line);
            EXPECT_EQ(IsWindowEnabled(GetDlgItem(dialog, IDOK)) != 0, c.enabled) << c.line;
        });
        Peer peer;
        EXPECT_FALSE(peer.Connect()) << c.line;
        EXPECT_FALSE(NetworkGameRunning());
    }
}

// The program hosts on the test port, with a coin bit of 0 (its random bytes are all zero).
class NetworkGame : public ShellTest {
protected:
    void Connect(ScriptedPartner& partner)
    {
        InstallNetworkPort({SendToPartner, HangUpLink, Sha256, [](uint8_t* bytes, size_t size) {
                                std::memset(bytes, 0, size);
                                return true;
                            }});
        const DWORD port = kTestPort;
        RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKeyPath, "NetworkPort", REG_DWORD, &port, 4);
        RunInDialog(CMD_NETWORK_GAME, [&](HWND dialog) {
            SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
            ASSERT_TRUE(partner.Connect());
        });
        ASSERT_TRUE(partner.Expect(HelloMessage));
    }

    void ToBattle(ScriptedPartner& partner)
    {
        partner.SendHello();
        PlaceWholeFleet();
        partner.SendFleetAndCoin();
        Tick();
        ASSERT_EQ(Game.GamePhase, Battle);
    }
};

// Each stop shows why, counts nothing, hangs up, and leaves the program ready for a new game.
TEST_F(NetworkGame, EveryStopSaysWhyAndCountsNothing)
{
    using Script = std::function<void(ScriptedPartner&)>;
    struct Case { const char* what; uint8_t coin; Script script; const wchar_t* box; };
    const std::string outOfRange = {0, 3, 'S', 10, 0}, overlong = {0x0C, static_cast<char>(0xE5)};
    const Case cases[] = {
        {"garbage", 0, [](ScriptedPartner& p) { p.Send("GET / HTTP/1.1\r\n\r\n"); },
         L"The other side is not Tidewar."},
        {"another version", 0, [](ScriptedPartner& p) { p.SendHello(2); },
         L"The other side plays another version of Tidewar."},
        {"overlong", 0, [&](ScriptedPartner& p) { p.SendHello(), p.Send(overlong); },
         L"Anna sent a message against the rules."},
        {"shot before the battle", 0, [](ScriptedPartner& p) { p.SendHello(), p.SendShot(0, 6); },
         L"Anna sent a message against the rules."},
        {"shot out of turn", 0, [this](ScriptedPartner& p) { ToBattle(p), p.SendShot(0, 6); },
         L"Anna sent a message against the rules."},
        {"shot out of range", 1, [&](ScriptedPartner& p) { ToBattle(p), p.Send(outOfRange); },
         L"Anna sent a message against the rules."},
        {"shot repeated", 1, [this](ScriptedPartner& p) {
             ToBattle(p), p.SendShot(0, 0);
             EXPECT_TRUE(p.Expect(AnswerMessage));
             p.SendShot(0, 0);
         }, L"Anna sent a message against the rules."},
        {"lying answer", 0, [this](ScriptedPartner& p) {
             ToBattle(p), Click(40, 40);
             EXPECT_TRUE(p.Expect(ShotMessage));
             p.AnswerMiss(0, 0);
         }, L"Anna answered against the fleet it had committed to. The game does not count."},
        {"goodbye", 0, [](ScriptedPartner& p) { p.SendHello(), p.Send({0, 2, 'B', 0}); },
         L"Anna has left the game."},
        {"gone before its hello", 0, [](ScriptedPartner& p) { p.Close(); },
         L"The connection to Partner was lost."},
        {"gone while placing", 0, [this](ScriptedPartner& p) { p.SendHello(), PlaceShips(3), p.Close(); },
         L"The connection to Anna was lost."},
        {"gone in battle", 0, [this](ScriptedPartner& p) { ToBattle(p), p.Close(); },
         L"The connection to Anna was lost."},
        // Silence: the program plays on, and the player may leave; the partner hears so.
        {"silent", 0, [this](ScriptedPartner& p) {
             p.SendHello(), PlaceWholeFleet();
             Command(CMD_NEW_GAME);
             EXPECT_TRUE(p.Expect(ByeMessage));
         }, L"Abandon the battle?"},
    };
    for (const Case& c : cases) {
        RestartProgram();
        ScriptedPartner partner(c.coin);
        Connect(partner);
        c.script(partner);
        Pump(100);
        ASSERT_FALSE(answered.empty()) << c.what;
        EXPECT_EQ(answered.back().text, c.box) << c.what;
        EXPECT_TRUE(partner.Closed()) << c.what;
        EXPECT_FALSE(NetworkGameRunning()) << c.what;
        EXPECT_TRUE(SettingBytes("Statistic").empty() && SettingBytes("NetworkStatistic").empty()) << c.what;
        Command(CMD_NEW_GAME);
        EXPECT_TRUE(Game.GamePhase == Placement && Game.Opponent == ComputerOpponent) << c.what;
    }
}

// A top-level window of the process with the class and caption, or null.
HWND WindowOf(const Process& process, const char* className, const char* caption)
{
    for (HWND window = nullptr; (window = FindWindowExA(nullptr, window, className, caption));) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == process.info.dwProcessId)
            return window;
    }
    return nullptr;
}

// Opens the network dialog of the program's window, joining 127.0.0.1 or hosting, and starts.
void StartFromDialog(Process& program, HWND window, bool join)
{
    PostMessageW(window, WM_COMMAND, CMD_NETWORK_GAME, 0);
    HWND dialog = program.Window("#32770", "Network game");
    for (int tries = 0; tries < 300 && !IsWindowVisible(dialog); ++tries)
        Sleep(10);   // shown once its controls are filled
    ASSERT_TRUE(IsWindowVisible(dialog));
    if (join) {
        SendDlgItemMessageW(dialog, IDC_NET_JOIN, BM_CLICK, 0, 0);
        SetDlgItemTextW(dialog, IDC_NET_HOST_NAME, L"127.0.0.1");
    }
    SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
}

// Two programs on 127.0.0.1 play a whole game through their windows: one wins, one loses, and
// only the network record counts it.
TEST(NetworkPrograms, TwoProgramsPlayAWholeGame)
{
    DeleteSettingsKey();
    const DWORD port = kTestPort + 2;
    RegSetKeyValueA(HKEY_CURRENT_USER, SettingsKeyPath, "NetworkPort", REG_DWORD, &port, 4);
    RegSetKeyValueW(HKEY_CURRENT_USER, Wide(SettingsKeyPath).c_str(), L"PlayerName", REG_SZ, L"Ким", 8);
    Process programs[2] = {Process(""), Process("")};
    HWND windows[2];
    for (int i : {0, 1}) {
        windows[i] = programs[i].Window("Tidewar", nullptr);
        ASSERT_TRUE(windows[i]);
        StartFromDialog(programs[i], windows[i], i == 1);
    }
    for (int tries = 0; tries < 300 && (WindowOf(programs[0], "#32770", nullptr) || WindowOf(programs[1], "#32770", nullptr)); ++tries)
        Sleep(10);
    // 'A' lays the fleet once the partner's hello has come; every cell of the enemy board in
    // turn, on both: a click is taken only on its player's turn.
    std::vector<std::wstring> ends;
    for (int pass = 0; pass < 50 && ends.size() < 2; ++pass) {
        for (HWND window : windows)
            PostMessageW(window, WM_KEYDOWN, 'A', 0);
        for (int cell = 0; cell < 100; ++cell)
            for (HWND window : windows)
                for (UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP})
                    SendMessageTimeoutW(window, message, MK_LBUTTON, MAKELPARAM(40 + 20 * (cell % 10), 40 + 20 * (cell / 10)),
                                        SMTO_NORMAL, 1000, nullptr);
        Sleep(50);
        for (const Process& program : programs)
            for (const char* caption : {"VICTORY", "DEFEAT"})
                if (HWND box = WindowOf(program, "#32770", caption)) {
                    wchar_t text[64] = L"";
                    GetDlgItemTextW(box, 0xFFFF, text, 64);
                    ends.push_back(Wide(caption) + L": " + text);
                    PostMessageW(box, WM_COMMAND, IDOK, 0);
                }
    }
    std::sort(ends.begin(), ends.end());
    EXPECT_EQ(ends, std::vector<std::wstring>({L"DEFEAT: Ким has beaten you", L"VICTORY: You have beaten Ким"}));
    EXPECT_EQ(SettingBytes("NetworkStatistic"), std::vector<unsigned char>({1, 0, 0, 0, 1, 0, 0, 0}));
    EXPECT_TRUE(SettingBytes("Statistic").empty());
}

} // namespace
