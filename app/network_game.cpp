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
    StartNetworkGame(Game, NetworkDialog.hosting, name);
    EndNetworkDialog();
    DrawPartnerLine();
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
