// A partner scripted by the tests on a loopback socket, speaking through the model's own
// encoder and decoder, and the pump that lets the program under test, in the same thread,
// answer meanwhile. Every wait is bounded.
#pragma once
#include <winsock2.h>

#include <string>

#include "game/protocol.h"

// Far from the default port, so that a test never meets a program someone plays.
constexpr unsigned kTestPort = 47391;

// Hands on the program's messages (its boxes' loops included) for `ms` milliseconds.
void Pump(int ms);

// Its fleet lies in rows 0, 2 and 4 (rows 6 to 9 are water); it says what the tests tell it.
class Partner {
public:
    // The coin bit it commits to: equal to the program's, the program (hosting) fires first.
    explicit Partner(uint8_t coinBit = 0);
    ~Partner();
    // The system of a listening program takes the connection before the program itself does.
    bool Connect(unsigned port = kTestPort);
    void Close();
    void Send(const std::string& bytes);
    void SendHello(uint8_t version = kProtocolVersion);
    // Ready, then the coin once the program's Ready has come.
    void SendFleetAndCoin();
    // Answers the program's shot at the cell "miss": a lie where the cell holds a deck.
    void AnswerMiss(int column, int row);
    // The program's next message of the type, past any others; false when none comes in 3 s.
    bool Expect(MessageType type);
    // Whether the program has hung up within 3 s, whatever it sent before.
    bool Closed();

private:
    void Say(MessageType type);
    // Takes what has come, or pumps a little; sets closed_ when nothing more can come.
    void Read();
    Message message_;
    SOCKET socket_ = INVALID_SOCKET;
    uint8_t coinBit_;
    FrameReader reader_;
    std::string pending_;
    bool closed_ = false;
};
