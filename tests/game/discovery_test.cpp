// Games on the local network: only exact datagrams decode, the list of games heard stays
// bounded and forgets the silent, and queries are answered a few times a second at most.
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "game/discovery.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Datagram(const std::string& text)
{
    return Bytes(text.begin(), text.end());
}

Bytes Announcing(unsigned port, const std::string& player, const std::string& computer = "PC", char version = 1, char kind = 'A')
{
    return Datagram(std::string("TIDEWAR") + kind + version + char(port >> 8) + char(port) + char(player.size()) + player +
                    char(computer.size()) + computer);
}

const Bytes kQuery = Datagram(std::string("TIDEWAR") + "Q\x01" + std::string(260, '\0'));

// Decodes a copy of exactly the datagram's size; what decodes writes back byte for byte.
DatagramKind Kind(const Bytes datagram, HostedGame& game)
{
    const DatagramKind kind = DecodeDatagram(datagram.data(), datagram.size(), game);
    uint8_t written[kMaxAnnouncementSize];
    size_t size = kind == AnnouncementDatagram ? EncodeAnnouncement(game, written) : kQuerySize;
    if (kind == QueryDatagram)
        EncodeQuery(written);
    EXPECT_TRUE(kind == DatagramDropped || Bytes(written, written + size) == datagram) << "written back";
    return kind;
}

TEST(LanDatagrams, OnlyExactDatagramsDecodeAndNoPrefixOfThemDoes)
{
    std::string whales;   // 32 characters of four bytes each
    for (int i = 0; i < 32; ++i)
        whales += "\xF0\x9F\x90\x8B";
    Bytes trailing = Announcing(41770, "Anna"), padded = kQuery, magic = trailing;
    trailing.push_back(0);
    padded.back() = 1;
    magic[6] = 'X';
    const std::pair<Bytes, DatagramKind> decoded[] = {
        {Announcing(65535, whales, whales), AnnouncementDatagram}, {Announcing(1024, "Ким", "海"), AnnouncementDatagram}, {kQuery, QueryDatagram}};
    const Bytes dropped[] = {Announcing(1023, "Anna"), Announcing(41770, "Anna", "PC", 2), Announcing(41770, "Anna", "PC", 1, 'H'),
                             Announcing(41770, "Anna", ""), Announcing(41770, "An\x7Fna"), Announcing(41770, std::string(33, 'x')),
                             Announcing(41770, "A\xC0\x81"), trailing, magic, Bytes(kQuery.begin(), kQuery.end() - 1),
                             Datagram("TIDEWARQ\x01" + std::string(261, '\0')), padded, Datagram("TIDEWARQ\x02" + std::string(260, '\0'))};
    HostedGame game;
    for (const auto& row : decoded) {   // and no prefix of them
        EXPECT_EQ(Kind(row.first, game), row.second) << &row - decoded;
        for (size_t size = 0; size < row.first.size(); ++size)
            EXPECT_EQ(Kind(Bytes(row.first.begin(), row.first.begin() + size), game), DatagramDropped) << &row - decoded << " " << size;
    }
    for (const Bytes& datagram : dropped)
        EXPECT_EQ(Kind(datagram, game), DatagramDropped) << &datagram - dropped;
    uint8_t written[kMaxAnnouncementSize];
    std::strcpy(game.computer, "An\x7Fna");
    EXPECT_EQ(EncodeAnnouncement(game, written), 0u) << "nothing is announced that would be dropped";
}

