// Games on the local network between programs in a network of the test's own (only a veth
// pair, 10.77.0.1 on v0): a host is listed, leaves the list when it stops waiting and is joined
// by choosing it; nothing a stranger sends grows the list past 32 or stops the dialog answering.
#include <winsock2.h>

#include <atomic>
#include <thread>

#include "base/lan.h"
#include "tests/win/shell_fixture.h"

namespace {

bool WaitFor(const std::function<bool()>& done)
{
    for (const DWORD start = GetTickCount(); !done(); Sleep(10))
        if (GetTickCount() - start > 20000)
            return false;
    return true;
}

HWND OpenDialog(Process& program)
{
    PostMessageW(program.Window("Tidewar", nullptr), WM_COMMAND, CMD_NETWORK_GAME, 0);
    return program.Window("#32770", "Network game");
}

std::vector<std::wstring> Games(HWND dialog)
{
    return ListEntries(GetDlgItem(dialog, IDC_NET_GAMES));
}

// An edit's text in another program, which only the edit itself knows.
std::wstring Typed(HWND dialog, int control)
{
    wchar_t text[64] = L"";
    SendDlgItemMessageW(dialog, control, WM_GETTEXT, 64, reinterpret_cast<LPARAM>(text));
    return text;
}

// What the list shows of the host's game, as it came by the LAN.
std::wstring HostLine(const wchar_t* player, unsigned port, std::wstring computer = L"")
{
    wchar_t name[256] = L"";
    DWORD size = 256;
    GetComputerNameExW(ComputerNameDnsHostname, name, &size);
    return std::wstring(player) + L"\t" + (computer.empty() ? name : computer) + L"\t10.77.0.1:" + std::to_wstring(port);
}

class LanGames : public ::testing::Test {
protected:
    void SetUp() override
    {
        RegDeleteKeyValueA(HKEY_CURRENT_USER, LanPolicyKeyPath, "NoLanGames");
        DeleteSettingsKey();
        RegSetKeyValueW(HKEY_CURRENT_USER, Wide(SettingsKeyPath).c_str(), L"PlayerName", REG_SZ, L"Ким", 8);
    }
};

TEST_F(LanGames, AHostIsListedLeavesWhenItStopsWaitingAndIsJoinedByChoosingIt)
{
    Process host(""), joiner("");
    HWND hosting = OpenDialog(host), joining = OpenDialog(joiner);
    for (bool cancel : {true, false}) {
        SendDlgItemMessageW(hosting, IDOK, BM_CLICK, 0, 0);
        const DWORD start = GetTickCount();
        ASSERT_TRUE(WaitFor([&] { return !Games(joining).empty(); }));
        std::printf("listed after %lu ms\n", GetTickCount() - start);
        EXPECT_EQ(Games(joining), std::vector<std::wstring>{HostLine(L"Ким", 41770)});
        if (cancel) {
            SendMessageW(hosting, WM_COMMAND, IDCANCEL, 0);
            EXPECT_TRUE(WaitFor([&] { return Games(joining).empty(); })) << "gone once the host stopped waiting";
            hosting = OpenDialog(host);
        }
    }
    SendDlgItemMessageW(joining, IDC_NET_PORT, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"1024"));
    SendDlgItemMessageW(joining, IDC_NET_GAMES, LB_SETCURSEL, 0, 0);
    SendMessageW(joining, WM_COMMAND, MAKEWPARAM(IDC_NET_GAMES, LBN_SELCHANGE), 0);
    EXPECT_EQ(Typed(joining, IDC_NET_HOST_NAME) + L":" + Typed(joining, IDC_NET_PORT), L"10.77.0.1:41770");
    EXPECT_EQ(IsDlgButtonChecked(joining, IDC_NET_JOIN), static_cast<UINT>(BST_CHECKED));
    SendMessageW(joining, WM_COMMAND, MAKEWPARAM(IDC_NET_GAMES, LBN_DBLCLK), 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hosting) && !IsWindow(joining); })) << "connected";
}

