// Asking the main window to show what was drawn into the BackBuffer.
#pragma once

void InvalidateMainWindow(bool erase);
