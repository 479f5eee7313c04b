// The frames of a network game: valid ones wait for their last byte, every rule of their ranges
// refuses, random and cut frames are read within their bytes, and what is read writes back
// byte for byte.
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "game/protocol.h"

namespace {

using Bytes = std::vector<uint8_t>;

Bytes Frame(const Message& message)
{
    uint8_t frame[kMaxFrameSize];
    return Bytes(frame, frame + EncodeMessage(message, frame));
}

// A frame of each type with its fields in range.
Bytes Valid(MessageType type, const char* name = "Ann", int count = 1)
{
    static Message m;
    m.type = type, m.version = kProtocolVersion;
    std::snprintf(m.name, sizeof m.name, "%s", name);
    m.count = static_cast<uint8_t>(count);
    return Frame(m);
}

// The frame's body longer or shorter by `change` bytes, its length announced to match.
Bytes Resized(Bytes frame, int change)
{
    frame.resize(frame.size() + change);
    frame[0] = static_cast<uint8_t>((frame.size() - 2) >> 8), frame[1] = static_cast<uint8_t>(frame.size() - 2);
    return frame;
}

Bytes Set(Bytes frame, size_t at, uint8_t value)
{
    frame[at] = value;
    return frame;
}

// What the reader and decoder make of a whole frame, given in pieces of one byte, every prefix
// waiting for the next: -1 when the length is refused.
int Verdict(const Bytes& frame)
{
    FrameReader reader;
    for (size_t at = 0; at < frame.size() && !reader.refused(); ++at) {
        const Bytes piece(1, frame[at]);   // its own block, so a read past it is caught
        EXPECT_EQ(reader.take(piece.data(), 1), 1u);
    }
    if (reader.refused())
        return -1;
    EXPECT_TRUE(reader.complete());
    Message m;
    return DecodeFrame(reader.frame(), reader.length(), m);
}

TEST(Protocol, ValidFramesWaitForTheirLastByteAndEachRuleOfTheRangesRefuses)
{
    const std::string whale = "\xF0\x9F\x90\x8B";
    std::string whales;
    for (int i = 0; i < 32; ++i)
        whales += whale;
    const Bytes answer = Valid(AnswerMessage);   // offsets: column 3, row 4, result 5, count 6, first cell 7
    struct Row { const char* rule; Bytes frame; int verdict; };
    const Row rows[] = {
        {"a valid ready", Valid(ReadyMessage), MessageDecoded},
        {"a valid coin", Valid(CoinMessage), MessageDecoded},
        {"a valid shot", Valid(ShotMessage), MessageDecoded},
        {"a valid answer", answer, MessageDecoded},
        {"a valid reveal", Valid(RevealMessage), MessageDecoded},
        {"a valid bye", Valid(ByeMessage), MessageDecoded},
        {"a name of one character", Valid(HelloMessage, "A"), MessageDecoded},
        {"a name of 32 characters in 128 bytes", Valid(HelloMessage, whales.c_str()), MessageDecoded},
        {"a name of two-byte characters", Valid(HelloMessage, "\xC3\x9Cnal"), MessageDecoded},
        {"length 0", {0, 0}, -1},
        {"length 3301", {0x0C, 0xE5}, -1},
        {"hello with a body one byte short", Resized(Valid(HelloMessage), -1), MessageRefused},
        {"hello with a body one byte long", Resized(Valid(HelloMessage), +1), MessageRefused},
        {"ready one byte short", Resized(Valid(ReadyMessage), -1), MessageRefused},
        {"ready one byte long", Resized(Valid(ReadyMessage), +1), MessageRefused},
        {"coin one byte short", Resized(Valid(CoinMessage), -1), MessageRefused},
        {"coin one byte long", Resized(Valid(CoinMessage), +1), MessageRefused},
        {"shot one byte short", Resized(Valid(ShotMessage), -1), MessageRefused},
        {"shot one byte long", Resized(Valid(ShotMessage), +1), MessageRefused},
        {"answer one byte short", Resized(answer, -1), MessageRefused},
        {"answer one byte long", Resized(answer, +1), MessageRefused},
        {"reveal one byte short", Resized(Valid(RevealMessage), -1), MessageRefused},
        {"reveal one byte long", Resized(Valid(RevealMessage), +1), MessageRefused},
        {"bye one byte short", Resized(Valid(ByeMessage), -1), MessageRefused},
        {"bye one byte long", Resized(Valid(ByeMessage), +1), MessageRefused},
        {"a type no message has", Set(Valid(ByeMessage), 2, 'X'), MessageRefused},
        {"shot at column 10", Set(Valid(ShotMessage), 3, 10), MessageRefused},
        {"shot at row 10", Set(Valid(ShotMessage), 4, 10), MessageRefused},
        {"answer to column 10", Set(answer, 3, 10), MessageRefused},
        {"answer revealing row 10", Set(answer, 8, 10), MessageRefused},
        {"result 3", Set(answer, 5, 3), MessageRefused},
        {"content 2 in an answer", Set(answer, 9, 2), MessageRefused},
        {"count 0", Resized(Set(answer, 6, 0), -19), MessageRefused},
        {"count 6", Resized(Set(answer, 6, 6), 5 * 19), MessageRefused},
        {"coin bit 2", Set(Valid(CoinMessage), 19, 2), MessageRefused},
        {"content 2 in a reveal", Set(Valid(RevealMessage), 3 + 17 * 99, 2), MessageRefused},
        {"name with U+0007", Valid(HelloMessage, "A\aB"), MessageRefused},
        {"name with U+0085", Valid(HelloMessage, "A\xC2\x85"), MessageRefused},
        {"name of 33 characters", Valid(HelloMessage, (whales.substr(4) + "ab").c_str()), MessageRefused},
        {"an overlong character", Valid(HelloMessage, "A\xE0\x81\x81"), MessageRefused},
        {"a surrogate in the name", Valid(HelloMessage, "A\xED\xA0\x80"), MessageRefused},
        {"a name cut inside a character", Valid(HelloMessage, "A\xE2\x82"), MessageRefused},
        {"wrong magic", Set(Valid(HelloMessage), 3, 't'), NotThisProtocol},
        {"version 2", Set(Valid(HelloMessage), 10, 2), AnotherVersion},
    };
    for (const Row& row : rows)
        EXPECT_EQ(Verdict(row.frame), row.verdict) << row.rule;
}

// Valid frames of every type with random fields, some then changed, cut or added to, are fed
// to the reader in random pieces, each piece a block of its own.
TEST(Protocol, RandomFramesInRandomPiecesAreReadWithinTheirBytes)
{
    std::mt19937 dice(20261207);
    const MessageType types[] = {HelloMessage, ReadyMessage, CoinMessage, ShotMessage, AnswerMessage, RevealMessage, ByeMessage};
    for (int round = 0; round < 20000; ++round) {
        Bytes frame = Valid(types[dice() % 7], "Ann", 1 + dice() % 5);
        for (int field = dice() % 8; field > 0; --field)   // mostly in range or just past it
            frame[3 + dice() % (frame.size() - 3)] = static_cast<uint8_t>(dice() % 4 ? dice() % 3 : dice());
        for (int change = dice() % 4; change > 0; --change) {
            const size_t at = dice() % frame.size();
            switch (dice() % 3) {
            case 0: frame[at] = static_cast<uint8_t>(dice()); break;
            case 1: frame.resize(at + 1); break;
            default: frame.insert(frame.begin() + at, static_cast<uint8_t>(dice())); break;
            }
        }
        FrameReader reader;
        size_t fed = 0;
        while (fed < frame.size() && !reader.complete() && !reader.refused()) {
            const Bytes piece(frame.begin() + fed, frame.begin() + std::min(frame.size(), fed + 1 + dice() % 200));
            const size_t taken = reader.take(piece.data(), piece.size());
            ASSERT_LE(taken, piece.size());
            fed += taken;
        }
        if (!reader.complete())
            continue;
        ASSERT_EQ(fed, 2 + reader.length()) << "no byte of what follows the frame is taken";
        static Message read;
        if (DecodeFrame(reader.frame(), reader.length(), read) == MessageDecoded) {   // written back the same
            ASSERT_EQ(Frame(read), Bytes(frame.begin(), frame.begin() + fed)) << "round " << round;
        }
    }
}

}  // namespace
