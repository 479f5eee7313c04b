// The referee of a network game. Before the first shot each side commits to its fleet, cell by
// cell, and to a coin: a commitment is the hash of a fresh random salt and the content, so it
// binds without telling. Every answer the partner gives is checked against those commitments
// at once, and its whole fleet and every answer again at the end.
#pragma once
#include <cstddef>
#include <cstdint>

#include "game/board.h"
#include "game/network.h"
#include "game/protocol.h"

// Where a proof came out; the system may have no hash to give.
enum Proof { Proven, Disproven, CannotHash };

// The player's secrets until the reveal.
struct Secrets {
    uint8_t contents[kFieldCells];   // 1 for a deck
    uint8_t salts[kFieldCells][kSaltSize];
    uint8_t coinSalt[kSaltSize];
    uint8_t coinBit;
};

// The partner's answer to one of the player's shots, kept for the replay at the reveal.
struct AnsweredShot {
    uint8_t column;
    uint8_t row;
    uint8_t result;
};

// The course of a network game. Sent and received messages advance it; what a message may
// do depends on it and on the game's phase and turn.
struct NetworkGameState {
    bool running = false;
    bool hosting = false;
    bool greeted = false;         // the partner's hello arrived
    bool readySent = false;       // the player's fleet is promised
    bool readyReceived = false;   // the partner's is
    bool coinReceived = false;
    bool shotOutstanding = false;
    bool overdue = false;         // the partner's shot or answer has been awaited too long
    bool ended = false;           // the partner's reveal checked: another game may follow
    bool againSent = false;
    bool againReceived = false;
    uint8_t shotColumn = 0, shotRow = 0;
    char partnerName[kPartnerNameBytes] = "";
    Secrets ours = {};
    uint8_t commitments[kFieldCells][kDigestSize] = {};   // the partner's
    uint8_t coinCommitment[kDigestSize] = {};
    uint8_t ourCoinCommitment[kDigestSize] = {};
    uint8_t ourCommitments[kFieldCells][kDigestSize] = {};
    // Both sides' commitments of the game before on this connection: none may come again.
    uint8_t earlier[2 * (kFieldCells + 1)][kDigestSize] = {};
    bool earlierKept = false;
    AnsweredShot answers[kFieldCells] = {};
    int answerCount = 0;
    FrameReader reader;
    // One message at a time is built or read, and one frame encoded.
    Message outgoing = {}, incoming = {};
    uint8_t frame[kMaxFrameSize] = {};
};

// Draws fresh salts and the coin, and writes the Ready message of the HomeBoard's fleet.
// False when the system gave no random bytes or no hash.
bool CommitToFleet(NetworkPort& port, const Board home, Secrets& secrets, Message& ready);

// Whether the salt and content hash to the digest.
Proof CheckCommitment(NetworkPort& port, const uint8_t (&digest)[kDigestSize], const uint8_t* salt, uint8_t content);

// A fleet by the rules: ten straight ships, 1 of 4 decks, 2 of 3, 3 of 2 and 4 of 1, none
// touching another, not even at a corner. When it is one, fills `fleet` largest first, decks
// in order along each ship, every ship afloat.
bool ReadFleet(const uint8_t (&contents)[kFieldCells], ShipRecord (&fleet)[kFleetShips]);

// Whether each answer, in order, is what the fleet says: a miss on water, a hit on a deck,
// sunk exactly at the last deck of its ship.
bool ReplayAnswers(const ShipRecord (&fleet)[kFleetShips], const AnsweredShot* answers, int count);

// The partner's sunk answer to the player's shot at (x, y), not yet on the EnemyBoard: the
// straight run of the player's hits through it, no longer than the largest ship, not one
// ship more of its size than a fleet has, and the revealed cells exactly those beyond it,
// all water. Fills `ship` with the run.
bool SinkingFitsHits(const Board enemy, const ShipRecord (&enemyFleet)[kFleetShips], const Message& answer,
                     ShipRecord& ship);
