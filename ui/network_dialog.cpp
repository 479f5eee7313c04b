#include "ui/network_dialog.h"

#include <cwchar>
#include <initializer_list>

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
    LoadNetworkStatistics();
    wchar_t format[kLineLength] = L"", line[kLineLength + 32] = L"";
    LoadLanguageString(IDS_NET_RECORD, format, kLineLength);
    wsprintfW(line, format, Settings.NetworkWins, Settings.NetworkLosses);
    SetDlgItemTextW(NetworkDialog.dialog, IDC_NET_RECORD, line);
}

// While it waits, only Cancel is left to press.
static void EnableChoices(bool enable)
{
    for (int control : {IDC_NET_HOST, IDC_NET_JOIN, IDC_NET_HOST_NAME, IDC_NET_PORT, IDC_NET_NAME, IDOK})
        EnableWindow(GetDlgItem(NetworkDialog.dialog, control), enable);
}

static void OnInit(HWND dialog)
{
    NetworkDialog.dialog = dialog;
    LoadNetworkSettings();
    wchar_t computer[kComputerTextLength] = L"";
    DescribeThisComputer(computer, kComputerTextLength);
    SetDlgItemTextW(dialog, IDC_NET_THIS_COMPUTER, computer);
    SetDlgItemInt(dialog, IDC_NET_PORT, Settings.NetworkPort, FALSE);
    SendDlgItemMessageW(dialog, IDC_NET_NAME, EM_LIMITTEXT, kPlayerNameSize - 1, 0);
    SetDlgItemTextW(dialog, IDC_NET_NAME, Settings.PlayerName);
    CheckRadioButton(dialog, IDC_NET_HOST, IDC_NET_JOIN, IDC_NET_HOST);
    ShowRecord();
}

// The port and the name as typed, stored when both will do; else the line says which will not.
static bool TakeChoices()
{
    BOOL isNumber = FALSE;
    const UINT port = GetDlgItemInt(NetworkDialog.dialog, IDC_NET_PORT, &isNumber, FALSE);
    wchar_t name[kPlayerNameSize + 1] = L"";
    GetDlgItemTextW(NetworkDialog.dialog, IDC_NET_NAME, name, kPlayerNameSize + 1);
    if (!isNumber || port < kLowestNetworkPort || port > kHighestNetworkPort) {
        ShowLine(IDC_NET_STATUS, IDS_NET_BAD_PORT);
        return false;
    }
    if (!IsPlayerName(name)) {
        ShowLine(IDC_NET_STATUS, IDS_NET_BAD_NAME);
        return false;
    }
    Settings.NetworkPort = port;
    lstrcpyW(Settings.PlayerName, name);
    SaveNetworkSettings();
    return true;
}

static void OnStart()
{
    if (!TakeChoices())
        return;
    NetworkDialog.hosting = IsDlgButtonChecked(NetworkDialog.dialog, IDC_NET_HOST) == BST_CHECKED;
    wchar_t host[kHostNameLength] = L"";
    GetDlgItemTextW(NetworkDialog.dialog, IDC_NET_HOST_NAME, host, kHostNameLength);
    const unsigned port = Settings.NetworkPort;
    if (NetworkDialog.hosting && !ListenForPartner(port)) {
        ShowLine(IDC_NET_STATUS, IDS_NET_NO_LISTEN, L"", port);
        return;
    }
    if (!NetworkDialog.hosting && !JoinPartner(host, port)) {
        ShowLine(IDC_NET_STATUS, IDS_NET_NO_JOIN, host, port);
        return;
    }
    // A join may have failed on every address already.
    if (NetworkDialog.hosting || Link.partner != INVALID_SOCKET) {
        ShowLine(IDC_NET_STATUS, NetworkDialog.hosting ? IDS_NET_WAITING : IDS_NET_CONNECTING, host, port);
        EnableChoices(false);
    }
}

void ShowJoinFailed()
{
    if (!NetworkDialog.dialog)
        return;
    wchar_t host[kHostNameLength] = L"";
    GetDlgItemTextW(NetworkDialog.dialog, IDC_NET_HOST_NAME, host, kHostNameLength);
    ShowLine(IDC_NET_STATUS, IDS_NET_NO_JOIN, host, Settings.NetworkPort);
    EnableChoices(true);
}

void EndNetworkDialog()
{
    if (NetworkDialog.dialog)
        EndDialog(NetworkDialog.dialog, TRUE);
}

static INT_PTR OnDialogCommand(int control)
{
    switch (control) {
    case IDOK: OnStart(); return TRUE;
    case IDCANCEL: EndDialog(NetworkDialog.dialog, FALSE); return TRUE;
    default: return FALSE;
    }
}

static INT_PTR CALLBACK NetworkDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM)
{
    switch (message) {
    case WM_INITDIALOG: OnInit(dialog); return TRUE;
    case WM_COMMAND: return OnDialogCommand(LOWORD(wParam));
    case WM_CLOSE: return OnDialogCommand(IDCANCEL);
    default: return FALSE;
    }
}

bool ShowNetworkDialog(HWND owner)
{
    const INT_PTR connected = DialogBoxParamW(ProgramInstance, MAKEINTRESOURCEW(IDD_NETWORK + LanguageOffset()), owner,
                                              NetworkDialogProc, 0);
    // Partners are taken only while the dialog waits.
    StopWaiting();
    NetworkDialog.dialog = nullptr;
    return connected == TRUE;
}
