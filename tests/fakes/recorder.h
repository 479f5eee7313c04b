// Recording stand-ins for the model's port (game/view.h), so that the game model runs
// without a window and a test can check what it drew and in which order.
#pragma once
#include <iosfwd>
#include <vector>

struct Recorded {
    enum Kind { Cell, Picture, Ship, Status, Counters, Invalidate, Pause } kind;
    int a = 0, b = 0, c = 0, d = 0, e = 0;   // Cell: picture, side, x, y; Picture: picture, left, top, w, h;
                                             // Ship: orientation, n, left, top; Status: id; Invalidate: erase

    bool operator==(const Recorded& o) const { return kind == o.kind && a == o.a && b == o.b && c == o.c && d == o.d && e == o.e; }
};

// Lets gtest print a mismatch readably.
void PrintTo(const Recorded& r, std::ostream* os);

extern std::vector<Recorded> Recording;
