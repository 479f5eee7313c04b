#include "ui/network_dialog.h"

#include <cwchar>
#include <initializer_list>

#include "base/lan.h"
#include "base/language.h"
#include "base/link.h"
#include "base/program.h"
#include "base/settings.h"
#include "res/resource.h"

NetworkDialogState NetworkDialog;

void ResetNetworkDialog()
{
    NetworkDialog = NetworkDialogState{};
}

constexpr int kLineLength = 160;
constexpr int kHostNameLength = 256;
constexpr int kComputerTextLength = 1024;
constexpr int kGameLineLength = 2 * kPartnerNameBytes + kAddressBytes + 16;
// The list of games heard is shown anew at most this often, however many datagrams come.
constexpr UINT kListTimer = 1, kListIntervalMs = 250;
constexpr UINT kAnnounceTimer = 2;

// The text of Russian string id `id` in the current language: a line that names the host
// names it before the port.
static void ShowLine(int control, int id, const wchar_t* host = L"", unsigned port = 0)
{
    wchar_t format[kLineLength] = L"", line[kLineLength + kHostNameLength] = L"";
    LoadLanguageString(id, format, kLineLength);
    if (std::wcsstr(format, L"%ls"))
        wsprintfW(line, format, host, port);
    else
        wsprintfW(line, format, port);
    SetDlgItemTextW(NetworkDialog.dialog, control, line);
}

static void ShowRecord()
{
    LoadSettings(NetworkRecord);
    wchar_t format[kLineLength] = L"", line[kLineLength + 32] = L"";
    LoadLanguageString(IDS_NET_RECORD, format, kLineLength);
    wsprintfW(line, format, Settings.NetworkWins, Settings.NetworkLosses);
    SetDlgItemTextW(NetworkDialog.dialog, IDC_NET_RECORD, line);
}

// While it waits, only Cancel is left to press.
static void EnableChoices(bool enable)
{
    for (int control : {IDC_NET_HOST, IDC_NET_JOIN, IDC_NET_HOST_NAME, IDC_NET_GAMES, IDC_NET_PORT, IDC_NET_NAME, IDOK})
        EnableWindow(GetDlgItem(NetworkDialog.dialog, control), enable);
}

static void OnInit(HWND dialog)
{
    NetworkDialog.dialog = dialog;
    LoadSettings(NetworkChoices);
    wchar_t computer[kComputerTextLength] = L"";
    DescribeThisComputer(computer, kComputerTextLength);
    SetDlgItemTextW(dialog, IDC_NET_THIS_COMPUTER, computer);
    SetDlgItemInt(dialog, IDC_NET_PORT, Settings.GamePort, FALSE);
    SendDlgItemMessageW(dialog, IDC_NET_NAME, EM_LIMITTEXT, kPlayerNameSize - 1, 0);
    SetDlgItemTextW(dialog, IDC_NET_NAME, Settings.PlayerName);
    CheckRadioButton(dialog, IDC_NET_HOST, IDC_NET_JOIN, IDC_NET_HOST);
    ShowRecord();
    if (OpenLan(dialog, kDefaultGamePort))
        SetTimer(dialog, kListTimer, kListIntervalMs, nullptr);
}

// The game's line: the host's player name, its computer's name, its address (an IPv6 one in
// brackets) and port.
static void GameLine(const HeardGame& heard, wchar_t (&line)[kGameLineLength])
{
    wchar_t player[kPartnerNameBytes], computer[kPartnerNameBytes], address[kAddressBytes];
    MultiByteToWideChar(CP_UTF8, 0, heard.game.player, -1, player, kPartnerNameBytes);
    MultiByteToWideChar(CP_UTF8, 0, heard.game.computer, -1, computer, kPartnerNameBytes);
    MultiByteToWideChar(CP_UTF8, 0, heard.address, -1, address, kAddressBytes);
    const bool ipv6 = std::wcschr(address, L':') != nullptr;
    wsprintfW(line, ipv6 ? L"%ls\t%ls\t[%ls]:%u" : L"%ls\t%ls\t%ls:%u", player, computer, address, heard.game.port);
}

static void OnGameChosen();

