// A game against a partner over the network. The shell carries the bytes; the model keeps
// the rules, the turn and the proofs: every answer to a shot is checked against a commitment
// the partner made before the first shot. The link, the hash and the random bytes come
// through the game's port, which the shell gives it, so the model stays portable.
#pragma once
#include <cstddef>
#include <cstdint>

constexpr int kMaxPartnerNameChars = 32;
constexpr int kPartnerNameBytes = 4 * kMaxPartnerNameChars + 1;   // UTF-8 and its zero
constexpr int kDigestSize = 32;                                    // SHA-256

// Until the shell gives a game its own, a network game stops for want of crypto.
struct NetworkPort {
    // Queues bytes for the partner; the shell sends them as the socket allows.
    virtual void send(const uint8_t*, size_t) {}
    // Closes the connection once what is queued has gone.
    virtual void hangUp() {}
    // SHA-256 of the bytes; false when the system cannot hash.
    virtual bool hash(const uint8_t*, size_t, uint8_t (&)[kDigestSize]) { return false; }
    // Random bytes fit for secrets; false when the system has none.
    virtual bool randomBytes(uint8_t*, size_t) { return false; }
};

struct GameState;

// Why a network game stopped without a winner.
enum NetworkEnd {
    PartnerLeft,      // the partner said goodbye
    ConnectionLost,   // the connection closed or failed without a goodbye
    PartnerLied,      // an answer or the final reveal did not match a commitment or the rules
    ForeignProgram,   // the other side does not speak this protocol
    OtherVersion,     // it does, in another version
    BrokenMessage,    // a message out of range, out of order or too long
    PlayerLeft,       // the player left (a new game, Exit, the window closed)
    NoCrypto,         // the system could not hash or give random bytes
    PartnerDeclined,  // after a finished game, the partner said no to another or closed
};

// The connection is up: the hello goes out. When the partner's arrives, a game against the
// partner begins (the view's gameBegun), and the placing runs as against the computer.
void StartNetworkGame(GameState& game, bool hosting, const char* playerNameUtf8);

// Bytes from the connection, in pieces of any size.
void ReceivePartnerBytes(GameState& game, const uint8_t* bytes, size_t size);

// The connection closed or failed.
void LosePartner(GameState& game);

// The player ends the network game: the partner is told, and nothing is counted.
void LeaveNetworkGame(GameState& game);

// From the connection's start to its end: a game that ended properly leaves it open for
// another.
bool NetworkGameRunning(const GameState& game);

// A game ended properly and the next has not begun: the player may ask for another.
bool BetweenNetworkGames(const GameState& game);

// The player wants another game: the partner is asked once, and the game begins as soon as
// the partner wants one too.
void OfferAnotherGame(GameState& game);

// The player asked for another game and the partner has not answered.
bool AwaitingAnotherGame(const GameState& game);

// The partner's name from its hello (UTF-8), empty before.
const char* PartnerName(const GameState& game);

// Whether the partner still places its fleet; false once its commitments have arrived.
bool PartnerPlacing(const GameState& game);

// Connected, and the partner's hello not yet in.
bool AwaitingHello(const GameState& game);

// The partner's shot or answer is overdue; the view hears when this changes.
bool PartnerOverdue(const GameState& game);
