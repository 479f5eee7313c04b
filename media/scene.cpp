#include "media/scene.h"

#include <algorithm>
#include <initializer_list>

#include "base/language.h"
#include "base/program.h"
#include "game/network.h"
#include "media/backbuffer.h"
#include "media/skin.h"
#include "media/status_panel.h"
#include "res/resource.h"

static_assert(CellPicture == IDB_CELL && HitPicture == IDB_HIT && MissPicture == IDB_MISS &&
                  BackgroundPicture == IDB_BACKGROUND && PlacementPanelPicture == IDB_PLACEMENT_PANEL &&
                  BattlePanelPicture == IDB_BATTLE_PANEL && BlankCellPicture == IDB_BLANK_CELL &&
                  SunkPicture == IDB_SUNK && DeadZonePicture == IDB_DEAD_ZONE,
              "scene pictures and bitmap resources share their ids");

static int CellLeft(BoardSide board, int x)
{
    return (board == EnemySide ? kEnemyBoardLeft : kHomeBoardLeft) + kCellSize * x;
}

static int CellTop(int y)
{
    return kBoardTop + kCellSize * y;
}

bool CellUnderPress(BoardSide side, unsigned x, unsigned y, int& column, int& row)
{
    const unsigned left = CellLeft(side, 0), top = kBoardTop;
    if (x <= left || x >= left + kBoardPixels || y <= top || y >= top + kBoardPixels)
        return false;
    column = static_cast<int>(x - left) / kCellSize;
    row = static_cast<int>(y - top) / kCellSize;
    return true;
}

// Copies width x height pixels of the picture from (fromX, fromY) to (left, top).
static void CopyPicturePart(int picture, int fromX, int fromY, int left, int top, int width, int height)
{
    HBITMAP bitmap = SkinPicture(picture);
    if (!bitmap)
        return;
    HDC source = CreateCompatibleDC(Scene.BackBuffer);
    HGDIOBJ previous = SelectObject(source, bitmap);
    BitBlt(Scene.BackBuffer, left, top, width, height, source, fromX, fromY, SRCCOPY);
    SelectObject(source, previous);
    DeleteDC(source);
}

void DrawPicture(int picture, int left, int top, int width, int height)
{
    CopyPicturePart(picture, 0, 0, left, top, width, height);
}

// The background lies at (0, 0): a part of it goes back where it belongs.
static void RestoreBackground(int left, int top, int width, int height)
{
    CopyPicturePart(BackgroundPicture, left, top, left, top, width, height);
}

static void FillBox(COLORREF colour, int left, int top, int width, int height)
{
    HBRUSH brush = CreateSolidBrush(colour);
    const RECT box = {left, top, left + width, top + height};
    FillRect(Scene.BackBuffer, &box, brush);
    DeleteObject(brush);
}

static auto FilledWith(COLORREF colour)
{
    return [colour](int left, int top, int width, int height) { FillBox(colour, left, top, width, height); };
}

// Paints the four bars of a square ring `width` thick whose outside is size x size at (left, top).
template <typename PaintBar>
static void PaintRing(int left, int top, int size, int width, PaintBar paint)
{
    paint(left, top, size, width);
    paint(left, top + size - width, size, width);
    paint(left, top + width, width, size - 2 * width);
    paint(left + size - width, top + width, width, size - 2 * width);
}

static void DrawCellPicture(int picture, BoardSide board, int x, int y)
{
    DrawPicture(picture, CellLeft(board, x), CellTop(y), kCellSize, kCellSize);
}

// Draws the ship image of `decks` decks, opaque, at (left, top).
static void DrawShipImage(Orientation orientation, int decks, int left, int top)
{
    if (orientation < Vertical || orientation > Horizontal || decks < 1 || decks > kLargestShip)
        return;
    const ShipImage& image = Skin.ShipImages[orientation][decks - 1];
    if (image.list)
        ImageList_Draw(image.list, image.index, Scene.BackBuffer, left, top, ILD_NORMAL);
}

// The picture of a shot cell, or 0 for a cell that keeps the CellPicture.
static int ShotCellPicture(int32_t cell)
{
    switch (cell) {
    case EnemyHit:
    case HomeHit: return HitPicture;
    case EnemyMiss:
    case HomeMiss: return MissPicture;
    case DeadZone: return DeadZonePicture;
    case Sunk: return SunkPicture;
    default: return 0;
    }
}

static const Board& BoardOf(BoardSide side)
{
    return side == EnemySide ? Game.EnemyBoard : Game.HomeBoard;
}

