#include "game/game.h"

#include <initializer_list>

#include "game/computer.h"
#include "game/fleet.h"
#include "game/network.h"
#include "game/opponent.h"
#include "game/referee.h"
#include "game/shots.h"
#include "game/view.h"

constexpr int kComputerPauseMs = 300;

// The computer lets the player lift a ship and fire whenever the rules do.
static bool MayTakeBackAnyTime(const GameState&)
{
    return true;
}

static bool MayFireAnyTime(const GameState&)
{
    return true;
}

// One shot per pause for as long as its turn in battle lasts.
static int ComputerPauseMs(const GameState& game)
{
    return game.GamePhase == Battle && game.OpponentTurn ? kComputerPauseMs : 0;
}

static void ComputerFires(GameState& game)
{
    if (game.GamePhase == Battle)
        ComputerShot(game);
}

// The computer lays its fleet at random, answers at once and fires after a pause.
const OpponentPlay kComputerPlay = {
    PlaceEnemyFleet,       // layFleet
    MayTakeBackAnyTime,    // mayTakeBack
    MayFireAnyTime,        // mayFire
    FireAtComputerFleet,   // fire
    ComputerPauseMs,       // waitMs
    ComputerFires,         // waited
    BeginBattle,           // fleetLaid
    true,                  // decksEndGame
};

const OpponentPlay& CurrentOpponent(const GameState& game)
{
    return game.Opponent == PartnerOpponent ? kPartnerPlay : kComputerPlay;
}

GameView* GameState::ShowingNothing()
{
    static GameView none;
    return &none;
}

void ResetGame(GameState& game)
{
    game = GameState{};
}

// Asks the view for the timer or stops it, only when that changes.
static void WantTimer(GameState& game, bool due, int ms)
{
    if (due == game.TimerAsked)
        return;
    game.TimerAsked = due;
    if (due)
        game.View->startTimer(ms);
    else
        game.View->stopTimer();
}

void CloseGame(GameState& game)
{
    if (game.GamePhase != Placement && game.GamePhase != Battle)
        return;
    game.HomeDecksLeft = -1;
    game.EnemyDecksLeft = -1;
    game.GamePhase = GameOver;
    WantTimer(game, false, 0);
}

void BeginGameAgainst(GameState& game, OpponentKind opponent)
{
    CloseGame(game);
    game.Opponent = opponent;
    for (Board* board : {&game.EnemyBoard, &game.HomeBoard})
        for (auto& column : *board)
            for (int32_t& cell : column)
                cell = Water;
    game.PlacedShipCount = 0;
    for (ShipRecord& ship : game.HomeFleet)
        ship = ShipRecord{};
    game.LastShot[EnemySide] = game.LastShot[HomeSide] = {-1, -1};
    game.PlacementSize = kLargestShip;
    game.PlacementLeft = ShipsOfSize(kLargestShip);
    CurrentOpponent(game).layFleet(game);
    game.EnemyDecksLeft = game.HomeDecksLeft = kFleetDecks;
    game.EnemyShipsLeft = game.HomeShipsLeft = kFleetShips;
    game.GamePhase = Placement;
    game.View->gameBegun();
}

void NewGame(GameState& game)
{
    LeaveNetworkGame(game);
    BeginGameAgainst(game, ComputerOpponent);
}

void SetLastShot(GameState& game, BoardSide side, int x, int y)
{
    const TargetCell previous = game.LastShot[side];
    game.LastShot[side] = {x, y};
    if (InField(previous.x, previous.y))
        game.View->cellChanged(side, previous.x, previous.y);
}

void BeginBattle(GameState& game)
{
    game.GamePhase = Battle;
    game.View->battleBegun();
    SettleBattle(game);
}

void EndGame(GameState& game, bool playerWon)
{
    CloseGame(game);
    game.View->gameEnded(playerWon);
}

void SettleBattle(GameState& game)
{
    const OpponentPlay& opponent = CurrentOpponent(game);
    if (game.GamePhase == Battle && opponent.decksEndGame && (game.EnemyDecksLeft == 0 || game.HomeDecksLeft == 0))
        return EndGame(game, game.EnemyDecksLeft == 0);
    const int wait = opponent.waitMs(game);
    WantTimer(game, wait > 0, wait);
}

void RestartOpponentWait(GameState& game)
{
    if (game.TimerAsked) {
        game.TimerAsked = false;
        game.View->stopTimer();
    }
    SettleBattle(game);
}

ShotResult OpponentFiresAt(GameState& game, int x, int y)
{
    const ShotResult result = LandOnHomeBoard(game, x, y);
    game.View->shotResolved(OpponentShooter, result);
    return result;
}

void GameTimerFired(GameState& game)
{
    game.TimerAsked = false;
    CurrentOpponent(game).waited(game);
    SettleBattle(game);
}
