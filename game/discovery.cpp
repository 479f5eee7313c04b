#include "game/discovery.h"

#include <algorithm>
#include <cstring>


constexpr size_t kKindAt = kMagicSize, kVersionAt = kKindAt + 1;
constexpr uint8_t kAnnouncementKind = 'A', kQueryKind = 'Q';
constexpr uint16_t kLowestPort = 1024;

static void WriteHeader(uint8_t* datagram, uint8_t kind)
{
    std::memcpy(datagram, kMagic, kMagicSize);
    datagram[kKindAt] = kind;
    datagram[kVersionAt] = kLanVersion;
}

// A name of one length byte and its bytes at `at`, advancing it; false past `end` or against
// the rules.
static bool ReadName(const uint8_t*& at, const uint8_t* end, char (&name)[kPartnerNameBytes])
{
    if (at >= end)
        return false;
    const size_t size = *at++;
    if (size > static_cast<size_t>(end - at) || size > kMaxNameBytes || !ValidPartnerName(at, size))
        return false;
    std::memcpy(name, at, size);
    name[size] = '\0';
    at += size;
    return true;
}

DatagramKind DecodeDatagram(const uint8_t* bytes, size_t size, HostedGame& game)
{
    if (size < kLanHeaderSize || std::memcmp(bytes, kMagic, kMagicSize) != 0 || bytes[kVersionAt] != kLanVersion)
        return DatagramDropped;
    const uint8_t* end = bytes + size;
    if (bytes[kKindAt] == kQueryKind)
        return size == kQuerySize && std::all_of(bytes + kLanHeaderSize, end, [](uint8_t b) { return b == 0; })
                   ? QueryDatagram
                   : DatagramDropped;
    if (bytes[kKindAt] != kAnnouncementKind || size < kLanHeaderSize + 2)
        return DatagramDropped;
    HostedGame heard;
    heard.port = static_cast<uint16_t>(bytes[kLanHeaderSize] << 8 | bytes[kLanHeaderSize + 1]);
    const uint8_t* at = bytes + kLanHeaderSize + 2;
    if (heard.port < kLowestPort || !ReadName(at, end, heard.player) || !ReadName(at, end, heard.computer) || at != end)
        return DatagramDropped;
    game = heard;
    return AnnouncementDatagram;
}

// Writes the name with its length byte at `at`, advancing it; false against the rules.
static bool WriteName(uint8_t*& at, const char* name)
{
    const void* zero = std::memchr(name, '\0', kPartnerNameBytes);
    const size_t size = zero ? static_cast<size_t>(static_cast<const char*>(zero) - name) : kPartnerNameBytes;
    if (size > kMaxNameBytes || !ValidPartnerName(reinterpret_cast<const uint8_t*>(name), size))
        return false;
    *at++ = static_cast<uint8_t>(size);
    std::memcpy(at, name, size);
    at += size;
    return true;
}

size_t EncodeAnnouncement(const HostedGame& game, uint8_t (&datagram)[kMaxAnnouncementSize])
{
    WriteHeader(datagram, kAnnouncementKind);
    datagram[kLanHeaderSize] = static_cast<uint8_t>(game.port >> 8);
    datagram[kLanHeaderSize + 1] = static_cast<uint8_t>(game.port);
    uint8_t* at = datagram + kLanHeaderSize + 2;
    if (game.port < kLowestPort || !WriteName(at, game.player) || !WriteName(at, game.computer))
        return 0;
    return static_cast<size_t>(at - datagram);
}

void EncodeQuery(uint8_t (&datagram)[kQuerySize])
{
    std::memset(datagram, 0, kQuerySize);
    WriteHeader(datagram, kQueryKind);
}

bool SameGame(const HostedGame& a, const HostedGame& b)
{
    return a.port == b.port && std::strcmp(a.player, b.player) == 0 && std::strcmp(a.computer, b.computer) == 0;
}

// A host heard over both IPv4 and IPv6 is listed by its IPv4 address, which a player can read,
// type and reach across routers.
static bool IsIpv6(const char* address)
{
    return std::strchr(address, ':') != nullptr;
}

static void KeepAddress(HeardGame& heard, const char* address)
{
    std::strncpy(heard.address, address, kAddressBytes - 1);
    heard.address[kAddressBytes - 1] = '\0';
}

static void Remove(HeardGames& list, int index)
{
    std::copy(list.games + index + 1, list.games + list.count, list.games + index);
    --list.count;
}

bool HearGame(HeardGames& list, const HostedGame& game, const char* address, uint32_t nowMs)
{
    HeardGame* const end = list.games + list.count;
    HeardGame* found = std::find_if(list.games, end, [&](const HeardGame& heard) { return SameGame(heard.game, game); });
    if (found != end) {
        found->heardMs = nowMs;
        if (!IsIpv6(found->address) || IsIpv6(address))
            return false;
        KeepAddress(*found, address);
        return true;
    }
    if (list.count == kMaxHeardGames)
        Remove(list, static_cast<int>(std::max_element(list.games, end, [&](const HeardGame& a, const HeardGame& b) {
                                          return nowMs - a.heardMs < nowMs - b.heardMs;
                                      }) - list.games));
    HeardGame& added = list.games[list.count++];
    added.game = game;
    KeepAddress(added, address);
    added.heardMs = nowMs;
    return true;
}

bool ForgetSilentGames(HeardGames& list, uint32_t nowMs)
{
    const int before = list.count;
    for (int i = list.count - 1; i >= 0; --i)
        if (nowMs - list.games[i].heardMs >= kHeardGameLifeMs)
            Remove(list, i);
    return list.count != before;
}

bool MayAnswer(AnswerLimit& limit, uint32_t nowMs)
{
    if (limit.count == kAnswersPerSecond && nowMs - limit.answeredMs[limit.next] < 1000 + kAnswerMarginMs)
        return false;
    limit.answeredMs[limit.next] = nowMs;
    limit.next = (limit.next + 1) % kAnswersPerSecond;
    limit.count = std::min(limit.count + 1, kAnswersPerSecond);
    return true;
}
