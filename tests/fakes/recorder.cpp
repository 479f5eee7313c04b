#include "tests/fakes/recorder.h"

#include <ostream>

void PrintTo(const Recorded& r, std::ostream* os)
{
    static const char* names[] = {"Begun", "Offered", "Laid", "Back", "Battle", "Cell", "Shot", "Ended", "Timer", "TimerStopped", "Partner", "Stopped"};
    *os << names[r.kind] << "(" << r.a << ", " << r.b << ", " << r.c << ", " << r.d << ")";
}
