#include "game/game.h"

#include <initializer_list>

#include "game/computer.h"
#include "game/fleet.h"
#include "game/placement.h"
#include "game/view.h"

GameState Game;

void ResetGame()
{
    Game = GameState{};
}

void NewGame()
{
    for (Board* board : {&Game.EnemyBoard, &Game.HomeBoard})
        for (auto& column : *board)
            for (int32_t& cell : column)
                cell = Water;
    Game.PlacedShipCount = 0;
    Game.LastShot[EnemySide] = Game.LastShot[HomeSide] = {-1, -1};
    Game.PlacementSize = kLargestShip;
    Game.PlacementLeft = ShipsOfSize(kLargestShip);
    PlaceEnemyFleet();
    Game.EnemyDecksLeft = Game.HomeDecksLeft = kFleetDecks;
    Game.EnemyShipsLeft = Game.HomeShipsLeft = kFleetShips;
    Game.GamePhase = Placement;
    View().gameBegun();
}

void SetLastShot(BoardSide side, int x, int y)
{
    const TargetCell previous = Game.LastShot[side];
    Game.LastShot[side] = {x, y};
    if (InField(previous.x, previous.y))
        View().cellChanged(side, previous.x, previous.y);
}

static void BeginBattle()
{
    Game.GamePhase = Battle;
    View().battleBegun();
}

// Closes the game before the view hears of it: a box it opens keeps the timer ticking.
static void EndGame(bool playerWon)
{
    Game.HomeDecksLeft = -1;
    Game.EnemyDecksLeft = -1;
    Game.GamePhase = GameOver;
    View().gameEnded(playerWon);
}

// The player has sunk the computer's fleet, or the computer the player's.
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
    if (Game.ComputerTurn && Game.GamePhase == Battle)
        ComputerShot();
    if (Game.EnemyDecksLeft == 0)
        DeclareVictory();
    if (Game.HomeDecksLeft == 0)
        DeclareDefeat();
    OfferNextShipSize();
    if (Game.PlacementSize == 0 && Game.PlacementLeft == ShipsOfSize(0) && Game.GamePhase == Placement)
        BeginBattle();
}
