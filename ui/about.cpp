#include "ui/about.h"

#include <shellapi.h>

#include "base/language.h"
#include "base/program.h"
#include "res/resource.h"

static AboutPort Port = {ShellExecuteA};

void InstallAboutPort(const AboutPort& port)
{
    Port = port;
}

void ResetAbout()
{
    Port = {ShellExecuteA};
}

// The addresses are the example domain's, not a person's.
static const char MailLink[] = "mailto:quorvex@example.org?subject=Tidewar&body=Hi, Quorvex ";
static const char WebLink[] = "http://www.example.org/tidewar/";

static bool IsLink(HWND control)
{
    const int id = GetDlgCtrlID(control);
    return id == IDC_MAIL_LINK || id == IDC_WEB_LINK;
}

static void OpenLink(const char* address)
{
    Port.shellOpen(nullptr, "open", address, nullptr, nullptr, SW_SHOWNORMAL);
}

// The logo is the box's to free: the template names no picture, because a static control
// that loads its own does not free it under Wine, and each box would leave a bitmap behind.
static HBITMAP SetLogo(HWND dialog, HBITMAP logo)
{
    return reinterpret_cast<HBITMAP>(
        SendDlgItemMessageW(dialog, IDC_ABOUT_LOGO, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(logo)));
}

static INT_PTR OnInitDialog(HWND dialog)
{
    SetLogo(dialog, LoadBitmapW(ProgramInstance, L"QUORVEX"));
    SetFocus(GetDlgItem(dialog, IDC_ABOUT_OK));
    return FALSE;
}

// The hand over the links only: the other labels keep the arrow.
static INT_PTR OnSetCursor(HWND dialog, HWND under)
{
    if (!IsLink(under))
        return FALSE;
    SetCursor(LoadCursorA(ProgramInstance, MAKEINTRESOURCEA(IDR_HAND_CURSOR)));
    SetWindowLongPtrA(dialog, DWLP_MSGRESULT, TRUE);
    return TRUE;
}

static INT_PTR OnStaticColour(HDC dc, HWND control)
{
    if (!IsLink(control))
        return 0;
    SetTextColor(dc, RGB(0, 0, 255));
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

// Escape sends IDCANCEL, which closes nothing: OK, Enter and the close box do. A double click
// on a link notifies a click and then STN_DBLCLK: only the click opens it.
static INT_PTR OnCommand(HWND dialog, int control, int notification)
{
    if (notification != STN_CLICKED)
        return FALSE;
    switch (control) {
    case IDC_ABOUT_OK: EndDialog(dialog, 0); return TRUE;
    case IDC_MAIL_LINK: OpenLink(MailLink); return TRUE;
    case IDC_WEB_LINK: OpenLink(WebLink); return TRUE;
    default: return FALSE;
    }
}

static INT_PTR CALLBACK AboutDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: return OnInitDialog(dialog);
    case WM_SETCURSOR: return OnSetCursor(dialog, reinterpret_cast<HWND>(wParam));
    case WM_CTLCOLORSTATIC: return OnStaticColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_COMMAND: return OnCommand(dialog, LOWORD(wParam), HIWORD(wParam));
    case WM_CLOSE: EndDialog(dialog, 0); return TRUE;
    case WM_DESTROY:
        DeleteObject(SetLogo(dialog, nullptr));
        EndDialog(dialog, 0);
        return TRUE;
    default: return FALSE;
    }
}

void ShowAboutDialog(HWND owner)
{
    DialogBoxParamW(ProgramInstance, MAKEINTRESOURCEW(IDD_ABOUT + LanguageOffset()), owner, AboutDialogProc, 0);
}