// A stranger on the LAN, on a port of its own: it hears only the answers to its queries.
class Stranger {
public:
    Stranger()
    {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
        socket_ = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
        u_long nonBlocking = 1;
        ioctlsocket(socket_, FIONBIO, &nonBlocking);
    }
    ~Stranger() { closesocket(socket_); }
    void Send(const std::string& bytes)
    {
        sockaddr_in to = {AF_INET, htons(41770), {}, {}};
        to.sin_addr.s_addr = inet_addr("10.77.0.1");
        sendto(socket_, bytes.data(), static_cast<int>(bytes.size()), 0, reinterpret_cast<sockaddr*>(&to), sizeof to);
    }
    // The answers that come within the time, each no longer than `most` bytes and announcing.
    int Answers(DWORD ms, size_t most, HostedGame& game)
    {
        int answers = 0;
        for (const DWORD start = GetTickCount(); GetTickCount() - start < ms; Sleep(10))
            for (uint8_t bytes[1024]; ; ++answers) {
                const int size = recv(socket_, reinterpret_cast<char*>(bytes), sizeof bytes, 0);
                if (size < 0)
                    break;
                EXPECT_LE(static_cast<size_t>(size), most);
                EXPECT_EQ(DecodeDatagram(bytes, size, game), AnnouncementDatagram);
            }
        return answers;
    }

private:
    SOCKET socket_;
};

std::string Announcing(const std::string& player, int version = 1, unsigned port = 2000)
{
    return std::string("TIDEWAR") + "A" + char(version) + char(port >> 8) + char(port) + char(player.size()) + player + "\x02PC";
}

// Queries are answered with one announcement no longer than each, a few times a second at
// most; garbage, another version and names against the rules are dropped, and a flood of
// invented hosts leaves 32 games listed, the dialog answering, and the silent ones forgotten.
TEST_F(LanGames, StrangersLeaveTheListBoundedAndTheDialogAnswering)
{
    Process host("");
    HWND dialog = OpenDialog(host);
    SendDlgItemMessageW(dialog, IDOK, BM_CLICK, 0, 0);
    Stranger stranger;
    const std::string query = std::string("TIDEWAR") + "Q\x01" + std::string(260, '\0');
    HostedGame game;
    stranger.Send(query);
    EXPECT_EQ(stranger.Answers(1000, query.size(), game), 1);
    EXPECT_EQ(std::to_string(game.port) + game.player, "41770Ким");
    for (int i = 0; i < 20; ++i)
        stranger.Send(query);
    EXPECT_LE(stranger.Answers(1500, query.size(), game), 8) << "4 a second";
    for (const std::string& bad : {std::string("GET / HTTP/1.1\r\n\r\n"), Announcing("Old", 2), Announcing("B\x07" "d"),
                                   Announcing(std::string(33, 'x')), Announcing("Low", 1, 1023), query.substr(1)})
        stranger.Send(bad);
    stranger.Send(Announcing("Anna"));
    ASSERT_TRUE(WaitFor([&] { return Games(dialog).size() == 2; }));
    EXPECT_EQ(Games(dialog), std::vector<std::wstring>({HostLine(L"Ким", 41770), HostLine(L"Anna", 2000, L"PC")}));
    // Invented hosts pour in from a thread of their own until the list shows 32 of them, the
    // dialog answering all along.
    std::atomic<bool> flooding{true};
    std::thread flood([&] {
        Stranger sender;
        for (int i = 0; flooding; ++i)
            sender.Send(Announcing("Host " + std::to_string(i)));
    });
    bool answering = true;
    EXPECT_TRUE(WaitFor([&] {
        DWORD_PTR result;
        answering = answering && SendMessageTimeoutW(dialog, WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
        return Games(dialog).size() == 32 && Games(dialog)[31].find(L"Host ") == 0;
    }));
    flooding = false;
    flood.join();
    EXPECT_TRUE(answering);
    EXPECT_TRUE(WaitFor([&] { return Games(dialog) == std::vector<std::wstring>{HostLine(L"Ким", 41770)}; })) << "the silent forgotten";
}

}  // namespace
