// The network game's dialog: host (this computer's name and addresses, waiting for a partner)
// or join (a host and the port), the player's name, and the network record.
#pragma once
#include <windows.h>

#include "game/discovery.h"

struct NetworkDialogState {
    HWND dialog = nullptr;
    bool hosting = false;   // as chosen when Start was pressed
    DWORD listShownMs = 0;
    // The game last chosen from the list: the selection follows it as the list changes.
    HostedGame chosen;
    bool gameChosen = false;
};

extern NetworkDialogState NetworkDialog;

void ResetNetworkDialog();

// Runs the dialog modally over `owner`; true when it ended with a partner connected.
bool ShowNetworkDialog(HWND owner);

// The partner is connected: the dialog ends.
void EndNetworkDialog();

// No address of the host answered: the dialog says so, and the player may try again.
void ShowJoinFailed();
