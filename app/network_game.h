// The network game's glue: the model's port on the link and the system's cryptography, the
// link's events to the model and the dialog, and the menu command.
#pragma once
#include <windows.h>

// The partner's name as the player sees it: "Partner" in the current language until its
// hello has come. `size` is in characters.
void PartnerNameText(wchar_t* text, int size);

// What the band above the boards says of the partner: connected and waiting for its hello,
// placing, playing or overdue; 0 when there is no partner to speak of.
int PartnerLineText(wchar_t* text, int size);

// The band above the boards says that, where there is a partner to speak of.
void ShowPartnerLine();

// At start-up, before any connection.
void InstallNetwork();

// Game › Network game...: the dialog; once a partner is connected, the game against it starts.
void OpenNetworkGame(HWND window);