// A full list makes way by dropping the game heard longest ago; a game heard again, by any
// address, keeps its place and first address; each goes 3 s after last heard. The clock wraps
// after the 16th game: the longest silent is not the one heard at the smallest count.
TEST(LanList, HoldsThirtyTwoDropsTheLongestSilentForgetsAfterThreeSecondsAndAnswersFourASecond)
{
    HeardGames list;
    HostedGame game;
    const auto hear = [&](unsigned port, const char* address, uint32_t ms) {
        Kind(Announcing(port, "Anna"), game);
        return HearGame(list, game, address, 0xFFFFFFF0u + ms);
    };
    const auto listed = [&] {
        std::string text;
        for (int i = 0; i < list.count; ++i)
            text += std::string(list.games[i].address) + ":" + std::to_string(list.games[i].game.port) + " ";
        return text;
    };
    for (unsigned i = 0; i < 32; ++i)
        EXPECT_TRUE(hear(2000 + i, "10.0.0.1", i));
    EXPECT_FALSE(hear(2000, "10.0.0.2", 100));
    EXPECT_TRUE(hear(3000, "10.0.0.2", 101));
    EXPECT_EQ(list.count, 32);
    EXPECT_EQ(listed().find(":2001 "), std::string::npos) << "the longest silent is dropped";
    EXPECT_FALSE(hear(3000, "10.0.0.3", 2999));
    EXPECT_FALSE(ForgetSilentGames(list, 0xFFFFFFF0u + 3000));
    EXPECT_TRUE(ForgetSilentGames(list, 0xFFFFFFF0u + 3099));
    EXPECT_EQ(listed(), "10.0.0.1:2000 10.0.0.2:3000 ");
    EXPECT_TRUE(ForgetSilentGames(list, 0xFFFFFFF0u + 3100));
    EXPECT_EQ(listed(), "10.0.0.2:3000 ");
    // An IPv6 address gives way to the same game's IPv4 one, never the other way round.
    EXPECT_TRUE(hear(4000, "fd00::5", 3200));
    EXPECT_TRUE(hear(4000, "10.0.0.4", 3201));
    EXPECT_FALSE(hear(4000, "fd00::6", 3202));
    EXPECT_EQ(listed(), "10.0.0.2:3000 10.0.0.4:4000 ");
}

// Queries at these times (ms after a start just before the clock wraps) and which are answered.
struct QueryRun {
    const char* name;
    std::vector<uint32_t> ms;
    const char* answered;
};

class AnswerLimitTest : public ::testing::TestWithParam<QueryRun> {};

TEST_P(AnswerLimitTest, AnswersFourInAnySecond)
{
    AnswerLimit limit;
    std::string answered;
    for (uint32_t ms : GetParam().ms)
        answered += MayAnswer(limit, 0xFFFFFC00u + ms) ? 'y' : 'n';
    EXPECT_EQ(answered, GetParam().answered);
}

INSTANTIATE_TEST_SUITE_P(LanList, AnswerLimitTest, ::testing::Values(
    QueryRun{"Burst", {0, 1, 1, 2, 3, 999}, "yyyynn"},
    // A second that starts afresh at its first answer would let four more through at 1000.
    QueryRun{"TheSecondSlides", {0, 500, 600, 700, 1000, 1001, 1100, 1101, 1200, 1600, 1800}, "yyyynnynnyy"},
    QueryRun{"ALongSilenceForgetsAll", {0, 1, 2, 3, 9000, 9001, 9002, 9003, 9004}, "yyyyyyyyn"}),
    [](const auto& info) { return std::string(info.param.name); });

// A flood of a query every millisecond for ten seconds: no five answers within a second and a
// tick or two of either side's clock, and the answers keep coming.
TEST(LanList, AFloodGetsNoFifthAnswerWithinASecond)
{
    AnswerLimit limit;
    std::vector<uint32_t> answered;
    for (uint32_t ms = 0; ms < 10000; ++ms)
        if (MayAnswer(limit, 0xFFFFF000u + ms))
            answered.push_back(ms);
    for (size_t i = 4; i < answered.size(); ++i)
        ASSERT_GE(answered[i] - answered[i - 4], 1032u) << "answers at " << answered[i - 4] << " and " << answered[i];
    EXPECT_GE(answered.size(), 36u);
}

}  // namespace
