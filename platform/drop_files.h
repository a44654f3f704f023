// Files dropped on a window. A window that accepts files (CWnd::DragAcceptFiles) receives
// WM_DROPFILES with the drop's handle when the user drops local files on it or on any of its
// children that take no drops of their own; the handle is valid while the message is handled.
#pragma once

#include "platform/win_types.h"

// iFile 0xFFFFFFFF: the number of files. Otherwise copies file iFile's path (UTF-8) into
// lpszFile, cut to cch - 1 bytes, and returns its length; with lpszFile nullptr it only returns
// the length. 0 when there is no such file.
UINT DragQueryFile(HDROP hDrop, UINT iFile, char* lpszFile, UINT cch);
// Where the files were dropped, in the client area of the window that receives them; TRUE as
// the drop always lands in it.
BOOL DragQueryPoint(HDROP hDrop, POINT* lppt);
