// Games on the local network between programs in a network of the test's own (a veth pair,
// 10.77.0.1 on v0): a host is listed and joined by choosing it, and leaves the list when it
// stops waiting; over IPv6 too. Which datagrams count, and how often a query is answered, is the model's to hold.
#include <winsock2.h>
#include <ws2tcpip.h>

#include "base/lan.h"
#include "tests/win/network_programs.h"

namespace {

// The list's line of a game from 10.77.0.1; this computer's name unless another is given.
std::wstring Line(const wchar_t* player, unsigned port, std::wstring computer = L"")
{
    wchar_t name[256] = L"";
    DWORD size = 256;
    GetComputerNameExW(ComputerNameDnsHostname, name, &size);
    return std::wstring(player) + L"\t" + (computer.empty() ? name : computer) + L"\t10.77.0.1:" + std::to_wstring(port);
}

// A stranger's datagram, from a port of its own, to every program on the LAN.
void Broadcast(const std::string& bytes)
{
    const BOOL on = TRUE;
    const SOCKET socket = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    const sockaddr_in to = {AF_INET, htons(41770), {{{10, 77, 0, 255}}}, {}};
    setsockopt(socket, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&on), sizeof on);
    sendto(socket, bytes.data(), static_cast<int>(bytes.size()), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    closesocket(socket);
}

std::string Announcing(const std::string& player, char version = 1, unsigned port = 2000)
{
    return std::string("TIDEWARA") + version + char(port >> 8) + char(port) + char(player.size()) + player + "\x02PC";
}

// A member of the game's IPv6 group on the discovery port, as a host or a joiner elsewhere on
// the link would be; none where the system has no IPv6.
struct GroupMember {
    GroupMember()
    {
        const BOOL on = TRUE;
        u_long nonBlocking = 1;
        ipv6_mreq membership = {};
        inet_pton(AF_INET6, "ff02::5477", &membership.ipv6mr_multiaddr);
        joined = setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof on) == 0 &&
                 bind(socket, reinterpret_cast<sockaddr*>(&group), sizeof group) == 0 &&
                 setsockopt(socket, IPPROTO_IPV6, IPV6_JOIN_GROUP, reinterpret_cast<const char*>(&membership), sizeof membership) == 0 &&
                 ioctlsocket(socket, FIONBIO, &nonBlocking) == 0;
        group.sin6_addr = membership.ipv6mr_multiaddr;
    }
    ~GroupMember() { closesocket(socket); }
    SOCKET socket = ::socket(AF_INET6, SOCK_DGRAM, IPPROTO_UDP);
    bool joined = false;
    sockaddr_in6 group = {AF_INET6, htons(41770), 0, {}, 0};   // bound to the port, then sent to in the group
    void Send(const std::string& bytes)
    {
        sendto(socket, bytes.data(), static_cast<int>(bytes.size()), 0, reinterpret_cast<sockaddr*>(&group), sizeof group);
    }
    // The address of the first datagram heard that holds the text; empty when none comes in 20 s.
    std::string HeardFrom(const std::string& text)
    {
        char bytes[1024], host[64] = "";
        const bool heard = WaitFor([&] {
            sockaddr_in6 from = {};
            int size = sizeof from;
            const int count = recvfrom(socket, bytes, sizeof bytes, 0, reinterpret_cast<sockaddr*>(&from), &size);
            return count >= 0 && std::string(bytes, count).find(text) != std::string::npos &&
                   getnameinfo(reinterpret_cast<sockaddr*>(&from), size, host, sizeof host, nullptr, 0, NI_NUMERICHOST) == 0;
        });
        return heard ? host : "";
    }
};

