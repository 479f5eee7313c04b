#include "app/status.h"

#include <windows.h>

#include <cstdio>

#include "app/repaint.h"
#include "app/startup.h"
#include "app/window.h"
#include "game/board.h"
#include "game/phase.h"
#include "gfx/backbuffer.h"
#include "ui/language.h"
#include "ui/settings.h"

int32_t StatusMessageId = NoMessage;

constexpr int kMessageLength = 32;

void ShowStatusMessage(int id)
{
    if (id == ForgetMessage) {
        StatusMessageId = NoMessage;
        return;
    }
    if (GamePhase <= Placement)
        return;
    if (id > 0)
        StatusMessageId = id;
    wchar_t text[kMessageLength] = L"";
    if (StatusMessageId != NoMessage &&
        LoadStringW(ProgramInstance, StatusMessageId + LanguageOffset(), text, kMessageLength) <= 0)
        text[0] = L'\0';
    SelectObject(BackBuffer, MessageFont);
    PatBlt(BackBuffer, 170, 250, 160, 21, WHITENESS);
    TextOutW(BackBuffer, 175, 250, text, lstrlenW(text));
    SelectObject(BackBuffer, CounterFont);
    InvalidateMainWindow(false);
}

// After the end of a game the decks counters are -1; the panel keeps showing how the
// game ended, counted from the board.
static int FleetLeft(int32_t decksLeft, int32_t shipsLeft, const Board board)
{
    if (!ShowDecks)
        return shipsLeft;
    return GamePhase == GameOver ? CountCells(board, Deck) : decksLeft;
}

// The text is kept inside its box: a wide number such as "20" would otherwise leave a
// sliver of ink beside it that the next, narrower number does not clear.
static void DrawCounter(int left, int width, int textX, int value)
{
    char text[16];
    const int length = std::snprintf(text, sizeof text, "%d", value);
    PatBlt(BackBuffer, left, 285, width, 45, WHITENESS);
    const RECT box = {left, 280, left + width, 330};
    ExtTextOutA(BackBuffer, textX, 280, ETO_CLIPPED, &box, text, length, nullptr);
}

void DrawCounters()
{
    if (GamePhase <= Placement)
        return;
    DrawCounter(260, 80, 280, FleetLeft(HomeDecksLeft, HomeShipsLeft, HomeBoard));
    DrawCounter(175, 70, 190, FleetLeft(EnemyDecksLeft, EnemyShipsLeft, EnemyBoard));
    InvalidateMainWindow(true);
}
