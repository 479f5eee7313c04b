// What the model tells the screen, and the clock it asks for. The model changes the state
// first and then says what happened; the shell, which gives each game its view at start-up,
// turns that into pictures, sounds and, once the model has returned, boxes; the model tests
// give theirs a recorder instead. Each call does nothing until a view overrides it.
#pragma once
#include "game/game.h"
#include "game/network.h"

struct GameView {
    // A new game: both fields are empty and the panel offers the largest ship.
    virtual void gameBegun() {}
    // The panel steps to ships of `size` decks; 0 when the whole fleet is down.
    virtual void shipOffered(int) {}
    // A ship of the player went down on the HomeBoard.
    virtual void shipLaid(const PlacedShip&) {}
    // The player's last ship left the HomeBoard for the panel, which offers its size again.
    virtual void shipTakenBack(const PlacedShip&) {}
    virtual void battleBegun() {}
    // A shot, a sinking or a dead zone changed the cell, or it stopped being its board's
    // last shot; the state is already its new one.
    virtual void cellChanged(BoardSide, int, int) {}
    // After the cells of a shot have changed.
    virtual void shotResolved(Shooter, ShotResult) {}
    // The phase is GameOver and the deck counters -1.
    virtual void gameEnded(bool) {}
    // The model wants GameTimerFired once, `ms` from now; a new request replaces the old.
    virtual void startTimer(int) {}
    // Nothing is due at a time any more.
    virtual void stopTimer() {}
    // The partner's hello arrived, or its fleet is down (PartnerName, PartnerPlacing).
    virtual void partnerChanged() {}
    // A network game stopped with no winner: the phase is GameOver, the deck counters -1, and
    // nothing is to be counted.
    virtual void networkStopped(NetworkEnd) {}
};