TEST(LanGames, HostsAreListedJoinedByChoosingAndForgottenOnceSilent)
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
    GroupMember member;
    RegDeleteKeyValueA(HKEY_CURRENT_USER, LanPolicyKeyPath, "NoLanGames");
    DeleteSettingsKey();
    // 32 characters in 33 UTF-16 units: an announcement holds 32 units, and the pair that its cut
    // would split goes whole.
    const std::wstring name = std::wstring(31, L'К') + L"\U0001F600", announced(31, L'К');
    RegSetKeyValueW(HKEY_CURRENT_USER, Wide(SettingsKeyPath).c_str(), L"PlayerName", REG_SZ, name.c_str(), DWORD(2 * name.size() + 2));
    Process host(""), joiner("");
    HWND hosting = OpenNetworkDialog(host), joining = OpenNetworkDialog(joiner);
    const auto games = [joining] { return ListEntries(GetDlgItem(joining, IDC_NET_GAMES)); };
    SendDlgItemMessageW(hosting, IDOK, BM_CLICK, 0, 0);
    // Heard by IPv6 too, the game is listed by its IPv4 address in the end.
    EXPECT_TRUE(WaitFor([&] { return games() == std::vector<std::wstring>{Line(announced.c_str(), 41770)}; }));
    // Over IPv6, where the system has it, the host announces in the group from its link-local
    // address, and the group carries a stranger's announcement to the list, by its link-local
    // address until the same game comes by IPv4.
    if (member.joined) {
        EXPECT_EQ(member.HeardFrom(Announcing("", 1, 41770).substr(0, 11)).find("fe80:"), 0u) << "the host announces in the group";
        member.Send(Announcing("Anna"));
        ASSERT_TRUE(WaitFor([&] { return games().size() == 2; }));
        EXPECT_EQ(games()[1].find(L"Anna\tPC\t[fe80:"), 0u) << "by its link-local address, in brackets";
    }
    Broadcast(Announcing("Anna"));
    ASSERT_TRUE(WaitFor([&] { return games() == std::vector<std::wstring>({Line(announced.c_str(), 41770), Line(L"Anna", 2000, L"PC")}); }));
    EXPECT_TRUE(WaitFor([&] { return ListEntries(GetDlgItem(hosting, IDC_NET_GAMES)) == std::vector<std::wstring>{Line(L"Anna", 2000, L"PC")}; }))
        << "the host lists another's game, never its own";
    EXPECT_TRUE(WaitFor([&] { return games() == std::vector<std::wstring>{Line(announced.c_str(), 41770)}; })) << "the silent forgotten";

    SendMessageW(hosting, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitFor([&] { return games().empty(); })) << "gone once the host stopped waiting";
    // A game on a port of the host's choice is announced on it.
    hosting = OpenNetworkDialog(host);
    SetDlgItemTextW(hosting, IDC_NET_PORT, L"2345");
    SendDlgItemMessageW(hosting, IDOK, BM_CLICK, 0, 0);
    ASSERT_TRUE(WaitFor([&] { return games() == std::vector<std::wstring>{Line(announced.c_str(), 2345)}; }));
    // Chosen, the game's address and port replace what was typed, and a double click joins.
    SetDlgItemTextW(joining, IDC_NET_PORT, L"1024");
    SendDlgItemMessageW(joining, IDC_NET_GAMES, LB_SETCURSEL, 0, 0);
    SendMessageW(joining, WM_COMMAND, MAKEWPARAM(IDC_NET_GAMES, LBN_SELCHANGE), 0);
    wchar_t typed[2][64] = {};
    GetDlgItemTextW(joining, IDC_NET_HOST_NAME, typed[0], 64);
    GetDlgItemTextW(joining, IDC_NET_PORT, typed[1], 64);
    EXPECT_EQ(std::wstring(typed[0]) + L":" + typed[1], L"10.77.0.1:2345");
    EXPECT_EQ(IsDlgButtonChecked(joining, IDC_NET_JOIN), static_cast<UINT>(BST_CHECKED));
    SendMessageW(joining, WM_COMMAND, MAKEWPARAM(IDC_NET_GAMES, LBN_DBLCLK), 0);
    EXPECT_TRUE(WaitFor([&] { return !IsWindow(hosting) && !IsWindow(joining); })) << "connected";
}

}  // namespace
