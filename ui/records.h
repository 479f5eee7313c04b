// The records dialog: each level's records in a table, the last games in a chart, and a clear.
#pragma once
#include <windows.h>

// Runs the dialog modally over `owner`; it shows what the store holds.
void ShowRecords(HWND owner);
