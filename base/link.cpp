#include <winsock2.h>
#include <ws2tcpip.h>

#include "base/link.h"

#include <cstring>
#include <cwchar>

#include "base/program.h"

LinkState Link;

void InstallLinkEvents(const LinkEvents& events)
{
    Link.events = events;
}

static void CloseSocket(SOCKET& socket)
{
    if (socket != INVALID_SOCKET)
        closesocket(socket);
    socket = INVALID_SOCKET;
}

static void ForgetAddresses()
{
    if (Link.addresses)
        FreeAddrInfoW(Link.addresses);
    Link.addresses = Link.trying = nullptr;
}

void ResetLink()
{
    CloseSocket(Link.listener);
    CloseSocket(Link.partner);
    ForgetAddresses();
    if (Link.winsockStarted)
        WSACleanup();
    Link = LinkState{};
}

static bool StartWinsock()
{
    WSADATA data;
    if (!Link.winsockStarted)
        Link.winsockStarted = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    return Link.winsockStarted;
}

// A non-blocking socket whose events come to the main window.
static SOCKET OpenSocket(int family, long events)
{
    SOCKET socket = ::socket(family, SOCK_STREAM, IPPROTO_TCP);
    if (socket != INVALID_SOCKET && WSAAsyncSelect(socket, MainWindow, LinkMessage, events) != 0)
        CloseSocket(socket);
    return socket;
}

// IPv6 that also takes IPv4 partners, where the system has IPv6.
static SOCKET ListenOn(int family, unsigned port)
{
    SOCKET socket = OpenSocket(family, FD_ACCEPT);
    sockaddr_storage address = {};
    int size;
    if (family == AF_INET6) {
        DWORD v6Only = 0;
        setsockopt(socket, IPPROTO_IPV6, IPV6_V6ONLY, reinterpret_cast<const char*>(&v6Only), sizeof v6Only);
        auto& v6 = reinterpret_cast<sockaddr_in6&>(address);
        v6.sin6_family = AF_INET6;
        v6.sin6_port = htons(static_cast<u_short>(port));
        size = sizeof v6;
    } else {
        auto& v4 = reinterpret_cast<sockaddr_in&>(address);
        v4.sin_family = AF_INET;
        v4.sin_port = htons(static_cast<u_short>(port));
        size = sizeof v4;
    }
    if (socket != INVALID_SOCKET &&
        (bind(socket, reinterpret_cast<sockaddr*>(&address), size) != 0 || listen(socket, SOMAXCONN) != 0))
        CloseSocket(socket);
    return socket;
}

bool ListenForPartner(unsigned port)
{
    StopWaiting();
    if (!StartWinsock())
        return false;
    Link.listener = ListenOn(AF_INET6, port);
    if (Link.listener == INVALID_SOCKET)
        Link.listener = ListenOn(AF_INET, port);
    return Link.listener != INVALID_SOCKET;
}

// Tries the addresses from `Link.trying` on until one starts connecting; the last failure
// tells the program.
static void TryNextAddress()
{
    for (; Link.trying; Link.trying = Link.trying->ai_next) {
        Link.partner = OpenSocket(Link.trying->ai_family, FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE);
        if (Link.partner == INVALID_SOCKET)
            continue;
        if (connect(Link.partner, Link.trying->ai_addr, static_cast<int>(Link.trying->ai_addrlen)) == 0 ||
            WSAGetLastError() == WSAEWOULDBLOCK)
            return;
        CloseSocket(Link.partner);
    }
    ForgetAddresses();
    Link.events.joinFailed();
}

bool JoinPartner(const wchar_t* host, unsigned port)
{
    StopWaiting();
    if (!StartWinsock())
        return false;
    wchar_t service[16];
    wsprintfW(service, L"%u", port);
    ADDRINFOW hints = {};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    if (GetAddrInfoW(host, service, &hints, &Link.addresses) != 0 || !Link.addresses) {
        Link.addresses = nullptr;
        return false;
    }
    Link.trying = Link.addresses;
    TryNextAddress();
    return true;
}

void StopWaiting()
{
    CloseSocket(Link.listener);
    if (!Link.connected)
        CloseSocket(Link.partner);
    ForgetAddresses();
}

static void Connect(SOCKET socket)
{
    Link.partner = socket;
    Link.connected = true;
    Link.queued = 0;
    Link.hangingUp = false;
    ForgetAddresses();
    Link.events.connected();
}

// Closes the connection; the program hears of it unless it asked for it.
static void Disconnect(bool tell)
{
    CloseSocket(Link.partner);
    Link.connected = false;
    Link.overflowed = false;
    Link.queued = 0;
    if (tell)
        Link.events.lost();
}

// One partner only: a second connection is accepted and closed at once.
static void OnAccept()
{
    SOCKET socket = accept(Link.listener, nullptr, nullptr);
    if (socket == INVALID_SOCKET)
        return;
    if (Link.partner != INVALID_SOCKET || WSAAsyncSelect(socket, MainWindow, LinkMessage, FD_READ | FD_WRITE | FD_CLOSE) != 0) {
        closesocket(socket);
        return;
    }
    Connect(socket);
}

