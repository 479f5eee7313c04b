#include "tests/fakes/recorder.h"

#include <ostream>

#include "game/view.h"

std::vector<Recorded> Recording;

void PrintTo(const Recorded& r, std::ostream* os)
{
    static const char* names[] = {"Begun", "Offered", "Laid", "Back", "Battle", "Cell", "Shot", "Ended", "Timer", "TimerStopped", "Partner", "Stopped"};
    *os << names[r.kind] << "(" << r.a << ", " << r.b << ", " << r.c << ", " << r.d << ")";
}

void InstallRecorder()
{
    Recording.clear();
    InstallView({
        [] { Recording.push_back({Recorded::Begun}); },
        [](int size) { Recording.push_back({Recorded::Offered, size}); },
        [](const PlacedShip& s) { Recording.push_back({Recorded::Laid, s.orientation, s.size, s.column, s.row}); },
        [](const PlacedShip& s) { Recording.push_back({Recorded::Back, s.orientation, s.size, s.column, s.row}); },
        [] { Recording.push_back({Recorded::Battle}); },
        [](BoardSide side, int x, int y) { Recording.push_back({Recorded::Cell, side, x, y}); },
        [](Shooter shooter, ShotResult result) { Recording.push_back({Recorded::Shot, shooter, result}); },
        [](bool won) { Recording.push_back({Recorded::Ended, won}); },
        [](int ms) { Recording.push_back({Recorded::Timer, ms}); },
        [] { Recording.push_back({Recorded::TimerStopped}); },
        [] { Recording.push_back({Recorded::Partner}); },
        [](NetworkEnd why) { Recording.push_back({Recorded::Stopped, why}); },
    });
}
