// Cursors: loaded from the program's .cur resources by id, and made current for the window whose
// cursor request (WM_SETCURSOR) is being handled.
#pragma once

#include "platform/win_types.h"

// The cursor resource with that id (":/res/cursor/<id>"), or nullptr when there is none or its
// file is not a cursor the layer can read. Loaded once; the handle stays valid for the life of
// the program and is never released by its users, as with shared cursors.
HCURSOR LoadCursor(UINT nIDResource);

// Makes hCursor the cursor of the window whose WM_SETCURSOR is being handled (nullptr restores
// that window's own cursor). Returns the cursor previously set this way, or nullptr.
HCURSOR SetCursor(HCURSOR hCursor);

// The hot spot of a cursor, as its file gives it; (0, 0) for nullptr.
POINT GetCursorHotSpot(HCURSOR hCursor);
