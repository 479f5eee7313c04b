// What the model tells the screen, and the clock it asks for. The model changes the state
// first and then says what happened; the shell, which installs its view at start-up, turns
// that into pictures, sounds and, once the model has returned, boxes; the model tests install
// a recorder instead.
#pragma once
#include "game/game.h"
#include "game/network.h"

enum Shooter { PlayerShooter, ComputerShooter };
enum ShotResult { ShotMissed, ShotHit, ShotSunk };

struct GameView {
    // A new game: both fields are empty and the panel offers the largest ship.
    void (*gameBegun)();
    // The panel steps to ships of `size` decks; 0 when the whole fleet is down.
    void (*shipOffered)(int size);
    // A ship of the player went down on the HomeBoard.
    void (*shipLaid)(const PlacedShip& ship);
    // The player's last ship left the HomeBoard for the panel, which offers its size again.
    void (*shipTakenBack)(const PlacedShip& ship);
    void (*battleBegun)();
    // A shot, a sinking or a dead zone changed the cell, or it stopped being its board's
    // last shot; the state is already its new one.
    void (*cellChanged)(BoardSide side, int x, int y);
    // After the cells of a shot have changed.
    void (*shotResolved)(Shooter shooter, ShotResult result);
    // The phase is GameOver and the deck counters -1.
    void (*gameEnded)(bool playerWon);
    // The model wants GameTimerFired once, `ms` from now; a new request replaces the old.
    void (*startTimer)(int ms);
    // Nothing is due at a time any more.
    void (*stopTimer)();
    // The partner's hello arrived, or its fleet is down (PartnerName, PartnerPlacing).
    void (*partnerChanged)();
    // A network game stopped with no winner: the phase is GameOver, the deck counters -1, and
    // nothing is to be counted.
    void (*networkStopped)(NetworkEnd why);
};

void InstallView(const GameView& view);

// The installed view: until one is installed, a view that shows nothing.
const GameView& View();
