// The frames of a network game: valid ones wait for their last byte and write back byte for
// byte, every rule of their ranges refuses, and the reader takes no byte past a frame.
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

// A frame of the type with its fields zero but the name and count, its body then `change` bytes
// longer or shorter with the length announced to match, and then the bytes at the offsets set.
Bytes Valid(MessageType type, std::initializer_list<std::pair<size_t, uint8_t>> bytes = {}, const char* name = "Ann", int count = 1, int change = 0)
{
    static Message m;
    m.type = type;
    m.version = 2;
    m.count = static_cast<uint8_t>(count);
    std::snprintf(m.name, sizeof m.name, "%s", name);
    Bytes frame = Frame(m);
    frame.resize(frame.size() + change);
    frame[0] = static_cast<uint8_t>((frame.size() - 2) >> 8);
    frame[1] = static_cast<uint8_t>(frame.size() - 2);
    for (const auto& byte : bytes)
        frame.at(byte.first) = byte.second;
    return frame;
}

std::mt19937 Dice(20261207);
Message Read;

// What the reader and decoder make of the frame, a goodbye after it, fed in pieces of 1 to `most`
// bytes, each piece a block of its own so that a read past it is caught: -1 when the length is
// refused, -2 when the frame stays incomplete. No byte is taken past the frame, nor past a
// refused length, and what decodes encodes as it came.
int Verdict(Bytes bytes, unsigned most)
{
    bytes.insert(bytes.end(), {0, 2, 'B', 7});
    FrameReader reader;
    size_t fed = 0;
    while (fed < bytes.size() && !reader.complete() && !reader.refused()) {
        const Bytes piece(bytes.begin() + fed, bytes.begin() + std::min(bytes.size(), fed + 1 + Dice() % most));
        fed += reader.take(piece.data(), piece.size());
    }
    EXPECT_EQ(fed, reader.refused() ? 2 : reader.complete() ? 2 + reader.length() : bytes.size()) << "bytes taken";
    if (!reader.complete())
        return reader.refused() ? -1 : -2;
    const int verdict = DecodeFrame(reader.frame(), reader.length(), Read);
    EXPECT_TRUE(verdict != MessageDecoded || Frame(Read) == Bytes(bytes.begin(), bytes.begin() + fed)) << "written back";
    return verdict;
}

