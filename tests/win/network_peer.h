// A partner scripted by the tests on a real loopback socket, and the pump that lets the
// program under test, in the same thread, answer meanwhile. Every wait is bounded.
#pragma once
#include <winsock2.h>
#include <ws2tcpip.h>

#include <string>

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
