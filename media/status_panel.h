// The status panel under the boards: one line of text and the two fleet counters, and the
// panel's fonts.
#pragma once
#include <windows.h>

#include <cstdint>

// Status messages, by the Russian string id.
enum StatusMessage {
    MissMessage = 100,
    HitMessage = 101,
    WinLevel1Message = 102,
    ComputerWinsMessage = 103,
    WinLevel2Message = 104,
    WinLevel3Message = 105,
    SunkMessage = 106,
    NoMessage = -500,
};

// Shows the message in the battle panel and keeps it, to be drawn again in another language.
void ShowStatusMessage(StatusMessage id);
// Draws the kept message again, in the language now chosen.
void RedrawStatusMessage();
// The next battle's line starts empty.
void ForgetStatusMessage();

// Both counters: the computer's fleet on the left, the player's on the right.
void DrawCounters();

struct StatusPanel {
    // The message shown now, kept so that it can be drawn again in another language.
    int32_t StatusMessageId = NoMessage;
    // Made at each switch to battle; CounterFont stays selected in the BackBuffer.
    HFONT CounterFont = nullptr;
    HFONT MessageFont = nullptr;
};

extern StatusPanel Status;

// Replaces the fonts of an earlier battle, if any, and selects the new CounterFont.
void MakeStatusFonts();
// Deletes the fonts and forgets the message: as before the first battle.
void ResetStatusPanel();
