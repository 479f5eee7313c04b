// The status panel under the boards: one line of text and the two fleet counters
// (ShowStatusMessage and DrawCounters, game/view.h), and the panel's fonts.
#pragma once
#include <windows.h>

#include <cstdint>

#include "game/view.h"

// The message shown now, kept so that it can be drawn again in another language.
extern int32_t StatusMessageId;

// Made at each switch to battle; CounterFont stays selected in the BackBuffer.
extern HFONT CounterFont;
extern HFONT MessageFont;

// Replaces the fonts of an earlier battle, if any, and selects the new CounterFont.
void MakeStatusFonts();
void DeleteStatusFonts();
