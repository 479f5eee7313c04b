#include "game/protocol.h"

#include <cstring>

#include "game/board.h"

constexpr size_t kHelloFixedSize = kMagicSize + 2;   // the magic, the version, the name's length
constexpr size_t kReadySize = (kFieldCells + 1) * kDigestSize;
constexpr size_t kCoinSize = kSaltSize + 1;
constexpr size_t kShotSize = 2;
constexpr size_t kAnswerFixedSize = 4;   // column, row, result, count
constexpr size_t kRevealedCellSize = 3 + kSaltSize;
constexpr size_t kRevealSize = kFieldCells * (1 + kSaltSize);
constexpr size_t kByeSize = 1;

size_t FrameReader::take(const uint8_t* bytes, size_t size)
{
    size_t taken = 0;
    while (taken < size && !refused() && !complete())
        bytes_[have_++] = bytes[taken++];
    return taken;
}

// Reads one code point, advancing `at`; false for a byte sequence UTF-8 does not allow.
static bool ReadCodePoint(const uint8_t*& at, const uint8_t* end, uint32_t& point)
{
    const uint8_t lead = *at++;
    int more;
    uint32_t lowest;
    if (lead < 0x80) {
        point = lead;
        return true;
    } else if (lead >= 0xC2 && lead <= 0xDF) {
        more = 1, point = lead & 0x1F, lowest = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        more = 2, point = lead & 0x0F, lowest = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        more = 3, point = lead & 0x07, lowest = 0x10000;
    } else {
        return false;
    }
    for (; more > 0; --more) {
        if (at == end || (*at & 0xC0) != 0x80)
            return false;
        point = point << 6 | (*at++ & 0x3F);
    }
    return point >= lowest && point <= 0x10FFFF && (point < 0xD800 || point > 0xDFFF);
}

bool ValidPartnerName(const uint8_t* bytes, size_t size)
{
    const uint8_t* end = bytes + size;
    int points = 0;
    for (const uint8_t* at = bytes; at < end; ++points) {
        uint32_t point;
        if (!ReadCodePoint(at, end, point) || point < 0x20 || (point >= 0x7F && point <= 0x9F))
            return false;
    }
    return points >= 1 && points <= kMaxPartnerNameChars;
}

static bool InFieldBytes(uint8_t column, uint8_t row)
{
    return column < kFieldSize && row < kFieldSize;
}

static Decoding DecodeHello(const uint8_t* body, size_t size, Message& m)
{
    if (size < kMagicSize || std::memcmp(body, kMagic, kMagicSize) != 0)
        return NotThisProtocol;
    if (size < kMagicSize + 1)
        return MessageRefused;
    m.version = body[kMagicSize];
    if (m.version != kProtocolVersion)
        return AnotherVersion;
    if (size < kHelloFixedSize || size != kHelloFixedSize + body[kMagicSize + 1])
        return MessageRefused;
    const size_t nameSize = body[kMagicSize + 1];
    if (nameSize > kMaxNameBytes || !ValidPartnerName(body + kHelloFixedSize, nameSize))
        return MessageRefused;
    std::memcpy(m.name, body + kHelloFixedSize, nameSize);
    m.name[nameSize] = '\0';
    return MessageDecoded;
}

static bool DecodeAnswer(const uint8_t* body, size_t size, Message& m)
{
    if (size < kAnswerFixedSize)
        return false;
    m.column = body[0], m.row = body[1], m.result = body[2], m.count = body[3];
    if (!InFieldBytes(m.column, m.row) || m.result > ShotSunk || m.count < 1 || m.count > kMaxRevealedCells ||
        size != kAnswerFixedSize + m.count * kRevealedCellSize)
        return false;
    const uint8_t* at = body + kAnswerFixedSize;
    for (int i = 0; i < m.count; ++i, at += kRevealedCellSize) {
        RevealedCell& cell = m.cells[i];
        cell.column = at[0], cell.row = at[1], cell.content = at[2];
        std::memcpy(cell.salt, at + 3, kSaltSize);
        if (!InFieldBytes(cell.column, cell.row) || cell.content > 1)
            return false;
    }
    return true;
}

