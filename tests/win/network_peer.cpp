#include "tests/win/network_peer.h"

#include <windows.h>

void Pump(int ms)
{
    const DWORD end = GetTickCount() + ms;
    do {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        Sleep(5);
    } while (static_cast<int>(end - GetTickCount()) > 0);
}

Peer::Peer()
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
}

Peer::~Peer()
{
    Close();
    WSACleanup();
}

bool Peer::Connect(unsigned port)
{
    socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    u_long nonBlocking = 1;
    ioctlsocket(socket_, FIONBIO, &nonBlocking);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address);
    for (int tries = 0; tries < 300; ++tries) {
        fd_set writable, failed;
        FD_ZERO(&writable);
        FD_ZERO(&failed);
        FD_SET(socket_, &writable);
        FD_SET(socket_, &failed);
        timeval none = {0, 0};
        if (select(0, nullptr, &writable, &failed, &none) > 0) {
            Pump(20);   // the program takes the partner
            return FD_ISSET(socket_, &writable);
        }
        Pump(10);
    }
    return false;
}

void Peer::Send(const std::string& bytes)
{
    for (size_t sent = 0; sent < bytes.size();) {
        const int count = send(socket_, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
        if (count > 0)
            sent += count;
        else if (WSAGetLastError() != WSAEWOULDBLOCK)
            return;
        Pump(5);
    }
    Pump(20);
}

std::string Peer::Receive(size_t atLeast, int ms)
{
    std::string bytes;
    char piece[4096];
    const DWORD end = GetTickCount() + ms;
    while (bytes.size() < atLeast && static_cast<int>(end - GetTickCount()) > 0) {
        const int count = recv(socket_, piece, sizeof piece, 0);
        if (count > 0)
            bytes.append(piece, count);
        else if (count == 0 || WSAGetLastError() != WSAEWOULDBLOCK)
            break;
        else
            Pump(10);
    }
    return bytes;
}

bool Peer::Closed(int ms)
{
    char piece[4096];
    const DWORD end = GetTickCount() + ms;
    while (static_cast<int>(end - GetTickCount()) > 0) {
        const int count = recv(socket_, piece, sizeof piece, 0);
        if (count == 0 || (count < 0 && WSAGetLastError() != WSAEWOULDBLOCK))
            return true;
        if (count < 0)
            Pump(10);
    }
    return false;
}

void Peer::Close()
{
    if (socket_ != INVALID_SOCKET)
        closesocket(socket_);
    socket_ = INVALID_SOCKET;
}
