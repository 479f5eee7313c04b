#include "base/language.h"

#include <windows.h>

#include "base/program.h"

uint32_t Language = English;

int LanguageOffset()
{
    return static_cast<int>(Language <= German ? Language : English) * 100;
}

int LoadLanguageString(int id, wchar_t* text, int size)
{
    return LoadStringW(ProgramInstance, id + LanguageOffset(), text, size);
}