// Yellow stands out on the grey, red and blue cell pictures.
constexpr COLORREF kLastShotColour = RGB(255, 255, 0);
constexpr int kLastShotRingWidth = 2;

void DrawCell(BoardSide side, int x, int y)
{
    const int picture = ShotCellPicture(CellAt(BoardOf(side), x, y));
    if (!picture)
        return;
    DrawCellPicture(picture, side, x, y);
    const TargetCell& last = Game.LastShot[side];
    if (last.x == x && last.y == y)
        PaintRing(CellLeft(side, x), CellTop(y), kCellSize, kLastShotRingWidth, FilledWith(kLastShotColour));
}

// The frame lies in the background around a board, one pixel off its edge.
constexpr int kTurnFrameGap = 1;
constexpr int kTurnFrameWidth = 3;
constexpr COLORREF kPlayerTurnColour = RGB(0, 255, 0);
constexpr COLORREF kOpponentTurnColour = RGB(255, 0, 0);

template <typename PaintBar>
static void PaintTurnFrame(BoardSide side, PaintBar paint)
{
    const int outset = kTurnFrameGap + kTurnFrameWidth;
    PaintRing(CellLeft(side, 0) - outset, kBoardTop - outset, kBoardPixels + 2 * outset, kTurnFrameWidth, paint);
}

void DrawTurnFrame()
{
    for (BoardSide side : {EnemySide, HomeSide})
        PaintTurnFrame(side, RestoreBackground);
    if (Game.GamePhase != Battle)
        return;
    if (Game.OpponentTurn)
        PaintTurnFrame(HomeSide, FilledWith(kOpponentTurnColour));
    else
        PaintTurnFrame(EnemySide, FilledWith(kPlayerTurnColour));
}

// A record's decks run from its first cell in any of the four directions; the image wants
// the top-left cell. The hit decks keep their picture over it.
static void DrawEnemyShipAfloat(const ShipRecord& ship)
{
    const int last = ship.size - 1;
    const int left = std::min(ship.deckX[0], ship.deckX[last]);
    const int top = std::min(ship.deckY[0], ship.deckY[last]);
    const Orientation orientation = ship.deckY[0] == ship.deckY[last] && ship.size > 1 ? Horizontal : Vertical;
    DrawShipImage(orientation, ship.size, CellLeft(EnemySide, left), CellTop(top));
    for (int k = 0; k < ship.size; ++k)
        DrawCell(EnemySide, ship.deckX[k], ship.deckY[k]);
}

void DrawShipsAfloat()
{
    if (Game.GamePhase != GameOver || Game.HomeShipsLeft > 0)
        return;
    for (const ShipRecord& ship : Game.EnemyFleet)
        if (ship.decksLeft > 0)
            DrawEnemyShipAfloat(ship);
}

static void DrawOfferedShipImages(int size)
{
    DrawShipImage(Vertical, size, kOfferedVerticalLeft, kOfferedVerticalTop);
    DrawShipImage(Horizontal, size, kOfferedHorizontalLeft, kOfferedHorizontalTop);
}

// A new game: both fields empty and the panel offering the largest ship.
static void DrawNewGame()
{
    for (BoardSide side : {EnemySide, HomeSide})
        for (int x = 0; x < kFieldSize; ++x)
            for (int y = 0; y < kFieldSize; ++y)
                DrawCellPicture(CellPicture, side, x, y);
    DrawPicture(PlacementPanelPicture, kPlacementPanelLeft, kPlacementPanelTop, kPlacementPanelWidth,
                kPlacementPanelHeight);
    DrawOfferedShipImages(Game.PlacementSize);
    DrawPlacingHint();
}

// The cell past the smaller ship's end is blanked in both pictures.
void DrawNextShipSize(int size)
{
    DrawPicture(BlankCellPicture, kOfferedVerticalLeft, kOfferedVerticalTop + kCellSize * size, kCellSize, kCellSize);
    DrawPicture(BlankCellPicture, kOfferedHorizontalLeft + kCellSize * size, kOfferedHorizontalTop, kCellSize,
                kCellSize);
    DrawOfferedShipImages(size);
}

void DrawPlacedShip(const PlacedShip& ship)
{
    DrawShipImage(ship.orientation, ship.size, CellLeft(HomeSide, ship.column), CellTop(ship.row));
}

void DrawBattlePanel()
{
    ReloadBattlePanelPicture();
    DrawPicture(BattlePanelPicture, kBattlePanelLeft, kBattlePanelTop, kBattlePanelWidth, kBattlePanelHeight);
}

constexpr int kBandLetterHeight = 18;
constexpr int kPlacingHintLetterHeight = 14;