TEST(Protocol, ValidFramesWaitForTheirLastByteAndEachRuleOfTheRangesRefuses)
{
    for (MessageType type : {HelloMessage, ReadyMessage, CoinMessage, ShotMessage, AnswerMessage, RevealMessage, ByeMessage})
        for (int change : {-1, 0, +1})
            EXPECT_EQ(Verdict(Valid(type, {}, "Ann", 1, change), 1), change ? MessageRefused : MessageDecoded) << type << " " << change << " bytes longer";
    std::string whales;   // 32 characters of four bytes each
    for (int i = 0; i < 32; ++i)
        whales += "\xF0\x9F\x90\x8B";
    // An answer's offsets: column 3, row 4, result 5, count 6, first cell 7.
    struct Row { const char* rule; Bytes frame; int verdict; };
    const Row rows[] = {
        {"a name of one character", Valid(HelloMessage, {}, "A"), MessageDecoded},
        {"a name of 32 characters in 128 bytes", Valid(HelloMessage, {}, whales.c_str()), MessageDecoded},
        {"a space, the no-break space and the lowest and highest character of each longer length",
         Valid(HelloMessage, {}, "A \xC2\xA0\xDF\xBF\xE0\xA0\x80\xEF\xBF\xBF\xF0\x90\x80\x80\xF4\x8F\xBF\xBF"), MessageDecoded},
        {"length 0", {0, 0}, -1}, {"length 3301", {0x0C, 0xE5}, -1}, {"a type no message has", Valid(ByeMessage, {{2, 'X'}}), MessageRefused},
        {"shot at the last cell", Valid(ShotMessage, {{3, 9}, {4, 9}}), MessageDecoded},
        {"shot at column 10", Valid(ShotMessage, {{3, 10}}), MessageRefused}, {"shot at row 10", Valid(ShotMessage, {{4, 10}}), MessageRefused},
        {"answer at the last cell, sunk, its fifth cell the last deck",
         Valid(AnswerMessage, {{3, 9}, {4, 9}, {5, 2}, {83, 9}, {84, 9}, {85, 1}}, "", 5), MessageDecoded},
        {"answer to column 10", Valid(AnswerMessage, {{3, 10}}), MessageRefused},
        {"answer revealing column 10", Valid(AnswerMessage, {{7, 10}}), MessageRefused}, {"result 3", Valid(AnswerMessage, {{5, 3}}), MessageRefused},
        {"content 2 in an answer", Valid(AnswerMessage, {{9, 2}}), MessageRefused},
        {"count 0", Valid(AnswerMessage, {{6, 0}}, "", 1, -19), MessageRefused}, {"count 6", Valid(AnswerMessage, {{6, 6}}, "", 1, 5 * 19), MessageRefused},
        {"coin bit 1", Valid(CoinMessage, {{19, 1}}), MessageDecoded}, {"coin bit 2", Valid(CoinMessage, {{19, 2}}), MessageRefused},
        {"content 2 in a reveal", Valid(RevealMessage, {{3 + 17 * 99, 2}}), MessageRefused},
        {"the magic alone", {0, 8, 'H', 'T', 'I', 'D', 'E', 'W', 'A', 'R'}, MessageRefused},
        {"an empty name", {0, 10, 'H', 'T', 'I', 'D', 'E', 'W', 'A', 'R', 2, 0}, MessageRefused},
        {"name with U+0007", Valid(HelloMessage, {}, "A\aB"), MessageRefused}, {"name with U+009F", Valid(HelloMessage, {}, "A\xC2\x9F"), MessageRefused},
        {"name with U+DFFF", Valid(HelloMessage, {}, "A\xED\xBF\xBF"), MessageRefused},
        {"name with U+110000", Valid(HelloMessage, {}, "A\xF4\x90\x80\x80"), MessageRefused},
        {"name of 33 characters", Valid(HelloMessage, {}, (whales.substr(4) + "ab").c_str()), MessageRefused},
        {"an overlong character", Valid(HelloMessage, {}, "A\xE0\x81\x81"), MessageRefused},
        {"a surrogate in the name", Valid(HelloMessage, {}, "A\xED\xA0\x80"), MessageRefused},
        {"a name cut after two bytes of three", Valid(HelloMessage, {}, "A\xE4\xB8"), MessageRefused},
        {"a character of three bytes with two", Valid(HelloMessage, {}, "A\xE4\xB8Z"), MessageRefused},
        {"a lead byte where a continuation belongs", Valid(HelloMessage, {}, "A\xC3\xC3"), MessageRefused},
        {"wrong magic", Valid(HelloMessage, {{3, 't'}}), NotThisProtocol}, {"version 1", Valid(HelloMessage, {{10, 1}}), AnotherVersion},
        {"version 1 with no name", {0, 9, 'H', 'T', 'I', 'D', 'E', 'W', 'A', 'R', 1}, AnotherVersion},
        {"another game asked for", Valid(AgainMessage), MessageDecoded},
        {"another game asked for with a body", Valid(AgainMessage, {}, "Ann", 1, +1), MessageRefused},
    };
    for (const Row& row : rows)
        for (unsigned most : {1, 4096})
            EXPECT_EQ(Verdict(row.frame, most), row.verdict) << row.rule << ", pieces of up to " << most;
    // A name cut inside a character stays cut where a continuation byte lies beyond the frame.
    Bytes cut = Valid(HelloMessage, {}, "A\xE2\x82");
    cut.push_back(0xAC);
    EXPECT_EQ(DecodeFrame(cut.data() + 2, cut.size() - 3, Read), MessageRefused);
    // Nothing is framed with an empty name or a count of revealed cells out of 1..5.
    Message unframed;
    for (auto [type, count] : {std::pair{HelloMessage, 1}, {AnswerMessage, 0}, {AnswerMessage, 6}}) {
        unframed.type = type;
        unframed.count = static_cast<uint8_t>(count);
        EXPECT_TRUE(Frame(unframed).empty()) << type << " of count " << count;
    }
}

}  // namespace