// The list in the order heard. The selection stays on the game chosen, wherever it moves; where
// its address changed, the join takes the new one.
static void ShowHeardGames()
{
    const HWND list = GetDlgItem(NetworkDialog.dialog, IDC_NET_GAMES);
    wchar_t selected[kGameLineLength] = L"", line[kGameLineLength];
    const LRESULT before = SendMessageW(list, LB_GETCURSEL, 0, 0);
    if (before != LB_ERR && SendMessageW(list, LB_GETTEXTLEN, before, 0) < kGameLineLength)
        SendMessageW(list, LB_GETTEXT, before, reinterpret_cast<LPARAM>(selected));
    SendMessageW(list, WM_SETREDRAW, FALSE, 0);
    SendMessageW(list, LB_RESETCONTENT, 0, 0);
    int chosen = -1;
    for (int i = 0; i < Lan.heard.count; ++i) {
        GameLine(Lan.heard.games[i], line);
        SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(line));
        if (before != LB_ERR && NetworkDialog.gameChosen && SameGame(Lan.heard.games[i].game, NetworkDialog.chosen))
            chosen = i;
    }
    SendMessageW(list, LB_SETCURSEL, chosen, 0);
    if (chosen >= 0) {
        GameLine(Lan.heard.games[chosen], line);
        if (std::wcscmp(line, selected) != 0)
            OnGameChosen();
    }
    SendMessageW(list, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(list, nullptr, TRUE);
    Lan.changed = false;
}

static void OnListTimer()
{
    NetworkDialog.listShownMs = GetTickCount();
    if (ForgetSilentGames(Lan.heard, NetworkDialog.listShownMs) || Lan.changed)
        ShowHeardGames();
}

// The list timer waits while datagrams keep coming: the clock says when the list is due.
static void OnLanDatagrams()
{
    OnLanMessage();
    if (GetTickCount() - NetworkDialog.listShownMs >= kListIntervalMs)
        OnListTimer();
}

