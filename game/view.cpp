#include "game/view.h"

namespace {

void Nothing() {}
void NothingOffered(int) {}
void NothingLaid(const PlacedShip&) {}
void NothingChanged(BoardSide, int, int) {}
void NothingResolved(Shooter, ShotResult) {}
void NothingEnded(bool) {}
void NothingTimed(int) {}
void NothingStopped(NetworkEnd) {}

const GameView kBlindView = {Nothing, NothingOffered, NothingLaid, NothingLaid, Nothing, NothingChanged,
                             NothingResolved, NothingEnded, NothingTimed, Nothing, Nothing, NothingStopped};
GameView InstalledView = kBlindView;

}  // namespace

void InstallView(const GameView& view)
{
    InstalledView = view;
}

const GameView& View()
{
    return InstalledView;
}
