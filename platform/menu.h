// The menu bar of a dialog, built from its menu template. Choosing a command item sends
// WM_COMMAND with the item's id (notification code 0) to the window that holds the bar.
#pragma once

#include "platform/win_types.h"

// Builds the bar of menu template menuId across the top of hWnd; returns the bar's height in
// pixels, which the window's client area starts below, or 0 when there is no such template.
int CreateMenuBar(HWND hWnd, int menuId);
