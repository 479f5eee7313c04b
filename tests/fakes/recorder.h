// A view for the model that records what it was told, so that the game model runs without
// a window and a test can check what happened and in which order.
#pragma once
#include <iosfwd>
#include <vector>

#include "game/view.h"

struct Recorded {
    enum Kind { Begun, Offered, Laid, Back, Battle, Cell, Shot, Ended, Timer, TimerStopped, Partner, Stopped } kind;
    int a = 0, b = 0, c = 0, d = 0;   // Offered: size; Laid, Back: orientation, size, column, row;
                                      // Cell: side, x, y; Shot: shooter, result; Ended: won;
                                      // Timer: ms;
                                      // Stopped: the NetworkEnd

    bool operator==(const Recorded& o) const { return kind == o.kind && a == o.a && b == o.b && c == o.c && d == o.d; }
};

// Lets gtest print a mismatch readably.
void PrintTo(const Recorded& r, std::ostream* os);

// What one game's view was told, in order.
struct Recorder : GameView, std::vector<Recorded> {
    void gameBegun() override { push_back({Recorded::Begun}); }
    void shipOffered(int size) override { push_back({Recorded::Offered, size}); }
    void shipLaid(const PlacedShip& s) override { push_back({Recorded::Laid, s.orientation, s.size, s.column, s.row}); }
    void shipTakenBack(const PlacedShip& s) override { push_back({Recorded::Back, s.orientation, s.size, s.column, s.row}); }
    void battleBegun() override { push_back({Recorded::Battle}); }
    void cellChanged(BoardSide side, int x, int y) override { push_back({Recorded::Cell, side, x, y}); }
    void shotResolved(Shooter shooter, ShotResult result) override { push_back({Recorded::Shot, shooter, result}); }
    void gameEnded(bool won) override { push_back({Recorded::Ended, won}); }
    void startTimer(int ms) override { push_back({Recorded::Timer, ms}); }
    void stopTimer() override { push_back({Recorded::TimerStopped}); }
    void partnerChanged() override { push_back({Recorded::Partner}); }
    void networkStopped(NetworkEnd why) override { push_back({Recorded::Stopped, why}); }
};
