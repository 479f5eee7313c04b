#include <winsock2.h>
#include <ws2tcpip.h>

#include "base/lan.h"

#include <cstring>
#include <initializer_list>

LanState Lan;

// A flood must leave the dialog its turn: the socket tells again while more wait.
constexpr int kDatagramsAtOnce = 64;
constexpr int kMostInterfaces = 32;

// IPv6 has no broadcast: the game's own link-local multicast group, ff02::5477 ("Tw").
constexpr in6_addr kLanGroup = {{{0xFF, 0x02, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0x54, 0x77}}};

static void SendTo(SOCKET socket, const uint8_t* bytes, size_t size, const sockaddr* to, int toSize)
{
    sendto(socket, reinterpret_cast<const char*>(bytes), static_cast<int>(size), 0, to, toSize);
}

static void SendTo(const uint8_t* bytes, size_t size, const sockaddr_in& to)
{
    SendTo(Lan.socket, bytes, size, reinterpret_cast<const sockaddr*>(&to), sizeof to);
}

// To the broadcast address of each IPv4 interface that is up; to the loopback's only where no
// other is, so that programs on a computer without a network still meet; to the limited
// broadcast where the system lists none. And to the IPv6 group where there is IPv6.
static void Broadcast(const uint8_t* bytes, size_t size)
{
    INTERFACE_INFO interfaces[kMostInterfaces];
    DWORD length = 0;
    if (WSAIoctl(Lan.socket, SIO_GET_INTERFACE_LIST, nullptr, 0, interfaces, sizeof interfaces, &length, nullptr, nullptr) != 0)
        length = 0;
    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_port = htons(static_cast<u_short>(Lan.port));
    int sent = 0;
    for (const u_long loopback : {0ul, static_cast<u_long>(IFF_LOOPBACK)})
        for (DWORD i = 0; i < length / sizeof interfaces[0] && !(loopback && sent); ++i) {
            const INTERFACE_INFO& face = interfaces[i];
            if (!(face.iiFlags & IFF_UP) || (face.iiFlags & IFF_LOOPBACK) != loopback || face.iiAddress.Address.sa_family != AF_INET)
                continue;
            to.sin_addr.s_addr = face.iiAddress.AddressIn.sin_addr.s_addr | ~face.iiNetmask.AddressIn.sin_addr.s_addr;
            SendTo(bytes, size, to), ++sent;
        }
    if (sent == 0) {
        to.sin_addr.s_addr = INADDR_BROADCAST;
        SendTo(bytes, size, to);
    }
    if (Lan.groupSocket != INVALID_SOCKET) {
        sockaddr_in6 group = {};
        group.sin6_family = AF_INET6;
        group.sin6_port = to.sin_port;
        group.sin6_addr = kLanGroup;
        SendTo(Lan.groupSocket, bytes, size, reinterpret_cast<const sockaddr*>(&group), sizeof group);
    }
}

