// The connection to the partner: one TCP socket whose events come to the main window as a
// message (no threads), a bounded queue of bytes to send, and the listening or joining that
// makes the connection.
#pragma once
#include <windows.h>   // its SOCKET; the link's own file takes Winsock 2 first

#include <cstddef>
#include <cstdint>

// The message the sockets' events arrive as: wParam the socket, lParam the event and error.
constexpr UINT LinkMessage = WM_APP + 1;

// Far above what a game queues at once (a few messages of at most 3302 bytes); a partner that
// leaves this much unread is lost.
constexpr size_t kSendQueueSize = 16384;

// What the link tells the program; each may show a box, whose loop may bring more events.
struct LinkEvents {
    void (*connected)();                                // a partner was accepted, or the join succeeded
    void (*received)(const uint8_t* bytes, size_t size);
    void (*lost)();                                     // the connection closed or failed
    void (*joinFailed)();                               // no address of the host answered
};

struct LinkState {
    bool winsockStarted = false;
    SOCKET listener = INVALID_SOCKET;
    SOCKET partner = INVALID_SOCKET;
    bool connected = false;
    // A join tries the host's addresses in turn: the list, and the one being tried.
    struct addrinfoW* addresses = nullptr;
    struct addrinfoW* trying = nullptr;
    uint8_t queue[kSendQueueSize] = {};
    size_t queued = 0;
    bool hangingUp = false;    // close once the queue has gone
    bool overflowed = false;   // the partner left the queue full: lost at the next event
    bool delivering = false;   // received bytes are being handed on; reading waits
    LinkEvents events = {[] {}, [](const uint8_t*, size_t) {}, [] {}, [] {}};   // told to nobody until installed
};

extern LinkState Link;

// Closes every socket and forgets the queue and the events: as before the first network game.
void ResetLink();

void InstallLinkEvents(const LinkEvents& events);

// Listens on every address of this computer (IPv6 with IPv4 beside it where the system allows,
// else IPv4); false when no socket could listen on the port.
bool ListenForPartner(unsigned port);

// Looks the host up and tries its addresses in turn; false when it has none.
bool JoinPartner(const wchar_t* host, unsigned port);

// No more partners are taken: closes the listener, and a join not yet connected.
void StopWaiting();

// Queues the bytes and sends what the socket takes now.
void SendToPartner(const uint8_t* bytes, size_t size);

// Closes the connection once the queue has gone; nothing more is received.
void HangUpLink();

// The sockets' events, as the main window receives LinkMessage.
void OnLinkMessage(WPARAM socket, LPARAM event);

// Whether a partner's socket is open: connected, or a join still trying an address.
bool PartnerSocketOpen();

// The connected partner's address as the system writes it; empty when there is none.
void DescribePartner(wchar_t* text, int size);

// This computer's name, then its addresses, one per line ("\r\n"), as far as `size` allows.
void DescribeThisComputer(wchar_t* text, int size);
