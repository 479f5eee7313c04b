#include "tests/win/network_peer.h"

#include <windows.h>

#include <cstring>

#include "base/crypto.h"
#include "game/view.h"

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

bool ScriptedPartner::Deck(int column, int row)
{
    static const char* const kRows[] = {"XXXX.XXX..", "..........", "XXX.XX.XX.", "..........", "XX.X.X.X.X"};
    return row < 5 && kRows[row][column] == 'X';
}

ScriptedPartner::ScriptedPartner(uint8_t coinBit) : coinBit_(coinBit) {}

// Salt i for cell i, salt 100 for the coin.
static void Commit(int salt, uint8_t content, uint8_t (&digest)[kDigestSize])
{
    uint8_t bytes[kSaltSize + 1] = {static_cast<uint8_t>(salt)};
    bytes[kSaltSize] = content;
    Sha256(bytes, sizeof bytes, digest);
}

void ScriptedPartner::Say(const Message& message)
{
    uint8_t frame[kMaxFrameSize];
    Send(std::string(reinterpret_cast<char*>(frame), EncodeMessage(message, frame)));
}

void ScriptedPartner::SendHello(uint8_t version)
{
    static Message hello;
    hello.type = HelloMessage;
    hello.version = version;
    std::strcpy(hello.name, "Anna");
    Say(hello);
}

void ScriptedPartner::SendFleetAndCoin()
{
    static Message ready, coin;
    ready.type = ReadyMessage;
    for (int i = 0; i < kFieldCells; ++i)
        Commit(i, Deck(i % 10, i / 10), ready.commitments[i]);
    Commit(100, coinBit_, ready.coinCommitment);
    Say(ready);
    Expect(ReadyMessage);
    coin.type = CoinMessage;
    coin.coinSalt[0] = 100;
    coin.coinBit = coinBit_;
    Say(coin);
}

void ScriptedPartner::SendShot(int column, int row)
{
    static Message shot;
    shot.type = ShotMessage;
    shot.column = static_cast<uint8_t>(column);
    shot.row = static_cast<uint8_t>(row);
    Say(shot);
}

void ScriptedPartner::AnswerMiss(int column, int row)
{
    static Message answer;
    answer.type = AnswerMessage;
    answer.column = answer.cells[0].column = static_cast<uint8_t>(column);
    answer.row = answer.cells[0].row = static_cast<uint8_t>(row);
    answer.result = ShotMissed;
    answer.count = 1;
    answer.cells[0].content = 0;
    answer.cells[0].salt[0] = static_cast<uint8_t>(10 * row + column);
    Say(answer);
}

bool ScriptedPartner::Expect(MessageType type, Message* message)
{
    static Message read;
    for (int tries = 0; tries < 100; ++tries) {
        pending_ += Receive(1, tries ? 30 : 0);
        while (!pending_.empty()) {
            const size_t taken = reader_.take(reinterpret_cast<const uint8_t*>(pending_.data()), pending_.size());
            pending_.erase(0, taken);
            if (!reader_.complete())
                break;
            const bool found = DecodeFrame(reader_.frame(), reader_.length(), read) == MessageDecoded && read.type == type;
            reader_.next();
            if (found) {
                if (message)
                    *message = read;
                return true;
            }
        }
    }
    return false;
}
