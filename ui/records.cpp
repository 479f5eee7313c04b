#include "ui/records.h"

#include <commctrl.h>

#include "base/language.h"
#include "base/program.h"
#include "base/records.h"
#include "res/resource.h"

namespace {

constexpr int kRecordRows = 6;
constexpr int kCellLength = 64;
constexpr COLORREF kWonColour = RGB(0, 110, 200);
constexpr COLORREF kLostColour = RGB(210, 60, 20);

HWND Table(HWND dialog)
{
    return GetDlgItem(dialog, IDC_RECORDS_TABLE);
}

// The date in the player's language and its locale's short form.
void AddDate(wchar_t (&cell)[kCellLength], RecordDate date)
{
    if (!date)
        return;
    SYSTEMTIME day = {};
    day.wYear = static_cast<WORD>(date >> 16);
    day.wMonth = static_cast<WORD>(date >> 8 & 0xFF);
    day.wDay = static_cast<WORD>(date & 0xFF);
    const WORD languages[] = {LANG_RUSSIAN, LANG_ENGLISH, LANG_GERMAN};
    const LCID locale = MAKELCID(MAKELANGID(languages[LanguageOffset() / 100], SUBLANG_DEFAULT), SORT_DEFAULT);
    wchar_t text[32] = L"";
    if (GetDateFormatW(locale, DATE_SHORTDATE, &day, nullptr, text, 32))
        wsprintfW(cell + lstrlenW(cell), L" (%ls)", text);
}

void RecordCell(const LevelRecord& level, int row, wchar_t (&cell)[kCellLength])
{
    cell[0] = L'\0';
    switch (row) {
    case 0: wsprintfW(cell, L"%lu", static_cast<unsigned long>(level.Won)); break;
    case 1: wsprintfW(cell, L"%lu", static_cast<unsigned long>(level.Lost)); break;
    case 2:
        if (level.FewestShots)
            wsprintfW(cell, L"%lu", static_cast<unsigned long>(level.FewestShots));
        AddDate(cell, level.FewestDate);
        break;
    case 3:
        if (level.BestShots)
            wsprintfW(cell, L"%lu%%", static_cast<unsigned long>(level.BestHits * 100 / level.BestShots));
        AddDate(cell, level.AccuracyDate);
        break;
    case 4:
        wsprintfW(cell, L"%lu", static_cast<unsigned long>(level.LongestRun));
        AddDate(cell, level.RunDate);
        break;
    default: wsprintfW(cell, L"%lu", static_cast<unsigned long>(level.CurrentRun)); break;
    }
}

void SetCell(HWND table, int row, int column, wchar_t* text)
{
    LVITEMW item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = text;
    SendMessageW(table, column ? LVM_SETITEMTEXTW : LVM_INSERTITEMW, row, reinterpret_cast<LPARAM>(&item));
}

// Column widths in dialog units, so that they follow the dialog's font and DPI.
void AddColumns(HWND dialog)
{
    const int widths[] = {106, 64, 64, 64};
    for (int column = 0; column < 4; ++column) {
        wchar_t title[32] = L"", format[32] = L"";
        if (column) {
            LoadLanguageString(IDS_RECORD_LEVEL, format, 32);
            wsprintfW(title, format, column);
        }
        RECT box = {0, 0, widths[column], 1};
        MapDialogRect(dialog, &box);
        LVCOLUMNW entry = {};
        entry.mask = LVCF_TEXT | LVCF_WIDTH;
        entry.cx = box.right;
        entry.pszText = title;
        SendMessageW(Table(dialog), LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&entry));
    }
}

void Refresh(HWND dialog)
{
    LoadRecords();
    HWND table = Table(dialog);
    SendMessageW(table, LVM_DELETEALLITEMS, 0, 0);
    for (int row = 0; row < kRecordRows; ++row) {
        wchar_t cell[kCellLength] = L"";
        LoadLanguageString(IDS_RECORD_WON + row, cell, kCellLength);
        SetCell(table, row, 0, cell);
        for (int level = 0; level < kRecordLevels; ++level) {
            RecordCell(Records.Levels[level], row, cell);
            SetCell(table, row, level + 1, cell);
        }
    }
    InvalidateRect(GetDlgItem(dialog, IDC_RECORDS_CHART), nullptr, TRUE);
}

// A won game is a filled circle, a lost one a cross: told apart without their colours too.
void DrawMark(HDC dc, int x, int y, int radius, bool won)
{
    const COLORREF colour = won ? kWonColour : kLostColour;
    HPEN pen = CreatePen(PS_SOLID, radius > 4 ? radius / 2 : 2, colour);
    HBRUSH brush = CreateSolidBrush(colour);
    HGDIOBJ oldPen = SelectObject(dc, pen), oldBrush = SelectObject(dc, brush);
    if (won) {
        Ellipse(dc, x - radius, y - radius, x + radius + 1, y + radius + 1);
    } else {
        MoveToEx(dc, x - radius, y - radius, nullptr);
        LineTo(dc, x + radius + 1, y + radius + 1);
        MoveToEx(dc, x + radius, y - radius, nullptr);
        LineTo(dc, x - radius - 1, y + radius + 1);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldBrush);
    DeleteObject(pen);
    DeleteObject(brush);
}

