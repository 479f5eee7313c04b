// The interface language: every text, menu and dialog exists three times, 100 ids apart.
#pragma once
#include <cstdint>

enum InterfaceLanguage : uint32_t { Russian = 0, English = 1, German = 2 };

// The offset to add to a Russian resource id: Language x 100, English for an unknown Language.
int LanguageOffset();

// Loads the text of Russian string id `id` in the current language, as LoadStringW does.
int LoadLanguageString(int id, wchar_t* text, int size);
