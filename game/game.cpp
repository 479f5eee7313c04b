#include "game/game.h"

#include <initializer_list>

#include "game/computer.h"
#include "game/fleet.h"
#include "game/network.h"
#include "game/opponent.h"
#include "game/referee.h"
#include "game/shots.h"
#include "game/view.h"

GameState Game;

constexpr int kComputerPauseMs = 300;

// The computer lays its fleet at random, answers at once and fires after a pause, one shot
// per pause for as long as its turn lasts.
const OpponentPlay kComputerPlay = {
    PlaceEnemyFleet,
    [] { return true; },
    [] { return true; },
    FireAtComputerFleet,
    [] { return Game.ComputerTurn ? kComputerPauseMs : 0; },
    [] { ComputerShot(); },
    BeginBattle,
    true,
};

const OpponentPlay& CurrentOpponent()
{
    return Game.Opponent == PartnerOpponent ? kPartnerPlay : kComputerPlay;
}

void ResetGame()
{
    Game = GameState{};
    ResetNetworkGame();
}

// Asks the view for the timer or stops it, only when that changes.
static void WantTimer(bool due, int ms)
{
    if (due == Game.TimerAsked)
        return;
    Game.TimerAsked = due;
    if (due)
        View().startTimer(ms);
    else
        View().stopTimer();
}

void CloseGame()
{
    if (Game.GamePhase != Placement && Game.GamePhase != Battle)
        return;
    Game.HomeDecksLeft = -1;
    Game.EnemyDecksLeft = -1;
    Game.GamePhase = GameOver;
    WantTimer(false, 0);
}

void BeginGameAgainst(OpponentKind opponent)
{
    CloseGame();
    Game.Opponent = opponent;
    for (Board* board : {&Game.EnemyBoard, &Game.HomeBoard})
        for (auto& column : *board)
            for (int32_t& cell : column)
                cell = Water;
    Game.PlacedShipCount = 0;
    for (ShipRecord& ship : Game.HomeFleet)
        ship = ShipRecord{};
    Game.LastShot[EnemySide] = Game.LastShot[HomeSide] = {-1, -1};
    Game.PlacementSize = kLargestShip;
    Game.PlacementLeft = ShipsOfSize(kLargestShip);
    CurrentOpponent().layFleet();
    Game.EnemyDecksLeft = Game.HomeDecksLeft = kFleetDecks;
    Game.EnemyShipsLeft = Game.HomeShipsLeft = kFleetShips;
    Game.GamePhase = Placement;
    View().gameBegun();
}

void NewGame()
{
    LeaveNetworkGame();
    BeginGameAgainst(ComputerOpponent);
}

void SetLastShot(BoardSide side, int x, int y)
{
    const TargetCell previous = Game.LastShot[side];
    Game.LastShot[side] = {x, y};
    if (InField(previous.x, previous.y))
        View().cellChanged(side, previous.x, previous.y);
}

void BeginBattle()
{
    Game.GamePhase = Battle;
    View().battleBegun();
    SettleBattle();
}

void EndGame(bool playerWon)
{
    CloseGame();
    View().gameEnded(playerWon);
}

void SettleBattle()
{
    if (Game.GamePhase != Battle)
        return WantTimer(false, 0);
    const OpponentPlay& opponent = CurrentOpponent();
    if (opponent.decksEndGame && (Game.EnemyDecksLeft == 0 || Game.HomeDecksLeft == 0))
        return EndGame(Game.EnemyDecksLeft == 0);
    const int wait = opponent.waitMs();
    WantTimer(wait > 0, wait);
}

void RestartOpponentWait()
{
    if (Game.TimerAsked) {
        Game.TimerAsked = false;
        View().stopTimer();
    }
    SettleBattle();
}

ShotResult OpponentFiresAt(int x, int y)
{
    const ShotResult result = LandOnHomeBoard(x, y);
    View().shotResolved(ComputerShooter, result);
    return result;
}

void GameTimerFired()
{
    Game.TimerAsked = false;
    if (Game.GamePhase == Battle)
        CurrentOpponent().waited();
    SettleBattle();
}
