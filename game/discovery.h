// Games on the local network: the datagrams a host announces its game with and a joiner asks
// with, the list of games heard, and the limit on answers. Every datagram is untrusted: the
// decoder drops what is not exactly right, the list stays bounded whatever arrives, and an
// answer is never larger than the query it answers. The shell owns the socket and the clock.
#pragma once
#include <cstddef>
#include <cstdint>

#include "game/protocol.h"

// The datagrams' own version, apart from the game's protocol.
constexpr uint8_t kLanVersion = 1;
constexpr size_t kLanHeaderSize = kMagicSize + 2;   // the magic, the kind, the version
constexpr size_t kMaxNamesBytes = 2 * (kPartnerNameBytes - 1);
constexpr size_t kMaxAnnouncementSize = kLanHeaderSize + 2 + 1 + 1 + kMaxNamesBytes;
// A query is as long as the longest announcement, so that no answer outweighs it.
constexpr size_t kQuerySize = kMaxAnnouncementSize;
constexpr int kMaxHeardGames = 32;
constexpr uint32_t kHeardGameLifeMs = 3000;
constexpr uint32_t kAnnounceIntervalMs = 1000;
constexpr int kAnswersPerSecond = 4;
constexpr int kAddressBytes = 64;   // an IPv6 address with its scope, as the system writes it

// A hosted game: its TCP port, the host's player name and its computer's name (UTF-8, each
// under the hello's rules for a name).
struct HostedGame {
    uint16_t port = 0;
    char player[kPartnerNameBytes] = {};
    char computer[kPartnerNameBytes] = {};
};

// A game is known by its port and its two names.
bool SameGame(const HostedGame& a, const HostedGame& b);

enum DatagramKind {
    DatagramDropped,
    AnnouncementDatagram,
    QueryDatagram,
};

// What the datagram is; an announcement's fields land in `game`.
DatagramKind DecodeDatagram(const uint8_t* bytes, size_t size, HostedGame& game);

// The announcement's bytes; 0 when a name breaks the rules or the port is below 1024.
size_t EncodeAnnouncement(const HostedGame& game, uint8_t (&datagram)[kMaxAnnouncementSize]);

void EncodeQuery(uint8_t (&datagram)[kQuerySize]);

struct HeardGame {
    HostedGame game;
    char address[kAddressBytes];   // where it came from, as the shell wrote it
    uint32_t heardMs;
};

// In the order first heard.
struct HeardGames {
    HeardGame games[kMaxHeardGames] = {};
    int count = 0;
};

// Adds the game heard from `address`, or renews it where it was first heard: a host's game
// comes by each interface they share. An IPv4 address takes the place of an IPv6 one. A full
// list makes way by dropping the game heard longest ago. True when the list shows something new.
bool HearGame(HeardGames& list, const HostedGame& game, const char* address, uint32_t nowMs);

// Drops the games not heard for kHeardGameLifeMs; true when any went.
bool ForgetSilentGames(HeardGames& list, uint32_t nowMs);

// At most kAnswersPerSecond answers in any second, whoever asks: the second slides, and is
// counted long by kAnswerMarginMs, so that coarse clock ticks on either side never make it
// look shorter.
constexpr uint32_t kAnswerMarginMs = 50;

struct AnswerLimit {
    uint32_t answeredMs[kAnswersPerSecond] = {};   // the latest answers, oldest at `next` once full
    int count = 0;
    int next = 0;
};

// Whether a query may be answered now, on a clock that never goes back (it may wrap); counts
// the answer when it may.
bool MayAnswer(AnswerLimit& limit, uint32_t nowMs);
