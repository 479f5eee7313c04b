// Games on the local network: one UDP socket on the discovery port while the network dialog is
// open, its events as LanMessage to the dialog (no threads). It hears the hosts' announcements
// into a bounded list, and while the player hosts it announces the game by IPv4 broadcast on
// each interface and answers queries, a few a second at most.
#pragma once
#include <windows.h>   // its SOCKET; the socket's own file takes Winsock 2 first

#include "game/discovery.h"

// Where a policy turns the dialog's announcing and listening off: a DWORD NoLanGames of 1.
constexpr const char* LanPolicyKeyPath = "Software\\Policies\\Quorvex Software\\Tidewar";

// The socket's events: wParam the socket, lParam the event and error.
constexpr UINT LanMessage = WM_APP + 2;

struct LanState {
    SOCKET socket = INVALID_SOCKET;
    unsigned port = 0;
    HeardGames heard;
    bool changed = false;   // the list changed since the dialog last showed it
    bool announcing = false;
    uint32_t announcedMs = 0;
    uint8_t announcement[kMaxAnnouncementSize] = {};
    size_t announcementSize = 0;
    AnswerLimit answers;
};

extern LanState Lan;

// Opens the socket on `port` for `window` and asks the hosts there; false when it cannot or a
// policy says no.
bool OpenLan(HWND window, unsigned port);

// Stops announcing, closes the socket and forgets the games heard.
void CloseLan();

// Announces the player's game on its TCP port now, and from then on at each AnnounceAgain and
// in answer to queries; false when the player's name cannot be announced.
bool StartAnnouncing(const wchar_t* playerName, unsigned gamePort);
void AnnounceAgain();

// Reads the datagrams waiting, a bounded number at a time. Timers wait while posted messages
// keep coming, as in a flood of datagrams: an announcement overdue goes out from here then.
void OnLanMessage();
