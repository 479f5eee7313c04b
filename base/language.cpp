#include "base/language.h"

#include <windows.h>

#include "base/program.h"
#include "base/settings.h"


int LanguageOffset()
{
    return static_cast<int>(Settings.Language <= German ? Settings.Language : English) * 100;
}

int LoadLanguageString(int id, wchar_t* text, int size)
{
    return LoadStringW(ProgramInstance, id + LanguageOffset(), text, size);
}
