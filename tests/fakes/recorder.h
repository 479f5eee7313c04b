// Recording stand-ins for the model's port (game/view.h), so that the game model runs
// without a window and a test can check what it drew and in which order.
#pragma once
#include <iosfwd>
#include <string>
#include <vector>

struct Recorded {
    enum Kind { Cell, Picture, Ship, Status, Counters, Invalidate, Pause } kind;
    int a, b, c, d, e;   // Cell: picture, side, x, y; Picture: picture, left, top, w, h;
                         // Ship: orientation, n, left, top; Status: id; Invalidate: erase

    bool operator==(const Recorded& other) const;
};

std::string Describe(const Recorded& r);
void PrintTo(const Recorded& r, std::ostream* os);

extern std::vector<Recorded> Recording;

Recorded CellDrawn(int picture, int side, int x, int y);
Recorded PictureDrawn(int picture, int left, int top, int width, int height);
Recorded ShipDrawn(int orientation, int n, int left, int top);
Recorded StatusShown(int id);
Recorded CountersDrawn();
Recorded Invalidated(bool erase);
Recorded Paused();

// The recorded events of one kind, in order.
std::vector<Recorded> RecordedOf(Recorded::Kind kind);