static bool TurnedOff()
{
    HKEY key;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, LanPolicyKeyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
        return false;
    DWORD off = 0, size = sizeof off;
    const bool read = RegQueryValueExA(key, "NoLanGames", nullptr, nullptr, reinterpret_cast<BYTE*>(&off), &size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return read && size == sizeof off && off == 1;
}

// The group's socket, on the interface the system chooses for link-local multicast; none where
// the system has no IPv6 or no such interface.
static SOCKET OpenGroupSocket(HWND window, unsigned port)
{
    SOCKET group = socket(AF_INET6, SOCK_DGRAM, IPPROTO_UDP);
    const BOOL on = TRUE;
    const DWORD v6Only = 1;
    sockaddr_in6 address = {};
    address.sin6_family = AF_INET6;
    address.sin6_port = htons(static_cast<u_short>(port));
    ipv6_mreq membership = {};
    membership.ipv6mr_multiaddr = kLanGroup;
    if (group != INVALID_SOCKET &&
        (setsockopt(group, IPPROTO_IPV6, IPV6_V6ONLY, reinterpret_cast<const char*>(&v6Only), sizeof v6Only) != 0 ||
         setsockopt(group, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof on) != 0 ||
         bind(group, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
         setsockopt(group, IPPROTO_IPV6, IPV6_JOIN_GROUP, reinterpret_cast<const char*>(&membership), sizeof membership) != 0 ||
         WSAAsyncSelect(group, window, LanMessage, FD_READ) != 0)) {
        closesocket(group);
        group = INVALID_SOCKET;
    }
    return group;
}

bool OpenLan(HWND window, unsigned port)
{
    CloseLan();
    if (TurnedOff())
        return false;
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        return false;
    Lan.socket = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    Lan.port = port;
    // Hosts and joiners on one computer share the port.
    const BOOL on = TRUE;
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    if (Lan.socket == INVALID_SOCKET ||
        setsockopt(Lan.socket, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof on) != 0 ||
        setsockopt(Lan.socket, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&on), sizeof on) != 0 ||
        bind(Lan.socket, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
        WSAAsyncSelect(Lan.socket, window, LanMessage, FD_READ) != 0) {
        if (Lan.socket == INVALID_SOCKET)
            WSACleanup();
        CloseLan();
        return false;
    }
    Lan.groupSocket = OpenGroupSocket(window, port);
    uint8_t query[kQuerySize];
    EncodeQuery(query);
    Broadcast(query, sizeof query);
    return true;
}

void CloseLan()
{
    if (Lan.groupSocket != INVALID_SOCKET)
        closesocket(Lan.groupSocket);
    if (Lan.socket != INVALID_SOCKET) {
        closesocket(Lan.socket);
        WSACleanup();
    }
    Lan = LanState{};
}

// The UTF-8 of at most 32 UTF-16 units of the text, a surrogate pair kept whole.
static void ToName(const wchar_t* text, char (&name)[kPartnerNameBytes])
{
    int units = lstrlenW(text) < kMaxPartnerNameChars ? lstrlenW(text) : kMaxPartnerNameChars;
    if (units > 0 && IS_HIGH_SURROGATE(text[units - 1]))
        --units;
    name[WideCharToMultiByte(CP_UTF8, 0, text, units, name, kPartnerNameBytes - 1, nullptr, nullptr)] = '\0';
}

bool StartAnnouncing(const wchar_t* playerName, unsigned gamePort)
{
    HostedGame game;
    game.port = static_cast<uint16_t>(gamePort);
    ToName(playerName, game.player);
    wchar_t computer[256] = L"";
    DWORD length = 256;
    GetComputerNameExW(ComputerNameDnsHostname, computer, &length);
    ToName(computer, game.computer);
    Lan.announcementSize = EncodeAnnouncement(game, Lan.announcement);
    Lan.announcing = Lan.socket != INVALID_SOCKET && Lan.announcementSize > 0;
    AnnounceAgain();
    return Lan.announcing;
}

void AnnounceAgain()
{
    if (Lan.announcing)
        Broadcast(Lan.announcement, Lan.announcementSize);
    Lan.announcedMs = GetTickCount();
}

static void OnDatagram(SOCKET socket, const uint8_t* bytes, size_t size, const sockaddr* from, int fromSize)
{
    HostedGame game;
    switch (DecodeDatagram(bytes, size, game)) {
    case AnnouncementDatagram: {
        // A game that cannot be told by its address could not be joined; the host's own comes
        // back to it by every interface and is not for it to join.
        char address[kAddressBytes] = "";
        const bool own = Lan.announcing && size == Lan.announcementSize && std::memcmp(bytes, Lan.announcement, size) == 0;
        if (!own && getnameinfo(from, fromSize, address, sizeof address, nullptr, 0, NI_NUMERICHOST) == 0)
            Lan.changed = HearGame(Lan.heard, game, address, GetTickCount()) || Lan.changed;
        break;
    }
    case QueryDatagram:
        // A query is as long as the longest announcement, so no answer outweighs it.
        if (Lan.announcing && MayAnswer(Lan.answers, GetTickCount()))
            SendTo(socket, Lan.announcement, Lan.announcementSize, from, fromSize);
        break;
    case DatagramDropped: break;
    }
}

// The datagrams waiting on one socket, from its own family only.
static void ReadDatagrams(SOCKET socket, int family, int addressSize)
{
    // One byte more than any datagram kept: a longer one is cut, and dropped as too long.
    uint8_t bytes[kMaxAnnouncementSize + 1];
    for (int i = 0; i < kDatagramsAtOnce && socket != INVALID_SOCKET; ++i) {
        sockaddr_storage from = {};
        int fromSize = sizeof from;
        const int count = recvfrom(socket, reinterpret_cast<char*>(bytes), sizeof bytes, 0,
                                   reinterpret_cast<sockaddr*>(&from), &fromSize);
        if (count >= 0 && fromSize == addressSize && from.ss_family == family)
            OnDatagram(socket, bytes, static_cast<size_t>(count), reinterpret_cast<const sockaddr*>(&from), fromSize);
        else if (count < 0 && WSAGetLastError() != WSAEMSGSIZE)
            break;
    }
}

void OnLanMessage()
{
    ReadDatagrams(Lan.socket, AF_INET, sizeof(sockaddr_in));
    ReadDatagrams(Lan.groupSocket, AF_INET6, sizeof(sockaddr_in6));
    if (GetTickCount() - Lan.announcedMs >= kAnnounceIntervalMs)
        AnnounceAgain();
}
