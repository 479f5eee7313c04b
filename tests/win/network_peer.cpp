#include "tests/win/network_peer.h"

#include <windows.h>

#include "base/crypto.h"
#include "game/view.h"

void Pump(int ms)
{
    for (const DWORD end = GetTickCount() + ms; static_cast<int>(end - GetTickCount()) > 0; Sleep(5)) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageW(&message);
    }
}

Partner::Partner(uint8_t coinBit) : coinBit_(coinBit)
{
    WSADATA data;
    WSAStartup(MAKEWORD(2, 2), &data);
}

Partner::~Partner()
{
    Close();
    WSACleanup();
}

bool Partner::Connect(unsigned port)
{
    socket_ = ::socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address = {};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<u_short>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    u_long nonBlocking = 1;
    const bool connected = connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    ioctlsocket(socket_, FIONBIO, &nonBlocking);
    return connected;
}

void Partner::Close()
{
    closesocket(socket_);
    socket_ = INVALID_SOCKET;
}

void Partner::Send(const std::string& bytes)
{
    send(socket_, bytes.data(), static_cast<int>(bytes.size()), 0);
    Pump(30);
}

void Partner::Say(MessageType type)
{
    uint8_t frame[kMaxFrameSize];
    message_.type = type;
    Send(std::string(reinterpret_cast<char*>(frame), EncodeMessage(message_, frame)));
}

void Partner::SendHello(uint8_t version)
{
    message_.version = version;
    lstrcpyA(message_.name, "Anna");
    Say(HelloMessage);
}

// The salt of cell i is i, the coin's 100.
static void Commit(int salt, uint8_t content, uint8_t (&digest)[kDigestSize])
{
    const uint8_t bytes[kSaltSize + 1] = {static_cast<uint8_t>(salt), 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, content};
    Sha256(bytes, sizeof bytes, digest);
}

static bool HoldsDeck(int cell)
{
    static const char kRows[] = "XXXX.XXX..          XXX.XX.XX.          XX.X.X.X.X";
    return cell < 50 && kRows[cell] == 'X';
}

void Partner::SendFleetAndCoin()
{
    for (int i = 0; i < kFieldCells; ++i)
        Commit(i, HoldsDeck(i), message_.commitments[i]);
    Commit(100, coinBit_, message_.coinCommitment);
    Say(ReadyMessage);
    Expect(ReadyMessage);
    message_.coinSalt[0] = 100;
    message_.coinBit = coinBit_;
    Say(CoinMessage);
}

void Partner::AnswerMiss(int column, int row)
{
    message_.column = message_.cells[0].column = static_cast<uint8_t>(column);
    message_.row = message_.cells[0].row = static_cast<uint8_t>(row);
    message_.result = ShotMissed;
    message_.count = 1;
    message_.cells[0].content = 0;
    message_.cells[0].salt[0] = static_cast<uint8_t>(10 * row + column);
    Say(AnswerMessage);
}

void Partner::Read()
{
    char bytes[4096];
    const int count = recv(socket_, bytes, sizeof bytes, 0);
    if (count > 0)
        pending_.append(bytes, count);
    else if (count == 0 || WSAGetLastError() != WSAEWOULDBLOCK)
        closed_ = true;
    else
        Pump(10);
}

bool Partner::Expect(MessageType type)
{
    static Message read;
    for (int tries = 0; tries < 300 && !(closed_ && pending_.empty()); ++tries) {
        pending_.erase(0, reader_.take(reinterpret_cast<const uint8_t*>(pending_.data()), pending_.size()));
        if (!reader_.complete()) {
            Read();
            continue;
        }
        const bool found = DecodeFrame(reader_.frame(), reader_.length(), read) == MessageDecoded && read.type == type;
        reader_.next();
        if (found)
            return true;
    }
    return false;
}

bool Partner::Closed()
{
    for (int tries = 0; tries < 300 && !closed_; ++tries)
        Read();
    return closed_;
}
