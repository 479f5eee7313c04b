// A partner scripted by the tests on a real loopback socket, and the pump that lets the
// program under test, in the same thread, answer meanwhile. Every wait is bounded.
#pragma once
#include <winsock2.h>
#include <ws2tcpip.h>

#include <string>

#include "game/protocol.h"

// Far from the default port, so that a test never meets a program someone plays.
constexpr unsigned kTestPort = 47391;

// Hands on the program's messages (its boxes' loops included) for `ms` milliseconds.
void Pump(int ms);

class Peer {
public:
    Peer();
    ~Peer();
    // Connects to the program, pumping until it accepts; false after 3 s.
    bool Connect(unsigned port = kTestPort);
    void Send(const std::string& bytes);
    // What has arrived after up to `ms` ms, pumping meanwhile; done once `atLeast` bytes are in.
    std::string Receive(size_t atLeast, int ms = 3000);
    // Whether the program has closed the connection within `ms` ms, whatever came before.
    bool Closed(int ms = 3000);
    void Close();

private:
    SOCKET socket_ = INVALID_SOCKET;
};

// A partner that speaks the protocol through the model's own encoder and decoder. Its fleet
// lies in rows 0, 2 and 4 (rows 6 to 9 are water); it answers only as the tests tell it.
class ScriptedPartner : public Peer {
public:
    // The coin bit it commits to: equal to the program's, the program (hosting) fires first.
    explicit ScriptedPartner(uint8_t coinBit);
    void Say(const Message& message);
    void SendHello(uint8_t version = kProtocolVersion);
    // Ready, then the coin once the program's Ready has come.
    void SendFleetAndCoin();
    void SendShot(int column, int row);
    // Answers the program's shot at the cell "miss": a lie where the cell holds a deck.
    void AnswerMiss(int column, int row);
    // The program's next message of the type, past any others; false after 3 s.
    bool Expect(MessageType type, Message* message = nullptr);
    static bool Deck(int column, int row);

private:
    uint8_t coinBit_;
    FrameReader reader_;
    std::string pending_;
};
