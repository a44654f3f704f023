// Renders a window with its children, as they stand, into a PNG file (for screenshots).
#pragma once

#include "platform/win_types.h"

BOOL SaveWindowImage(HWND hWnd, const char* path);
