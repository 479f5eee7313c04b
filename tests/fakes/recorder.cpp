#include "tests/fakes/recorder.h"

#include <cstdio>
#include <ostream>

#include "game/view.h"

std::vector<Recorded> Recording;

bool Recorded::operator==(const Recorded& o) const
{
    return kind == o.kind && a == o.a && b == o.b && c == o.c && d == o.d && e == o.e;
}

std::string Describe(const Recorded& r)
{
    static const char* names[] = {"Cell", "Picture", "Ship", "Status", "Counters", "Invalidate", "Pause"};
    char text[96];
    std::snprintf(text, sizeof text, "%s(%d, %d, %d, %d, %d)", names[r.kind], r.a, r.b, r.c, r.d, r.e);
    return text;
}

// Lets gtest print a mismatch readably.
void PrintTo(const Recorded& r, std::ostream* os)
{
    *os << Describe(r);
}

Recorded CellDrawn(int picture, int side, int x, int y) { return {Recorded::Cell, picture, side, x, y, 0}; }
Recorded PictureDrawn(int picture, int left, int top, int width, int height)
{
    return {Recorded::Picture, picture, left, top, width, height};
}
Recorded ShipDrawn(int orientation, int n, int left, int top) { return {Recorded::Ship, orientation, n, left, top, 0}; }
Recorded StatusShown(int id) { return {Recorded::Status, id, 0, 0, 0, 0}; }
Recorded CountersDrawn() { return {Recorded::Counters, 0, 0, 0, 0, 0}; }
Recorded Invalidated(bool erase) { return {Recorded::Invalidate, erase ? 1 : 0, 0, 0, 0, 0}; }
Recorded Paused() { return {Recorded::Pause, 0, 0, 0, 0, 0}; }

std::vector<Recorded> RecordedOf(Recorded::Kind kind)
{
    std::vector<Recorded> found;
    for (const Recorded& r : Recording)
        if (r.kind == kind)
            found.push_back(r);
    return found;
}

void DrawCellPicture(int picture, BoardSide board, int x, int y) { Recording.push_back(CellDrawn(picture, board, x, y)); }
void DrawPicture(int picture, int left, int top, int width, int height)
{
    Recording.push_back(PictureDrawn(picture, left, top, width, height));
}
void DrawShipImage(int orientation, int n, int left, int top) { Recording.push_back(ShipDrawn(orientation, n, left, top)); }
void ShowStatusMessage(int id) { Recording.push_back(StatusShown(id)); }
void DrawCounters() { Recording.push_back(CountersDrawn()); }
void InvalidateMainWindow(bool erase) { Recording.push_back(Invalidated(erase)); }
void PauseBeforeComputerShot() { Recording.push_back(Paused()); }
