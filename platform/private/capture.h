// Mouse capture with the window system's rules: one holder at a time; the window that loses the
// capture, to another window or by release, receives WM_CAPTURECHANGED.
#pragma once

#ifndef GK_PLATFORM_INTERNAL
#error "private to the framework layer (gk_platform): use its public headers"
#endif

#include "platform/win_types.h"

// Called when a window goes away, so the record never names a dead window.
void ForgetCaptureHolder(HWND hWnd);