static bool DecodeReveal(const uint8_t* body, size_t size, Message& m)
{
    if (size != kRevealSize)
        return false;
    for (int i = 0; i < kFieldCells; ++i, body += 1 + kSaltSize) {
        m.contents[i] = body[0];
        std::memcpy(m.salts[i], body + 1, kSaltSize);
        if (m.contents[i] > 1)
            return false;
    }
    return true;
}

static bool DecodeBody(const uint8_t* body, size_t size, Message& m)
{
    switch (m.type) {
    case ReadyMessage:
        if (size != kReadySize)
            return false;
        std::memcpy(m.commitments, body, sizeof m.commitments);
        std::memcpy(m.coinCommitment, body + sizeof m.commitments, kDigestSize);
        return true;
    case CoinMessage:
        if (size != kCoinSize)
            return false;
        std::memcpy(m.coinSalt, body, kSaltSize);
        m.coinBit = body[kSaltSize];
        return m.coinBit <= 1;
    case ShotMessage:
        if (size != kShotSize)
            return false;
        m.column = body[0], m.row = body[1];
        return InFieldBytes(m.column, m.row);
    case AnswerMessage: return DecodeAnswer(body, size, m);
    case RevealMessage: return DecodeReveal(body, size, m);
    case ByeMessage:
        if (size != kByeSize)
            return false;
        m.reason = body[0];
        return true;
    case AgainMessage: return size == 0;
    default: return false;
    }
}

Decoding DecodeFrame(const uint8_t* frame, size_t length, Message& message)
{
    if (length == 0 || length > kMaxFrameLength)
        return MessageRefused;
    message.type = static_cast<MessageType>(frame[0]);
    if (message.type == HelloMessage)
        return DecodeHello(frame + 1, length - 1, message);
    return DecodeBody(frame + 1, length - 1, message) ? MessageDecoded : MessageRefused;
}

static uint8_t* Put(uint8_t* out, const void* bytes, size_t size)
{
    std::memcpy(out, bytes, size);
    return out + size;
}

// The body after the type byte; nullptr when the message cannot be framed.
static uint8_t* PutBody(const Message& m, uint8_t* out)
{
    switch (m.type) {
    case HelloMessage: {
        size_t nameSize = 0;
        while (nameSize < kPartnerNameBytes && m.name[nameSize] != '\0')
            ++nameSize;
        if (nameSize == 0 || nameSize > kMaxNameBytes)
            return nullptr;
        out = Put(out, kMagic, kMagicSize);
        *out++ = m.version;
        *out++ = static_cast<uint8_t>(nameSize);
        return Put(out, m.name, nameSize);
    }
    case ReadyMessage:
        out = Put(out, m.commitments, sizeof m.commitments);
        return Put(out, m.coinCommitment, kDigestSize);
    case CoinMessage:
        out = Put(out, m.coinSalt, kSaltSize);
        *out++ = m.coinBit;
        return out;
    case ShotMessage:
        *out++ = m.column;
        *out++ = m.row;
        return out;
    case AnswerMessage:
        if (m.count < 1 || m.count > kMaxRevealedCells)
            return nullptr;
        *out++ = m.column, *out++ = m.row, *out++ = m.result, *out++ = m.count;
        for (int i = 0; i < m.count; ++i) {
            *out++ = m.cells[i].column, *out++ = m.cells[i].row, *out++ = m.cells[i].content;
            out = Put(out, m.cells[i].salt, kSaltSize);
        }
        return out;
    case RevealMessage:
        for (int i = 0; i < kFieldCells; ++i) {
            *out++ = m.contents[i];
            out = Put(out, m.salts[i], kSaltSize);
        }
        return out;
    case ByeMessage:
        *out++ = m.reason;
        return out;
    case AgainMessage: return out;
    default: return nullptr;
    }
}

size_t EncodeMessage(const Message& message, uint8_t (&frame)[kMaxFrameSize])
{
    frame[kFrameHeaderSize] = message.type;
    const uint8_t* end = PutBody(message, frame + kFrameHeaderSize + 1);
    if (!end)
        return 0;
    const size_t length = static_cast<size_t>(end - frame) - kFrameHeaderSize;
    frame[0] = static_cast<uint8_t>(length >> 8);
    frame[1] = static_cast<uint8_t>(length);
    return kFrameHeaderSize + length;
}