// The legend at the top right: a mark and its word for each kind of game.
void DrawLegend(HDC dc, const RECT& box, int unit)
{
    int right = box.right - unit;
    for (int kind = 1; kind >= 0; --kind) {
        wchar_t word[32] = L"";
        const int length = LoadLanguageString(kind ? IDS_RECORD_LOST_MARK : IDS_RECORD_WON_MARK, word, 32);
        SIZE extent = {};
        GetTextExtentPoint32W(dc, word, length, &extent);
        TextOutW(dc, right - extent.cx, box.top + unit / 2, word, length);
        right -= extent.cx + unit;
        DrawMark(dc, right, box.top + unit / 2 + extent.cy / 2, unit / 2, kind == 0);
        right -= 2 * unit;
    }
}

// Shots per game, the oldest left, on a scale of 0 to the most any game took; the unit is a
// dialog unit's height in pixels, which grows with the DPI.
void DrawChart(const DRAWITEMSTRUCT& item)
{
    HDC dc = item.hDC;
    const RECT box = item.rcItem;
    RECT unitBox = {0, 0, 4, 8};
    MapDialogRect(GetParent(item.hwndItem), &unitBox);
    const int unit = unitBox.bottom > 2 ? unitBox.bottom : 2;
    FillRect(dc, &box, GetSysColorBrush(COLOR_WINDOW));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    HGDIOBJ oldFont = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(GetParent(item.hwndItem), WM_GETFONT, 0, 0)));
    DrawLegend(dc, box, unit);
    int most = 1;
    for (int i = 0; i < Records.RecentCount; ++i)
        most = Records.Recent[i].Shots > most ? Records.Recent[i].Shots : most;
    const int left = box.left + 2 * unit, bottom = box.bottom - unit, top = box.top + 2 * unit;
    const int step = (box.right - box.left - 3 * unit) / kRecentGames;
    wchar_t scale[16] = L"";
    const int scaleLength = wsprintfW(scale, L"%d", most);
    if (Records.RecentCount)
        TextOutW(dc, left + unit / 2, box.top + unit / 2, scale, scaleLength);
    HPEN axis = CreatePen(PS_SOLID, 1, GetSysColor(COLOR_GRAYTEXT));
    HGDIOBJ oldPen = SelectObject(dc, axis);
    MoveToEx(dc, left, top, nullptr);
    LineTo(dc, left, bottom);
    LineTo(dc, box.right - unit, bottom);
    for (int i = 0; i < Records.RecentCount; ++i) {
        const RecentGame& game = Records.Recent[i];
        const int x = left + step / 2 + i * step, y = bottom - (bottom - top) * game.Shots / most;
        MoveToEx(dc, x, bottom, nullptr);
        LineTo(dc, x, y);
        DrawMark(dc, x, y, unit / 2, game.Won);
    }
    SelectObject(dc, oldPen);
    SelectObject(dc, oldFont);
    DeleteObject(axis);
}

void AskToClear(HWND dialog)
{
    wchar_t question[128] = L"", caption[64] = L"";
    LoadLanguageString(IDS_CLEAR_RECORDS, question, 128);
    GetWindowTextW(dialog, caption, 64);
    if (MessageBoxW(dialog, question, caption, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) != IDYES)
        return;
    ClearRecords();
    Refresh(dialog);
}

INT_PTR OnRecordsCommand(HWND dialog, int control)
{
    switch (control) {
    case IDOK:
    case IDCANCEL: EndDialog(dialog, 0); return TRUE;
    case IDC_RECORDS_CLEAR: AskToClear(dialog); return TRUE;
    default: return FALSE;
    }
}

INT_PTR OnDrawItem(const DRAWITEMSTRUCT& item)
{
    if (item.CtlID != IDC_RECORDS_CHART)
        return FALSE;
    DrawChart(item);
    return TRUE;
}

INT_PTR CALLBACK RecordsDialog(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: AddColumns(dialog); Refresh(dialog); return TRUE;
    case WM_COMMAND: return OnRecordsCommand(dialog, LOWORD(wParam));
    case WM_DRAWITEM: return OnDrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
    case WM_CLOSE: EndDialog(dialog, 0); return TRUE;
    default: return FALSE;
    }
}

} // namespace

// The table's class is comctl32's, registered once the library is asked for it.
void ShowRecords(HWND owner)
{
    const INITCOMMONCONTROLSEX classes = {sizeof classes, ICC_LISTVIEW_CLASSES};
    InitCommonControlsEx(&classes);
    DialogBoxParamW(ProgramInstance, MAKEINTRESOURCEW(IDD_RECORDS + LanguageOffset()), owner, RecordsDialog, 0);
}
