#include "game/game.h"

#include <initializer_list>

#include "game/computer.h"
#include "game/fleet.h"
#include "game/network.h"
#include "game/opponent.h"
#include "game/placement.h"
#include "game/referee.h"
#include "game/shots.h"
#include "game/view.h"

GameState Game;

// The computer lays its fleet at random, answers at once and fires on the ticks of its turn.
const OpponentPlay kComputerPlay = {
    PlaceEnemyFleet,
    [] { return true; },
    [] { return true; },
    FireAtComputerFleet,
    [] { ComputerShot(); },
    [] { return true; },
    [] { return true; },
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

void BeginGameAgainst(OpponentKind opponent)
{
    Game.Opponent = opponent;
    for (Board* board : {&Game.EnemyBoard, &Game.HomeBoard})
        for (auto& column : *board)
            for (int32_t& cell : column)
                cell = Water;
    Game.PlacedShipCount = 0;
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
}

void EndGame(bool playerWon)
{
    Game.HomeDecksLeft = -1;
    Game.EnemyDecksLeft = -1;
    Game.GamePhase = GameOver;
    View().gameEnded(playerWon);
}

// The player has sunk the opponent's fleet, or the opponent the player's.
static void DeclareVictory()
{
    EndGame(true);
}

static void DeclareDefeat()
{
    EndGame(false);
}

void GameTick()
{
    const OpponentPlay& opponent = CurrentOpponent();
    if (Game.ComputerTurn && Game.GamePhase == Battle)
        opponent.move();
    if (Game.EnemyDecksLeft == 0 && opponent.decksEndGame())
        DeclareVictory();
    if (Game.HomeDecksLeft == 0 && opponent.decksEndGame())
        DeclareDefeat();
    OfferNextShipSize();
    if (Game.PlacementSize == 0 && Game.PlacementLeft == ShipsOfSize(0) && Game.GamePhase == Placement &&
        opponent.fleetDown())
        BeginBattle();
}