// White with a black shadow: the background runs from dark cloud to white foam. A long name or
// address takes smaller letters, so the line stays whole between the band's margins. The
// BackBuffer's colours are restored.
static void DrawBandText(const wchar_t* text, int length)
{
    const int saved = SaveDC(Scene.BackBuffer);
    HFONT largest = MakeArialFont(kBandLetterHeight, DEFAULT_CHARSET);
    const int shadow = 1;
    HFONT font = FittingFont(largest, text, length, kClientWidth - 2 * (kBandMargin + kInkGap) - shadow,
                             kStartHintHeight - shadow);
    SelectObject(Scene.BackBuffer, font);
    SetBkMode(Scene.BackBuffer, TRANSPARENT);
    for (int offset : {shadow, 0}) {
        RECT band = {kBandMargin + offset, kStartHintTop + offset, kClientWidth - kBandMargin + offset,
                     kStartHintTop + kStartHintHeight + offset};
        SetTextColor(Scene.BackBuffer, offset ? RGB(0, 0, 0) : RGB(255, 255, 255));
        DrawTextW(Scene.BackBuffer, text, length, &band, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    }
    RestoreDC(Scene.BackBuffer, saved);
    if (font != largest)
        DeleteObject(font);
    DeleteObject(largest);
}

void DrawStartHint()
{
    if (Game.GamePhase != NoGame || AwaitingHello(Game))
        return;
    wchar_t text[96] = L"";
    const int length = LoadLanguageString(IDS_START_HINT, text, 96);
    if (length > 0)
        DrawBandText(text, length);
}

// Black on the panel's white field, as the status texts; the field is restored first, so that
// a switch of language leaves no letter of the last one.
void DrawPlacingHint()
{
    if (Game.GamePhase != Placement)
        return;
    const StatusBox& box = kPlacingHintBox;
    CopyPicturePart(PlacementPanelPicture, box.left - kPlacementPanelLeft, box.top - kPlacementPanelTop, box.left,
                    box.top, box.width, box.height);
    wchar_t text[96] = L"";
    const int length = LoadLanguageString(IDS_PLACING_HINT, text, 96);
    if (length <= 0)
        return;
    HFONT largest = MakeArialFont(kPlacingHintLetterHeight, DEFAULT_CHARSET);
    HFONT font = FittingFont(largest, text, length, box.width - 2 * kInkGap, box.height - 2 * kInkGap);
    HGDIOBJ previous = SelectObject(Scene.BackBuffer, font);
    RECT field = {box.left + kInkGap, box.top + kInkGap, box.left + box.width - kInkGap,
                  box.top + box.height - kInkGap};
    DrawTextW(Scene.BackBuffer, text, length, &field, DT_CENTER | DT_NOPREFIX | DT_NOCLIP);
    SelectObject(Scene.BackBuffer, previous);
    if (font != largest)
        DeleteObject(font);
    DeleteObject(largest);
}

// The band's bottom rows hold the top bar of the turn frame, which is drawn again.
static void DrawKeptPartnerLine()
{
    RestoreBackground(0, kStartHintTop, kSceneWidth, kStartHintHeight);
    if (Scene.PartnerLine[0])
        DrawBandText(Scene.PartnerLine, lstrlenW(Scene.PartnerLine));
    else
        DrawStartHint();
    DrawTurnFrame();
}

void DrawPartnerLine(const wchar_t* text)
{
    lstrcpynW(Scene.PartnerLine, text, sizeof Scene.PartnerLine / sizeof Scene.PartnerLine[0]);
    DrawKeptPartnerLine();
}

void RedrawScene()
{
    DrawPicture(BackgroundPicture, 0, 0, kSceneWidth, kSceneHeight);
    DrawStartHint();
    if (Game.GamePhase != NoGame) {
        DrawNewGame();
        for (int i = 0; i < Game.PlacedShipCount; ++i)
            DrawPlacedShip(Game.PlacedShips[i]);
    }
    if (Game.GamePhase > Placement) {
        DrawPicture(BattlePanelPicture, kBattlePanelLeft, kBattlePanelTop, kBattlePanelWidth, kBattlePanelHeight);
        DrawCounters();
        RedrawStatusMessage();
        for (BoardSide side : {HomeSide, EnemySide})
            for (int x = 0; x < kFieldSize; ++x)
                for (int y = 0; y < kFieldSize; ++y)
                    DrawCell(side, x, y);
    }
    DrawTurnFrame();
    DrawKeptPartnerLine();
    DrawShipsAfloat();
}
