#include "app/network_game.h"

#include "base/crypto.h"
#include "base/language.h"
#include "base/link.h"
#include "base/program.h"
#include "base/settings.h"
#include "game/game.h"
#include "game/network.h"
#include "media/scene.h"
#include "res/resource.h"
#include "ui/network_dialog.h"

void PartnerNameText(wchar_t* text, int size)
{
    if (!MultiByteToWideChar(CP_UTF8, 0, PartnerName(Game), -1, text, size) || !text[0])
        LoadLanguageString(IDS_NET_SOMEONE, text, size);
}

int PartnerLineText(wchar_t* text, int size)
{
    wchar_t format[64] = L"", what[2 * kMaxPartnerNameChars + 1] = L"";
    if (AwaitingHello(Game)) {
        LoadLanguageString(IDS_NET_CONNECTED, format, 64);
        DescribePartner(what, 2 * kMaxPartnerNameChars + 1);
    } else if (Game.Opponent == PartnerOpponent && Game.GamePhase != NoGame && NetworkGameRunning(Game)) {
        const int line = PartnerOverdue(Game)                                  ? IDS_NET_OVERDUE
                         : AwaitingAnotherGame(Game)                           ? IDS_NET_AGAIN_WAITING
                         : PartnerPlacing(Game) && Game.GamePhase == Placement ? IDS_NET_PARTNER_PLACING
                                                                           : IDS_NET_PARTNER;
        LoadLanguageString(line, format, 64);
        PartnerNameText(what, 2 * kMaxPartnerNameChars + 1);
    }
    wchar_t line[2 * kMaxPartnerNameChars + 128];
    if (!format[0] || size < 1 || wsprintfW(line, format, what) <= 0)
        return 0;
    lstrcpynW(text, line, size);
    return lstrlenW(text);
}

void ShowPartnerLine()
{
    wchar_t text[128] = L"";
    PartnerLineText(text, 128);
    DrawPartnerLine(text);
}

// The game against the partner starts before the dialog's loop can hand on the partner's
// first bytes.
static void OnPartnerConnected()
{
    char name[kPartnerNameBytes] = "";
    WideCharToMultiByte(CP_UTF8, 0, Settings.PlayerName, -1, name, kPartnerNameBytes, nullptr, nullptr);
    StartNetworkGame(Game, NetworkDialog.hosting, name);
    EndNetworkDialog();
    ShowPartnerLine();
    InvalidateMainWindow(true);
}

// The game reaches the partner through the link, and its proofs through the system's crypto.
struct ShellPort final : NetworkPort {
    void send(const uint8_t* bytes, size_t size) override { SendToPartner(bytes, size); }
    void hangUp() override { HangUpLink(); }
    bool hash(const uint8_t* bytes, size_t size, uint8_t (&digest)[kDigestSize]) override { return Sha256(bytes, size, digest); }
    bool randomBytes(uint8_t* bytes, size_t size) override { return SecretRandomBytes(bytes, size); }
};

void InstallNetwork()
{
    static ShellPort port;
    Game.Port = &port;
    InstallLinkEvents({OnPartnerConnected, [](const uint8_t* bytes, size_t size) { ReceivePartnerBytes(Game, bytes, size); },
                       [] { LosePartner(Game); }, ShowJoinFailed});
}

// A battle against the computer would go on under the dialog: it makes way for a new game.
void OpenNetworkGame(HWND window)
{
    if (Game.GamePhase == Battle && !NetworkGameRunning(Game))
        NewGame(Game);
    ShowNetworkDialog(window);
}
