// Where a tool window (the batch window, the parameter window) opens: beside the form, clear of
// the tool windows already open, inside the screen's work area.
#pragma once

#include "platform/win_types.h"

#include <optional>
#include <vector>

struct ToolWindowPlace {
    CPoint topLeft;                  // the tool window's frame
    std::optional<CPoint> formMoved; // where the form moves to make room, if it must
};

// `size` is the tool window's frame; `others` are the frames of the tool windows already shown.
ToolWindowPlace PlaceToolWindow(const CRect& form, CSize size, const std::vector<CRect>& others,
                                const CRect& work);
