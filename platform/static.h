// CStatic: the window object of a static control (label, icon, frame).
#pragma once

#include "platform/wnd.h"

class CStatic : public CWnd {};
