#include "app/network_game.h"

#include "base/crypto.h"
#include "base/link.h"
#include "base/program.h"
#include "base/settings.h"
#include "game/game.h"
#include "game/network.h"
#include "media/scene.h"
#include "ui/network_dialog.h"

// The game against the partner starts before the dialog's loop can hand on the partner's
// first bytes.
static void OnPartnerConnected()
{
    char name[kPartnerNameBytes] = "";
    WideCharToMultiByte(CP_UTF8, 0, Settings.PlayerName, -1, name, kPartnerNameBytes, nullptr, nullptr);
    StartNetworkGame(NetworkDialog.hosting, name);
    EndNetworkDialog();
    DrawPartnerLine();
    InvalidateMainWindow(true);
}

void InstallNetwork()
{
    InstallNetworkPort({SendToPartner, HangUpLink, Sha256, SecretRandomBytes});
    InstallLinkEvents({OnPartnerConnected, ReceivePartnerBytes, LosePartner, ShowJoinFailed});
}

// A battle against the computer would go on under the dialog: it makes way for a new game.
void OpenNetworkGame(HWND window)
{
    if (Game.GamePhase == Battle && !NetworkGameRunning())
        NewGame();
    ShowNetworkDialog(window);
}