// Each of the line's three columns, cut off with an ellipsis where it does not fit below its
// heading; the columns start where the headings stand in the template, in dialog units.
static void DrawGameLine(const DRAWITEMSTRUCT& item)
{
    wchar_t line[kGameLineLength] = L"";
    if (item.itemID == static_cast<UINT>(-1) || SendMessageW(item.hwndItem, LB_GETTEXTLEN, item.itemID, 0) >= kGameLineLength)
        return;
    SendMessageW(item.hwndItem, LB_GETTEXT, item.itemID, reinterpret_cast<LPARAM>(line));
    const bool selected = item.itemState & ODS_SELECTED;
    FillRect(item.hDC, &item.rcItem, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    SetTextColor(item.hDC, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    SetBkMode(item.hDC, TRANSPARENT);
    RECT starts = {78, 0, 138, 0};
    MapDialogRect(NetworkDialog.dialog, &starts);
    const LONG columns[] = {2, starts.left, starts.right, item.rcItem.right - item.rcItem.left};
    const wchar_t* text = line;
    for (int column = 0; column < 3; ++column) {
        const wchar_t* end = std::wcschr(text, L'\t');
        const int length = end ? static_cast<int>(end - text) : lstrlenW(text);
        RECT cell = {item.rcItem.left + columns[column], item.rcItem.top, item.rcItem.left + columns[column + 1] - 2, item.rcItem.bottom};
        DrawTextW(item.hDC, text, length, &cell, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        text += end ? length + 1 : length;
    }
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &item.rcItem);
}

// A game chosen from the list is joined at its address and port, as if typed.
static void OnGameChosen()
{
    const HWND list = GetDlgItem(NetworkDialog.dialog, IDC_NET_GAMES);
    const LRESULT chosen = SendMessageW(list, LB_GETCURSEL, 0, 0);
    wchar_t line[kGameLineLength] = L"";
    if (chosen == LB_ERR || SendMessageW(list, LB_GETTEXTLEN, chosen, 0) >= kGameLineLength)
        return;
    SendMessageW(list, LB_GETTEXT, chosen, reinterpret_cast<LPARAM>(line));
    if (chosen < Lan.heard.count) {
        NetworkDialog.chosen = Lan.heard.games[chosen].game;
        NetworkDialog.gameChosen = true;
    }
    wchar_t* address = std::wcsrchr(line, L'\t');
    wchar_t* port = std::wcsrchr(line, L':');
    if (!address || !port || port < address)
        return;
    *port = L'\0';
    SetDlgItemTextW(NetworkDialog.dialog, IDC_NET_HOST_NAME, address + 1);
    SetDlgItemTextW(NetworkDialog.dialog, IDC_NET_PORT, port + 1);
    CheckRadioButton(NetworkDialog.dialog, IDC_NET_HOST, IDC_NET_JOIN, IDC_NET_JOIN);
}

// An address in brackets, as the list shows an IPv6 one, may carry its port after them
// ("[fe80::1%3]:47399"): the brackets go, and the port goes to the port box.
static void TakeBracketedAddress(wchar_t (&host)[kHostNameLength])
{
    wchar_t* close = std::wcschr(host, L']');
    if (host[0] != L'[' || !close || (close[1] && (close[1] != L':' || !close[2])))
        return;
    if (close[1])
        SetDlgItemTextW(NetworkDialog.dialog, IDC_NET_PORT, close + 2);
    *close = L'\0';
    std::wmemmove(host, host + 1, std::wcslen(host + 1) + 1);
}

// The port and the name as typed, stored when both will do; else the line says which will not.
static bool TakeChoices()
{
    BOOL isNumber = FALSE;
    const UINT port = GetDlgItemInt(NetworkDialog.dialog, IDC_NET_PORT, &isNumber, FALSE);
    wchar_t name[kPlayerNameSize + 1] = L"";
    GetDlgItemTextW(NetworkDialog.dialog, IDC_NET_NAME, name, kPlayerNameSize + 1);
    if (!isNumber || port < kLowestGamePort || port > kHighestGamePort) {
        ShowLine(IDC_NET_STATUS, IDS_NET_BAD_PORT);
        return false;
    }
    if (!IsPlayerName(name)) {
        ShowLine(IDC_NET_STATUS, IDS_NET_BAD_NAME);
        return false;
    }
    Settings.GamePort = port;
    lstrcpyW(Settings.PlayerName, name);
    SaveSettings(NetworkChoices);
    return true;
}

static void OnStart()
{
    wchar_t host[kHostNameLength] = L"";
    GetDlgItemTextW(NetworkDialog.dialog, IDC_NET_HOST_NAME, host, kHostNameLength);
    const bool hosting = IsDlgButtonChecked(NetworkDialog.dialog, IDC_NET_HOST) == BST_CHECKED;
    if (!hosting)
        TakeBracketedAddress(host);
    if (!TakeChoices())
        return;
    NetworkDialog.hosting = hosting;
    const unsigned port = Settings.GamePort;
    if (NetworkDialog.hosting && !ListenForPartner(port)) {
        ShowLine(IDC_NET_STATUS, IDS_NET_NO_LISTEN, L"", port);
        return;
    }
    if (!NetworkDialog.hosting && !JoinPartner(host, port)) {
        ShowLine(IDC_NET_STATUS, IDS_NET_NO_JOIN, host, port);
        return;
    }
    // A join may have failed on every address already.
    if (NetworkDialog.hosting || PartnerSocketOpen()) {
        ShowLine(IDC_NET_STATUS, NetworkDialog.hosting ? IDS_NET_WAITING : IDS_NET_CONNECTING, host, port);
        EnableChoices(false);
    }
    if (NetworkDialog.hosting && StartAnnouncing(Settings.PlayerName, port))
        SetTimer(NetworkDialog.dialog, kAnnounceTimer, kAnnounceIntervalMs, nullptr);
}

void ShowJoinFailed()
{
    if (!NetworkDialog.dialog)
        return;
    wchar_t host[kHostNameLength] = L"";
    GetDlgItemTextW(NetworkDialog.dialog, IDC_NET_HOST_NAME, host, kHostNameLength);
    TakeBracketedAddress(host);   // its port is the one tried already
    ShowLine(IDC_NET_STATUS, IDS_NET_NO_JOIN, host, Settings.GamePort);
    EnableChoices(true);
}

void EndNetworkDialog()
{
    if (NetworkDialog.dialog)
        EndDialog(NetworkDialog.dialog, TRUE);
}

static INT_PTR OnDialogCommand(int control, int notification)
{
    switch (control) {
    case IDOK: OnStart(); return TRUE;
    case IDCANCEL: EndDialog(NetworkDialog.dialog, FALSE); return TRUE;
    case IDC_NET_GAMES:
        if (notification == LBN_SELCHANGE || notification == LBN_DBLCLK)
            OnGameChosen();
        if (notification == LBN_DBLCLK)
            OnStart();
        return TRUE;
    default: return FALSE;
    }
}

static INT_PTR CALLBACK NetworkDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: OnInit(dialog); return TRUE;
    case WM_COMMAND: return OnDialogCommand(LOWORD(wParam), HIWORD(wParam));
    case WM_CLOSE: return OnDialogCommand(IDCANCEL, 0);
    case WM_TIMER: wParam == kListTimer ? OnListTimer() : AnnounceAgain(); return TRUE;
    case LanMessage: OnLanDatagrams(); return TRUE;
    case WM_DRAWITEM: DrawGameLine(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam)); return TRUE;
    default: return FALSE;
    }
}

bool ShowNetworkDialog(HWND owner)
{
    const INT_PTR connected = DialogBoxParamW(ProgramInstance, MAKEINTRESOURCEW(IDD_NETWORK + LanguageOffset()), owner,
                                              NetworkDialogProc, 0);
    // Partners are taken, and the game announced, only while the dialog waits.
    StopWaiting();
    CloseLan();
    NetworkDialog.dialog = nullptr;
    return connected == TRUE;
}
