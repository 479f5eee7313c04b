// The interface language: every text, menu and dialog exists three times, 100 ids apart.
#pragma once
#include <cstdint>

enum InterfaceLanguage : uint32_t { Russian = 0, English = 1, German = 2 };

// As stored; a hand-edited store may hold any byte.
extern uint32_t Language;

// The offset to add to a Russian resource id: Language x 100, English for an unknown Language.
int LanguageOffset();

// Stores the new Language and shows the title, the menu and the status text in it.
void ApplyLanguage();
