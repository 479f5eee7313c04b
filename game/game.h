// One side of a match: the state of its game, and the game's course (a new game, the
// opponent's timer, the end). Every step of the model acts on the one value given it, so
// two sides may play each other in one process.
#pragma once
#include <cstdint>

#include "game/board.h"
#include "game/options.h"
#include "game/random.h"
#include "game/referee.h"

struct GameView;

// Who the player fights.
enum OpponentKind : int32_t { ComputerOpponent, PartnerOpponent };

// Compared by order: above Placement means the battle panel is up.
enum Phase : int32_t { NoGame = -1, Placement = 0, Battle = 1, GameOver = 3 };

// A ship the player laid on the HomeBoard, first deck at (column, row).
struct PlacedShip {
    Orientation orientation;
    int32_t size;
    int32_t column;
    int32_t row;
};

// Last in, first out: the open side neighbours of the computer's latest hit.
struct TargetList {
    TargetCell entries[4];
    int32_t count;
};

struct GameState {
    Board EnemyBoard = {};
    Board HomeBoard = {};
    // The opponent's ships, and the player's as they are laid, in the order laid; the
    // ships' pictures come from PlacedShips.
    ShipRecord EnemyFleet[kFleetShips] = {};
    ShipRecord HomeFleet[kFleetShips] = {};

    // -1 while no battle runs, so the end-of-game test cannot fire.
    int32_t EnemyDecksLeft = -1;
    int32_t HomeDecksLeft = -1;
    int32_t EnemyShipsLeft = 0;
    int32_t HomeShipsLeft = 0;

    Phase GamePhase = NoGame;
    OpponentKind Opponent = ComputerOpponent;
    // Set while the opponent is to fire (the computer, or the partner of a network game).
    // Against the computer only misses change it, and a new game keeps it.
    bool OpponentTurn = false;

    // The ship now offered on the panel and how many of that size are still to place:
    // 4 (1 ship), 3 (2), 2 (3), 1 (4), then 0 with 5 left once the fleet is down.
    int32_t PlacementSize = -4;
    int32_t PlacementLeft = -1;
    PlacedShip PlacedShips[kFleetShips] = {};
    int32_t PlacedShipCount = 0;

    // The cell each board was last fired at, by BoardSide; x is -1 until its first shot of a
    // game. Kept with the game, as the scene is rebuilt from the game alone.
    TargetCell LastShot[2] = {{-1, -1}, {-1, -1}};

    // The view's timer is asked for and has not fired yet.
    bool TimerAsked = false;

    // Both outlive a game: a hunt left open is where the computer fires first next battle.
    TargetList TargetStack = {};
    bool HuntActive = false;   // set while finishing a ship it has hit

    // The rules this game plays under: the player's options as the shell last gave them.
    GameOptions Rules = {};
    // The generator behind the game's dice (game/random.h).
    uint32_t DiceState = 1;

    // The game against a partner over the network, while the opponent is one.
    NetworkGameState Network = {};

    // Where the model shows what happened, reaches the partner and rolls its dice: the
    // shell's or a test's, given after a reset.
    GameView* View = ShowingNothing();
    NetworkPort* Port = ReachingNoPartner();
    DicePort Dice = kSystemDice;

    static GameView* ShowingNothing();
    static NetworkPort* ReachingNoPartner();
};

// As a fresh process starts: no game, a view that shows nothing, no partner, the system's dice.
void ResetGame(GameState& game);

// A game against the computer: a network game still running is left first. Clears both
// boards and the player's ships, offers the largest ship and lays the computer's fleet; the
// turn and the computer's hunt stay as they were.
void NewGame(GameState& game);

// A shot has just changed (x, y) on the board: it becomes the board's last shot, and the view
// hears that the cell which was the last shot before has changed.
void SetLastShot(GameState& game, BoardSide side, int x, int y);

// A game still placing or fighting stops where it stands, with no winner and nothing told:
// a new game is on its way, and input meanwhile does what it does after a game.
void CloseGame(GameState& game);

// The time the model asked for has come: the opponent's move on its turn.
void GameTimerFired(GameState& game);
