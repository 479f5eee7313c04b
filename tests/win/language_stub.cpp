// Stands in for ui/language.cpp until it exists, so the settings tests link.
#include "ui/language.h"

uint32_t Language = 1;
