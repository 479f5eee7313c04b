// A view for the model that records what it was told, so that the game model runs without
// a window and a test can check what happened and in which order.
#pragma once
#include <iosfwd>
#include <vector>

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

extern std::vector<Recorded> Recording;

// Installs the recording view and empties the recording.
void InstallRecorder();
