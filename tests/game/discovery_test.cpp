// Games on the local network: datagrams decode only when exactly right, the list of games heard
// stays bounded and forgets the silent, and queries are answered a few times a second at most.
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "game/discovery.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Announcing(unsigned port, const std::string& player, const std::string& computer, char kind = 'A', int version = 1)
{
    Bytes bytes = {'T', 'I', 'D', 'E', 'W', 'A', 'R', uint8_t(kind), uint8_t(version), uint8_t(port >> 8), uint8_t(port),
                   uint8_t(player.size())};
    bytes.insert(bytes.end(), player.begin(), player.end());
    bytes.push_back(uint8_t(computer.size()));
    bytes.insert(bytes.end(), computer.begin(), computer.end());
    return bytes;
}

Bytes Asking(size_t size = 269, int version = 1)
{
    Bytes bytes = {'T', 'I', 'D', 'E', 'W', 'A', 'R', 'Q', uint8_t(version)};
    bytes.resize(size);
    return bytes;
}

// Decodes a copy of exactly the datagram's size; what decodes writes back byte for byte.
DatagramKind Kind(const Bytes& datagram, HostedGame& game)
{
    const Bytes copy(datagram);
    const DatagramKind kind = DecodeDatagram(copy.data(), copy.size(), game);
    uint8_t written[kMaxAnnouncementSize];
    if (kind == AnnouncementDatagram) {
        EXPECT_EQ(Bytes(written, written + EncodeAnnouncement(game, written)), datagram) << "written back";
    } else if (kind == QueryDatagram) {
        EncodeQuery(written);
        EXPECT_EQ(datagram, Bytes(written, written + kQuerySize));
    }
    return kind;
}

TEST(LanDatagrams, OnlyExactDatagramsDecodeAndNoPrefixOfThemDoes)
{
    std::string whales, overlong = "A\xC0\x81";
    for (int i = 0; i < 32; ++i)
        whales += "\xF0\x9F\x90\x8B";
    Bytes trailing = Announcing(41770, "Anna", "PC"), padded = Asking();
    trailing.push_back(0), padded[268] = 1;
    struct Row { const char* rule; Bytes datagram; DatagramKind kind; };
    const Row rows[] = {
        {"announcement", Announcing(41770, "Anna", "PC"), AnnouncementDatagram},
        {"longest names", Announcing(65535, whales, whales), AnnouncementDatagram},
        {"lowest port", Announcing(1024, "Ким", "海"), AnnouncementDatagram},
        {"query", Asking(), QueryDatagram},
        {"port below 1024", Announcing(1023, "Anna", "PC"), DatagramDropped},
        {"another version", Announcing(41770, "Anna", "PC", 'A', 2), DatagramDropped},
        {"another kind", Announcing(41770, "Anna", "PC", 'H'), DatagramDropped},
        {"no player name", Announcing(41770, "", "PC"), DatagramDropped},
        {"no computer name", Announcing(41770, "Anna", ""), DatagramDropped},
        {"a control character", Announcing(41770, "An\x7Fna", "PC"), DatagramDropped},
        {"33 characters", Announcing(41770, std::string(33, 'x'), "PC"), DatagramDropped},
        {"overlong UTF-8", Announcing(41770, "Anna", overlong), DatagramDropped},
        {"a byte beyond", trailing, DatagramDropped},
        {"query one short", Asking(268), DatagramDropped},
        {"query one long", Asking(270), DatagramDropped},
        {"query padded with a one", padded, DatagramDropped},
        {"query of another version", Asking(269, 0), DatagramDropped},
    };
    HostedGame game;
    for (const Row& row : rows) {
        EXPECT_EQ(Kind(row.datagram, game), row.kind) << row.rule;
        for (size_t size = 0; size < row.datagram.size() && row.kind; ++size)
            EXPECT_EQ(Kind(Bytes(row.datagram.begin(), row.datagram.begin() + size), game), DatagramDropped) << row.rule << size;
    }
    Kind(Announcing(1024, "Ким", "海"), game);
    EXPECT_EQ(std::to_string(game.port) + game.player + game.computer, "1024Ким海");
    Bytes magic = Announcing(41770, "Anna", "PC");
    magic[6] = 'X';
    EXPECT_EQ(Kind(magic, game), DatagramDropped);
}

// Random bytes, and announcements with a few bytes changed or cut, decode only when exact.
TEST(LanDatagrams, RandomAndDamagedDatagramsDecodeOnlyWhenExact)
{
    std::mt19937 dice(20261208);
    HostedGame game;
    for (int round = 0; round < 20000; ++round) {
        Bytes datagram = Announcing(41770, "Anna", "Kim-PC");
        if (round % 3 == 0)
            datagram.assign(dice() % 300, 0), std::generate(datagram.begin(), datagram.end(), [&] { return uint8_t(dice()); });
        for (unsigned changes = dice() % 4; changes > 0 && !datagram.empty(); --changes)
            datagram[dice() % datagram.size()] = uint8_t(dice());
        datagram.resize(std::min<size_t>(datagram.size(), dice() % 30));
        Kind(datagram, game);
    }
}

HostedGame Game(unsigned port, const char* player = "Anna")
{
    HostedGame game;
    game.port = uint16_t(port);
    std::snprintf(game.player, sizeof game.player, "%s", player);
    std::snprintf(game.computer, sizeof game.computer, "PC");
    return game;
}

std::string Listed(const HeardGames& list)
{
    std::string text;
    for (int i = 0; i < list.count; ++i)
        text += std::string(list.games[i].address) + ":" + std::to_string(list.games[i].game.port) + list.games[i].game.player + " ";
    return text;
}

// A full list makes way for a new game by dropping the one heard longest ago; a game heard
// again, by any address, keeps its place and its first address; each goes 3 s after it was last
// heard, across the clock's wrap too.
TEST(LanList, HoldsThirtyTwoDropsTheLongestSilentAndForgetsAfterThreeSeconds)
{
    HeardGames list;
    const uint32_t start = 0xFFFFF000u;
    for (unsigned i = 0; i < 32; ++i)
        EXPECT_TRUE(HearGame(list, Game(2000 + i), "10.0.0.1", start + i));
    EXPECT_FALSE(HearGame(list, Game(2000), "10.0.0.2", start + 100));
    EXPECT_TRUE(HearGame(list, Game(2000, "Kim"), "10.0.0.2", start + 101));
    EXPECT_EQ(list.count, 32);
    EXPECT_EQ(Listed(list).substr(0, 31), "10.0.0.1:2000Anna 10.0.0.1:2002");
    EXPECT_FALSE(HearGame(list, Game(2000, "Kim"), "10.0.0.3", start + 2999));
    EXPECT_FALSE(ForgetSilentGames(list, start + 2999 + 1));
    EXPECT_TRUE(ForgetSilentGames(list, start + 3099));
    EXPECT_EQ(Listed(list), "10.0.0.1:2000Anna 10.0.0.2:2000Kim ");
    EXPECT_TRUE(ForgetSilentGames(list, start + 3100));
    EXPECT_EQ(Listed(list), "10.0.0.2:2000Kim ");
}

TEST(LanList, AnswersAtMostFourQueriesInASecond)
{
    AnswerLimit limit;
    std::string answered;
    for (uint32_t ms : {5000u, 5001u, 5001u, 5500u, 5999u, 6000u, 6001u, 6002u, 6003u, 6004u, 9000u})
        answered += MayAnswer(limit, ms) ? 'y' : 'n';
    EXPECT_EQ(answered, "yyyynyyyyny");
}

}  // namespace
