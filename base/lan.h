// Games on the local network: UDP sockets on the discovery port while the network dialog is
// open, one for IPv4 and one for IPv6 where the system has it, their events as LanMessage to the
// dialog (no threads). They hear the hosts' announcements into a bounded list, and while the
// player hosts they announce the game by IPv4 broadcast on each interface and to the game's
// IPv6 link-local group, and answer queries, a few a second at most.
#pragma once
#include <windows.h>   // its SOCKET; the socket's own file takes Winsock 2 first

#include "game/discovery.h"

// Where a policy turns the dialog's announcing and listening off: a DWORD NoLanGames of 1.
constexpr const char* LanPolicyKeyPath = "Software\\Policies\\Quorvex Software\\Tidewar";

// The socket's events: wParam the socket, lParam the event and error.
constexpr UINT LanMessage = WM_APP + 2;

struct LanState {
    SOCKET socket = INVALID_SOCKET;
    SOCKET groupSocket = INVALID_SOCKET;   // IPv6, in the link-local group; none without IPv6
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

// Opens the sockets on `port` for `window` and asks the hosts there; false when IPv4's cannot
// open or a policy says no. IPv6's is a bonus: without it the games of IPv4 are still heard.
bool OpenLan(HWND window, unsigned port);

// Stops announcing, closes the sockets and forgets the games heard.
void CloseLan();

// Announces the player's game on its TCP port now, and from then on at each AnnounceAgain and
// in answer to queries; false when the player's name cannot be announced.
bool StartAnnouncing(const wchar_t* playerName, unsigned gamePort);
void AnnounceAgain();

// Reads the datagrams waiting, a bounded number at a time. Timers wait while posted messages
// keep coming, as in a flood of datagrams: an announcement overdue goes out from here then.
void OnLanMessage();
