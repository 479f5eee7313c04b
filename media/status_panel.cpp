#include "media/status_panel.h"

#include <windows.h>

#include "base/language.h"
#include "base/program.h"
#include "base/settings.h"
#include "game/board.h"
#include "game/game.h"
#include "media/backbuffer.h"
#include "media/scene.h"

StatusPanel Status;

constexpr int kMessageLength = 32;

static void DeleteFonts(HFONT counter, HFONT message)
{
    if (counter)
        DeleteObject(counter);
    if (message)
        DeleteObject(message);
}

// The old CounterFont is still selected in the BackBuffer, and a selected font cannot be
// deleted: select the new one first.
void MakeStatusFonts()
{
    const HFONT oldCounter = Status.CounterFont, oldMessage = Status.MessageFont;
    Status.CounterFont = MakeArialFont(50, ANSI_CHARSET);
    Status.MessageFont = MakeArialFont(20, RUSSIAN_CHARSET);
    SelectObject(Scene.BackBuffer, Status.CounterFont);
    DeleteFonts(oldCounter, oldMessage);
}

// Called once the BackBuffer is released, so that no font is selected any more.
void ResetStatusPanel()
{
    DeleteFonts(Status.CounterFont, Status.MessageFont);
    Status = StatusPanel{};
}

void ForgetStatusMessage()
{
    Status.StatusMessageId = NoMessage;
}

void ShowStatusMessage(StatusMessage id)
{
    if (Game.GamePhase <= Placement)
        return;
    Status.StatusMessageId = id;
    RedrawStatusMessage();
}

void RedrawStatusMessage()
{
    if (Game.GamePhase <= Placement)
        return;
    // The wide calls, not the ANSI ones: under any ANSI code page but 1251 the Russian
    // messages would load and draw as question marks.
    wchar_t text[kMessageLength] = L"";
    if (Status.StatusMessageId != NoMessage &&
        LoadLanguageString(Status.StatusMessageId, text, kMessageLength) <= 0)
        text[0] = L'\0';
    const StatusBox& line = kMessageLine;
    const int length = lstrlenW(text);
    HFONT font = FittingFont(Status.MessageFont, text, length, line.left + line.width - kInkGap - line.textX,
                             line.top + line.height - line.textY);
    SelectObject(Scene.BackBuffer, font);
    PatBlt(Scene.BackBuffer, line.left, line.top, line.width, line.height, WHITENESS);
    // Clipped all the same: nothing may spill onto the frame, which no later draw clears.
    const RECT box = {line.left, line.top, line.left + line.width, line.top + line.height};
    ExtTextOutW(Scene.BackBuffer, line.textX, line.textY, ETO_CLIPPED, &box, text, length, nullptr);
    SelectObject(Scene.BackBuffer, Status.CounterFont);
    if (font != Status.MessageFont)
        DeleteObject(font);
    InvalidateMainWindow(false);
}

// After the end of a game the decks counters are -1; the panel keeps showing how the
// game ended, counted from the board.
static int FleetLeft(int32_t decksLeft, int32_t shipsLeft, const Board board)
{
    if (!Settings.ShowDecks)
        return shipsLeft;
    return Game.GamePhase == GameOver ? CountCells(board, Deck) : decksLeft;
}

// The number keeps off the divider and the frame, in smaller digits where the font's are too
// wide; clipped all the same, as a sliver of ink beside the box would stay when the next,
// narrower number is drawn.
static void DrawCounter(const StatusBox& box, int value)
{
    wchar_t text[16];
    const int length = wsprintfW(text, L"%d", value);
    HFONT font = FittingFont(Status.CounterFont, text, length, box.left + box.width - kInkGap - box.textX,
                             box.top + box.height - box.textY);
    SelectObject(Scene.BackBuffer, font);
    PatBlt(Scene.BackBuffer, box.left, box.top, box.width, box.height, WHITENESS);
    const RECT clip = {box.left, box.textY, box.left + box.width, box.top + box.height};
    ExtTextOutW(Scene.BackBuffer, box.textX, box.textY, ETO_CLIPPED, &clip, text, length, nullptr);
    SelectObject(Scene.BackBuffer, Status.CounterFont);
    if (font != Status.CounterFont)
        DeleteObject(font);
}

void DrawCounters()
{
    if (Game.GamePhase <= Placement)
        return;
    DrawCounter(kHomeCounterBox, FleetLeft(Game.HomeDecksLeft, Game.HomeShipsLeft, Game.HomeBoard));
    DrawCounter(kEnemyCounterBox, FleetLeft(Game.EnemyDecksLeft, Game.EnemyShipsLeft, Game.EnemyBoard));
    InvalidateMainWindow(true);
}