static void OnConnect(int error)
{
    if (error == 0) {
        Connect(Link.partner);
        return;
    }
    CloseSocket(Link.partner);
    if (Link.trying)
        Link.trying = Link.trying->ai_next;
    TryNextAddress();
}

static void FinishHangUp()
{
    shutdown(Link.partner, SD_SEND);
    Disconnect(false);
}

// Sends what the socket takes; the rest waits for FD_WRITE.
static void Flush()
{
    size_t sent = 0;
    while (sent < Link.queued) {
        const int count = send(Link.partner, reinterpret_cast<const char*>(Link.queue + sent),
                               static_cast<int>(Link.queued - sent), 0);
        if (count <= 0)
            break;
        sent += count;
    }
    std::memmove(Link.queue, Link.queue + sent, Link.queued - sent);
    Link.queued -= sent;
    if (Link.queued == 0 && Link.hangingUp)
        FinishHangUp();
}

void SendToPartner(const uint8_t* bytes, size_t size)
{
    if (!Link.connected || Link.hangingUp || Link.overflowed)
        return;
    if (size > kSendQueueSize - Link.queued) {
        Link.overflowed = true;
        PostMessageW(MainWindow, LinkMessage, Link.partner, WSAMAKESELECTREPLY(FD_CLOSE, 0));
        return;
    }
    std::memcpy(Link.queue + Link.queued, bytes, size);
    Link.queued += size;
    Flush();
}

void HangUpLink()
{
    if (!Link.connected)
        return;
    Link.hangingUp = true;
    Flush();
}

// Reads until the socket has nothing more. The program's answer to some bytes may open a
// box, whose loop brings more events: those wait until the bytes before them are handled.
static void Receive()
{
    if (Link.delivering)
        return;
    uint8_t bytes[4096];
    while (Link.connected && !Link.hangingUp) {
        if (Link.overflowed) {
            Disconnect(true);
            return;
        }
        const int count = recv(Link.partner, reinterpret_cast<char*>(bytes), sizeof bytes, 0);
        if (count < 0 && WSAGetLastError() == WSAEWOULDBLOCK)
            return;
        if (count <= 0) {
            Disconnect(true);
            return;
        }
        Link.delivering = true;
        Link.events.received(bytes, static_cast<size_t>(count));
        Link.delivering = false;
    }
}

void OnLinkMessage(WPARAM socket, LPARAM event)
{
    const int error = WSAGETSELECTERROR(event);
    if (socket == Link.listener && WSAGETSELECTEVENT(event) == FD_ACCEPT)
        OnAccept();
    if (socket != Link.partner)
        return;
    switch (WSAGETSELECTEVENT(event)) {
    case FD_CONNECT: OnConnect(error); break;
    case FD_WRITE: Flush(); break;
    case FD_READ:
    case FD_CLOSE: Receive(); break;
    default: break;
    }
}

// Each address of the computer's name once, as the system writes it.
static void AppendAddresses(const wchar_t* name, wchar_t* text, int size)
{
    ADDRINFOW hints = {}, *addresses = nullptr;
    hints.ai_socktype = SOCK_STREAM;
    if (GetAddrInfoW(name, nullptr, &hints, &addresses) != 0)
        return;
    for (ADDRINFOW* address = addresses; address; address = address->ai_next) {
        wchar_t number[NI_MAXHOST] = L"";
        if (GetNameInfoW(address->ai_addr, static_cast<socklen_t>(address->ai_addrlen), number, NI_MAXHOST, nullptr,
                         0, NI_NUMERICHOST) != 0 || std::wcsstr(text, number))
            continue;
        if (std::wcslen(text) + 2 + std::wcslen(number) >= static_cast<size_t>(size))
            break;
        std::wcscat(std::wcscat(text, L"\r\n"), number);
    }
    FreeAddrInfoW(addresses);
}

bool PartnerSocketOpen()
{
    return Link.partner != INVALID_SOCKET;
}

void DescribePartner(wchar_t* text, int size)
{
    if (size < 1)
        return;
    text[0] = L'\0';
    sockaddr_storage address = {};
    int length = sizeof address;
    if (Link.partner == INVALID_SOCKET || getpeername(Link.partner, reinterpret_cast<sockaddr*>(&address), &length) != 0 ||
        GetNameInfoW(reinterpret_cast<sockaddr*>(&address), length, text, static_cast<DWORD>(size), nullptr, 0, NI_NUMERICHOST) != 0)
        text[0] = L'\0';
    // A dual-stack listener sees an IPv4 partner as ::ffff:a.b.c.d; the player knows a.b.c.d.
    const wchar_t mapped[] = L"::ffff:";
    if (std::wcsncmp(text, mapped, 7) == 0 && std::wcschr(text, L'.'))
        std::wmemmove(text, text + 7, std::wcslen(text + 7) + 1);
}

void DescribeThisComputer(wchar_t* text, int size)
{
    wchar_t name[256] = L"";
    DWORD length = 256;
    if (size < 1 || !GetComputerNameExW(ComputerNameDnsHostname, name, &length) || length >= static_cast<DWORD>(size))
        return;
    std::wcscpy(text, name);
    if (StartWinsock())
        AppendAddresses(name, text, size);
}
