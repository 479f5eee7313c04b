#include "tests/fakes/recorder.h"

#include <ostream>

#include "game/view.h"

std::vector<Recorded> Recording;

bool Recorded::operator==(const Recorded& o) const
{
    return kind == o.kind && a == o.a && b == o.b && c == o.c && d == o.d && e == o.e;
}

void PrintTo(const Recorded& r, std::ostream* os)
{
    static const char* names[] = {"Cell", "Picture", "Ship", "Status", "Counters", "Invalidate", "Pause"};
    *os << names[r.kind] << "(" << r.a << ", " << r.b << ", " << r.c << ", " << r.d << ", " << r.e << ")";
}

std::vector<Recorded> RecordedOf(Recorded::Kind kind)
{
    std::vector<Recorded> found;
    for (const Recorded& r : Recording)
        if (r.kind == kind)
            found.push_back(r);
    return found;
}

void DrawCellPicture(int picture, BoardSide board, int x, int y) { Recording.push_back({Recorded::Cell, picture, board, x, y}); }
void DrawPicture(int picture, int left, int top, int width, int height)
{
    Recording.push_back({Recorded::Picture, picture, left, top, width, height});
}
void DrawShipImage(int orientation, int n, int left, int top) { Recording.push_back({Recorded::Ship, orientation, n, left, top}); }
void ShowStatusMessage(int id) { Recording.push_back({Recorded::Status, id}); }
void DrawCounters() { Recording.push_back({Recorded::Counters}); }
void InvalidateMainWindow(bool erase) { Recording.push_back({Recorded::Invalidate, erase}); }
void PauseBeforeComputerShot() { Recording.push_back({Recorded::Pause}); }
