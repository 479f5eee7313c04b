// The messages of a network game on the wire: each goes in a frame (two bytes of length,
// big-endian, then a type byte and the body). A reader cuts frames out of bytes that come in
// pieces of any size, the decoder refuses every message out of range, the encoder writes them.
#pragma once
#include <cstddef>
#include <cstdint>

#include "game/board.h"
#include "game/network.h"

constexpr uint8_t kProtocolVersion = 2;
// The program's mark: it opens the hello and every datagram on the local network.
inline constexpr uint8_t kMagic[] = {'T', 'I', 'D', 'E', 'W', 'A', 'R'};
constexpr size_t kMagicSize = sizeof kMagic;
constexpr size_t kFrameHeaderSize = 2;
constexpr size_t kMaxFrameLength = 3300;   // the type byte and the body
constexpr size_t kMaxFrameSize = kFrameHeaderSize + kMaxFrameLength;
constexpr int kSaltSize = 16;
constexpr int kFieldCells = kFieldSize * kFieldSize;   // cell i is column i % 10, row i / 10
constexpr int kMaxRevealedCells = 5;
constexpr int kMaxNameBytes = kPartnerNameBytes - 1;

enum MessageType : uint8_t {
    HelloMessage = 'H',
    ReadyMessage = 'R',
    CoinMessage = 'C',
    ShotMessage = 'S',
    AnswerMessage = 'A',
    RevealMessage = 'V',
    ByeMessage = 'B',
    AgainMessage = 'N',
};

struct RevealedCell {
    uint8_t column;
    uint8_t row;
    uint8_t content;   // 0 water, 1 deck
    uint8_t salt[kSaltSize];
};

// One message of any type; each type reads only its own fields. All zero at first, so that a
// message kept for the whole run costs the program file nothing.
struct Message {
    MessageType type = {};
    uint8_t version = 0;                          // Hello
    char name[kPartnerNameBytes] = {};            // Hello: UTF-8, zero-terminated
    uint8_t commitments[kFieldCells][kDigestSize] = {};   // Ready
    uint8_t coinCommitment[kDigestSize] = {};     // Ready
    uint8_t coinSalt[kSaltSize] = {};             // Coin
    uint8_t coinBit = 0;                          // Coin
    uint8_t column = 0, row = 0;                  // Shot, Answer
    uint8_t result = 0;                           // Answer: a ShotResult
    uint8_t count = 0;                            // Answer: cells revealed
    RevealedCell cells[kMaxRevealedCells] = {};   // Answer: the shot cell first
    uint8_t contents[kFieldCells] = {};           // Reveal
    uint8_t salts[kFieldCells][kSaltSize] = {};   // Reveal
    uint8_t reason = 0;                           // Bye
};

// Cuts one frame at a time out of the byte stream; it holds at most one frame.
class FrameReader {
public:
    // Takes bytes up to the end of the frame in progress, never more; returns how many.
    size_t take(const uint8_t* bytes, size_t size);
    // The frame announced a length of 0 or above the limit: it takes nothing more.
    bool refused() const { return have_ >= kFrameHeaderSize && (length() == 0 || length() > kMaxFrameLength); }
    bool complete() const { return have_ >= kFrameHeaderSize && !refused() && have_ == kFrameHeaderSize + length(); }
    // The frame's type byte and body, and their length as announced.
    const uint8_t* frame() const { return bytes_ + kFrameHeaderSize; }
    size_t length() const { return static_cast<size_t>(bytes_[0] << 8 | bytes_[1]); }
    // Forgets the complete frame for the next one.
    void next() { have_ = 0; }

private:
    uint8_t bytes_[kMaxFrameSize] = {};
    size_t have_ = 0;
};

enum Decoding {
    MessageDecoded,
    NotThisProtocol,    // a hello without the magic, or no hello at all
    AnotherVersion,     // a hello with the magic, of another version
    MessageRefused,     // out of range: length, cell, code, count, name
};

// Decodes a frame's type byte and body.
Decoding DecodeFrame(const uint8_t* frame, size_t length, Message& message);

// Writes the message as a whole frame; 0 when its name or count cannot be framed.
size_t EncodeMessage(const Message& message, uint8_t (&frame)[kMaxFrameSize]);

// UTF-8 without overlongs and surrogates, 1 to 32 code points, none of them a control.
bool ValidPartnerName(const uint8_t* bytes, size_t size);
