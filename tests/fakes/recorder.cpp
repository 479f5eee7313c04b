#include "tests/fakes/recorder.h"

#include <ostream>

#include "game/view.h"

std::vector<Recorded> Recording;

void PrintTo(const Recorded& r, std::ostream* os)
{
    static const char* names[] = {"Cell", "Picture", "Ship", "Status", "Counters", "Invalidate", "Pause"};
    *os << names[r.kind] << "(" << r.a << ", " << r.b << ", " << r.c << ", " << r.d << ", " << r.e << ")";
}

void DrawCellPicture(int picture, BoardSide board, int x, int y) { Recording.push_back({Recorded::Cell, picture, board, x, y}); }
void DrawPicture(int picture, int left, int top, int w, int h) { Recording.push_back({Recorded::Picture, picture, left, top, w, h}); }
void DrawShipImage(int orientation, int n, int left, int top) { Recording.push_back({Recorded::Ship, orientation, n, left, top}); }
void ShowStatusMessage(int id) { Recording.push_back({Recorded::Status, id}); }
void DrawCounters() { Recording.push_back({Recorded::Counters}); }
void InvalidateMainWindow(bool erase) { Recording.push_back({Recorded::Invalidate, erase}); }
void PauseBeforeComputerShot() { Recording.push_back({Recorded::Pause}); }
